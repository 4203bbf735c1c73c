// What the drawings of the pad and of calibration share: the width of a line
// of text as the backend measures it, and sizes rounded to whole twips.
#pragma once
#include <cmath>
#include <functional>
#include <string>

#include "platform/toolkit.h"

namespace kelu {

// The width, in twips, of a line of text in a font.
using MedidaTexto = std::function<int(const std::string& texto, const Fuente& fuente)>;

// A scaled size to the nearest whole twip.
inline int Redondo(double v) { return static_cast<int>(std::lround(v)); }

}  // namespace kelu
