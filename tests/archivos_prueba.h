// Files for tests: a fresh folder per test on the real file system, and a
// wrapper that makes chosen operations fail.
#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "platform/archivos.h"

namespace kelu::prueba {

// A fresh, empty folder, in the program's own "\" path form.
class CarpetaTemporal {
 public:
  CarpetaTemporal();
  ~CarpetaTemporal();
  const std::string& Ruta() const { return ruta_; }
  std::string En(const std::string& nombre) const { return UnirRuta(ruta_, nombre); }
  // Writes raw bytes (no conversion) to a file of the folder.
  void Escribir(const std::string& nombre, const std::string& bytes) const;
  std::string Leer(const std::string& nombre) const;
  bool Existe(const std::string& nombre) const;

 private:
  std::filesystem::path nativa_;
  std::string ruta_;
};

// The real files, with failures on demand.
class ArchivosConFallos : public Archivos {
 public:
  std::optional<std::string> Leer(const std::string& ruta) const override {
    if (ilegibles.count(ruta)) return std::nullopt;
    return real.Leer(ruta);
  }
  bool Abrible(const std::string& ruta) const override { return !ilegibles.count(ruta) && real.Abrible(ruta); }
  bool Existe(const std::string& ruta) const override { return real.Existe(ruta); }
  bool Escribir(const std::string& ruta, std::string_view bytes) override {
    ++escrituras;
    if (Protegida(ruta)) return false;
    if (fallarEscrituraTras >= 0) {  // writes part of the bytes, then fails: a full disk
      real.Escribir(ruta, bytes.substr(0, static_cast<size_t>(fallarEscrituraTras)));
      return false;
    }
    return real.Escribir(ruta, bytes);
  }
  bool Reemplazar(const std::string& desde, const std::string& hasta) override {
    return !fallarReemplazo && !Protegida(hasta) && real.Reemplazar(desde, hasta);
  }
  void Borrar(const std::string& ruta) override { real.Borrar(ruta); }
  bool CrearCarpeta(const std::string& ruta) override { return !Protegida(ruta) && real.CrearCarpeta(ruta); }
  // Under one of `protegidas` (no access, or Controlled Folder Access).
  bool Protegida(const std::string& ruta) const {
    for (const std::string& carpeta : protegidas)
      if (ruta.rfind(carpeta + "\\", 0) == 0) return true;
    return false;
  }

  Archivos& real = ArchivosDelSistema();
  std::set<std::string> ilegibles;  // there, but locked: they cannot be opened
  int escrituras = 0;
  long fallarEscrituraTras = -1;
  bool fallarReemplazo = false;
  std::set<std::string> protegidas;  // folders where nothing can be written or created
};

// Text in the ANSI code page with CR LF line ends, from UTF-8 lines.
std::string Ansi(const std::string& utf8);

// The shipped data folder.
std::string CarpetaDatos();

}  // namespace kelu::prueba
