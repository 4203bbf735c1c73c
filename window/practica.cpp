#include "window/practica.h"

#include <algorithm>
#include <initializer_list>

#include "platform/ascii.h"
#include "platform/utf8.h"

namespace kelu {
namespace {


// The characters of a UTF-8 text, each as its own text; a byte that is
// not UTF-8 stands alone.
std::vector<std::string> Caracteres(const std::string& texto) {
  std::vector<std::string> caracteres;
  for (size_t i = 0; i < texto.size();) {
    const size_t desde = i;
    if (!DecodificarUtf8(texto, i)) i = desde + 1;
    caracteres.push_back(texto.substr(desde, i - desde));
  }
  return caracteres;
}

// The first entry of the table that types `letra`, as the lookup of a
// closed code finds it; an empty code when none does.
EntradaTablaPad EntradaDe(const TablaCodigo& tabla, const std::string& letra) {
  for (const EntradaCodigo& e : tabla.entradas)
    if (!e.Secuencia.empty() && IgualesSinMayusculas(e.Texto, letra) && TextoDeCodigo(tabla, e.Secuencia) == e.Texto)
      return {e.Secuencia, e.Texto};
  return {};
}

}  // namespace

Practica::Practica(Programa& programa, MotorPulsaciones& motor) : programa_(programa), motor_(motor) {}

bool Practica::TomarLetra(const std::string& codigo) {
  if (!EnPractica()) return false;
  if (codigo.empty()) return true;
  const bool bien = Comprobar(codigo);
  motor_.BorrarCodigo();
  if (Eco) Eco();
  if (LetraTerminada) LetraTerminada(bien ? AvisoSonoro::Letra : AvisoSonoro::Descartada);
  return true;
}

bool Practica::TomarHuecoDePalabra() {
  if (!EnPractica()) return false;
  motor_.EsperarPalabra(false);
  return true;
}

std::vector<EntradaTablaPad> Practica::Letras() const {
  std::vector<EntradaTablaPad> letras;
  for (const std::string& c : Caracteres(programa_.idioma.Entrada(IdTexto::LetrasFrecuentes))) {
    EntradaTablaPad e = EntradaDe(programa_.tabla, c);
    if (!e.codigo.empty() && std::find(letras.begin(), letras.end(), e) == letras.end()) letras.push_back(e);
  }
  return letras;
}

std::vector<std::vector<EntradaTablaPad>> Practica::Palabras() const {
  std::vector<std::vector<EntradaTablaPad>> palabras;
  const std::string& todas = programa_.idioma.Entrada(IdTexto::PracticaPalabras);
  for (size_t i = 0; i < todas.size();) {
    const size_t fin = std::min(todas.find(' ', i), todas.size());
    std::vector<EntradaTablaPad> palabra;
    for (const std::string& c : Caracteres(todas.substr(i, fin - i))) {
      palabra.push_back(EntradaDe(programa_.tabla, c));
      if (palabra.back().codigo.empty()) break;
    }
    if (!palabra.empty() && !palabra.back().codigo.empty()) palabras.push_back(std::move(palabra));
    i = fin + 1;
  }
  return palabras;
}

std::vector<EntradaTablaPad> Practica::Ejercicio(bool* enLetras) const {
  const std::vector<EntradaTablaPad> letras = Letras();
  if (enLetras) *enLetras = letra_ < letras.size();
  if (letra_ < letras.size()) return {letras[letra_]};
  const std::vector<std::vector<EntradaTablaPad>> palabras = Palabras();
  if (palabras.empty()) return {};
  return palabras[palabra_ % palabras.size()];
}

void Practica::Seguir(const EstadoMotor& motor) {
  if (!EnPractica()) {
    presionado_ = false;
    medidas_.clear();
    return;
  }
  const bool presionado = motor.presionado;
  const std::string& codigo = motor.codigo;
  if (presionado && !presionado_) {
    codigoAlBajar_ = codigo;
    if (cerrada_) {
      cerrada_ = false;
      resultado_.clear();
      medidas_.clear();
    }
  }
  if (!presionado && presionado_ && codigo.size() == codigoAlBajar_.size() + 1 && codigo.starts_with(codigoAlBajar_))
    medidas_.push_back({codigo.back(), motor.cuenta, motor.Umbral(codigo.back())});
  presionado_ = presionado;
}

bool Practica::Comprobar(const std::string& codigo) {
  bool enLetras = false;
  const std::vector<EntradaTablaPad> ejercicio = Ejercicio(&enLetras);
  if (ejercicio.empty()) return false;
  if (posicion_ >= ejercicio.size()) posicion_ = 0;  // the language or the table changed meanwhile
  const EntradaTablaPad& esperada = ejercicio[posicion_];
  const TextosIdioma& t = programa_.idioma;
  acierto_ = TextoDeCodigo(programa_.tabla, codigo) == esperada.texto;
  resultado_ = acierto_ ? t.Entrada(IdTexto::PracticaBien) : Sustituir(t.Entrada(IdTexto::PracticaEra), {esperada.texto});
  cerrada_ = true;
  if (!acierto_) {
    seguidas_ = 0;
    return false;
  }
  if (enLetras) {
    if (++seguidas_ >= kAciertosSeguidos) {
      seguidas_ = 0;
      ++letra_;
    }
  } else if (++posicion_ >= ejercicio.size()) {
    posicion_ = 0;
    ++palabra_;
  }
  return true;
}

LineaPractica Practica::Linea() const {
  const TextosIdioma& t = programa_.idioma;
  LineaPractica linea;
  const std::vector<EntradaTablaPad> ejercicio = Ejercicio();
  if (!ejercicio.empty()) {
    std::string texto;
    for (const EntradaTablaPad& e : ejercicio) texto += e.texto;
    linea.marque = Sustituir(t.Entrada(IdTexto::PracticaMarque), {texto});
    linea.siguiente = ejercicio[posicion_ < ejercicio.size() ? posicion_ : 0];
  }
  linea.resultado = resultado_;
  linea.acierto = acierto_;
  for (const Medida& m : medidas_)
    linea.medidas.push_back(Sustituir(t.Entrada(IdTexto::PracticaMedida), {t.Entrada(m.simbolo == '.' ? IdTexto::PracticaPunto : IdTexto::PracticaRaya),
                                                                  std::to_string(m.cuenta), std::to_string(m.umbral)}));
  return linea;
}

}  // namespace kelu
