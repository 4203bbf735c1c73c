#include "config/utilidades.h"

#include <algorithm>

namespace kelu {

void SeleccionarEnLista(Combo& lista, const std::string& texto) {
  if (const int i = lista.Buscar(texto); i != -1) lista.SetSeleccion(i);
}

void LlenarValores(Combo& lista, std::vector<int>& valores, std::vector<int> opciones, int actual,
                   const char* unidad, int divisor, const std::string& desactivado) {
  if (std::find(opciones.begin(), opciones.end(), actual) == opciones.end()) {
    opciones.push_back(actual);
    std::sort(opciones.begin(), opciones.end());
  }
  valores = opciones;
  lista.Limpiar();
  for (int v : valores) {
    if (v == 0 && !desactivado.empty()) lista.Agregar(desactivado);
    else if (v % divisor == 0) lista.Agregar(std::to_string(v / divisor) + unidad);
    else lista.Agregar(std::to_string(v) + " ms");
  }
  lista.SetSeleccion(static_cast<int>(std::find(valores.begin(), valores.end(), actual) - valores.begin()));
}

void LeerValor(const Combo& lista, const std::vector<int>& valores, int& destino) {
  const int i = lista.Seleccion();
  if (i >= 0 && i < static_cast<int>(valores.size())) destino = valores[static_cast<size_t>(i)];
}

std::string NombreDeArchivo(const std::string& ruta) {
  const size_t barra = ruta.rfind('\\');
  return barra == std::string::npos ? ruta : ruta.substr(barra + 1);
}

std::string QuitarExtension(const std::string& nombre) { return nombre.substr(0, nombre.find('.')); }

}  // namespace kelu
