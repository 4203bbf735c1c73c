// The desktop beyond KELU's own windows: other programs' windows, keystrokes
// into them, starting programs and opening documents. Its services come by
// role; Escritorio is all of them, as one backend gives them.
#pragma once
#include "platform/servicio_escritorio.h"
#include "platform/servicio_programas.h"
#include "platform/servicio_tecleo.h"
#include "platform/toolkit.h"

namespace kelu {

class Escritorio : public ServicioEscritorio, public ServicioTecleo, public ServicioProgramas {
 public:
  ~Escritorio() override = default;
};

}  // namespace kelu
