// Sound through the waveform-audio device. winmm is loaded at the first
// sound that can be heard, not at start-up, so that a KELU with the sound
// aids off never loads it. Whatever fails (no winmm, no device, a call
// refused) leaves KELU silent without a word, sound being an aid, never a
// reason to stop; a later sound tries the device again, after a pause that
// doubles from one second to a minute, so that a headset plugged in later
// is used.
//
// Two costs shape the rest. Opening the device can take up to a second the
// first time (drivers loading), and a press handler that waited that long
// would read a short press as a long one: the device is opened on a thread
// of its own, which ends once it is open, and the first tone starts from
// there. And a device that has played keeps the system's audio threads
// waking up hundreds of times a second for as long as it stays open, even
// with nothing queued: it is closed once KELU has been quiet for a while.
#include "platform/win32/interno_win32.h"
#include "platform/win32/toolkit_win32.h"

#include <mmsystem.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "platform/tono.h"

namespace kelu {
namespace win32 {

namespace {

// The waveform functions, looked up once per process. winmm is never
// unloaded: its own threads may outlive a closed device.
struct Winmm {
  decltype(&waveOutOpen) abrir = nullptr;
  decltype(&waveOutClose) cerrar = nullptr;
  decltype(&waveOutPrepareHeader) preparar = nullptr;
  decltype(&waveOutUnprepareHeader) desPreparar = nullptr;
  decltype(&waveOutWrite) escribir = nullptr;
  decltype(&waveOutReset) reiniciar = nullptr;
  decltype(&waveOutBreakLoop) romperBucle = nullptr;
};

template <class Funcion>
void Buscar(HMODULE modulo, const char* nombre, Funcion& funcion) {
  funcion = reinterpret_cast<Funcion>(reinterpret_cast<void (*)()>(GetProcAddress(modulo, nombre)));
}

const Winmm* CargarWinmm() {
  static const Winmm winmm = [] {
    Winmm w;
    // From the system folder only: a winmm.dll dropped beside kelu.exe is never run.
    HMODULE modulo = LoadLibraryExW(L"winmm.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!modulo) return w;
    Buscar(modulo, "waveOutOpen", w.abrir);
    Buscar(modulo, "waveOutClose", w.cerrar);
    Buscar(modulo, "waveOutPrepareHeader", w.preparar);
    Buscar(modulo, "waveOutUnprepareHeader", w.desPreparar);
    Buscar(modulo, "waveOutWrite", w.escribir);
    Buscar(modulo, "waveOutReset", w.reiniciar);
    Buscar(modulo, "waveOutBreakLoop", w.romperBucle);
    return w;
  }();
  const bool completo = winmm.abrir && winmm.cerrar && winmm.preparar && winmm.desPreparar && winmm.escribir &&
                        winmm.reiniciar && winmm.romperBucle;
  return completo ? &winmm : nullptr;
}

// A held tone loops this long at most: a release that never came (a lost
// button-up) ends by itself.
constexpr int kSegundosMaximos = 60;

// Quiet this long (ms), the device is closed; the next sound opens it again.
constexpr int kSilencioParaCerrar = 20000;

// After a failure the device is tried again no sooner than this (ms),
// doubled at each failure in a row up to the last.
constexpr ULONGLONG kPrimerReintento = 1000, kUltimoReintento = 60000;

// A slim reader/writer lock, held exclusively for a scope.
class Cerrado {
 public:
  explicit Cerrado(SRWLOCK& cerrojo) : cerrojo_(cerrojo) { AcquireSRWLockExclusive(&cerrojo_); }
  ~Cerrado() { ReleaseSRWLockExclusive(&cerrojo_); }
  Cerrado(const Cerrado&) = delete;
  Cerrado& operator=(const Cerrado&) = delete;

 private:
  SRWLOCK& cerrojo_;
};

// Samples and their header, which the device reads in place: neither moves
// while the block is prepared.
struct Bloque {
  std::vector<int16_t> muestras;
  WAVEHDR cabecera{};
  bool preparado = false;
  bool escrito = false;
  int volumen = -1;  // a cue's, as it was made
};

// The device and what plays on it, shared between the program's thread and
// the thread that opens the device: every member is used with `cerrojo`
// held. The device reports nothing (CALLBACK_NULL: no callback, no
// messages); the headers' WHDR_DONE says what has been played.
class Dispositivo : public std::enable_shared_from_this<Dispositivo> {
 public:
  SRWLOCK cerrojo = SRWLOCK_INIT;

  // Each says whether the device is open or opening, with something to watch.
  bool Tono(bool sonando, int frecuencia, int volumen);
  bool Aviso(AvisoSonoro aviso, int volumen);
  // After a quiet spell: closes the device unless a tone is held. Whatever
  // still plays this long after the last call is a loop that missed its
  // break, and goes too. False while the device is needed.
  bool Callar();
  void Terminar();

 private:
  enum class Fase { Cerrado, Abriendo, Abierto, Fallido };
  struct Pedido {
    bool sonando = false;
    int frecuencia = 0, volumen = 0;
  };

  void Abrir();
  static DWORD WINAPI Apertura(void* parametro);
  void Empezar(int frecuencia, int volumen);
  void Parar();
  void Sonar(AvisoSonoro aviso, int volumen);
  bool Reiniciar();
  bool Preparar(Bloque& bloque, std::vector<int16_t> muestras);
  bool Escribir(Bloque& bloque, DWORD bucle, DWORD vueltas);
  static bool Libre(const Bloque& bloque);
  void Fallar();
  void Cerrar();

  // A failed device may be opened again once its pause has passed.
  void Reintentar();

  Fase fase_ = Fase::Cerrado;
  ULONGLONG reintentoEn_ = 0;                  // GetTickCount64 from when a failed device is tried again
  ULONGLONG espera_ = kPrimerReintento;       // the pause after the next failure
  bool terminado_ = false;
  const Winmm* winmm_ = nullptr;
  HWAVEOUT dispositivo_ = nullptr;
  Pedido pedido_;  // what the button asks for now
  std::optional<std::pair<AvisoSonoro, int>> avisoPendiente_;  // asked while opening
  Bloque ataque_, sostenido_, caida_;
  int frecuencia_ = -1, volumen_ = -1;  // what the tone's blocks were made for
  bool sonando_ = false;                // the tone is queued, its loop not yet broken
  Bloque avisos_[3];                    // by AvisoSonoro
};

void Dispositivo::Reintentar() {
  if (fase_ == Fase::Fallido && GetTickCount64() >= reintentoEn_) fase_ = Fase::Cerrado;
}

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

bool Dispositivo::Callar() {
  if (fase_ == Fase::Abriendo || (fase_ == Fase::Abierto && pedido_.sonando)) return false;
  if (fase_ == Fase::Abierto) {
    Cerrar();
    fase_ = Fase::Cerrado;
    espera_ = kPrimerReintento;  // it worked for a whole spell
  }
  return true;
}

void Dispositivo::Terminar() {
  terminado_ = true;
  Cerrar();
}

void Dispositivo::Abrir() {
  // The thread holds the device's state for as long as it runs, however
  // soon the program lets go of it.
  auto propio = std::make_unique<std::shared_ptr<Dispositivo>>(shared_from_this());
  HANDLE hilo = CreateThread(nullptr, 0, Apertura, propio.get(), 0, nullptr);
  if (!hilo) {
    Fallar();
    return;
  }
  static_cast<void>(propio.release());  // the thread's now
  fase_ = Fase::Abriendo;
  CloseHandle(hilo);
}

// On its own thread, which ends here.
// https://learn.microsoft.com/windows/win32/api/mmeapi/nf-mmeapi-waveoutopen
DWORD WINAPI Dispositivo::Apertura(void* parametro) {
  const std::unique_ptr<std::shared_ptr<Dispositivo>> propio(static_cast<std::shared_ptr<Dispositivo>*>(parametro));
  Dispositivo* yo = propio->get();
  const Winmm* winmm = CargarWinmm();
  WAVEFORMATEX formato{};
  formato.wFormatTag = WAVE_FORMAT_PCM;
  formato.nChannels = 1;
  formato.nSamplesPerSec = kMuestrasPorSegundo;
  formato.wBitsPerSample = 16;
  formato.nBlockAlign = 2;
  formato.nAvgBytesPerSec = kMuestrasPorSegundo * 2;
  HWAVEOUT dispositivo = nullptr;
  const bool abierto = winmm && winmm->abrir(&dispositivo, WAVE_MAPPER, &formato, 0, 0, CALLBACK_NULL) == MMSYSERR_NOERROR;

  Cerrado cerrado(yo->cerrojo);
  if (yo->terminado_) {
    if (abierto) winmm->cerrar(dispositivo);
    return 0;
  }
  if (!abierto) {
    yo->Fallar();
    return 0;
  }
  yo->winmm_ = winmm;
  yo->dispositivo_ = dispositivo;
  yo->fase_ = Fase::Abierto;
  try {
    // A press still held gets its tone, late; a press already over, none.
    if (yo->pedido_.sonando) yo->Empezar(yo->pedido_.frecuencia, yo->pedido_.volumen);
    else if (yo->avisoPendiente_) yo->Sonar(yo->avisoPendiente_->first, yo->avisoPendiente_->second);
  } catch (...) {
    yo->Fallar();
  }
  yo->avisoPendiente_.reset();
  return 0;
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

// Stops whatever plays and gives every queued block back, marked done.
// https://learn.microsoft.com/windows/win32/api/mmeapi/nf-mmeapi-waveoutreset
bool Dispositivo::Reiniciar() {
  if (winmm_->reiniciar(dispositivo_) == MMSYSERR_NOERROR) return true;
  Fallar();
  return false;
}

// Only a block out of the queue may be unprepared and filled anew.
// https://learn.microsoft.com/windows/win32/api/mmeapi/nf-mmeapi-waveoutunprepareheader
bool Dispositivo::Preparar(Bloque& bloque, std::vector<int16_t> muestras) {
  if (bloque.preparado && winmm_->desPreparar(dispositivo_, &bloque.cabecera, sizeof bloque.cabecera) != MMSYSERR_NOERROR) {
    Fallar();
    return false;
  }
  bloque.preparado = bloque.escrito = false;
  bloque.muestras = std::move(muestras);
  bloque.cabecera = WAVEHDR{};
  bloque.cabecera.lpData = reinterpret_cast<LPSTR>(bloque.muestras.data());
  bloque.cabecera.dwBufferLength = static_cast<DWORD>(bloque.muestras.size() * sizeof(int16_t));
  if (winmm_->preparar(dispositivo_, &bloque.cabecera, sizeof bloque.cabecera) != MMSYSERR_NOERROR) {
    Fallar();
    return false;
  }
  bloque.preparado = true;
  return true;
}

// A loop is one block flagged both WHDR_BEGINLOOP and WHDR_ENDLOOP; its
// dwLoops counts the plays.
// https://learn.microsoft.com/windows/win32/api/mmeapi/ns-mmeapi-wavehdr
// https://learn.microsoft.com/windows/win32/api/mmeapi/nf-mmeapi-waveoutwrite
bool Dispositivo::Escribir(Bloque& bloque, DWORD bucle, DWORD vueltas) {
  bloque.cabecera.dwFlags = WHDR_PREPARED | bucle;
  bloque.cabecera.dwLoops = vueltas;
  if (winmm_->escribir(dispositivo_, &bloque.cabecera, sizeof bloque.cabecera) != MMSYSERR_NOERROR) {
    Fallar();
    return false;
  }
  bloque.escrito = true;
  return true;
}

// Not in the device's queue: never written, or given back.
bool Dispositivo::Libre(const Bloque& bloque) {
  // winmm's own thread sets the flag; read it afresh each time.
  return !bloque.escrito || (static_cast<const volatile DWORD&>(bloque.cabecera.dwFlags) & WHDR_DONE);
}

// Silent until the pause has passed; each failure in a row doubles it.
void Dispositivo::Fallar() {
  Cerrar();
  fase_ = Fase::Fallido;
  reintentoEn_ = GetTickCount64() + espera_;
  espera_ = std::min(espera_ * 2, kUltimoReintento);
}

// A device with blocks in its queue refuses to close, and a queued block to
// be unprepared: reset first.
// https://learn.microsoft.com/windows/win32/api/mmeapi/nf-mmeapi-waveoutclose
void Dispositivo::Cerrar() {
  sonando_ = false;
  if (!dispositivo_) return;
  HWAVEOUT dispositivo = dispositivo_;
  dispositivo_ = nullptr;
  winmm_->reiniciar(dispositivo);
  // Every block, the three cues' too: a header left prepared would belong
  // to a device that no longer exists.
  std::vector<Bloque*> bloques = {&ataque_, &sostenido_, &caida_};
  for (Bloque& aviso : avisos_) bloques.push_back(&aviso);
  for (Bloque* b : bloques) {
    if (b->preparado) winmm_->desPreparar(dispositivo, &b->cabecera, sizeof b->cabecera);
    b->preparado = b->escrito = false;
    b->volumen = -1;
  }
  frecuencia_ = volumen_ = -1;
  winmm_->cerrar(dispositivo);
}

}  // namespace

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
void ToolkitWin32::Tono(bool sonando, int frecuencia, int volumen) {
  Paso([&] {
    auto& sonido = estado_->sonido;
    if (!sonido && sonando && volumen > 0) sonido.reset(new win32::Sonido(*this));
    if (sonido) sonido->Tono(sonando, frecuencia, volumen);
  });
}

void ToolkitWin32::SonarAviso(AvisoSonoro aviso, int volumen) {
  Paso([&] {
    auto& sonido = estado_->sonido;
    if (!sonido && volumen > 0) sonido.reset(new win32::Sonido(*this));
    if (sonido) sonido->Aviso(aviso, volumen);
  });
}

}  // namespace kelu
