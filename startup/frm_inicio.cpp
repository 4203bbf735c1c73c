#include "startup/frm_inicio.h"

#include "config/ayudas.h"
#include "config/configuracion.h"
#include "platform/paso.h"
#include "startup/navegador.h"

namespace kelu {
namespace {
// The frame at (120, 0) holds the other controls; the toolkit has no
// containers, so their places are given on the window.
constexpr int kMarco = 120;
Rectangulo EnMarco(int izquierda, int arriba, int ancho, int alto) { return {kMarco + izquierda, arriba, ancho, alto}; }
const Fuente kTitulo1{"Verdana", 21.75, true};
const Fuente kTitulo{"Verdana", 12, true};
const Fuente kArial{"Arial", 9.75};
}  // namespace

std::string TextoVersion(const std::string& entrada4) {
  return entrada4 + std::to_string(kVersionMayor) + "." + std::to_string(kVersionMenor);
}

frmInicio::frmInicio(Programa& programa)
    : Ventana(programa.toolkit, "frmInicio", "KELU", 6585, 3420),
      fraInicio(*this, "fraInicio", {kMarco, 0, 6345, 3330}, kArial),
      imgLogo(*this, "imgLogo", EnMarco(240, 120, 2625, 2760), kRecursoLogo),
      lblTitulo1(*this, "lblTitulo1", EnMarco(4950, 360, 1200, 525), kTitulo1, "KELU", Alineacion::Derecha),
      lblTitulo2(*this, "lblTitulo2", EnMarco(3705, 960, 2430, 270), kTitulo, "Sonda-", Alineacion::Derecha),
      lblTitulo3(*this, "lblTitulo3", EnMarco(5160, 1320, 945, 270), kTitulo, "vermo", Alineacion::Derecha),
      lblVersión(*this, "lblVersión", EnMarco(4560, 1680, 1575, 255), kArial, "Versión", Alineacion::Derecha),
      lblGratis(*this, "lblGratis", EnMarco(3120, 2160, 3015, 255), kArial, "Programa de distribución gratuita.",
                Alineacion::Derecha),
      lblAutor(*this, "lblAutor", EnMarco(0, 2640, 6255, 255), kArial, "Un programa del proyecto KELU",
               Alineacion::Centro),
      tmrInicio(programa.toolkit, 2000, true),
      programa_(programa) {
  borde = Borde::Ninguno;
  botonMinimizar = botonMaximizar = botonCerrar = false;
  centrada = true;
  fraInicio.borde = true;
  lblTitulo1.ajustarAlTexto = lblTitulo2.ajustarAlTexto = lblTitulo3.ajustarAlTexto = true;

  Load = [this] { Form_Load(); };
  // Only its own timer closes the splash: Alt+F4 or a WM_CLOSE would stop
  // the timer and leave KELU running with no window at all.
  QueryUnload = [this](bool& cancelar) { cancelar = !cerrandoPorTiempo_; };
  Unload = [this] { tmrInicio.SetHabilitado(false); };
  tmrInicio.Timer = [this] { tmrInicio_Timer(); };
  // A click anywhere on the splash opens the web page.
  Click = [this] { AbrirPáginaWeb(); };
  for (Control* c : Controles()) c->Click = [this] { AbrirPáginaWeb(); };
}

void frmInicio::Form_Load() {
  // Each file step that fails leaves its defaults and the next one runs.
  Paso([&] {
    // Settings once saved in the person's data folder are read from there.
    programa_.lugarConfiguracion = ElegirLugarConfiguracion(programa_.archivos, programa_.carpeta,
                                                            [&] { return programa_.escritorio.CarpetaDatosUsuario(); });
  });
  Paso([&] {
    programa_.conservarConfiguracion =
        CargarConfiguracion(programa_.configuracion, programa_.archivos, programa_.CarpetaLecturaConfiguracion()) ==
        LecturaConfiguracion::Ilegible;
  });
  Paso([&] {
    programa_.conservarAyudas = CargarAyudas(programa_.ayudas, programa_.lineasAyudas, programa_.archivos,
                                             programa_.CarpetaLecturaConfiguracion()) == LecturaConfiguracion::Ilegible;
  });
  Paso([&] { CargarIdioma(programa_.idioma, programa_.archivos, programa_.Ruta(programa_.configuracion.Idioma + ".lng")); });
  TraducirfrmInicio();
}

void frmInicio::TraducirfrmInicio() {
  const TextosIdioma& t = programa_.idioma;
  SetTexto(t.Entrada(IdTexto::PresentacionNombre));
  lblTitulo1.SetTexto(t.Entrada(IdTexto::PresentacionNombre));
  lblTitulo2.SetTexto(t.Entrada(IdTexto::PresentacionMarca));
  lblTitulo3.SetTexto(t.Entrada(IdTexto::PresentacionLema));
  lblVersión.SetTexto(TextoVersion(t.Entrada(IdTexto::PresentacionVersion)));
  lblGratis.SetTexto(t.Entrada(IdTexto::PresentacionGratuita));
  lblAutor.SetTexto(t.Entrada(IdTexto::PresentacionProyecto));
}

void frmInicio::AbrirPáginaWeb() { AbrirEnNavegador(programa_.escritorio, *this, kPaginaWeb); }

// The splash hands over and returns: the program's loop runs on.
void frmInicio::tmrInicio_Timer() {
  cerrandoPorTiempo_ = true;
  Descargar();
  if (MostrarPrincipal) MostrarPrincipal();
}

}  // namespace kelu
