#include "config/idioma.h"

#include "platform/lector_campos.h"

namespace kelu {

void CargarIdioma(TextosIdioma& textos, const Archivos& archivos, const std::string& ruta) {
  std::optional<std::string> bytes = archivos.Leer(ruta);
  if (!bytes) return;
  LectorCampos lector = LectorCampos::DeArchivo(*bytes);
  for (int n = 1; n <= TextosIdioma::kEntradas; ++n) {
    std::optional<std::string> item = lector.Siguiente();
    if (!item) break;
    textos.SetEntrada(n, std::move(*item));
  }
}

}  // namespace kelu
