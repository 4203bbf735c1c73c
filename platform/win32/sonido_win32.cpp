// Sound through the waveform-audio device.
#include "platform/win32/interno_win32.h"
#include "platform/win32/toolkit_win32.h"

namespace kelu {

void ToolkitWin32::Tono(bool, int, int) {}
void ToolkitWin32::SonarAviso(AvisoSonoro, int) {}

}  // namespace kelu
