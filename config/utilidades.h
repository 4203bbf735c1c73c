// Small file-name and list helpers of the options dialog.
#pragma once
#include <string>

#include "platform/toolkit.h"

namespace kelu {

// Selects the last entry equal to `texto` (whole text, case-sensitive); with
// none equal the selection stays.
void SeleccionarEnLista(Combo& lista, const std::string& texto);

// The text after the last "\"; the whole path when it has none.
std::string NombreDeArchivo(const std::string& ruta);

// The text before the first ".": "mi.codigo.kel" gives "mi".
std::string QuitarExtension(const std::string& nombre);

}  // namespace kelu
