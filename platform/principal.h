// The program's entry: each backend's main (WinMain) builds the toolkit and
// calls it; start-up defines it. The platform names it so that it need not
// see what lies above it.
#pragma once
#include "platform/archivos.h"
#include "platform/escritorio.h"
#include "platform/toolkit.h"

namespace kelu {

// Runs KELU until its main window has been closed; returns the exit code.
int EjecutarKelu(Toolkit& toolkit, Escritorio& escritorio, Archivos& archivos);

}  // namespace kelu
