// Timers that fire once per interval on average. WM_TIMER comes only on the
// system's tick (about 15.6 ms), so counting its messages measures a 250 ms
// press of a 10 ms timer as about 16 firings; here each look at the clock
// fires every whole interval elapsed since the timer was armed.
#include <algorithm>

#include "platform/win32/interno_win32.h"
#include "platform/win32/toolkit_win32.h"

namespace kelu {
namespace win32 {

namespace {

constexpr wchar_t kClaseReloj[] = L"KELU.Reloj";

LRESULT CALLBACK ProcedimientoReloj(HWND ventana, UINT mensaje, WPARAM wp, LPARAM lp) {
  if (mensaje == WM_TIMER) {
    if (auto* relojes = reinterpret_cast<Relojes*>(GetWindowLongPtrW(ventana, GWLP_USERDATA))) relojes->AlDia();
    return 0;
  }
  return DefWindowProcW(ventana, mensaje, wp, lp);
}

}  // namespace

int64_t Microsegundos() {
  static const int64_t frecuencia = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f.QuadPart > 0 ? f.QuadPart : 1;
  }();
  LARGE_INTEGER ahora;
  QueryPerformanceCounter(&ahora);
  // In two parts, so that counter × 10^6 cannot overflow.
  return ahora.QuadPart / frecuencia * 1000000 + ahora.QuadPart % frecuencia * 1000000 / frecuencia;
}

Relojes::Relojes(HINSTANCE instancia)
    : hwnd_(CrearVentanaMensajes(instancia, kClaseReloj, ProcedimientoReloj, this)) {}

Relojes::~Relojes() {
  for (auto& [id, reloj] : relojes_) KillTimer(hwnd_, id);
  DestroyWindow(hwnd_);
}

void Relojes::Programar(Temporizador& t) {
  if (!t.Habilitado() || t.Intervalo() <= 0) {
    Olvidar(t);
    return;
  }
  // A timer keeps its id while it lives, so that a handler still running
  // for it is recognised after it reprograms itself.
  auto [it, nuevo] = ids_.try_emplace(&t, siguienteId_);
  if (nuevo) ++siguienteId_;
  Reloj& reloj = relojes_[it->second];
  reloj.temporizador = &t;
  reloj.intervalo = static_cast<int64_t>(t.Intervalo()) * 1000;
  reloj.cadencia.Iniciar(Microsegundos(), reloj.intervalo);  // a fresh countdown
  reloj.armado = ++armados_;
  SetTimer(hwnd_, it->second, static_cast<UINT>(t.Intervalo()), nullptr);
}

void Relojes::Olvidar(Temporizador& t) {
  auto it = ids_.find(&t);
  if (it == ids_.end()) return;
  KillTimer(hwnd_, it->second);
  relojes_.erase(it->second);
  ids_.erase(it);
}

void Relojes::AlDia() {
  const int64_t ahora = Microsegundos();
  // Bounded, in case a handler keeps rearming timers that are already due.
  for (int vuelta = 0; vuelta < 1000000; ++vuelta) {
    UINT_PTR cual = 0;
    const Reloj* primero = nullptr;
    for (const auto& [id, reloj] : relojes_) {
      if (reloj.disparando || reloj.cadencia.Siguiente() > ahora) continue;
      if (!primero || reloj.cadencia.Siguiente() < primero->cadencia.Siguiente() ||
          (reloj.cadencia.Siguiente() == primero->cadencia.Siguiente() && reloj.armado < primero->armado)) {
        primero = &reloj;
        cual = id;
      }
    }
    if (!primero) break;
    DispararUno(cual, ahora);
  }
  Rearmar();
}

void Relojes::DispararUno(UINT_PTR id, int64_t ahora) {
  Reloj& reloj = relojes_.at(id);
  Temporizador* t = reloj.temporizador;
  // Exactly one firing taken; or, for a timer that does not make up missed
  // firings, every one owed by now, for this single firing.
  reloj.cadencia.Debidos(t->recuperarAtrasos ? reloj.cadencia.Siguiente() : ahora);
  const uint64_t armado = reloj.armado;
  const int64_t antes = Microsegundos();
  // While its handler runs (a message box it opened pumps messages) the
  // timer does not fire again.
  reloj.disparando = true;
  Atender("Timer", [t] { t->Disparar(); });
  auto it = relojes_.find(id);  // the handler may have forgotten it
  if (it == relojes_.end()) return;
  it->second.disparando = false;
  // Time spent inside its own handler is not owed: a warning box that stayed
  // open for a minute must not be followed by a minute's worth of firings.
  const int64_t despues = Microsegundos();
  if (it->second.armado == armado && despues - antes >= it->second.intervalo)
    it->second.cadencia.Iniciar(despues, it->second.intervalo);
}

void Relojes::Rearmar() {
  // Each system timer is set for its own next firing, so a long interval
  // that the system delivered a little early is not missed for a whole period.
  const int64_t ahora = Microsegundos();
  for (const auto& [id, reloj] : relojes_) {
    if (reloj.disparando) {  // set again when its handler returns
      KillTimer(hwnd_, id);
      continue;
    }
    const int64_t falta = reloj.cadencia.Siguiente() - ahora;
    const int64_t ms = std::clamp<int64_t>((falta + 999) / 1000, USER_TIMER_MINIMUM, 0x7FFFFFFF);
    SetTimer(hwnd_, id, static_cast<UINT>(ms), nullptr);
  }
}

}  // namespace win32

void ToolkitWin32::Programar(Temporizador& t) noexcept { estado_->relojes.Programar(t); }

void ToolkitWin32::Olvidar(Temporizador& t) noexcept { estado_->relojes.Olvidar(t); }

int64_t ToolkitWin32::Milisegundos() noexcept { return win32::Microsegundos() / 1000; }

int64_t ToolkitWin32::MomentoDeLaEntrada() noexcept {
  return estado_->momentoEntrada >= 0 ? estado_->momentoEntrada : Milisegundos();
}

}  // namespace kelu
