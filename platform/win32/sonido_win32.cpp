// Sound through the waveform-audio device: the tone held as long as the
// button, and the short cues. The device's life, from its opening to its
// close after a quiet spell, is dispositivo_sonido_win32.cpp's.
#include "platform/win32/dispositivo_sonido_win32.h"
#include "platform/win32/interno_win32.h"
#include "platform/win32/toolkit_win32.h"

#include <memory>
#include <utility>
#include <vector>

#include "platform/tono.h"

namespace kelu {
namespace win32 {

namespace {

// A held tone loops this long at most: a release that never came (a lost
// button-up) ends by itself.
constexpr int kSegundosMaximos = 60;

}  // namespace

bool Dispositivo::Tono(bool sonando, int frecuencia, int volumen) {
  if (volumen <= 0) sonando = false;
  Reintentar();
  pedido_ = {sonando, frecuencia, volumen};
  if (sonando) avisoPendiente_.reset();
  switch (fase_) {
    case Fase::Abierto:
      if (sonando) Empezar(frecuencia, volumen);
      else Parar();
      break;
    case Fase::Cerrado:
      if (sonando) Abrir();
      break;
    default:
      break;  // opening: the opening thread starts what is asked by then
  }
  return fase_ == Fase::Abierto || fase_ == Fase::Abriendo;
}

bool Dispositivo::Aviso(AvisoSonoro aviso, int volumen) {
  Reintentar();
  // A cue never cuts a tone.
  if (!pedido_.sonando && volumen > 0) {
    if (fase_ == Fase::Abierto) {
      Sonar(aviso, volumen);
    } else if (fase_ == Fase::Cerrado || fase_ == Fase::Abriendo) {
      avisoPendiente_.emplace(aviso, volumen);
      if (fase_ == Fase::Cerrado) Abrir();
    }
  }
  return fase_ == Fase::Abierto || fase_ == Fase::Abriendo;
}

void Dispositivo::Empezar(int frecuencia, int volumen) {
  // Already sounding as asked: a second call changes nothing.
  if (sonando_ && frecuencia == frecuencia_ && volumen == volumen_) return;
  BloquesTono bloques;
  const bool nuevos = frecuencia != frecuencia_ || volumen != volumen_;
  if (nuevos) bloques = GenerarTono(frecuencia, volumen);
  sonando_ = false;
  // A press cuts a cue or a release still playing: the tone must start now.
  if (!Reiniciar()) return;
  if (nuevos) {
    frecuencia_ = volumen_ = -1;
    if (!Preparar(ataque_, std::move(bloques.ataque)) || !Preparar(sostenido_, std::move(bloques.sostenido)) ||
        !Preparar(caida_, std::move(bloques.caida)))
      return;
    frecuencia_ = frecuencia;
    volumen_ = volumen;
  }
  const DWORD vueltas = static_cast<DWORD>(kSegundosMaximos * kMuestrasPorSegundo / sostenido_.muestras.size() + 1);
  if (Escribir(ataque_, 0, 0) && Escribir(sostenido_, WHDR_BEGINLOOP | WHDR_ENDLOOP, vueltas) && Escribir(caida_, 0, 0))
    sonando_ = true;
}

void Dispositivo::Parar() {
  if (!sonando_) return;
  sonando_ = false;
  if (Libre(ataque_)) {
    // The attack has been given back, so the device has moved on to the
    // loop: breaking it lets the loop's current pass end and the release
    // follow, with no seam. A device that gave the attack back a moment
    // before entering the loop would find nothing to break; that loop ends
    // at the next press or cue, or when the quiet spell closes the device.
    // https://learn.microsoft.com/windows/win32/api/mmeapi/nf-mmeapi-waveoutbreakloop
    if (winmm_->romperBucle(dispositivo_) != MMSYSERR_NOERROR) Fallar();
    return;
  }
  // A press shorter than the attack: the loop has not begun, and a break
  // now would find nothing to break (the call does nothing then) and the
  // loop would play on. Stop it all and play the release alone.
  if (Reiniciar()) Escribir(caida_, 0, 0);
}

void Dispositivo::Sonar(AvisoSonoro aviso, int volumen) {
  Bloque& bloque = avisos_[static_cast<int>(aviso)];
  std::vector<int16_t> muestras;
  if (bloque.volumen != volumen) muestras = GenerarAviso(aviso, volumen);
  // The release of a tone just ended plays out and the cue follows it.
  // Anything else still playing is an earlier cue, which this one replaces.
  const bool trasElTono = !Libre(caida_) && Libre(bloque);
  if (!trasElTono && !Reiniciar()) return;
  if (bloque.volumen != volumen) {
    bloque.volumen = -1;
    if (!Preparar(bloque, std::move(muestras))) return;
    bloque.volumen = volumen;
  }
  Escribir(bloque, 0, 0);
}

// The program's side: the device, and the timer that closes it after a
// quiet spell. The timer runs only while the device is open or opening.
class Sonido {
 public:
  explicit Sonido(Toolkit& toolkit) : silencio_(toolkit) {
    silencio_.recuperarAtrasos = false;
    silencio_.Timer = [this] {
      bool callado;
      {
        Cerrado cerrado(dispositivo_->cerrojo);
        callado = dispositivo_->Callar();
      }
      if (callado) silencio_.SetHabilitado(false);
    };
  }
  Sonido(const Sonido&) = delete;
  Sonido& operator=(const Sonido&) = delete;
  ~Sonido() {
    Cerrado cerrado(dispositivo_->cerrojo);
    dispositivo_->Terminar();
  }

  void Tono(bool sonando, int frecuencia, int volumen) {
    bool vigilar;
    {
      Cerrado cerrado(dispositivo_->cerrojo);
      vigilar = dispositivo_->Tono(sonando, frecuencia, volumen);
    }
    if (vigilar) Vigilar();
  }

  void Aviso(AvisoSonoro aviso, int volumen) {
    bool vigilar;
    {
      Cerrado cerrado(dispositivo_->cerrojo);
      vigilar = dispositivo_->Aviso(aviso, volumen);
    }
    if (vigilar) Vigilar();
  }

 private:
  // The quiet spell counts from the last call.
  void Vigilar() {
    silencio_.SetIntervalo(kSilencioParaCerrar);
    silencio_.SetHabilitado(true);
  }

  // Shared with the opening thread, which may outlive this object.
  std::shared_ptr<Dispositivo> dispositivo_ = std::make_shared<Dispositivo>();
  Temporizador silencio_;
};

void BorrarSonido::operator()(Sonido* sonido) const { delete sonido; }

}  // namespace win32

// Nothing is loaded or opened until a sound is asked for that can be heard.
// The sample buffers are the one large allocation; a sound that cannot get
// its memory is not heard, as with no device.
void ToolkitWin32::Tono(bool sonando, int frecuencia, int volumen) noexcept {
  try {
    auto& sonido = estado_->sonido;
    if (!sonido && sonando && volumen > 0) sonido.reset(new win32::Sonido(*this));
    if (sonido) sonido->Tono(sonando, frecuencia, volumen);
  } catch (...) {
    TrazarFallo("Tono");
  }
}

void ToolkitWin32::SonarAviso(AvisoSonoro aviso, int volumen) noexcept {
  try {
    auto& sonido = estado_->sonido;
    if (!sonido && volumen > 0) sonido.reset(new win32::Sonido(*this));
    if (sonido) sonido->Aviso(aviso, volumen);
  } catch (...) {
    TrazarFallo("SonarAviso");
  }
}

}  // namespace kelu
