// The colours the forms are painted with, from the choice in
// platform/colores.h and the system's colours of the moment.
#include "platform/win32/interno_win32.h"

namespace kelu::win32 {

namespace {

int Indice(ColorSistema color) {
  switch (color) {
    case ColorSistema::Ventana: return COLOR_WINDOW;
    case ColorSistema::TextoGris: return COLOR_GRAYTEXT;
    case ColorSistema::CaraBoton: return COLOR_BTNFACE;
    case ColorSistema::TextoBoton: return COLOR_BTNTEXT;
    case ColorSistema::Sombra: return COLOR_BTNSHADOW;
    case ColorSistema::Resaltado: return COLOR_HIGHLIGHT;
    case ColorSistema::TextoResaltado: return COLOR_HIGHLIGHTTEXT;
    default: return COLOR_WINDOWTEXT;
  }
}

}  // namespace

// https://learn.microsoft.com/windows/win32/api/winuser/ns-winuser-highcontrastw
bool AltoContrasteActivo() {
  HIGHCONTRASTW hc{};
  hc.cbSize = sizeof hc;
  return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof hc, &hc, 0) && (hc.dwFlags & HCF_HIGHCONTRASTON);
}

COLORREF ColorDe(ColorSistema color) {
  return color == ColorSistema::Blanco ? RGB(255, 255, 255) : GetSysColor(Indice(color));
}

// The system's brushes follow its colours by themselves and are never deleted.
HBRUSH PincelDe(ColorSistema color) {
  return color == ColorSistema::Blanco ? static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))
                                       : GetSysColorBrush(Indice(color));
}

}  // namespace kelu::win32
