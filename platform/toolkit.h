// The small window toolkit the forms are written against. Windows, controls
// and timers are plain objects that hold their own state; a backend (Win32,
// or the in-memory one of the tests) mirrors that state on screen and turns
// what the user does into their events. Its services come by role, each in
// its own header; Toolkit is all of them, as one backend gives them.
#pragma once
#include "platform/control.h"
#include "platform/controles.h"
#include "platform/servicio_bucle.h"
#include "platform/servicio_dialogos.h"
#include "platform/servicio_pulsador.h"
#include "platform/servicio_reloj.h"
#include "platform/servicio_sonido.h"
#include "platform/servicio_ventanas.h"
#include "platform/temporizador.h"
#include "platform/ventana.h"

namespace kelu {

class Toolkit : public ServicioVentanas,
                public ServicioBucle,
                public ServicioReloj,
                public ServicioDialogos,
                public ServicioSonido,
                public ServicioPulsador {
 public:
  ~Toolkit() override = default;
};

}  // namespace kelu
