#include "tools/notepad/texto_editor.h"

namespace kelu::editor {

namespace {

bool EsBlanco(char c) { return c == ' ' || c == '\t'; }

std::string_view SinBlancos(std::string_view texto) {
  while (!texto.empty() && EsBlanco(texto.front())) texto.remove_prefix(1);
  while (!texto.empty() && EsBlanco(texto.back())) texto.remove_suffix(1);
  return texto;
}

}  // namespace

std::string ArchivoDeLineaDeOrdenes(std::string_view linea) {
  size_t i = 0;
  // The program name ends at its closing quote, or at the first blank.
  if (!linea.empty() && linea[0] == '"') {
    const size_t cierre = linea.find('"', 1);
    i = cierre == std::string_view::npos ? linea.size() : cierre + 1;
  } else {
    while (i < linea.size() && !EsBlanco(linea[i])) ++i;
  }
  std::string_view resto = SinBlancos(linea.substr(i));
  // File names cannot hold quotes, so a quote at either end only wraps it.
  if (!resto.empty() && resto.front() == '"') resto.remove_prefix(1);
  if (!resto.empty() && resto.back() == '"') resto.remove_suffix(1);
  return std::string(SinBlancos(resto));
}

std::string ConFinesCrLf(std::string_view texto) {
  std::string salida;
  salida.reserve(texto.size() + texto.size() / 32);
  for (size_t i = 0; i < texto.size(); ++i) {
    const char c = texto[i];
    if (c == '\r') {
      salida += "\r\n";
      if (i + 1 < texto.size() && texto[i + 1] == '\n') ++i;
    } else if (c == '\n') {
      salida += "\r\n";
    } else {
      salida += c;
    }
  }
  return salida;
}

std::string_view NombreDeArchivo(std::string_view ruta) {
  const size_t barra = ruta.find_last_of("\\/");
  return barra == std::string_view::npos ? ruta : ruta.substr(barra + 1);
}

std::string TituloDeVentana(std::string_view ruta) {
  const std::string_view nombre = NombreDeArchivo(ruta);
  return std::string(nombre.empty() ? "Sin título" : nombre) + " - Bloc de notas";
}

}  // namespace kelu::editor
