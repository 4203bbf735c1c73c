#include "startup/inicio.h"

#include "config/frm_opciones.h"
#include "platform/paso.h"
#include "startup/frm_inicio.h"
#include "startup/programa.h"
#include "window/frm_kelu.h"

namespace kelu {

int EjecutarKelu(Toolkit& toolkit, Escritorio& escritorio, Archivos& archivos) {
  Programa programa(toolkit, escritorio, archivos);
  frmInicio inicio(programa);
  frmKelu principal(programa);
  frmOpciones opciones(programa, principal);  // lives for the whole run
  bool terminado = false;
  // A session end saves what the person set, as closing does, but asks
  // nothing; during the splash there is nothing to save yet.
  toolkit.FinDeSesion = [&] {
    if (principal.Cargada()) principal.GuardarConfiguracionAlSalir();
  };
  inicio.MostrarPrincipal = [&] {
    principal.Mostrar();
    terminado = true;
  };
  inicio.Mostrar();
  // Until the splash hands over; the main window then pumps its own events
  // inside that hand-over, and this loop ends when it returns.
  while (!terminado) {
    toolkit.EsperarMensaje();
    toolkit.ProcesarEventos();
  }
  return 0;
}

}  // namespace kelu
