#include "keying/prediccion.h"

#include <algorithm>
#include <charconv>

#include "platform/utf8.h"

namespace kelu {
namespace {

constexpr uint8_t kVkRetroceso = 0x08;       // Backspace
constexpr int kCosteLetraDesconocida = 14;  // as a long four-symbol letter
constexpr int64_t kCuentaMax = int64_t{1} << 40;

bool EsLetra(char32_t c) {
  return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z') ||
         (c >= 0xC0 && c <= 0x24F && c != 0xD7 && c != 0xF7);
}
bool EsDigito(char32_t c) { return c >= U'0' && c <= U'9'; }

char32_t Minuscula(char32_t c) {
  if (c >= U'A' && c <= U'Z') return c + 32;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
  return c;
}

// The characters of `t`, each as its UTF-8 text; nullopt when `t` is not UTF-8.
std::optional<std::vector<char32_t>> Caracteres(std::string_view t) {
  std::vector<char32_t> salida;
  for (size_t pos = 0; pos < t.size();) {
    const auto c = DecodificarUtf8(t, pos);
    if (!c) return std::nullopt;
    salida.push_back(*c);
  }
  return salida;
}

bool EsPalabra(std::string_view t) {
  const auto cs = Caracteres(t);
  return cs && !cs->empty() && std::all_of(cs->begin(), cs->end(), EsLetra);
}

std::optional<int64_t> Cuenta(std::string_view t) {
  int64_t n = 0;
  const auto [fin, error] = std::from_chars(t.data(), t.data() + t.size(), n);
  if (error != std::errc() || fin != t.data() + t.size() || n < 0 || n > kCuentaMax) return std::nullopt;
  return n;
}

std::vector<std::string_view> Campos(std::string_view linea) {
  std::vector<std::string_view> campos;
  size_t i = 0;
  while (i < linea.size()) {
    while (i < linea.size() && (linea[i] == ' ' || linea[i] == '\t')) ++i;
    const size_t inicio = i;
    while (i < linea.size() && linea[i] != ' ' && linea[i] != '\t') ++i;
    if (i > inicio) campos.push_back(linea.substr(inicio, i - inicio));
  }
  return campos;
}

size_t Longitud(std::string_view t) {
  size_t n = 0;
  for (char c : t) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return n;
}

}  // namespace

int UnidadesDeCodigo(std::string_view codigo) {
  if (codigo.empty()) return 0;
  int unidades = static_cast<int>(codigo.size()) - 1 + 3;  // the gaps
  for (char c : codigo) unidades += c == '-' ? 3 : 1;
  return unidades;
}

CostesLetras::CostesLetras(const TablaCodigo& tabla) {
  for (const EntradaCodigo& e : tabla.entradas) {
    if (e.Secuencia.empty()) continue;
    const int coste = UnidadesDeCodigo(e.Secuencia);
    if (e.Texto == "{ESPACIO}" || e.Texto == " ") {
      espacio = std::min(espacio, coste);
      continue;
    }
    const auto cs = Caracteres(e.Texto);
    if (!cs || cs->size() != 1 || !EsLetra((*cs)[0])) continue;
    const std::string letra = Minusculas(e.Texto);
    const auto [it, nueva] = costes_.emplace(letra, coste);
    if (!nueva) it->second = std::min(it->second, coste);
  }
}

int CostesLetras::Letra(std::string_view letra) const {
  const auto it = costes_.find(std::string(letra));
  return it == costes_.end() ? kCosteLetraDesconocida : it->second;
}

int CostesLetras::Texto(std::string_view texto) const {
  int total = 0;
  for (size_t pos = 0; pos < texto.size();) {
    const size_t inicio = pos;
    if (!DecodificarUtf8(texto, pos)) break;
    total += Letra(texto.substr(inicio, pos - inicio));
  }
  return total;
}

std::string Minusculas(std::string_view palabra) {
  std::string salida;
  for (size_t pos = 0; pos < palabra.size();) {
    const auto c = DecodificarUtf8(palabra, pos);
    if (!c) break;
    CodificarUtf8(Minuscula(*c), salida);
  }
  return salida;
}

ListaPalabras LeerListaPalabras(std::string_view texto) {
  if (texto.substr(0, kMarcaUtf8.size()) == kMarcaUtf8) texto.remove_prefix(kMarcaUtf8.size());
  ListaPalabras lista;
  bool enPares = false;
  while (!texto.empty()) {
    const size_t fin = std::min(texto.find('\n'), texto.size());
    std::string_view linea = texto.substr(0, fin);
    texto.remove_prefix(std::min(fin + 1, texto.size()));
    if (!linea.empty() && linea.back() == '\r') linea.remove_suffix(1);
    if (linea.empty() || linea[0] == '#') continue;
    if (linea == "--") {
      enPares = true;
      continue;
    }
    const auto campos = Campos(linea);
    if (!enPares && campos.size() == 2 && EsPalabra(campos[0])) {
      if (const auto n = Cuenta(campos[1])) lista.palabras.push_back({Minusculas(campos[0]), *n, 0});
    } else if (enPares && campos.size() == 3 && EsPalabra(campos[0]) && EsPalabra(campos[1])) {
      if (const auto n = Cuenta(campos[2])) {
        int64_t& cuenta = lista.pares[Minusculas(campos[0])][Minusculas(campos[1])];
        cuenta = std::min(cuenta + *n, kCuentaMax);
      }
    }
  }
  std::sort(lista.palabras.begin(), lista.palabras.end(),
            [](const Palabra& a, const Palabra& b) { return a.texto < b.texto; });
  // A word listed twice counts once, with both counts.
  std::vector<Palabra> unicas;
  for (Palabra& p : lista.palabras) {
    if (!unicas.empty() && unicas.back().texto == p.texto)
      unicas.back().frecuencia = std::min(unicas.back().frecuencia + p.frecuencia, kCuentaMax);
    else
      unicas.push_back(std::move(p));
  }
  lista.palabras = std::move(unicas);
  return lista;
}

Prediccion::Prediccion(ListaPalabras lista, CostesLetras costes) : lista_(std::move(lista)), costes_(std::move(costes)) {
  int64_t total = 0;
  for (const Palabra& p : lista_.palabras) total = std::min(total + p.frecuencia, kCuentaMax);
  // One use of the person's own word weighs as a word of a thousandth of
  // everything the list counts, so their vocabulary soon comes first.
  pesoAprendida_ = std::max<int64_t>(1, total / 1000);
  for (Palabra& p : lista_.palabras) p.unidades = costes_.Texto(p.texto);
  std::vector<const Palabra*> orden;
  for (const Palabra& p : lista_.palabras) orden.push_back(&p);
  const size_t n = std::min<size_t>(orden.size(), 64);
  std::partial_sort(orden.begin(), orden.begin() + n, orden.end(), [&](const Palabra* a, const Palabra* b) {
    return a->frecuencia * (a->unidades + costes_.espacio) > b->frecuencia * (b->unidades + costes_.espacio);
  });
  for (size_t i = 0; i < n; ++i) frecuentes_.push_back(orden[i]->texto);
}

Palabra* Prediccion::Buscar(const std::string& palabra) {
  auto it = std::lower_bound(lista_.palabras.begin(), lista_.palabras.end(), palabra,
                             [](const Palabra& p, const std::string& t) { return p.texto < t; });
  return it != lista_.palabras.end() && it->texto == palabra ? &*it : nullptr;
}

void Prediccion::Aprender(const std::string& palabra, int64_t cuanto) {
  Palabra* p = Buscar(palabra);
  if (!p && cuanto > 0) {
    auto it = std::lower_bound(lista_.palabras.begin(), lista_.palabras.end(), palabra,
                               [](const Palabra& q, const std::string& t) { return q.texto < t; });
    p = &*lista_.palabras.insert(it, Palabra{palabra, 0, 0, costes_.Texto(palabra)});
  }
  if (p) p->aprendida = std::clamp<int64_t>(p->aprendida + cuanto, 0, kCuentaMax);
  if (!anterior_.empty()) {
    int64_t& par = paresAprendidos_[anterior_][palabra];
    par = std::clamp<int64_t>(par + cuanto, 0, kCuentaMax);
  }
}

void Prediccion::Terminar(bool aprendible) {
  const std::string palabra = Minusculas(actual_);
  if (aprendible && aprender && !conDigitos_ && Longitud(palabra) >= 3) Aprender(palabra, 1);
  anterior_ = aprendible && !conDigitos_ ? palabra : std::string();
  actual_.clear();
  conDigitos_ = false;
}

void Prediccion::Escrito(std::string_view texto) {
  aceptada_.clear();
  for (size_t pos = 0; pos < texto.size();) {
    const size_t inicio = pos;
    const auto c = DecodificarUtf8(texto, pos);
    if (!c) {
      NuevaPalabra();
      return;
    }
    if (EsLetra(*c) || EsDigito(*c)) {
      actual_.append(texto.substr(inicio, pos - inicio));
      conDigitos_ = conDigitos_ || EsDigito(*c);
    } else {
      Terminar(true);
    }
  }
}

void Prediccion::Retroceso() {
  aceptada_.clear();
  if (actual_.empty()) {
    anterior_.clear();  // into the earlier word: what it was is no longer known
    return;
  }
  size_t fin = actual_.size() - 1;
  while (fin > 0 && (static_cast<unsigned char>(actual_[fin]) & 0xC0) == 0x80) --fin;
  actual_.resize(fin);
}

void Prediccion::NuevaPalabra() {
  aceptada_.clear();
  actual_.clear();
  anterior_.clear();
  conDigitos_ = false;
}

void Prediccion::Tecleado(const std::vector<EventoTecla>& eventos) {
  int otrosModificadores = 0;  // Ctrl or Alt down: a shortcut, not text
  for (const EventoTecla& e : eventos) {
    if (e.tipo == TipoEvento::BajarModificador || e.tipo == TipoEvento::SubirModificador) {
      if (e.vk != kVkShift) otrosModificadores += e.tipo == TipoEvento::BajarModificador ? 1 : -1;
      continue;
    }
    if (e.tipo == TipoEvento::Caracter && otrosModificadores <= 0) {
      std::string letra;  // with Shift alone, still a character of the word
      CodificarUtf8(e.caracter, letra);
      Escrito(letra);
    } else if (e.conModificador) {
      NuevaPalabra();
    } else if (e.vk == kVkRetroceso) {
      Retroceso();
    } else if (e.vk == kVkEnter || e.vk == kVkTab || e.vk == kVkEspacio) {
      Escrito(" ");
    } else {
      NuevaPalabra();
    }
  }
}

std::vector<Sugerencia> Prediccion::Sugerencias() const {
  struct Candidata {
    const std::string* palabra;
    int coste;  // of keying the rest and the space
    double valor;
  };
  std::vector<Candidata> mejores;
  auto Considerar = [&](const std::string& palabra, int64_t peso, int coste) {
    const double valor = static_cast<double>(peso) * (coste - costeElegir[0]);
    if (peso <= 0 || coste <= costeElegir[0]) return;
    auto it = std::find_if(mejores.begin(), mejores.end(), [&](const Candidata& c) { return valor > c.valor; });
    if (it == mejores.end() && mejores.size() >= kSugerenciasMax) return;
    mejores.insert(it, {&palabra, coste, valor});
    if (mejores.size() > kSugerenciasMax) mejores.pop_back();
  };
  const std::string prefijo = Minusculas(actual_);
  if (conDigitos_) return {};
  if (prefijo.empty()) {
    if (anterior_.empty()) return {};
    auto Pares = [&](const auto& pares, int64_t factor) {
      const auto it = pares.find(anterior_);
      if (it == pares.end()) return;
      for (const auto& [siguiente, n] : it->second) {
        // A pair both in the list and learned is counted at its learned weight below.
        if (factor == 1 && paresAprendidos_.count(anterior_) && paresAprendidos_.at(anterior_).count(siguiente) &&
            paresAprendidos_.at(anterior_).at(siguiente) > 0)
          continue;
        int64_t peso = n * factor;
        if (factor != 1)
          if (const auto l = lista_.pares.find(anterior_); l != lista_.pares.end())
            if (const auto m = l->second.find(siguiente); m != l->second.end()) peso += m->second;
        Considerar(siguiente, peso, costes_.Texto(siguiente) + costes_.espacio);
      }
    };
    Pares(lista_.pares, 1);
    Pares(paresAprendidos_, 20);
    if (mejores.empty())
      for (const std::string& f : frecuentes_)
        if (const Palabra* p = const_cast<Prediccion*>(this)->Buscar(f))
          Considerar(p->texto, p->frecuencia + p->aprendida * pesoAprendida_, p->unidades + costes_.espacio);
  } else {
    auto it = std::lower_bound(lista_.palabras.begin(), lista_.palabras.end(), prefijo,
                               [](const Palabra& p, const std::string& t) { return p.texto < t; });
    const int costePrefijo = costes_.Texto(prefijo);
    for (; it != lista_.palabras.end() && it->texto.compare(0, prefijo.size(), prefijo) == 0; ++it) {
      if (it->texto.size() == prefijo.size()) continue;
      const int64_t peso = it->frecuencia + it->aprendida * pesoAprendida_;
      Considerar(it->texto, peso, it->unidades - costePrefijo + costes_.espacio);
    }
  }
  std::vector<Sugerencia> salida;
  for (const Candidata& c : mejores) {
    const int ahorro = c.coste - costeElegir[salida.size()];
    if (ahorro <= 0) continue;
    salida.push_back({*c.palabra, c.palabra->substr(prefijo.size()) + " ", ahorro});
  }
  return salida;
}

std::optional<std::string> Prediccion::Elegir(int i) {
  const auto sugerencias = Sugerencias();
  if (i < 0 || i >= static_cast<int>(sugerencias.size())) return std::nullopt;
  const Sugerencia s = sugerencias[i];
  prefijoAceptada_ = actual_;
  anteriorAceptada_ = anterior_;
  actual_ = Minusculas(actual_) + s.resto.substr(0, s.resto.size() - 1);
  conDigitos_ = false;
  Terminar(true);
  aceptada_ = s.palabra;
  tecleadasAceptada_ = static_cast<int>(Longitud(s.resto));
  return s.resto;
}

int Prediccion::Deshacer() {
  if (aceptada_.empty()) return 0;
  // Learned as it was chosen, unless learning was off or it was too short.
  anterior_ = anteriorAceptada_;
  if (aprender && Longitud(aceptada_) >= 3) Aprender(aceptada_, -1);
  actual_ = prefijoAceptada_;
  aceptada_.clear();
  return tecleadasAceptada_;
}

}  // namespace kelu
