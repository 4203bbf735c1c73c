// The learning file: the words and pairs the person taught KELU, in the
// word lists' own format, the most used first.
#include <algorithm>
#include <tuple>

#include "keying/prediccion.h"

namespace kelu {

std::string Prediccion::TextoAprendidas() const {
  std::vector<const Palabra*> palabras;
  for (const Palabra& p : lista_.palabras)
    if (p.aprendida > 0) palabras.push_back(&p);
  std::stable_sort(palabras.begin(), palabras.end(),
                   [](const Palabra* a, const Palabra* b) { return a->aprendida > b->aprendida; });
  if (palabras.size() > kAprendidasMax) palabras.resize(kAprendidasMax);
  std::string texto;
  for (const Palabra* p : palabras) texto += p->texto + " " + std::to_string(p->aprendida) + "\n";
  struct Par {
    const std::string *a, *b;
    int64_t n;
  };
  std::vector<Par> pares;
  for (const auto& [a, siguientes] : paresAprendidos_)
    for (const auto& [b, n] : siguientes)
      if (n > 0) pares.push_back({&a, &b, n});
  std::sort(pares.begin(), pares.end(), [](const Par& x, const Par& y) {
    return x.n != y.n ? x.n > y.n : std::tie(*x.a, *x.b) < std::tie(*y.a, *y.b);
  });
  if (pares.size() > kAprendidasMax) pares.resize(kAprendidasMax);
  if (!pares.empty()) texto += "--\n";
  for (const Par& p : pares) texto += *p.a + " " + *p.b + " " + std::to_string(p.n) + "\n";
  return texto;
}

void Prediccion::CargarAprendidas(std::string_view texto) {
  ListaPalabras aprendidas = LeerListaPalabras(texto);
  std::vector<Palabra> unidas;
  unidas.reserve(lista_.palabras.size() + aprendidas.palabras.size());
  auto a = lista_.palabras.begin();
  auto b = aprendidas.palabras.begin();
  while (a != lista_.palabras.end() || b != aprendidas.palabras.end()) {
    if (b == aprendidas.palabras.end() || (a != lista_.palabras.end() && a->texto < b->texto)) {
      unidas.push_back(std::move(*a++));
    } else if (a == lista_.palabras.end() || b->texto < a->texto) {
      const int unidades = costes_.Texto(b->texto);
      unidas.push_back({std::move(b->texto), 0, b->frecuencia, unidades});
      ++b;
    } else {
      a->aprendida = b->frecuencia;
      unidas.push_back(std::move(*a++));
      ++b;
    }
  }
  lista_.palabras = std::move(unidas);
  paresAprendidos_ = std::move(aprendidas.pares);
}

void Prediccion::OlvidarAprendidas() {
  std::erase_if(lista_.palabras, [](const Palabra& p) { return p.frecuencia == 0; });
  for (Palabra& p : lista_.palabras) p.aprendida = 0;
  paresAprendidos_.clear();
  aceptada_.clear();
}

bool GuardarAprendidas(Archivos& archivos, const std::string& ruta, const Prediccion& p) {
  return EscribirSinRiesgo(archivos, ruta, p.TextoAprendidas());
}

}  // namespace kelu
