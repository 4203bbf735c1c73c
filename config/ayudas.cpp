#include "config/ayudas.h"

#include <optional>
#include <string_view>

#include "platform/ascii.h"

namespace kelu {
namespace {

// Every key of the file in the order a new file lists them; a later setting
// is one more line here. Booleans are 0 or 1.
struct Campo {
  const char* clave;
  bool Ayudas::*booleano = nullptr;
  int Ayudas::*entero = nullptr;
  int minimo = 0, maximo = 1;
};

const std::vector<Campo>& Campos() {
  using A = Ayudas;
  static const std::vector<Campo> campos = {
      {"MostrarCodigo", &A::MostrarCodigo},
      {"TablaCodigos", &A::TablaCodigos},
      {"Tono", &A::Tono},
      {"AvisosSonoros", &A::AvisosSonoros},
      {"FrecuenciaTono", nullptr, &A::FrecuenciaTono, kFrecuenciaMinima, kFrecuenciaMaxima},
      {"VolumenTono", nullptr, &A::VolumenTono, 0, 100},
      {"SeguirRitmo", &A::SeguirRitmo},
      {"LetrasAntes", &A::LetrasAntes},
      {"Practica", &A::Practica},
      {"RitmoPunto", nullptr, &A::RitmoPunto, 0, 30000},
      {"RitmoRaya", nullptr, &A::RitmoRaya, 0, 30000},
      {"RitmoHueco", nullptr, &A::RitmoHueco, 0, 30000},
      {"TeclaPulsador", nullptr, &A::TeclaPulsador, 0, 254},
      {"TeclaRaya", nullptr, &A::TeclaRaya, 0, 254},
      {"MantenerDestino", &A::MantenerDestino},
      {"PulsacionMinima", nullptr, &A::PulsacionMinima, 0, 1000},
      {"EsperaTrasSoltar", nullptr, &A::EsperaTrasSoltar, 0, 3000},
      {"PausaPorPulsacion", nullptr, &A::PausaPorPulsacion, 0, 30000},
      {"RepeticionMs", nullptr, &A::RepeticionMs, 30, 5000},
      {"Prediccion", &A::Prediccion},
      {"AprenderPalabras", &A::AprenderPalabras},
      {"PulsacionLargaElige", &A::PulsacionLargaElige},
  };
  return campos;
}

std::string_view SinBlancos(std::string_view t) {
  while (!t.empty() && (t.front() == ' ' || t.front() == '\t')) t.remove_prefix(1);
  while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) t.remove_suffix(1);
  return t;
}

// The field a line sets, with its value text; none for a line KELU does not know.
std::optional<std::pair<const Campo*, std::string_view>> Interpretar(std::string_view linea) {
  const size_t igual = linea.find('=');
  if (igual == std::string_view::npos) return std::nullopt;
  const std::string_view clave = SinBlancos(linea.substr(0, igual));
  for (const Campo& campo : Campos())
    if (IgualesSinMayusculas(clave, campo.clave)) return std::pair{&campo, SinBlancos(linea.substr(igual + 1))};
  return std::nullopt;
}

// Whole decimal digits within the field's range; anything else is no value.
std::optional<int> Valor(const Campo& campo, std::string_view texto) {
  if (texto.empty() || texto.size() > 6) return std::nullopt;
  int n = 0;
  for (char c : texto) {
    if (c < '0' || c > '9') return std::nullopt;
    n = n * 10 + (c - '0');
  }
  if (n < campo.minimo || n > campo.maximo) return std::nullopt;
  return n;
}

// A value that is not one gives the field its default.
void Asignar(Ayudas& a, const Campo& campo, std::optional<int> valor) {
  static const Ayudas predeterminadas;
  if (campo.booleano) a.*campo.booleano = valor ? *valor != 0 : predeterminadas.*campo.booleano;
  else a.*campo.entero = valor.value_or(predeterminadas.*campo.entero);
}

std::string Linea(const Ayudas& a, const Campo& campo) {
  const int valor = campo.booleano ? (a.*campo.booleano ? 1 : 0) : a.*campo.entero;
  return std::string(campo.clave) + "=" + std::to_string(valor);
}

std::vector<std::string> Lineas(std::string_view texto) {
  std::vector<std::string> lineas;
  size_t inicio = 0;
  while (inicio < texto.size()) {
    size_t fin = texto.find_first_of("\r\n", inicio);
    if (fin == std::string_view::npos) fin = texto.size();
    lineas.emplace_back(texto.substr(inicio, fin - inicio));
    if (fin < texto.size() && texto[fin] == '\r' && fin + 1 < texto.size() && texto[fin + 1] == '\n') ++fin;
    inicio = fin + 1;
  }
  return lineas;
}

}  // namespace

LecturaConfiguracion CargarAyudas(Ayudas& a, std::vector<std::string>& lineas, const Archivos& archivos,
                                  const std::string& carpeta) {
  a = Ayudas{};
  lineas.clear();
  const std::string ruta = UnirRuta(carpeta, kArchivoAyudas);
  const std::optional<std::string> bytes = archivos.Leer(ruta);
  if (!bytes) return archivos.Existe(ruta) ? LecturaConfiguracion::Ilegible : LecturaConfiguracion::Predeterminada;
  const TextoDeArchivo archivo = DecodificacionDe(*bytes);
  lineas = Lineas(archivo.ansi ? AnsiAUtf8(archivo.texto) : std::string(archivo.texto));
  // A key given twice: the last line counts, as a person reading down the
  // file would expect.
  for (const std::string& linea : lineas)
    if (auto campo = Interpretar(linea)) Asignar(a, *campo->first, Valor(*campo->first, campo->second));
  return LecturaConfiguracion::Leida;
}

std::string TextoAyudas(const Ayudas& a, const std::vector<std::string>& lineas) {
  std::string texto(kMarcaUtf8);
  auto escribir = [&](std::string_view linea) {
    texto += linea;
    texto += "\r\n";
  };
  // Each key goes where its first line stood; a second line of it would
  // contradict the value written.
  std::vector<bool> escrito(Campos().size(), false);
  for (const std::string& linea : lineas) {
    auto campo = Interpretar(linea);
    if (!campo) {
      escribir(linea);
      continue;
    }
    const size_t i = static_cast<size_t>(campo->first - Campos().data());
    if (!escrito[i]) escribir(Linea(a, *campo->first));
    escrito[i] = true;
  }
  for (size_t i = 0; i < Campos().size(); ++i)
    if (!escrito[i]) escribir(Linea(a, Campos()[i]));
  return texto;
}

bool GuardarAyudas(const Ayudas& a, const std::vector<std::string>& lineas, Archivos& archivos,
                   const std::string& carpeta) {
  return EscribirSinRiesgo(archivos, UnirRuta(carpeta, kArchivoAyudas), TextoAyudas(a, lineas));
}

}  // namespace kelu
