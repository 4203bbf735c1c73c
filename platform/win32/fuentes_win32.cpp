// Fonts by name, size and weight, one per DPI, made once and kept for the
// program's life: windows are laid out again with them at every DPI change.
#include <cmath>

#include "platform/win32/interno_win32.h"

namespace kelu::win32 {

Fuentes::~Fuentes() {
  for (auto& [clave, fuente] : cache_) DeleteObject(fuente);
}

HFONT Fuentes::Obtener(const Fuente& fuente, UINT dpi) {
  const auto clave = std::make_tuple(fuente.nombre, std::lround(fuente.puntos * 100), fuente.negrita, dpi);
  auto it = cache_.find(clave);
  if (it != cache_.end()) return it->second;
  HFONT creada = CreateFontW(AlturaFuente(fuente.puntos, dpi), 0, 0, 0, fuente.negrita ? FW_BOLD : FW_NORMAL, FALSE,
                             FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_DONTCARE, Ancho(fuente.nombre).c_str());
  if (!creada) creada = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  else cache_.emplace(clave, creada);
  return creada;
}

}  // namespace kelu::win32
