#include "config/frm_pulsador.h"

#include <string>

#include "config/utilidades.h"
#include "platform/filtro_teclas.h"
#include "platform/teclas.h"

namespace kelu {
namespace {
constexpr Dialogo::Diseno kDiseno{"frmPulsador", "Pulsador - KELU", 6765, 4575, IdTexto::TituloPulsador,
                                  {3600, 4020, 1335, 375}, {5160, 4020, 1335, 375}};
}  // namespace

std::string NombreTecla(int vk, const TextosIdioma& idioma) {
  if (vk == 0) return idioma.Entrada(IdTexto::TeclaNinguna);
  if (vk == kVkEspacio) return "SPACE";
  if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z')) return std::string(1, static_cast<char>(vk));
  static const char* const kNombres[] = {"BACKSPACE", "TAB",    "ENTER",  "ESC",    "PGUP",     "PGDN",
                                         "END",       "HOME",   "LEFT",   "UP",     "RIGHT",    "DOWN",
                                         "INSERT",    "DELETE", "ADD",    "SUBTRACT", "MULTIPLY", "DIVIDE",
                                         "CAPSLOCK",  "NUMLOCK", "SCROLLLOCK", "BREAK", "HELP"};
  for (const char* nombre : kNombres)
    if (VkDeNombre(nombre) == vk) return nombre;
  for (int n = 1; n <= 16; ++n)
    if (VkDeNombre("F" + std::to_string(n)) == vk) return "F" + std::to_string(n);
  return "#" + std::to_string(vk);
}

frmPulsador::frmPulsador(Programa& programa)
    : Dialogo(programa, kDiseno),
      lblTecla(*this, "lblTecla", {240, 285, 2775, 210}, kVerdana9, "Tecla como pulsador:"),
      lblNombreTecla(*this, "lblNombreTecla", {3120, 240, 1815, 300}, kVerdana9),
      cmdElegirTecla(*this, "cmdElegirTecla", {5160, 195, 1335, 375}, kVerdana9, "&Elegir..."),
      lblRaya(*this, "lblRaya", {240, 765, 2775, 210}, kVerdana9, "Tecla para la raya:"),
      lblNombreRaya(*this, "lblNombreRaya", {3120, 720, 1815, 300}, kVerdana9),
      cmdElegirRaya(*this, "cmdElegirRaya", {5160, 675, 1335, 375}, kVerdana9, "E&legir..."),
      lblPulseAhora(*this, "lblPulseAhora", {240, 1185, 6255, 210}, kVerdana9),
      chkMantenerDestino(*this, "chkMantenerDestino", {240, 1530, 6255, 255}, kVerdana9,
                         "Mantener delante la ventana de destino"),
      lblPulsacionMinima(*this, "lblPulsacionMinima", {240, 2040, 3975, 210}, kVerdana9),
      cboPulsacionMinima(*this, "cboPulsacionMinima", {4320, 1995, 2175, 330}, kVerdana9),
      lblEsperaTrasSoltar(*this, "lblEsperaTrasSoltar", {240, 2520, 3975, 210}, kVerdana9),
      cboEsperaTrasSoltar(*this, "cboEsperaTrasSoltar", {4320, 2475, 2175, 330}, kVerdana9),
      lblPausaPorPulsacion(*this, "lblPausaPorPulsacion", {240, 3000, 3975, 210}, kVerdana9),
      cboPausaPorPulsacion(*this, "cboPausaPorPulsacion", {4320, 2955, 2175, 330}, kVerdana9),
      lblRepeticion(*this, "lblRepeticion", {240, 3480, 3975, 210}, kVerdana9),
      cboRepeticion(*this, "cboRepeticion", {4320, 3435, 2175, 330}, kVerdana9) {
  lblNombreTecla.borde = lblNombreRaya.borde = true;
  OrdenTab({&lblTecla, &lblNombreTecla, &cmdElegirTecla, &lblRaya, &lblNombreRaya, &cmdElegirRaya, &lblPulseAhora,
            &chkMantenerDestino, &lblPulsacionMinima, &cboPulsacionMinima, &lblEsperaTrasSoltar,
            &cboEsperaTrasSoltar, &lblPausaPorPulsacion, &cboPausaPorPulsacion, &lblRepeticion, &cboRepeticion,
            &cmdAceptar, &cmdCancelar});
  Traducibles({{&lblTecla, IdTexto::EtiquetaTeclaPulsador}, {&lblRaya, IdTexto::EtiquetaTeclaRaya},
               {&cmdElegirTecla, IdTexto::BotonElegirTecla}, {&cmdElegirRaya, IdTexto::BotonElegirTeclaRaya},
               {&chkMantenerDestino, IdTexto::OpcionMantenerDestino},
               {&lblPulsacionMinima, IdTexto::EtiquetaIgnorarCortas},
               {&lblEsperaTrasSoltar, IdTexto::EtiquetaIgnorarTrasSoltar},
               {&lblPausaPorPulsacion, IdTexto::EtiquetaPausarCon}, {&lblRepeticion, IdTexto::EtiquetaRepetirTecla}});

  Load = [this] { Form_Load(); };
  Unload = [this] {
    DejarDeElegir();
    ayudas_ = nullptr;
  };
  cmdAceptar.Click = [this] { cmdAceptar_Click(); };
  cmdElegirTecla.Click = [this] { Elegir(tecla_); };
  cmdElegirRaya.Click = [this] { Elegir(teclaRaya_); };
}

void frmPulsador::Abrir(Ayudas& ayudas) {
  if (Cargada()) return;
  ayudas_ = &ayudas;
  Dialogo::Abrir();
}

void frmPulsador::Form_Load() {
  Traducir();
  eligiendo_ = nullptr;
  elegida_ = 0;
  lblPulseAhora.SetTexto({});
  if (!ayudas_) return;
  const Ayudas& a = *ayudas_;
  const std::string no = programa_.idioma.Entrada(IdTexto::Desactivado);
  tecla_ = a.TeclaPulsador;
  teclaRaya_ = a.TeclaRaya;
  MostrarTeclas();
  chkMantenerDestino.SetMarcada(a.MantenerDestino);
  LlenarValores(cboPulsacionMinima, minimas_, {0, 10, 20, 30, 50, 80}, a.PulsacionMinima, " ms", 1, no);
  LlenarValores(cboEsperaTrasSoltar, esperas_, {0, 250, 500, 1000, 2000, 3000}, a.EsperaTrasSoltar, " ms", 1, no);
  LlenarValores(cboPausaPorPulsacion, pausas_, {0, 2000, 3000, 4000, 5000}, a.PausaPorPulsacion, " s", 1000, no);
  LlenarValores(cboRepeticion, repeticiones_, {100, 150, 250, 400}, a.RepeticionMs, " ms");
}

void frmPulsador::MostrarTeclas() {
  lblNombreTecla.SetTexto(NombreTecla(tecla_, programa_.idioma));
  lblNombreRaya.SetTexto(NombreTecla(teclaRaya_, programa_.idioma));
}

// Through the switch capture: the key chosen is swallowed, so an Esc, a
// Space or an Enter does not also act on the dialog.
void frmPulsador::Elegir(int& destino) {
  DejarDeElegir();
  eligiendo_ = &destino;
  lblPulseAhora.SetTexto(programa_.idioma.Entrada(IdTexto::PulsadorPulseAhora));
  Kit().CapturarTeclas(kCualquierTecla, 0, [this](int t, bool abajo) { Elegida_Tecla(t, abajo); });
}

void frmPulsador::Elegida_Tecla(int tecla, bool abajo) {
  if (!eligiendo_) return;
  if (abajo) {
    if (!elegida_) elegida_ = tecla;
    return;
  }
  if (tecla != elegida_) return;
  *eligiendo_ = tecla == kTeclaEsc ? 0 : tecla;
  DejarDeElegir();
  MostrarTeclas();
}

void frmPulsador::DejarDeElegir() {
  if (!eligiendo_) return;
  eligiendo_ = nullptr;
  elegida_ = 0;
  Kit().CapturarTeclas(0, 0, nullptr);
  lblPulseAhora.SetTexto({});
}

void frmPulsador::cmdAceptar_Click() {
  if (ayudas_) {
    Ayudas& a = *ayudas_;
    a.TeclaPulsador = tecla_;
    // A dash key alone would be no switch: it is kept only beside the first.
    a.TeclaRaya = tecla_ && teclaRaya_ != tecla_ ? teclaRaya_ : 0;
    a.MantenerDestino = chkMantenerDestino.Marcada();
    LeerValor(cboPulsacionMinima, minimas_, a.PulsacionMinima);
    LeerValor(cboEsperaTrasSoltar, esperas_, a.EsperaTrasSoltar);
    LeerValor(cboPausaPorPulsacion, pausas_, a.PausaPorPulsacion);
    LeerValor(cboRepeticion, repeticiones_, a.RepeticionMs);
  }
  Descargar();
}

}  // namespace kelu
