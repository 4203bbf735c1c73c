// The echo of the keying in the main window's title, when the settings ask
// for it: the pending code and, once a release gives it, what it types.
#pragma once
#include <string>

#include "config/idioma.h"
#include "keying/tabla_codigo.h"

namespace kelu {

// "KELU - .- = a": entry EcoTitulo, the code, entry EcoIgual, and with
// `conTexto` the code's text in the table.
std::string TextoEco(const TextosIdioma& idioma, const TablaCodigo& tabla, const std::string& codigo, bool conTexto);

}  // namespace kelu
