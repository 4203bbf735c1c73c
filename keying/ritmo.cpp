#include "keying/ritmo.h"

#include <algorithm>
#include <cmath>

#include "platform/ascii.h"

namespace kelu {
namespace {

// Each press moves its estimate this fraction of the way, in the log
// domain, so that one odd press counts for little and a drifting hand is
// followed within a few letters; each pause moves its own half as far, as
// the pause also follows the presses' tempo. Keyed through the engine with
// ±40 % jitter, 0.15 for both put 1.4 % of the characters wrong, these 0.4 %.
// An estimate resting on fewer samples than that step remembers (1 / step
// − 1) learns faster, as their mean: each sample weighs 1 / (samples + 1).
constexpr double kPaso = 0.1, kPasoHueco = 0.05;
// Started from the settings, nothing learned, each estimate rests on two
// samples' worth; started from a pace learned before, on a full memory.
constexpr double kPesoInicial = 2;
// What one letter may move any estimate, up or down: a factor of 1.15. It
// doubles with each further letter in a row that falls clearly (beyond a
// factor of 1.25, on average) on the same side of it, up to 8 times: a hand
// far from the estimate is reached within a few letters, one odd letter
// still moves it by one step only.
const double kPasoMaximo = std::log(1.15), kLadoClaro = std::log(1.25);
constexpr int kDobleces = 3;
// Two presses this far apart are not the same symbol, whatever the bands
// say: a hand jittering ±40 % keeps its dots within 2.33 times each other,
// and its dashes. And within a letter, a press this close to one already
// keyed in it is the same symbol (the letter's own dots and dashes are read
// before the estimates have caught up with them).
const double kRazonClara = std::log(2.4), kMismaLetra = std::log(1.25);
constexpr size_t kRecientes = 8;  // presses of each symbol remembered for that
// Presses outside [0.4 dots, 2.5 dashes] are bounces or spasms: nothing.
constexpr double kPulsacionCorta = 0.4, kPulsacionLarga = 2.5;
const double kRazonMinima = std::log(2.0), kRazonMaxima = std::log(5.0);
// Letter gaps are taken as three inner gaps and word gaps as seven; each
// closes at the geometric mean of the silences on either side of it.
const double kHuecosLetra = std::sqrt(3.0), kHuecosPalabra = std::sqrt(21.0);
// How far the pace may wander from the settings it started from.
constexpr double kDesvioMaximo = 4;
constexpr double kMinimoAbsoluto = 40;  // ms: no estimate goes shorter
// A letter is read again only by a reading that fits it this much better
// (log ms squared): with two or three presses, a hand's own jitter alone
// can make a wrong reading fit a little better. In the simulator 0.05 and
// 0.1 cost a ±40 % hand a letter now and then, 0.2 none.
constexpr double kMejorClaro = 0.2;

int Redondear(double ms) { return static_cast<int>(std::lround(std::min(ms, 1e9))); }

bool EsBorrado(std::string_view texto) {
  for (std::string_view nombre : {"{BACKSPACE}", "{BS}", "{BKSP}"})
    if (IgualesSinMayusculas(texto, nombre)) return true;
  return false;
}

double Mediana(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

}  // namespace

bool NadaLaExtiende(const TablaCodigo& tabla, std::string_view codigo) {
  if (codigo.empty() || codigo == kSeparadorPalabra) return false;
  // An entry without text looks like no entry at all to every lookup.
  return std::none_of(tabla.entradas.begin(), tabla.entradas.end(), [&](const EntradaCodigo& e) {
    return !e.Texto.empty() && e.Secuencia.size() > codigo.size() && e.Secuencia.starts_with(codigo);
  });
}

// The shortest press the person counts as a dot, and never under a tenth of
// a second: no decision comes sooner than the person's quickest deliberate act.
int SilencioMinimo(const Configuracion& c) {
  return std::max(100, (c.DuracionPunto - c.ToleranciaPunto) * 10);
}

void Ritmo::Empezar(const Configuracion& c, int punto, int raya, int hueco) {
  const double punto0 = std::max(kMinimoAbsoluto, c.DuracionPunto * 10.0);
  const double raya0 = c.DuracionRaya > 0 ? c.DuracionRaya * 10.0 : 3 * punto0;
  // The inner gap starts where fixed timing closes letters, and the pace
  // learns it downwards from there: a gap is only ever seen when it is
  // shorter than the letter close, so starting short could never recover.
  const double letra = (c.TiempoEntreLetras - c.ToleranciaEntreLetras) * 10.0;
  const double hueco0 = std::max(punto0, letra / kHuecosLetra);
  puntoMinimo_ = huecoMinimo_ = std::log(std::max(kMinimoAbsoluto, punto0 / kDesvioMaximo));
  puntoMaximo_ = std::log(punto0 * kDesvioMaximo);
  huecoMaximo_ = std::log(hueco0 * kDesvioMaximo);
  silencioMinimo_ = SilencioMinimo(c);
  auto estimacion = [](int guardado, double inicial, double paso) {
    return Estimacion{std::log(guardado > 0 ? guardado : inicial), guardado > 0 ? 1 / paso - 1 : kPesoInicial, 0};
  };
  estado_ = {estimacion(punto, punto0, kPaso), estimacion(raya, raya0, kPaso), estimacion(hueco, hueco0, kPasoHueco),
             {}, {}};
  Acotar(estado_);
  letra_.clear();
  silencio_.reset();
  deshacer_.reset();
}

double Ritmo::Punto() const { return std::exp(estado_.punto.valor); }
double Ritmo::Raya() const { return std::exp(estado_.raya.valor); }
double Ritmo::Hueco() const { return std::exp(estado_.hueco.valor); }

// The geometric mean of dot and dash.
double Ritmo::Umbral() const { return (estado_.punto.valor + estado_.raya.valor) / 2; }

// In ticks of 10 ms: the dot band from 0.4 dots up to the geometric mean of
// dot and dash, the dash band from there to 2.5 dashes; they never overlap.
BandaPulsacion Ritmo::BandaPunto() const {
  const double umbral = std::exp(Umbral()) / 10;
  return {static_cast<int>(std::ceil(kPulsacionCorta * Punto() / 10)) - 1, static_cast<int>(std::ceil(umbral))};
}
BandaPulsacion Ritmo::BandaRaya() const {
  const double umbral = std::exp(Umbral()) / 10;
  return {static_cast<int>(std::ceil(umbral)) - 1, static_cast<int>(std::floor(kPulsacionLarga * Raya() / 10)) + 1};
}

int Ritmo::CierreLetra() const { return std::max(silencioMinimo_, Redondear(kHuecosLetra * Hueco())); }
int Ritmo::CierrePalabra() const { return std::max(silencioMinimo_, Redondear(kHuecosPalabra * Hueco())); }
int Ritmo::CierreTemprano() const { return std::max(silencioMinimo_, Redondear(kHuecosCierreTemprano * Hueco())); }

// A press clearly longer than the dots of late, or clearly shorter than the
// dashes, is the other symbol even where the estimates have not got to yet;
// one close to a press of the open letter is what that press was.
char Ritmo::PorRazon(char simbolo, double valor) const {
  std::vector<double> puntos = estado_.puntos, rayas = estado_.rayas;
  for (const Muestra& m : letra_) {
    if (m.tipo == Tipo::Punto) puntos.push_back(m.valor);
    if (m.tipo == Tipo::Raya) rayas.push_back(m.valor);
  }
  if (simbolo == '.' && !puntos.empty() && valor - Mediana(puntos) >= kRazonClara) return '-';
  if (simbolo == '-' && !rayas.empty() && Mediana(rayas) - valor >= kRazonClara) return '.';
  double masCerca = kMismaLetra;
  for (const Muestra& m : letra_)
    if (m.tipo != Tipo::Hueco && std::abs(m.valor - valor) < masCerca) {
      masCerca = std::abs(m.valor - valor);
      simbolo = m.tipo == Tipo::Punto ? '.' : '-';
    }
  return simbolo;
}

char Ritmo::Pulsacion(int cuenta) {
  const BandaPulsacion punto = BandaPunto(), raya = BandaRaya();
  char simbolo = 0;
  if (punto.desde < cuenta && cuenta < raya.hasta) {
    simbolo = punto.Contiene(cuenta) ? '.' : '-';
    simbolo = PorRazon(simbolo, std::log(cuenta * 10.0));
  }
  // A silence counts only between two presses that both gave something.
  if (simbolo) {
    if (silencio_) letra_.push_back({Tipo::Hueco, *silencio_});
    letra_.push_back({simbolo == '.' ? Tipo::Punto : Tipo::Raya, std::log(cuenta * 10.0)});
  }
  silencio_.reset();
  return simbolo;
}

// A silence under 0.4 dots is a bounce of the switch; one the letter close
// would have ended was no inner gap (and a pause to think never teaches).
void Ritmo::Silencio(int ms) {
  silencio_.reset();
  if (letra_.empty() || ms < kPulsacionCorta * Punto() || ms >= CierreLetra()) return;
  silencio_ = std::log(static_cast<double>(ms));
}

namespace {

// One letter's samples of one estimate; the streak counts the letters in a
// row that fell clearly on one side of it.
void Aprender(double& valor, double& peso, int& racha, const std::vector<double>& muestras, double paso) {
  if (muestras.empty()) return;
  double lado = 0;
  for (double m : muestras) lado += (m - valor) / static_cast<double>(muestras.size());
  const int signo = lado > kLadoClaro ? 1 : lado < -kLadoClaro ? -1 : 0;
  racha = signo != 0 && racha != 0 && (racha > 0) == (signo > 0) ? racha + signo : signo;
  const double pleno = 1 / paso - 1;
  for (double m : muestras) {
    valor += std::max(paso, 1 / (peso + 1)) * (m - valor);
    peso = std::min(pleno, peso + 1);
  }
}

// The most one letter may move an estimate with this streak.
double PasoMaximo(int racha) { return kPasoMaximo * (1 << std::clamp(std::abs(racha) - 1, 0, kDobleces)); }

void Recordar(std::vector<double>& recientes, const std::vector<double>& nuevas) {
  recientes.insert(recientes.end(), nuevas.begin(), nuevas.end());
  if (recientes.size() > kRecientes) recientes.erase(recientes.begin(), recientes.end() - kRecientes);
}

// How far a reading of a letter is from a steady hand: each press and
// inner gap (log ms) over what it would last in dots, spread around the mean.
double Desajuste(const std::vector<double>& pulsaciones, const std::vector<double>& huecos, std::string_view lectura,
                 double razon) {
  std::vector<double> puntos = huecos;
  for (size_t i = 0; i < pulsaciones.size(); ++i) puntos.push_back(pulsaciones[i] - (lectura[i] == '-' ? razon : 0));
  double media = 0, desajuste = 0;
  for (double p : puntos) media += p / static_cast<double>(puntos.size());
  for (double p : puntos) desajuste += (p - media) * (p - media);
  return desajuste;
}

}  // namespace

std::string Ritmo::Releer(std::string_view codigo) {
  std::vector<double> pulsaciones, huecos;
  for (const Muestra& m : letra_) (m.tipo == Tipo::Hueco ? huecos : pulsaciones).push_back(m.valor);
  const double pleno = 1 / kPaso - 1;
  const bool frio = estado_.punto.peso < pleno || estado_.raya.peso < pleno;
  // A symbol from a switch of its own is no press of these.
  if (!frio || pulsaciones.size() < 2 || pulsaciones.size() != codigo.size() ||
      codigo.find_first_not_of(".-") != std::string_view::npos)
    return std::string(codigo);
  const double razon = estado_.raya.valor - estado_.punto.valor;
  std::string mejor(codigo);
  double menor = Desajuste(pulsaciones, huecos, codigo, razon) - kMejorClaro;
  std::vector<double> orden = pulsaciones;
  std::sort(orden.begin(), orden.end());
  for (size_t puntos = 0; puntos <= orden.size(); ++puntos) {  // the shortest presses are the dots
    std::string lectura;
    for (double p : pulsaciones) lectura += puntos > 0 && p <= orden[puntos - 1] ? '.' : '-';
    const double d = Desajuste(pulsaciones, huecos, lectura, razon);
    if (d < menor) {
      menor = d;
      mejor = lectura;
    }
  }
  // The letter learns what it is read as.
  size_t i = 0;
  for (Muestra& m : letra_)
    if (m.tipo != Tipo::Hueco) m.tipo = mejor[i++] == '.' ? Tipo::Punto : Tipo::Raya;
  return mejor;
}

bool Ritmo::FinDeLetra(std::string_view texto) {
  std::vector<Muestra> muestras;
  muestras.swap(letra_);
  silencio_.reset();
  if (texto.empty() || muestras.empty()) return false;
  // The letter deleted at once was a mistake: what it taught goes too.
  Estado desde = estado_;
  if (EsBorrado(texto) && deshacer_) desde = *deshacer_;
  if (EsBorrado(texto)) deshacer_.reset();
  else deshacer_ = estado_;

  std::vector<double> puntos, rayas, huecos;
  for (const Muestra& m : muestras)
    (m.tipo == Tipo::Punto ? puntos : m.tipo == Tipo::Raya ? rayas : huecos).push_back(m.valor);
  Estado e = desde;
  Aprender(e.punto.valor, e.punto.peso, e.punto.racha, puntos, kPaso);
  Aprender(e.raya.valor, e.raya.peso, e.raya.racha, rayas, kPaso);
  // A hand that slows down slows its pauses too, even those it no longer
  // shows as inner gaps because they now close the letter.
  e.hueco.valor += (e.punto.valor + e.raya.valor - desde.punto.valor - desde.raya.valor) / 2;
  Aprender(e.hueco.valor, e.hueco.peso, e.hueco.racha, huecos, kPasoHueco);
  auto limitar = [](Estimacion& v, const Estimacion& antes) {
    const double maximo = PasoMaximo(v.racha);
    v.valor = std::clamp(v.valor, antes.valor - maximo, antes.valor + maximo);
  };
  limitar(e.punto, desde.punto);
  limitar(e.raya, desde.raya);
  limitar(e.hueco, desde.hueco);
  Acotar(e);
  Recordar(e.puntos, puntos);
  Recordar(e.rayas, rayas);
  estado_ = e;
  return true;
}

// The dash follows the dot into the ratio, so that it moves no more than
// the dot moved in the same letter.
void Ritmo::Acotar(Estado& e) const {
  e.punto.valor = std::clamp(e.punto.valor, puntoMinimo_, puntoMaximo_);
  e.raya.valor = std::clamp(e.raya.valor, e.punto.valor + kRazonMinima, e.punto.valor + kRazonMaxima);
  e.hueco.valor = std::clamp(e.hueco.valor, huecoMinimo_, huecoMaximo_);
}

}  // namespace kelu
