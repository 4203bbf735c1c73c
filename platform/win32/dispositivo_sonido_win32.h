// The waveform-audio device's life: opened on a thread of its own, closed
// after a quiet spell with every block it holds given back, and after a
// failure tried again no sooner than a pause that doubles from one second to
// a minute. What plays on it, the tone and the cues, is sonido_win32.cpp's.
#pragma once
#include <windows.h>
#include <mmsystem.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "platform/toolkit.h"

namespace kelu::win32 {

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

// Null when winmm or one of its functions is missing.
const Winmm* CargarWinmm();

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
  // The waveform functions and the clock (ms) come from outside, so that
  // the bookkeeping can be watched without a sound device.
  explicit Dispositivo(std::function<const Winmm*()> cargar = CargarWinmm,
                       std::function<ULONGLONG()> reloj = GetTickCount64)
      : cargar_(std::move(cargar)), reloj_(std::move(reloj)) {}

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

  // The device's life (dispositivo_sonido_win32.cpp).
  void Abrir();
  static DWORD WINAPI Apertura(void* parametro);
  bool Reiniciar();
  bool Preparar(Bloque& bloque, std::vector<int16_t> muestras);
  bool Escribir(Bloque& bloque, DWORD bucle, DWORD vueltas);
  static bool Libre(const Bloque& bloque);
  void Fallar();
  void Cerrar();
  // A failed device may be opened again once its pause has passed.
  void Reintentar();

  // What plays (sonido_win32.cpp).
  void Empezar(int frecuencia, int volumen);
  void Parar();
  void Sonar(AvisoSonoro aviso, int volumen);

  std::function<const Winmm*()> cargar_;
  std::function<ULONGLONG()> reloj_;
  Fase fase_ = Fase::Cerrado;
  ULONGLONG reintentoEn_ = 0;             // the clock's time from when a failed device is tried again
  ULONGLONG espera_ = kPrimerReintento;  // the pause after the next failure
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

}  // namespace kelu::win32
