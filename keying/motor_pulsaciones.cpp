#include "keying/motor_pulsaciones.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "platform/numeros.h"
#include "platform/paso.h"

namespace kelu {

MotorPulsaciones::MotorPulsaciones(Toolkit& toolkit, const Configuracion& configuracion, const TablaCodigo& tabla,
                                   const TextosIdioma& idioma, std::function<void(std::string)> mostrarEco)
    : tmrClicAbajo(toolkit, 10, false),
      tmrTiempoEntreLetras(toolkit, 0, true),
      tmrTiempoEntrePalabras(toolkit, 0, true),
      tmrEnvio(toolkit, 10, false),
      toolkit_(toolkit),
      configuracion_(configuracion),
      tabla_(tabla),
      idioma_(idioma),
      mostrarEco_(std::move(mostrarEco)) {
  // After a stall, one gap firing: a burst would walk the desktop and
  // activate the target once per missed interval.
  tmrTiempoEntreLetras.recuperarAtrasos = tmrTiempoEntrePalabras.recuperarAtrasos = false;
  tmrClicAbajo.Timer = [this] {
    if (ContadorAbajo < kMaximoContador) ++ContadorAbajo;
    const int64_t sostenido = toolkit_.Milisegundos() - abajo_;
    if (pulsacion_ == Pulsacion::Pendiente && sostenido >= pulsacionMinima_) EmpezarPulsacion();
    // At the moment the hold passes the time, not at its release: the
    // person knows to let go.
    if (pausaPorPulsacion_ > 0 && pulsacion_ != Pulsacion::Pendiente && !conmutada_ && sostenido >= pausaPorPulsacion_)
      ConmutarPausa();
    AnunciarCambio();
  };
  tmrTiempoEntreLetras.Timer = [this] {
    if (seguirRitmo_) Paso([&] { AprenderLetra(); });
    if (CerrarLetra) CerrarLetra();
  };
  tmrTiempoEntrePalabras.Timer = [this] {
    if (seguirRitmo_) ritmo_.FinDePalabra();
    if (CerrarPalabra) CerrarPalabra();
  };
  tmrEnvio.Timer = [this] {
    if (EnviarTexto) EnviarTexto();
  };
}

// The tremor filter: a press that begins within the settle time after the
// last release (of a press that was not itself ignored) is ignored whole;
// one released before the minimum press is too. An ignored press leaves
// the gaps as they were: they never stopped for it.
void MotorPulsaciones::BotonAbajo() {
  const int64_t ahora = toolkit_.Milisegundos();
  if (esperaTrasSoltar_ > 0 && ultimaSoltada_ && ahora - *ultimaSoltada_ < esperaTrasSoltar_) {
    pulsacion_ = Pulsacion::Ignorada;
    return;
  }
  abajo_ = ahora;
  contadorPrevio_ = ContadorAbajo;
  conmutada_ = false;
  ContadorAbajo = 0;
  Paso([&] { tmrClicAbajo.SetHabilitado(true); });
  if (enPausa_) pulsacion_ = Pulsacion::Muda;
  else if (pulsacionMinima_ > 0) pulsacion_ = Pulsacion::Pendiente;
  else EmpezarPulsacion();
  AnunciarCambio();
}

void MotorPulsaciones::EmpezarPulsacion() {
  pulsacion_ = Pulsacion::Contada;
  if (seguirRitmo_) Paso([&] { SilencioAntesDePulsar(); });
  Paso([&] { tmrTiempoEntreLetras.SetHabilitado(false); });
  Paso([&] { tmrTiempoEntrePalabras.SetHabilitado(false); });
  if (PulsacionEmpieza) Paso([&] { PulsacionEmpieza(); });
}

// Pausing drops the pending code and stops every gap and a delivery on its
// way; the hold's own release keys nothing either way.
void MotorPulsaciones::ConmutarPausa() {
  enPausa_ = !enPausa_;
  pulsacion_ = Pulsacion::Muda;
  conmutada_ = true;
  if (enPausa_) {
    codigoActual_.clear();
    for (Temporizador* t : {&tmrTiempoEntreLetras, &tmrTiempoEntrePalabras, &tmrEnvio})
      Paso([&] { t->SetHabilitado(false); });
  }
  if (PausaCambiada) Paso([&] { PausaCambiada(enPausa_); });
}

namespace {
// Bounds excluded. The bounds are exact: a band whose edge lies beyond 16
// bits (only a hand-edited file can ask for one) reaches the counter's limit
// instead of failing to classify anything.
BandaPulsacion Banda(int duracion, int tolerancia) { return {duracion - tolerancia, duracion + tolerancia}; }
}  // namespace

bool MotorPulsaciones::EsPunto(int cuenta, const Configuracion& c) {
  return Banda(c.DuracionPunto, c.ToleranciaPunto).Contiene(cuenta);
}
bool MotorPulsaciones::EsRaya(int cuenta, const Configuracion& c) {
  return Banda(c.DuracionRaya, c.ToleranciaRaya).Contiene(cuenta);
}

BandaPulsacion MotorPulsaciones::BandaPunto() const {
  if (seguirRitmo_) return ritmo_.BandaPunto();
  return Banda(configuracion_.DuracionPunto, configuracion_.ToleranciaPunto);
}
BandaPulsacion MotorPulsaciones::BandaRaya() const {
  if (seguirRitmo_) return ritmo_.BandaRaya();
  return Banda(configuracion_.DuracionRaya, configuracion_.ToleranciaRaya);
}

int MotorPulsaciones::Umbral(char simbolo) const { return simbolo == '.' ? BandaPunto().hasta : BandaRaya().desde; }

void MotorPulsaciones::BotonArriba(char simbolo) {
  const int64_t ahora = toolkit_.Milisegundos();
  if (pulsacion_ == Pulsacion::Ignorada) {
    pulsacion_ = Pulsacion::Contada;
    return;
  }
  if (pulsacion_ == Pulsacion::Pendiente) {
    if (ahora - abajo_ < pulsacionMinima_) {
      Paso([&] { tmrClicAbajo.SetHabilitado(false); });
      ContadorAbajo = contadorPrevio_;
      pulsacion_ = Pulsacion::Contada;
      AnunciarCambio();
      return;
    }
    EmpezarPulsacion();  // held long enough between two ticks
  }
  ultimaSoltada_ = ahora;
  if (pulsacion_ == Pulsacion::Muda) {
    Paso([&] { tmrClicAbajo.SetHabilitado(false); });
    pulsacion_ = Pulsacion::Contada;
    AnunciarCambio();
    return;
  }
  Paso([&] { tmrClicAbajo.SetHabilitado(false); });
  Paso([&] { tmrTiempoEntreLetras.SetHabilitado(true); });
  Paso([&] { tmrTiempoEntrePalabras.SetHabilitado(true); });
  if (simbolo == '.' || simbolo == '-') {
    codigoActual_ += simbolo;
  } else if (seguirRitmo_) {
    Paso([&] {
      if (const char s = ritmo_.Pulsacion(ContadorAbajo)) codigoActual_ += s;
    });
  } else {
    Paso([&] {
      if (BandaPunto().Contiene(ContadorAbajo)) codigoActual_ += '.';
    });
    Paso([&] {
      if (BandaRaya().Contiene(ContadorAbajo)) codigoActual_ += '-';
    });
  }
  if (AyudasDeTiempo()) Paso([&] {
    soltado_ = toolkit_.Milisegundos();
    FijarHuecos();
  });
  Paso([&] { ActualizarEco(true); });
  AnunciarCambio();
}

void MotorPulsaciones::AnularPulsacion() {
  if (!BotonPresionado()) return;
  const bool contada = pulsacion_ == Pulsacion::Contada;
  Paso([&] { tmrClicAbajo.SetHabilitado(false); });
  ContadorAbajo = 0;
  pulsacion_ = Pulsacion::Contada;
  if (contada && !codigoActual_.empty()) Paso([&] { tmrTiempoEntreLetras.SetHabilitado(true); });
  AnunciarCambio();
}

namespace {
// (tiempo × 10 − tolerancia × 10) ms in 16-bit arithmetic. An interval that
// overflows, or a negative one (a tolerance above its time), is none: the
// timer's interval stays as it was.
std::optional<int16_t> IntervaloFijo(int tiempo, int tolerancia) {
  std::optional<int16_t> a = Producto16(tiempo, 10), b = Producto16(tolerancia, 10);
  if (!a || !b) return std::nullopt;
  std::optional<int16_t> intervalo = Resta16(*a, *b);
  if (!intervalo || *intervalo < 0) return std::nullopt;
  return intervalo;
}
void FijarIntervalo(Temporizador& t, int tiempo, int tolerancia) {
  if (std::optional<int16_t> intervalo = IntervaloFijo(tiempo, tolerancia)) t.SetIntervalo(*intervalo);
}
// A timer just started at the release counts from there either way; an
// unchanged interval is left alone.
void CambiarIntervalo(Temporizador& t, int ms) {
  ms = std::clamp(ms, 0, 32767);
  if (t.Intervalo() != ms) t.SetIntervalo(ms);
}

std::array<int, 6> TiemposDe(const Configuracion& c) {
  return {c.DuracionPunto, c.ToleranciaPunto, c.DuracionRaya, c.ToleranciaRaya, c.TiempoEntreLetras,
          c.ToleranciaEntreLetras};
}
}  // namespace

void MotorPulsaciones::AplicarIntervalos() noexcept {
  const Configuracion& c = configuracion_;
  Paso([&] { FijarIntervalo(tmrTiempoEntreLetras, c.TiempoEntreLetras, c.ToleranciaEntreLetras); });
  Paso([&] { FijarIntervalo(tmrTiempoEntrePalabras, c.TiempoEntrePalabras, c.ToleranciaEntrePalabras); });
  if (std::optional<int16_t> i = IntervaloFijo(c.TiempoEntreLetras, c.ToleranciaEntreLetras)) intervaloLetra_ = *i;
  if (std::optional<int16_t> i = IntervaloFijo(c.TiempoEntrePalabras, c.ToleranciaEntrePalabras)) intervaloPalabra_ = *i;
  if (AyudasDeTiempo()) Paso([&] { FijarHuecos(); });
}

void MotorPulsaciones::AplicarAyudas(Ayudas& a) noexcept {
  ayudas_ = &a;
  seguirRitmo_ = a.SeguirRitmo;
  letrasAntes_ = a.LetrasAntes;
  pulsacionMinima_ = std::max(0, a.PulsacionMinima);
  esperaTrasSoltar_ = std::max(0, a.EsperaTrasSoltar);
  pausaPorPulsacion_ = std::max(0, a.PausaPorPulsacion);
  // With the pause hold turned off there would be no way out of a pause.
  if (enPausa_ && pausaPorPulsacion_ == 0) {
    enPausa_ = false;
    if (PausaCambiada) Paso([&] { PausaCambiada(false); });
  }
  Paso([&] {
    const std::array<int, 6> tiempos = TiemposDe(configuracion_);
    const std::array<int, 3> guardado = {a.RitmoPunto, a.RitmoRaya, a.RitmoHueco};
    if (tiemposDeInicio_ && *tiemposDeInicio_ != tiempos) {
      // The person set new times (by hand or by calibrating): the pace
      // starts again from them.
      ritmo_.Empezar(configuracion_);
      a.RitmoPunto = a.RitmoRaya = a.RitmoHueco = 0;
    } else if (!tiemposDeInicio_ || guardado != ritmoGuardado_) {
      // At start-up, or "back to my settings" (zeros).
      ritmo_.Empezar(configuracion_, a.RitmoPunto, a.RitmoRaya, a.RitmoHueco);
    }
    tiemposDeInicio_ = tiempos;
    ritmoGuardado_ = {a.RitmoPunto, a.RitmoRaya, a.RitmoHueco};
  });
  AplicarIntervalos();
}

// The pause since the last release, when this press goes on the same
// letter; any other press begins a letter, and whatever the last one had
// shown without a gap closing it is forgotten.
void MotorPulsaciones::SilencioAntesDePulsar() {
  const bool mismaLetra = !codigoActual_.empty() && codigoActual_ != kSeparadorPalabra &&
                          tmrTiempoEntreLetras.Habilitado() && tmrTiempoEntreLetras.Disparos() == 0;
  if (mismaLetra) ritmo_.Silencio(static_cast<int>(std::min<int64_t>(abajo_ - soltado_, 1 << 30)));
  else ritmo_.FinDeLetra({});
}

// The gaps for the silence that begins now, from the pace or the settings;
// a code no entry extends, with that aid on, closes after a short pause.
void MotorPulsaciones::FijarHuecos() {
  int letra = seguirRitmo_ ? ritmo_.CierreLetra() : intervaloLetra_;
  if (letrasAntes_ && letra > 0 && NadaLaExtiende(tabla_, codigoActual_)) {
    // With fixed timing the inner gap is taken as one dot.
    const int temprano =
        seguirRitmo_ ? ritmo_.CierreTemprano()
                     : std::max(SilencioMinimo(configuracion_),
                                static_cast<int>(std::lround(kHuecosCierreTemprano * configuracion_.DuracionPunto * 10)));
    letra = std::min(letra, temprano);
  }
  CambiarIntervalo(tmrTiempoEntreLetras, letra);
  // The word gap restarts when a letter is typed, so it waits for the rest
  // of the word pause after the letter close. A setting of no word gap
  // stays so: KELU never types a space the person did not ask for.
  int palabra = intervaloPalabra_;
  if (seguirRitmo_ && palabra > 0)
    palabra = std::max(SilencioMinimo(configuracion_), ritmo_.CierrePalabra() - ritmo_.CierreLetra());
  CambiarIntervalo(tmrTiempoEntrePalabras, palabra);
}

// At the letter close, before delivery: the letter teaches only when it
// gives something. A word separator replaced whatever was pending.
void MotorPulsaciones::AprenderLetra() {
  // While the pace is cold the letter's presses are read again as a whole;
  // what the pad shows follows the new reading.
  if (std::string codigo = ritmo_.Releer(codigoActual_); codigo != codigoActual_) {
    FijarCodigo(std::move(codigo));
    ActualizarEco(true);
  }
  const std::string texto =
      codigoActual_ == kSeparadorPalabra ? std::string() : TextoDeCodigo(tabla_, codigoActual_);
  if (!ritmo_.FinDeLetra(texto) || !ayudas_) return;
  // Within what the aids file takes; beyond it the file would read as 0.
  auto ms = [](double v) { return static_cast<int>(std::lround(std::min(v, 30000.0))); };
  ayudas_->RitmoPunto = ms(ritmo_.Punto());
  ayudas_->RitmoRaya = ms(ritmo_.Raya());
  ayudas_->RitmoHueco = ms(ritmo_.Hueco());
  ritmoGuardado_ = {ayudas_->RitmoPunto, ayudas_->RitmoRaya, ayudas_->RitmoHueco};
}

void MotorPulsaciones::ActualizarEco(bool conTexto) {
  if (!configuracion_.MostrarPulsaciones) return;
  std::string eco = idioma_.Entrada(IdTexto::EcoTitulo) + codigoActual_ + idioma_.Entrada(IdTexto::EcoIgual);
  if (conTexto) eco += TextoDeCodigo(tabla_, codigoActual_);
  if (mostrarEco_) mostrarEco_(std::move(eco));
}

void MotorPulsaciones::SuspenderTemporizadores() {
  Temporizador* todos[4] = {&tmrClicAbajo, &tmrEnvio, &tmrTiempoEntreLetras, &tmrTiempoEntrePalabras};
  for (int i = 0; i < 4; ++i) suspendidos_[i] = todos[i]->Habilitado();
  for (Temporizador* t : todos) Paso([&] { t->SetHabilitado(false); });
}

void MotorPulsaciones::ReanudarTemporizadores() {
  Temporizador* todos[4] = {&tmrClicAbajo, &tmrEnvio, &tmrTiempoEntreLetras, &tmrTiempoEntrePalabras};
  for (int i = 0; i < 4; ++i) Paso([&] { todos[i]->SetHabilitado(suspendidos_[i]); });
}

}  // namespace kelu
