#include "platform/archivos.h"

namespace kelu {

bool EscribirSinRiesgo(Archivos& archivos, const std::string& ruta, std::string_view bytes) {
  const std::string temporal = ruta + ".tmp";
  if (archivos.Escribir(temporal, bytes) && archivos.Reemplazar(temporal, ruta)) return true;
  archivos.Borrar(temporal);
  return false;
}

std::string BytesParaArchivo(std::string_view utf8) {
  if (std::optional<std::string> ansi = Utf8AAnsi(utf8)) return std::move(*ansi);
  return std::string(kMarcaUtf8) + std::string(utf8);
}

std::string UnirRuta(const std::string& carpeta, const std::string& nombre) {
  return carpeta + "\\" + nombre;
}

}  // namespace kelu
