#include "keying/motor_pulsaciones.h"

#include <optional>

#include "platform/numeros.h"
#include "platform/paso.h"

namespace kelu {

MotorPulsaciones::MotorPulsaciones(Programa& programa, Ventana& ventana)
    : tmrClicAbajo(programa.toolkit, 10, false),
      tmrTiempoEntreLetras(programa.toolkit, 0, true),
      tmrTiempoEntrePalabras(programa.toolkit, 0, true),
      tmrEnvio(programa.toolkit, 10, false),
      programa_(programa),
      ventana_(ventana) {
  tmrClicAbajo.Timer = [this] {
    if (ContadorAbajo < kMaximoContador) ++ContadorAbajo;
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
  Paso([&] { tmrClicAbajo.SetEnabled(true); });
  Paso([&] { tmrTiempoEntreLetras.SetEnabled(false); });
  Paso([&] { tmrTiempoEntrePalabras.SetEnabled(false); });
}

namespace {
// Bounds excluded. The bounds are exact: a band whose edge lies beyond 16
// bits (only a hand-edited file can ask for one) reaches the counter's limit
// instead of failing to classify anything.
bool EnBanda(int cuenta, int duracion, int tolerancia) {
  return duracion - tolerancia < cuenta && cuenta < duracion + tolerancia;
}
}  // namespace

void MotorPulsaciones::BotonArriba() {
  const Configuracion& c = programa_.configuracion;
  Paso([&] { tmrClicAbajo.SetEnabled(false); });
  Paso([&] { tmrTiempoEntreLetras.SetEnabled(true); });
  Paso([&] { tmrTiempoEntrePalabras.SetEnabled(true); });
  Paso([&] {
    if (EnBanda(ContadorAbajo, c.DuracionPunto, c.ToleranciaPunto)) CodigoActual += '.';
  });
  Paso([&] {
    if (EnBanda(ContadorAbajo, c.DuracionRaya, c.ToleranciaRaya)) CodigoActual += '-';
  });
  Paso([&] { ActualizarEco(true); });
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
  t.SetInterval(*intervalo);
}
}  // namespace

void MotorPulsaciones::AplicarIntervalos() noexcept {
  const Configuracion& c = programa_.configuracion;
  Paso([&] { FijarIntervalo(tmrTiempoEntreLetras, c.TiempoEntreLetras, c.ToleranciaEntreLetras); });
  Paso([&] { FijarIntervalo(tmrTiempoEntrePalabras, c.TiempoEntrePalabras, c.ToleranciaEntrePalabras); });
}

void MotorPulsaciones::ActualizarEco(bool conTexto) {
  if (!programa_.configuracion.MostrarPulsaciones) return;
  const TextosIdioma& t = programa_.idioma;
  std::string eco = t.Entrada(18) + CodigoActual + t.Entrada(19);
  if (conTexto) eco += TextoDeCodigo(programa_.tabla, CodigoActual);
  ventana_.SetCaption(std::move(eco));
}

void MotorPulsaciones::SuspenderTemporizadores() {
  Temporizador* todos[4] = {&tmrClicAbajo, &tmrEnvio, &tmrTiempoEntreLetras, &tmrTiempoEntrePalabras};
  for (int i = 0; i < 4; ++i) suspendidos_[i] = todos[i]->Enabled();
  for (Temporizador* t : todos) Paso([&] { t->SetEnabled(false); });
}

void MotorPulsaciones::ReanudarTemporizadores() {
  Temporizador* todos[4] = {&tmrClicAbajo, &tmrEnvio, &tmrTiempoEntreLetras, &tmrTiempoEntrePalabras};
  for (int i = 0; i < 4; ++i) Paso([&] { todos[i]->SetEnabled(suspendidos_[i]); });
}

}  // namespace kelu
