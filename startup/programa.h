// The program-wide state: one instance for the whole run, handed to every
// form by reference, so tests can build a fresh one.
#pragma once
#include <string>
#include <vector>

#include "config/ayudas.h"
#include "config/configuracion.h"
#include "keying/tabla_codigo.h"
#include "platform/archivos.h"
#include "platform/escritorio.h"
#include "platform/toolkit.h"
#include "config/idioma.h"

namespace kelu {

struct Programa {
  Programa(Toolkit& kit, Escritorio& esc, Archivos& arch)
      : toolkit(kit), escritorio(esc), archivos(arch), carpeta(esc.CarpetaPrograma()) {}

  Toolkit& toolkit;
  Escritorio& escritorio;
  Archivos& archivos;
  std::string carpeta;  // the program's own folder

  Configuracion configuracion;
  // "kelu.ini" is there but could not be read: the session runs on the
  // defaults, and the exit leaves the person's file alone unless they store
  // new settings with OK.
  bool conservarConfiguracion = false;
  // Where "kelu.ini" is read and written; start-up chooses. Empty folders
  // stand for the program's own.
  LugarConfiguracion lugarConfiguracion;
  std::string CarpetaLecturaConfiguracion() const {
    return lugarConfiguracion.lectura.empty() ? carpeta : lugarConfiguracion.lectura;
  }
  std::string CarpetaEscrituraConfiguracion() const {
    return lugarConfiguracion.escritura.empty() ? carpeta : lugarConfiguracion.escritura;
  }
  // "ayudas.ini", beside "kelu.ini": the aids, the file's lines as read
  // (kept when it is rewritten), and the same rule as above for a file that
  // is there but could not be read.
  Ayudas ayudas;
  std::vector<std::string> lineasAyudas;
  bool conservarAyudas = false;
  // A save that failed has been told to the person: once a session.
  bool guardadoFallidoAvisado = false;
  TablaCodigo tabla;
  TextosIdioma idioma;

  // The path of a file in the program's folder.
  std::string Ruta(const std::string& nombre) const { return UnirRuta(carpeta, nombre); }
};

// The title under which KELU presents itself; windows titled so are its own.
inline constexpr const char* kTituloPrograma = "KELU";

}  // namespace kelu
