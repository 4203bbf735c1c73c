// Small file-name and list helpers of the settings dialogs.
#pragma once
#include <string>
#include <vector>

#include "platform/toolkit.h"

namespace kelu {

// Selects the last entry equal to `texto` (whole text, case-sensitive); with
// none equal the selection stays.
void SeleccionarEnLista(Combo& lista, const std::string& texto);

// Fills a list of numbers, `actual` among them: a value written into the
// file by hand is offered too, so that OK does not lose it. Each shows as
// value/divisor and unidad ("3 s"), or in ms when it does not divide; 0
// shows as `desactivado` when that is given. `valores` keeps what each
// entry stands for.
void LlenarValores(Combo& lista, std::vector<int>& valores, std::vector<int> opciones, int actual,
                   const char* unidad, int divisor = 1, const std::string& desactivado = {});

// The value of the selected entry into `destino`; nothing selected leaves it.
void LeerValor(const Combo& lista, const std::vector<int>& valores, int& destino);

// The text after the last "\"; the whole path when it has none.
std::string NombreDeArchivo(const std::string& ruta);

// The text before the first ".": "mi.codigo.kel" gives "mi".
std::string QuitarExtension(const std::string& nombre);

}  // namespace kelu
