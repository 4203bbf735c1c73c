#include "startup/inicio.h"

#include "config/frm_ayudas.h"
#include "config/frm_calibracion.h"
#include "config/frm_opciones.h"
#include "config/frm_pulsador.h"
#include "startup/frm_inicio.h"
#include "startup/programa.h"
#include "window/frm_kelu.h"

namespace kelu {

void ConectarFormularios(frmKelu& principal, frmOpciones& opciones) {
  principal.AbrirOpciones = [&opciones] { opciones.Abrir(); };
  opciones.PausarTecleo = [&principal] { principal.PausarTecleo(); };
  opciones.ReanudarTecleo = [&principal] { principal.ReanudarTecleo(); };
  opciones.AplicarIntervalos = [&principal] { principal.motor.AplicarIntervalos(); };
  opciones.AplicarOpciones = [&principal] { principal.AplicarOpciones(); };
  opciones.RestaurarEncima = [&principal] { principal.RestaurarEncima(); };
}

void ConectarAyudas(frmOpciones& opciones, frmAyudas& ayudas) {
  opciones.AbrirAyudas = [&ayudas](Ayudas& copia) { ayudas.Abrir(copia); };
}

void ConectarPulsador(frmAyudas& ayudas, frmPulsador& pulsador) {
  ayudas.AbrirPulsador = [&pulsador](Ayudas& copia) { pulsador.Abrir(copia); };
}

// A pace learned before the calibration is forgotten as "back to my
// settings" forgets it, so that following the pace starts from the new one.
void ConectarCalibracion(frmOpciones& opciones, frmAyudas& ayudas, frmCalibracion& calibracion) {
  ayudas.Calibrar = [&calibracion] { calibracion.Abrir(); };
  calibracion.Aceptar = [&opciones, &ayudas](const PropuestaCalibracion& p) {
    opciones.campos.TomarPropuesta(p);
    if (ayudas.cmdVolverTiempos.Click) ayudas.cmdVolverTiempos.Click();
  };
}

void EsperarTeclaRapida(ServicioBucle& bucle, frmKelu& principal, const std::function<bool()>& abierto) {
  while (abierto()) {
    bucle.EsperarMensaje();
    if (bucle.TomarTeclaRapida(principal)) principal.TeclaRapida_Pulsada();
    bucle.ProcesarEventos();
  }
}

int EjecutarKelu(Toolkit& toolkit, Escritorio& escritorio, Archivos& archivos) {
  // One KELU per session: two would hook the same switch (the newer
  // swallowing it from the older), fight over Ctrl+I and both save
  // kelu.ini. A later start, by the person or by Windows after an update
  // restart while KELU also starts at sign-in, brings the first forward and
  // ends here, having read and written nothing.
  if (!toolkit.PrimeraCopia()) return 0;
  Programa programa(toolkit, escritorio, archivos);
  frmInicio inicio(programa);
  frmKelu principal(programa);
  frmOpciones opciones(programa);  // lives for the whole run
  frmAyudas ayudas(programa);
  frmCalibracion calibracion(programa);
  frmPulsador pulsador(programa);
  ConectarFormularios(principal, opciones);
  ConectarAyudas(opciones, ayudas);
  ConectarPulsador(ayudas, pulsador);
  ConectarCalibracion(opciones, ayudas, calibracion);
  // A session end saves what the person set, as closing does, but asks
  // nothing; during the splash there is nothing to save yet.
  toolkit.FinDeSesion = [&] {
    if (principal.Cargada()) (void)principal.GuardarConfiguracionAlSalir();
  };
  // Still in its splash, the first copy shows its main window by itself.
  toolkit.OtraCopia = [&] {
    if (principal.Cargada()) principal.TeclaRapida_Pulsada();
  };
  struct OlvidarAlSalir {  // the forms go when this returns; the toolkit stays
    Toolkit& toolkit;
    ~OlvidarAlSalir() { toolkit.OtraCopia = nullptr; }
  } olvidar{toolkit};
  bool conVentana = true;
  // The main window's load shows it; false when the system made no window.
  inicio.MostrarPrincipal = [&] { conVentana = principal.Cargar(); };
  if (!inicio.Mostrar()) return kSinVentana;
  // The splash's two seconds, then the main window's life, until it unloads.
  EsperarTeclaRapida(toolkit, principal, [&] { return inicio.Cargada() || principal.Cargada(); });
  return conVentana ? 0 : kSinVentana;
}

}  // namespace kelu
