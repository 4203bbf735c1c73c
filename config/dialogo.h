// What the settings dialogs share: a fixed border without minimise and
// maximise boxes, centred on the screen, OK on Enter and Cancel on Esc, and
// the table of which language entry goes onto which control.
#pragma once
#include <utility>
#include <vector>

#include "config/idioma.h"
#include "platform/toolkit.h"
#include "startup/programa.h"

namespace kelu {

class Dialogo : public Ventana {
 public:
  // A control and the language entry that becomes its text.
  struct Traduccion {
    Control* control;
    IdTexto entrada;
  };

  // The window's design: its name, built-in caption and client size in
  // twips, the entry of its caption, and where OK and Cancel stand.
  struct Diseno {
    const char* nombre;
    const char* titulo;
    int ancho, alto;
    IdTexto entradaTitulo;
    Rectangulo aceptar, cancelar;
  };

  // Modal; a dialog already open is left as it is. False when the system
  // gave no window.
  bool Abrir();
  // The caption, every control of the table, then OK and Cancel, from the
  // language now loaded.
  void Traducir();

  Boton cmdAceptar;
  Boton cmdCancelar;

 protected:
  // Cancel unloads the dialog unless the dialog gives it a Click of its own.
  Dialogo(Programa& programa, const Diseno& diseno);

  // The controls translated, besides the caption and OK and Cancel.
  void Traducibles(std::vector<Traduccion> tabla) { traducibles_ = std::move(tabla); }

  Programa& programa_;

 private:
  IdTexto entradaTitulo_;
  std::vector<Traduccion> traducibles_;
};

}  // namespace kelu
