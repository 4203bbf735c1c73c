#include "config/utilidades.h"

namespace kelu {

void SeleccionarEnLista(Combo& lista, const std::string& texto) {
  if (const int i = lista.Buscar(texto); i != -1) lista.SetSeleccion(i);
}

std::string NombreDeArchivo(const std::string& ruta) {
  const size_t barra = ruta.rfind('\\');
  return barra == std::string::npos ? ruta : ruta.substr(barra + 1);
}

std::string QuitarExtension(const std::string& nombre) { return nombre.substr(0, nombre.find('.')); }

}  // namespace kelu
