#include "keying/motor_pulsaciones.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "platform/numeros.h"

namespace kelu {

MotorPulsaciones::MotorPulsaciones(ServicioReloj& reloj, const Configuracion& configuracion, const TablaCodigo& tabla,
                                   SalidaMotor* salida)
    : tmrClicAbajo(reloj, 10, false),
      tmrTiempoEntreLetras(reloj, 0, true),
      tmrTiempoEntrePalabras(reloj, 0, true),
      reloj_(reloj),
      configuracion_(configuracion),
      tabla_(tabla),
      salida_(salida) {
  // After a stall, one gap firing: a burst would walk the desktop and
  // activate the target once per missed interval.
  tmrTiempoEntreLetras.recuperarAtrasos = tmrTiempoEntrePalabras.recuperarAtrasos = false;
  tmrClicAbajo.Timer = [this] {
    if (ContadorAbajo < kMaximoContador) ++ContadorAbajo;
    const int64_t sostenido = reloj_.Milisegundos() - abajo_;
    if (pulsacion_ == Pulsacion::Pendiente && sostenido >= pulsacionMinima_) EmpezarPulsacion();
    // At the moment the hold passes the time, not at its release: the
    // person knows to let go.
    if (pausaPorPulsacion_ > 0 && pulsacion_ != Pulsacion::Pendiente && !conmutada_ && sostenido >= pausaPorPulsacion_)
      ConmutarPausa();
    AnunciarCambio();
  };
  tmrTiempoEntreLetras.Timer = [this] {
    if (seguirRitmo_) AprenderLetra();
    // A copy: the receiver drops the pending code while it reads its own.
    if (salida_) salida_->LetraCerrada(std::string(codigoActual_));
  };
  tmrTiempoEntrePalabras.Timer = [this] {
    if (seguirRitmo_) ritmo_.FinDePalabra();
    if (salida_) salida_->HuecoDePalabra();
  };
}

void MotorPulsaciones::AnunciarCambio() {
  if (salida_) salida_->EstadoCambiado(Estado());
}

namespace {
HuecoMotor HuecoDe(const Temporizador& t) {
  return {t.Habilitado(), t.Intervalo(), t.Disparos(), t.Transcurrido()};
}
}  // namespace

EstadoMotor MotorPulsaciones::Estado() const {
  EstadoMotor e;
  e.presionado = BotonPresionado();
  e.pausaConmutada = conmutada_ && e.presionado;
  e.enPausa = enPausa_;
  e.cuenta = ContadorAbajo;
  e.codigo = codigoActual_;
  e.pulsacionLarga = conPulsacionLarga_ && codigoActual_.empty();
  e.punto = BandaPunto();
  e.raya = BandaRaya();
  e.larga = BandaLarga();
  e.letra = HuecoDe(tmrTiempoEntreLetras);
  e.palabra = HuecoDe(tmrTiempoEntrePalabras);
  return e;
}

void MotorPulsaciones::BorrarCodigo() {
  codigoActual_.clear();
  AnunciarCambio();
}

void MotorPulsaciones::EsperarPalabra(bool esperar) {
  tmrTiempoEntrePalabras.SetHabilitado(false);
  tmrTiempoEntrePalabras.SetHabilitado(esperar);
}

// The tremor filter: a press that begins within the settle time after the
// last release (of a press that was not itself ignored) is ignored whole;
// one released before the minimum press is too. An ignored press leaves
// the gaps as they were: they never stopped for it.
void MotorPulsaciones::BotonAbajo() {
  const int64_t ahora = reloj_.MomentoDeLaEntrada();
  if (esperaTrasSoltar_ > 0 && ultimaSoltada_ && ahora - *ultimaSoltada_ < esperaTrasSoltar_) {
    pulsacion_ = Pulsacion::Ignorada;
    return;
  }
  abajo_ = ahora;
  contadorPrevio_ = ContadorAbajo;
  conmutada_ = false;
  ContadorAbajo = 0;
  tmrClicAbajo.SetHabilitado(true);
  if (enPausa_) pulsacion_ = Pulsacion::Muda;
  else if (pulsacionMinima_ > 0) pulsacion_ = Pulsacion::Pendiente;
  else EmpezarPulsacion();
  AnunciarCambio();
}

void MotorPulsaciones::EmpezarPulsacion() {
  pulsacion_ = Pulsacion::Contada;
  if (seguirRitmo_) SilencioAntesDePulsar();
  tmrTiempoEntreLetras.SetHabilitado(false);
  tmrTiempoEntrePalabras.SetHabilitado(false);
  if (salida_) salida_->PulsacionEmpieza();
}

// Pausing drops the pending code and stops both gaps (the owner stops a
// delivery on its way); the hold's own release keys nothing either way.
void MotorPulsaciones::ConmutarPausa() {
  enPausa_ = !enPausa_;
  pulsacion_ = Pulsacion::Muda;
  conmutada_ = true;
  if (enPausa_) {
    codigoActual_.clear();
    tmrTiempoEntreLetras.SetHabilitado(false);
    tmrTiempoEntrePalabras.SetHabilitado(false);
  }
  if (salida_) salida_->PausaCambiada(enPausa_);
}

namespace {
// Bounds excluded. The bounds are exact: a band whose edge lies beyond 16
// bits (only a hand-edited file can ask for one) reaches the counter's limit
// instead of failing to classify anything.
BandaPulsacion Banda(int duracion, int tolerancia) { return {duracion - tolerancia, duracion + tolerancia}; }
}  // namespace

BandaPulsacion MotorPulsaciones::BandaPunto() const {
  if (seguirRitmo_) return ritmo_.BandaPunto();
  return Banda(configuracion_.DuracionPunto, configuracion_.ToleranciaPunto);
}
BandaPulsacion MotorPulsaciones::BandaRaya() const {
  if (seguirRitmo_) return ritmo_.BandaRaya();
  return Banda(configuracion_.DuracionRaya, configuracion_.ToleranciaRaya);
}

// From the dash band's end, half as wide as the dash band and at least
// 200 ms: a hold much longer is a spasm, not a choice.
BandaPulsacion MotorPulsaciones::BandaLarga() const {
  const BandaPulsacion raya = BandaRaya();
  return {raya.hasta - 1, raya.hasta + std::max((raya.hasta - raya.desde) / 2, 20)};
}

void MotorPulsaciones::BotonArriba(char simbolo) {
  const int64_t ahora = reloj_.MomentoDeLaEntrada();
  if (pulsacion_ == Pulsacion::Ignorada) {
    pulsacion_ = Pulsacion::Contada;
    return;
  }
  if (pulsacion_ == Pulsacion::Pendiente) {
    if (ahora - abajo_ < pulsacionMinima_) {
      tmrClicAbajo.SetHabilitado(false);
      ContadorAbajo = contadorPrevio_;
      pulsacion_ = Pulsacion::Contada;
      AnunciarCambio();
      return;
    }
    EmpezarPulsacion();  // held long enough between two ticks
  }
  ultimaSoltada_ = ahora;
  if (pulsacion_ == Pulsacion::Muda) {
    tmrClicAbajo.SetHabilitado(false);
    pulsacion_ = Pulsacion::Contada;
    AnunciarCambio();
    return;
  }
  tmrClicAbajo.SetHabilitado(false);
  // A press handled late (the machine was busy as it went down or came up)
  // counts as long as it was held, not the ticks its handling saw. Within
  // three ticks the ticks stand: the input's own clock is that coarse.
  const int64_t tenido = (ahora - abajo_) / 10;
  if (tenido > ContadorAbajo + 3 || tenido < ContadorAbajo - 3)
    ContadorAbajo = static_cast<int16_t>(std::clamp<int64_t>(tenido, 0, kMaximoContador));
  // Neither symbol nor gap: the gaps, stopped as it began, stay so.
  if (simbolo == 0 && conPulsacionLarga_ && codigoActual_.empty() && BandaLarga().Contiene(ContadorAbajo)) {
    AnunciarCambio();
    if (salida_) salida_->PulsacionLarga();
    return;
  }
  tmrTiempoEntreLetras.SetHabilitado(true);
  tmrTiempoEntrePalabras.SetHabilitado(true);
  Clasificar(simbolo);
  if (AyudasDeTiempo()) {
    soltado_ = reloj_.Milisegundos();
    FijarHuecos();
  }
  if (salida_) salida_->CodigoLeido(codigoActual_);
  AnunciarCambio();
}

void MotorPulsaciones::Clasificar(char simbolo) {
  if (simbolo == '.' || simbolo == '-') {
    codigoActual_ += simbolo;
  } else if (seguirRitmo_) {
    if (const char s = ritmo_.Pulsacion(ContadorAbajo)) codigoActual_ += s;
  } else {
    if (BandaPunto().Contiene(ContadorAbajo)) codigoActual_ += '.';
    if (BandaRaya().Contiene(ContadorAbajo)) codigoActual_ += '-';
  }
}

void MotorPulsaciones::AnularPulsacion() {
  if (!BotonPresionado()) return;
  const bool contada = pulsacion_ == Pulsacion::Contada;
  tmrClicAbajo.SetHabilitado(false);
  ContadorAbajo = 0;
  pulsacion_ = Pulsacion::Contada;
  if (contada && !codigoActual_.empty()) tmrTiempoEntreLetras.SetHabilitado(true);
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

void MotorPulsaciones::AplicarIntervalos() {
  const Configuracion& c = configuracion_;
  FijarIntervalo(tmrTiempoEntreLetras, c.TiempoEntreLetras, c.ToleranciaEntreLetras);
  FijarIntervalo(tmrTiempoEntrePalabras, c.TiempoEntrePalabras, c.ToleranciaEntrePalabras);
  if (std::optional<int16_t> i = IntervaloFijo(c.TiempoEntreLetras, c.ToleranciaEntreLetras)) intervaloLetra_ = *i;
  if (std::optional<int16_t> i = IntervaloFijo(c.TiempoEntrePalabras, c.ToleranciaEntrePalabras)) intervaloPalabra_ = *i;
  if (AyudasDeTiempo()) FijarHuecos();
}

void MotorPulsaciones::AplicarAyudas(const Ayudas& a) {
  seguirRitmo_ = a.SeguirRitmo;
  letrasAntes_ = a.LetrasAntes;
  pulsacionMinima_ = std::max(0, a.PulsacionMinima);
  esperaTrasSoltar_ = std::max(0, a.EsperaTrasSoltar);
  pausaPorPulsacion_ = std::max(0, a.PausaPorPulsacion);
  conPulsacionLarga_ = a.Prediccion && a.PulsacionLargaElige;
  // With the pause hold turned off there would be no way out of a pause.
  if (enPausa_ && pausaPorPulsacion_ == 0) {
    enPausa_ = false;
    if (salida_) salida_->PausaCambiada(false);
  }
  const std::array<int, 6> tiempos = TiemposDe(configuracion_);
  RitmoGuardado guardado = {a.RitmoPunto, a.RitmoRaya, a.RitmoHueco};
  if (tiemposDeInicio_ && *tiemposDeInicio_ != tiempos) {
    // The person set new times (by hand or by calibrating): the pace
    // starts again from them.
    ritmo_.Empezar(configuracion_);
    guardado = {};
    if (salida_) salida_->RitmoAprendido(guardado);
  } else if (!tiemposDeInicio_ || guardado != ritmoGuardado_) {
    // At start-up, or "back to my settings" (zeros).
    ritmo_.Empezar(configuracion_, guardado.punto, guardado.raya, guardado.hueco);
  }
  tiemposDeInicio_ = tiempos;
  ritmoGuardado_ = guardado;
  AplicarIntervalos();
}

// The pause since the last release, when this press goes on the same
// letter; any other press begins a letter, and whatever the last one had
// shown without a gap closing it is forgotten.
void MotorPulsaciones::SilencioAntesDePulsar() {
  const bool mismaLetra = !codigoActual_.empty() && tmrTiempoEntreLetras.Habilitado() && tmrTiempoEntreLetras.Disparos() == 0;
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

// At the letter close, before its receiver: the letter teaches only when
// it gives something.
void MotorPulsaciones::AprenderLetra() {
  // While the pace is cold the letter's presses are read again as a whole;
  // what the pad shows follows the new reading.
  if (std::string codigo = ritmo_.Releer(codigoActual_); codigo != codigoActual_) {
    codigoActual_ = std::move(codigo);
    AnunciarCambio();
    if (salida_) salida_->CodigoLeido(codigoActual_);
  }
  if (!ritmo_.FinDeLetra(TextoDeCodigo(tabla_, codigoActual_))) return;
  // Within what the aids file takes; beyond it the file would read as 0.
  auto ms = [](double v) { return static_cast<int>(std::lround(std::min(v, 30000.0))); };
  ritmoGuardado_ = {ms(ritmo_.Punto()), ms(ritmo_.Raya()), ms(ritmo_.Hueco())};
  if (salida_) salida_->RitmoAprendido(ritmoGuardado_);
}

// The gaps stop and start afresh on resuming; a press held into the
// suspension is timed no further.
void MotorPulsaciones::SuspenderTemporizadores() {
  Temporizador* todos[3] = {&tmrClicAbajo, &tmrTiempoEntreLetras, &tmrTiempoEntrePalabras};
  for (int i = 0; i < 3; ++i) suspendidos_[i] = todos[i]->Habilitado();
  for (Temporizador* t : todos) t->SetHabilitado(false);
}

void MotorPulsaciones::ReanudarTemporizadores() {
  Temporizador* todos[3] = {&tmrClicAbajo, &tmrTiempoEntreLetras, &tmrTiempoEntrePalabras};
  for (int i = 0; i < 3; ++i) todos[i]->SetHabilitado(suspendidos_[i]);
}

}  // namespace kelu
