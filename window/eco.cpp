#include "window/eco.h"

namespace kelu {

std::string TextoEco(const TextosIdioma& idioma, const TablaCodigo& tabla, const std::string& codigo, bool conTexto) {
  std::string eco = idioma.Entrada(IdTexto::EcoTitulo) + codigo + idioma.Entrada(IdTexto::EcoIgual);
  if (conTexto) eco += TextoDeCodigo(tabla, codigo);
  return eco;
}

}  // namespace kelu
