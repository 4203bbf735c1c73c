// The splash window: name, version, notice and logo for two seconds, then
// the main window.
#pragma once
#include <functional>

#include "platform/toolkit.h"
#include "startup/programa.h"

namespace kelu {

class frmInicio : public Ventana {
 public:
  explicit frmInicio(Programa& programa);

  static constexpr const char* kPaginaWeb = "http://kelu.example.org/";
  static constexpr int kRecursoLogo = 101;

  void TraducirfrmInicio();
  void AbrirPáginaWeb();

  Etiqueta fraInicio;
  Imagen imgLogo;
  Etiqueta lblTitulo1;
  Etiqueta lblTitulo2;
  Etiqueta lblTitulo3;
  Etiqueta lblVersión;
  Etiqueta lblGratis;
  Etiqueta lblAutor;
  Temporizador tmrInicio;

  // What the end of the splash runs: the main window loaded, which shows it.
  std::function<void()> MostrarPrincipal;

 private:
  void Form_Load();
  void tmrInicio_Timer();
  Programa& programa_;
  bool cerrandoPorTiempo_ = false;
};

// Entry 4 followed by the version, "1.0".
std::string TextoVersion(const std::string& entrada4);

}  // namespace kelu
