// The program's start: the program state, the forms, the wiring between
// them, and the one message loop. EjecutarKelu (platform/principal.h) is
// defined here.
#pragma once
#include <functional>

#include "platform/principal.h"

namespace kelu {

class frmKelu;
class frmOpciones;
class frmAyudas;
class frmCalibracion;
class frmPulsador;

// The main window's Opciones button opens the dialog; the dialog pauses and
// resumes keying and puts its settings into force on the main window.
// Both forms must outlive the wiring.
void ConectarFormularios(frmKelu& principal, frmOpciones& opciones);
// The options dialog's Ayudas button opens the aids dialog on its working
// copy of the aids.
void ConectarAyudas(frmOpciones& opciones, frmAyudas& ayudas);
// Its Pulsador button opens the switch dialog on that same copy.
void ConectarPulsador(frmAyudas& ayudas, frmPulsador& pulsador);
// The aids dialog's Calibrar button opens the calibration, whose Accept
// puts its proposal into the options dialog's timing boxes and forgets the
// pace learned so far.
void ConectarCalibracion(frmOpciones& opciones, frmAyudas& ayudas, frmCalibracion& calibracion);

// The program's one message loop, turn after turn while `abierto` says so:
// wait for a message; a Ctrl+I waiting for the main window goes to it; then
// run every pending event. Every handler of the program (timers, clicks,
// the modal dialogs and boxes) runs inside that last step, one at a time,
// on this one thread. `abierto` is asked before each turn, so the turn that
// unloads the last window is the last one, with no wait for another message.
void EsperarTeclaRapida(ServicioBucle& bucle, frmKelu& principal, const std::function<bool()>& abierto);

}  // namespace kelu
