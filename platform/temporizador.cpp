#include "platform/temporizador.h"

#include <algorithm>

#include "platform/servicio_reloj.h"

namespace kelu {

Temporizador::Temporizador(ServicioReloj& reloj, int intervalo, bool activo)
    : reloj_(reloj), intervalo_(intervalo), activo_(activo) {
  if (activo_) Comenzar();
  reloj_.Programar(*this);
}

Temporizador::~Temporizador() { reloj_.Olvidar(*this); }

void Temporizador::SetHabilitado(bool activo) noexcept {
  if (activo == activo_) return;
  activo_ = activo;
  if (activo_) Comenzar();
  reloj_.Programar(*this);
}

void Temporizador::SetIntervalo(int ms) noexcept {
  intervalo_ = std::clamp(ms, 0, 32767);
  Comenzar();
  reloj_.Programar(*this);
}

void Temporizador::Comenzar() noexcept {
  inicio_ = reloj_.Milisegundos();
  disparos_ = 0;
}

int64_t Temporizador::Transcurrido() const noexcept { return reloj_.Milisegundos() - inicio_; }

}  // namespace kelu
