// The program's entry: each backend's main (WinMain) builds the toolkit and
// calls it; start-up defines it. The platform names it so that it need not
// see what lies above it.
#pragma once
#include "platform/archivos.h"
#include "platform/escritorio.h"
#include "platform/toolkit.h"

namespace kelu {

// Runs KELU until its main window has been closed; returns the exit code:
// 0, or kSinVentana when the system would not create the splash or the
// main window. KELU then ends at once rather than run on unseen, where
// nobody could reach it or close it.
constexpr int kSinVentana = 3;
int EjecutarKelu(Toolkit& toolkit, Escritorio& escritorio, Archivos& archivos);

}  // namespace kelu
