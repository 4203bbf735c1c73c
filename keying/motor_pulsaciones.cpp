#include "keying/motor_pulsaciones.h"

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
      configuracion_(configuracion),
      tabla_(tabla),
      idioma_(idioma),
      mostrarEco_(std::move(mostrarEco)) {
  // After a stall, one gap firing: a burst would walk the desktop and
  // activate the target once per missed interval.
  tmrTiempoEntreLetras.recuperarAtrasos = tmrTiempoEntrePalabras.recuperarAtrasos = false;
  tmrClicAbajo.Timer = [this] {
    if (ContadorAbajo < kMaximoContador) ++ContadorAbajo;
    Avisar();
  };
  tmrTiempoEntreLetras.Timer = [this] {
    if (CerrarLetra) CerrarLetra();
  };
  tmrTiempoEntrePalabras.Timer = [this] {
    if (CerrarPalabra) CerrarPalabra();
  };
  tmrEnvio.Timer = [this] {
    if (EnviarTexto) EnviarTexto();
  };
}

void MotorPulsaciones::BotonAbajo() {
  ContadorAbajo = 0;
  Paso([&] { tmrClicAbajo.SetHabilitado(true); });
  Paso([&] { tmrTiempoEntreLetras.SetHabilitado(false); });
  Paso([&] { tmrTiempoEntrePalabras.SetHabilitado(false); });
  Avisar();
}

namespace {
// Bounds excluded. The bounds are exact: a band whose edge lies beyond 16
// bits (only a hand-edited file can ask for one) reaches the counter's limit
// instead of failing to classify anything.
bool EnBanda(int cuenta, int duracion, int tolerancia) {
  return duracion - tolerancia < cuenta && cuenta < duracion + tolerancia;
}
}  // namespace

bool MotorPulsaciones::EsPunto(int cuenta, const Configuracion& c) {
  return EnBanda(cuenta, c.DuracionPunto, c.ToleranciaPunto);
}
bool MotorPulsaciones::EsRaya(int cuenta, const Configuracion& c) {
  return EnBanda(cuenta, c.DuracionRaya, c.ToleranciaRaya);
}

int MotorPulsaciones::Umbral(char simbolo) const {
  const Configuracion& c = configuracion_;
  return simbolo == '.' ? c.DuracionPunto + c.ToleranciaPunto : c.DuracionRaya - c.ToleranciaRaya;
}

void MotorPulsaciones::BotonArriba() {
  const Configuracion& c = configuracion_;
  Paso([&] { tmrClicAbajo.SetHabilitado(false); });
  Paso([&] { tmrTiempoEntreLetras.SetHabilitado(true); });
  Paso([&] { tmrTiempoEntrePalabras.SetHabilitado(true); });
  Paso([&] {
    if (EsPunto(ContadorAbajo, c)) codigoActual_ += '.';
  });
  Paso([&] {
    if (EsRaya(ContadorAbajo, c)) codigoActual_ += '-';
  });
  Paso([&] { ActualizarEco(true); });
  Avisar();
}

namespace {
// (tiempo × 10 − tolerancia × 10) ms in 16-bit arithmetic. An interval that
// overflows, or a negative one (a tolerance above its time), leaves the
// timer's interval as it was.
void FijarIntervalo(Temporizador& t, int tiempo, int tolerancia) {
  std::optional<int16_t> a = Producto16(tiempo, 10), b = Producto16(tolerancia, 10);
  if (!a || !b) return;
  std::optional<int16_t> intervalo = Resta16(*a, *b);
  if (!intervalo || *intervalo < 0) return;
  t.SetIntervalo(*intervalo);
}
}  // namespace

void MotorPulsaciones::AplicarIntervalos() noexcept {
  const Configuracion& c = configuracion_;
  Paso([&] { FijarIntervalo(tmrTiempoEntreLetras, c.TiempoEntreLetras, c.ToleranciaEntreLetras); });
  Paso([&] { FijarIntervalo(tmrTiempoEntrePalabras, c.TiempoEntrePalabras, c.ToleranciaEntrePalabras); });
}

void MotorPulsaciones::ActualizarEco(bool conTexto) {
  if (!configuracion_.MostrarPulsaciones) return;
  std::string eco = idioma_.Entrada(18) + codigoActual_ + idioma_.Entrada(19);
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
