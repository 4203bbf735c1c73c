// The program's start: settings, language, splash, then the main window.
#pragma once
#include "platform/archivos.h"
#include "platform/escritorio.h"
#include "platform/toolkit.h"

namespace kelu {

// Runs KELU until its main window has been closed; returns the exit code.
int EjecutarKelu(Toolkit& toolkit, Escritorio& escritorio, Archivos& archivos);

}  // namespace kelu
