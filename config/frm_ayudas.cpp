#include "config/frm_ayudas.h"

#include <string>

#include "config/utilidades.h"

namespace kelu {
namespace {
constexpr Dialogo::Diseno kDiseno{"frmAyudas", "Ayudas al pulsar - KELU", 6765, 7155, IdTexto::TituloAyudas,
                                  {3600, 6600, 1335, 375}, {5160, 6600, 1335, 375}};

const std::vector<int> kFrecuencias = {400, 500, 600, 700, 800, 900, 1000, 1200};
const std::vector<int> kVolumenes = {5, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100};

}  // namespace

frmAyudas::frmAyudas(Programa& programa)
    : Dialogo(programa, kDiseno),
      chkMostrarCodigo(*this, "chkMostrarCodigo", {240, 240, 6255, 255}, kVerdana9,
                       "Mostrar el código y el tiempo en el recuadro"),
      chkTablaCodigos(*this, "chkTablaCodigos", {240, 600, 6255, 255}, kVerdana9, "Mostrar la tabla de códigos"),
      chkTono(*this, "chkTono", {240, 960, 6255, 255}, kVerdana9, "Tono mientras el botón está pulsado"),
      chkAvisosSonoros(*this, "chkAvisosSonoros", {240, 1320, 6255, 255}, kVerdana9,
                       "Sonido al escribir una letra o descartar un código"),
      lblFrecuencia(*this, "lblFrecuencia", {240, 1845, 2295, 210}, kVerdana9, "Frecuencia del tono:"),
      cboFrecuencia(*this, "cboFrecuencia", {2640, 1800, 1815, 330}, kVerdana9),
      lblVolumen(*this, "lblVolumen", {240, 2325, 2295, 210}, kVerdana9, "Volumen:"),
      cboVolumen(*this, "cboVolumen", {2640, 2280, 1815, 330}, kVerdana9),
      chkSeguirRitmo(*this, "chkSeguirRitmo", {240, 2820, 6255, 255}, kVerdana9, "Seguir mi ritmo al pulsar"),
      chkLetrasAntes(*this, "chkLetrasAntes", {240, 3180, 6255, 255}, kVerdana9,
                     "Cerrar la letra en cuanto ningún código pueda seguir"),
      chkPractica(*this, "chkPractica", {240, 3540, 6255, 255}, kVerdana9,
                  "Modo práctica (no escribe en ninguna ventana)"),
      chkIniciarAlEntrar(*this, "chkIniciarAlEntrar", {240, 3900, 6255, 255}, kVerdana9,
                         "Iniciar KELU al iniciar sesión"),
      cmdCalibrar(*this, "cmdCalibrar", {240, 4320, 1935, 375}, kVerdana9, "Ca&librar..."),
      cmdVolverTiempos(*this, "cmdVolverTiempos", {2400, 4320, 2535, 375}, kVerdana9, "&Volver a mis tiempos"),
      cmdPulsador(*this, "cmdPulsador", {5160, 4320, 1335, 375}, kVerdana9, "&Pulsador..."),
      chkPrediccion(*this, "chkPrediccion", {240, 4920, 6255, 255}, kVerdana9, "Sugerir palabras mientras pulso"),
      chkPulsacionLargaElige(*this, "chkPulsacionLargaElige", {240, 5280, 6255, 255}, kVerdana9,
                             "Pulsar algo más que una raya elige la primera palabra"),
      chkAprenderPalabras(*this, "chkAprenderPalabras", {240, 5640, 6255, 255}, kVerdana9,
                          "Aprender las palabras que escribo"),
      cmdOlvidarPalabras(*this, "cmdOlvidarPalabras", {240, 6060, 2535, 375}, kVerdana9, "&Olvidar mis palabras") {
  OrdenTab({&chkMostrarCodigo, &chkTablaCodigos, &chkTono, &chkAvisosSonoros, &lblFrecuencia, &cboFrecuencia,
            &lblVolumen, &cboVolumen, &chkSeguirRitmo, &chkLetrasAntes, &chkPractica, &chkIniciarAlEntrar, &cmdCalibrar,
            &cmdVolverTiempos, &cmdPulsador, &chkPrediccion, &chkPulsacionLargaElige, &chkAprenderPalabras,
            &cmdOlvidarPalabras, &cmdAceptar, &cmdCancelar});
  Traducibles({{&chkMostrarCodigo, IdTexto::OpcionCodigoEnRecuadro}, {&chkTablaCodigos, IdTexto::OpcionTablaCodigos},
               {&chkTono, IdTexto::OpcionTonoPulsado}, {&chkAvisosSonoros, IdTexto::OpcionSonidoLetra},
               {&lblFrecuencia, IdTexto::EtiquetaFrecuenciaTono}, {&lblVolumen, IdTexto::EtiquetaVolumen},
               {&chkSeguirRitmo, IdTexto::OpcionSeguirRitmo}, {&chkLetrasAntes, IdTexto::OpcionCerrarTemprano},
               {&chkPractica, IdTexto::OpcionPractica}, {&cmdCalibrar, IdTexto::BotonCalibrar},
               {&cmdVolverTiempos, IdTexto::BotonVolverAMisTiempos}, {&cmdPulsador, IdTexto::BotonPulsador},
               {&chkIniciarAlEntrar, IdTexto::IniciarAlEntrar}, {&chkPrediccion, IdTexto::OpcionPrediccion},
               {&chkPulsacionLargaElige, IdTexto::OpcionPulsacionLargaElige},
               {&chkAprenderPalabras, IdTexto::OpcionAprenderPalabras},
               {&cmdOlvidarPalabras, IdTexto::BotonOlvidarPalabras}});

  Load = [this] { Form_Load(); };
  Unload = [this] { ayudas_ = nullptr; };
  cmdAceptar.Click = [this] { cmdAceptar_Click(); };
  cmdCalibrar.Click = [this] {
    if (Calibrar) Calibrar();
  };
  cmdVolverTiempos.Click = [this] { olvidarRitmo_ = true; };
  cmdOlvidarPalabras.Click = [this] { olvidarPalabras_ = true; };
  // The switch dialog edits the same copy: the aids dialog's Cancel does not
  // undo it, the options dialog's Cancel does.
  cmdPulsador.Click = [this] {
    if (AbrirPulsador && ayudas_) AbrirPulsador(*ayudas_);
  };
}

void frmAyudas::Abrir(Ayudas& ayudas) {
  if (Cargada()) return;
  ayudas_ = &ayudas;
  Dialogo::Abrir();
}

void frmAyudas::Form_Load() {
  olvidarRitmo_ = olvidarPalabras_ = false;
  Traducir();
  if (!ayudas_) return;
  const Ayudas& a = *ayudas_;
  chkMostrarCodigo.SetMarcada(a.MostrarCodigo);
  chkTablaCodigos.SetMarcada(a.TablaCodigos);
  chkTono.SetMarcada(a.Tono);
  chkAvisosSonoros.SetMarcada(a.AvisosSonoros);
  LlenarValores(cboFrecuencia, frecuencias_, kFrecuencias, a.FrecuenciaTono, " Hz");
  LlenarValores(cboVolumen, volumenes_, kVolumenes, a.VolumenTono, " %");
  chkSeguirRitmo.SetMarcada(a.SeguirRitmo);
  chkLetrasAntes.SetMarcada(a.LetrasAntes);
  chkPractica.SetMarcada(a.Practica);
  chkIniciarAlEntrar.SetMarcada(a.IniciarAlEntrar);
  chkPrediccion.SetMarcada(a.Prediccion);
  chkPulsacionLargaElige.SetMarcada(a.PulsacionLargaElige);
  chkAprenderPalabras.SetMarcada(a.AprenderPalabras);
}

void frmAyudas::cmdAceptar_Click() {
  if (ayudas_) {
    Ayudas& a = *ayudas_;
    a.MostrarCodigo = chkMostrarCodigo.Marcada();
    a.TablaCodigos = chkTablaCodigos.Marcada();
    a.Tono = chkTono.Marcada();
    a.AvisosSonoros = chkAvisosSonoros.Marcada();
    LeerValor(cboFrecuencia, frecuencias_, a.FrecuenciaTono);
    LeerValor(cboVolumen, volumenes_, a.VolumenTono);
    a.SeguirRitmo = chkSeguirRitmo.Marcada();
    a.LetrasAntes = chkLetrasAntes.Marcada();
    a.Practica = chkPractica.Marcada();
    a.IniciarAlEntrar = chkIniciarAlEntrar.Marcada();
    if (olvidarRitmo_) a.RitmoPunto = a.RitmoRaya = a.RitmoHueco = 0;
    a.Prediccion = chkPrediccion.Marcada();
    a.PulsacionLargaElige = chkPulsacionLargaElige.Marcada();
    a.AprenderPalabras = chkAprenderPalabras.Marcada();
    // A request already in the copy (pressed at an earlier opening, OK
    // given) stays until the main window has forgotten the words.
    if (olvidarPalabras_) a.OlvidarPalabras = true;
  }
  Descargar();
}

}  // namespace kelu
