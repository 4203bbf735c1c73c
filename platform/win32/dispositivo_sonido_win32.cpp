// The device's life: winmm loaded at the first sound that can be heard, not
// at start-up, so that a KELU with the sound aids off never loads it; the
// device opened on a thread of its own, since opening it can take up to a
// second the first time (drivers loading) and a press handler that waited
// that long would read a short press as a long one; and the device closed
// once KELU has been quiet for a while, since a device that has played
// keeps the system's audio threads waking up hundreds of times a second for
// as long as it stays open. Whatever fails (no winmm, no device, a call
// refused) leaves KELU silent without a word, sound being an aid, never a
// reason to stop; a later sound tries the device again, after a pause that
// doubles from one second to a minute, so that a headset plugged in later
// is used.
#include "platform/win32/dispositivo_sonido_win32.h"

#include <algorithm>

#include "platform/tono.h"

namespace kelu::win32 {

namespace {

template <class Funcion>
void Buscar(HMODULE modulo, const char* nombre, Funcion& funcion) {
  funcion = reinterpret_cast<Funcion>(reinterpret_cast<void (*)()>(GetProcAddress(modulo, nombre)));
}

}  // namespace

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

void Dispositivo::Reintentar() {
  if (fase_ == Fase::Fallido && reloj_() >= reintentoEn_) fase_ = Fase::Cerrado;
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
  const Winmm* winmm = yo->cargar_();  // set at construction, never changed
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
  reintentoEn_ = reloj_() + espera_;
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

}  // namespace kelu::win32
