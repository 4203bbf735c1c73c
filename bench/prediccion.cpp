// Word prediction's cost and gain. A simulated person keys a text letter by
// letter and, after each look at the pad (a reaction of 300 to 600 ms),
// chooses a suggestion whenever the word they mean is shown. Reports Morse
// time units and presses per character against letters only, the person's
// characters per minute at three paces, and the time the suggestions take
// per letter.
//   bench_prediccion --texto FILE --idioma es|en [--aprender N]
// --aprender N: the first N words of the text are the person's own, learned
// first; the rest is measured.
#include <cctype>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "keying/prediccion.h"

using namespace kelu;

namespace {

struct Cuenta {
  int64_t unidades = 0, pulsaciones = 0, caracteres = 0, miradas = 0;
  int64_t reaccionMs = 0;
};

std::string Leer(const std::string& ruta) {
  std::ifstream f(ruta, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

// The characters of the text, each as its UTF-8 text.
std::vector<std::string> Caracteres(const std::string& t) {
  std::vector<std::string> cs;
  for (size_t i = 0; i < t.size();) {
    size_t n = 1;
    while (i + n < t.size() && (static_cast<unsigned char>(t[i + n]) & 0xC0) == 0x80) ++n;
    std::string c = t.substr(i, n);
    if (c == "\n" || c == "\r" || c == "\t") c = " ";
    if (!(c == " " && !cs.empty() && cs.back() == " ")) cs.push_back(c);
    i += n;
  }
  return cs;
}

// ASCII letters and the accented ones KELU types (two bytes from U+00C0).
bool EsLetra(const std::string& c) {
  const auto b = static_cast<unsigned char>(c[0]);
  return (b < 0x80 && std::isalpha(b)) || b == 0xC3;
}

// The presses a code takes: one a symbol.
int Pulsaciones(const TablaCodigo& tabla, const std::string& c) {
  for (const EntradaCodigo& e : tabla.entradas)
    if (e.Texto == c || (c == " " && e.Texto == "{ESPACIO}") || Minusculas(e.Texto) == c)
      return static_cast<int>(e.Secuencia.size());
  return 4;
}

Cuenta Simular(const std::vector<std::string>& texto, size_t desde, Prediccion* p, const TablaCodigo& tabla,
               const CostesLetras& costes, const std::array<int, kSugerenciasMax>& presionesElegir) {
  Cuenta c;
  uint32_t azar = 12345;
  auto Reaccion = [&] {
    azar = azar * 1103515245 + 12345;
    return 300 + static_cast<int>((azar >> 16) % 301);
  };
  size_t i = desde;
  while (i < texto.size()) {
    if (p) {
      // The word the person means from here: the letters up to the next non-letter.
      size_t fin = i;
      while (fin < texto.size() && EsLetra(texto[fin])) ++fin;
      std::string resto;
      for (size_t k = i; k < fin; ++k) resto += Minusculas(texto[k]);
      const auto sugerencias = p->Sugerencias();
      if (!sugerencias.empty()) {
        ++c.miradas;
        c.reaccionMs += Reaccion();
      }
      int elegida = -1;
      const std::string meta = resto + (fin < texto.size() && texto[fin] == " " ? " " : "#");
      for (int s = 0; s < static_cast<int>(sugerencias.size()); ++s)
        if (sugerencias[s].resto == meta) elegida = s;
      if (elegida >= 0) {
        (void)p->Elegir(elegida);
        c.unidades += p->costeElegir[elegida];
        c.pulsaciones += presionesElegir[elegida];
        c.caracteres += static_cast<int64_t>(fin + 1 - i);
        i = fin + 1;
        continue;
      }
      p->Escrito(texto[i]);
    }
    c.unidades += texto[i] == " " ? costes.espacio : costes.Texto(Minusculas(texto[i]));
    c.pulsaciones += Pulsaciones(tabla, texto[i]);
    ++c.caracteres;
    ++i;
  }
  return c;
}

void Informar(const char* nombre, const Cuenta& c, const Cuenta& base) {
  const double upc = static_cast<double>(c.unidades) / c.caracteres;
  const double base_upc = static_cast<double>(base.unidades) / base.caracteres;
  std::printf("%-28s units/char %5.2f (%+5.1f %%)  presses/char %4.2f  looks %lld", nombre, upc,
              100.0 * (upc - base_upc) / base_upc, static_cast<double>(c.pulsaciones) / c.caracteres,
              static_cast<long long>(c.miradas));
  for (int unidadMs : {120, 200, 300}) {
    const double ms = static_cast<double>(c.unidades) * unidadMs + c.reaccionMs;
    const double base_ms = static_cast<double>(base.unidades) * unidadMs;
    std::printf("  %dms: %5.1f cpm (x%.2f)", unidadMs, c.caracteres * 60000.0 / ms,
                (c.caracteres * 60000.0 / ms) / (base.caracteres * 60000.0 / base_ms));
  }
  std::printf("\n");
}

// The process's resident memory in KB (Linux), to show what the list takes.
long MemoriaKb() {
  std::ifstream f("/proc/self/status");
  for (std::string linea; std::getline(f, linea);)
    if (linea.rfind("VmRSS:", 0) == 0) return std::atol(linea.c_str() + 6);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::string ruta, idioma = "es";
  size_t aprender = 0;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (!std::strcmp(argv[i], "--texto")) ruta = argv[i + 1];
    if (!std::strcmp(argv[i], "--idioma")) idioma = argv[i + 1];
    if (!std::strcmp(argv[i], "--aprender")) aprender = std::stoul(argv[i + 1]);
  }
  if (ruta.empty()) {
    std::fprintf(stderr, "bench_prediccion --texto FILE --idioma es|en [--aprender N]\n");
    return 2;
  }
  TablaCodigo tabla;
  std::string codigo = "Morse ampliado";
  CargarCodigo(tabla, codigo, ArchivosDelSistema(), KELU_DATA_DIR);
  const CostesLetras costes(tabla);
  const std::string lista = Leer(std::string(KELU_DATA_DIR) + "/" + (idioma == "en" ? "English.pal" : "Español.pal"));
  const auto texto = Caracteres(Leer(ruta));

  // Where the measured part starts: after the first `aprender` words.
  size_t desde = 0;
  for (size_t palabras = 0; desde < texto.size() && palabras < aprender; ++desde)
    if (texto[desde] == " ") ++palabras;

  const long antes = MemoriaKb();
  const auto t0 = std::chrono::steady_clock::now();
  const ListaPalabras leida = LeerListaPalabras(lista);
  const Prediccion enMemoria(leida, costes);
  const auto t1 = std::chrono::steady_clock::now();
  std::printf("the list in memory: %ld KB\n", MemoriaKb() - antes);
  std::printf("%s: %zu characters measured, list of %zu words read in %.1f ms\n", ruta.c_str(), texto.size() - desde,
              leida.palabras.size(), std::chrono::duration<double, std::milli>(t1 - t0).count());

  const Cuenta base = Simular(texto, desde, nullptr, tabla, costes, {});
  Informar("letters only", base, base);
  struct Forma {
    const char* nombre;
    std::array<int, kSugerenciasMax> unidades, presiones;
  };
  // Codes: ...-. .--.. -.-.. ; the long press: held past the dash band
  // (115 ticks of a 25-tick dot: 5.6 units with a margin) and the letter gap.
  for (const Forma& f : {Forma{"codes ...-. .--.. -.-..", {14, 16, 16}, {5, 5, 5}},
                         Forma{"long press, ...-. .--..", {9, 14, 16}, {1, 5, 5}}}) {
    Prediccion p(leida, costes);
    p.costeElegir = f.unidades;
    if (desde > 0) {
      Prediccion previa = p;
      std::string propio;
      for (size_t k = 0; k < desde; ++k) propio += texto[k];
      previa.Escrito(propio + " ");
      p.CargarAprendidas(previa.TextoAprendidas());
    }
    Informar(f.nombre, Simular(texto, desde, &p, tabla, costes, f.presiones), base);
  }

  // The per-letter cost: the suggestions after every letter of the text.
  Prediccion p(leida, costes);
  int64_t letras = 0;
  double peor = 0;
  std::vector<double> tiempos;
  const auto inicio = std::chrono::steady_clock::now();
  for (const std::string& c : texto) {
    const auto a = std::chrono::steady_clock::now();
    p.Escrito(c);
    const auto s = p.Sugerencias();
    // The first call meets cold caches; the steady state is what a press meets.
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - a).count();
    if (letras > 0) peor = std::max(peor, ms);
    tiempos.push_back(ms);
    if (getenv("KELU_LENTAS") && ms > 1) std::printf("slow %.2f ms after [%s]\n", ms, p.PalabraEnCurso().c_str());
    ++letras;
  }
  const double total = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - inicio).count();
  std::sort(tiempos.begin(), tiempos.end());
  std::printf("suggestions per letter: mean %.3f ms, 99th percentile %.3f ms, worst %.3f ms (a shared machine)\n",
              total / letras, tiempos[tiempos.size() * 99 / 100], peor);
  return 0;
}
