// The sound device's bookkeeping against fake waveform functions and a fake
// clock: every block prepared on a device is unprepared before it closes,
// and a device that failed is tried again at a later sound once its pause
// has passed, never before.
#ifdef _WIN32
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <set>
#include <thread>
#include <vector>

#include "platform/win32/dispositivo_sonido_win32.h"

namespace kelu::win32 {
namespace {

// What the fake device was asked. The opening thread writes it with the
// device's lock held, and so does the test when it reads.
struct Falso {
  bool abrirFalla = false;
  std::atomic<int> aperturas{0}, escritos{0};
  int cierres = 0;
  std::set<WAVEHDR*> preparados, enCola;
};
Falso* falso = nullptr;
const HWAVEOUT kManija = reinterpret_cast<HWAVEOUT>(0x5A);

MMRESULT WINAPI Abrir(LPHWAVEOUT d, UINT, LPCWAVEFORMATEX, DWORD_PTR, DWORD_PTR, DWORD) {
  ++falso->aperturas;
  if (falso->abrirFalla) return MMSYSERR_NODRIVER;
  *d = kManija;
  return MMSYSERR_NOERROR;
}
MMRESULT WINAPI Cerrar(HWAVEOUT) {
  ++falso->cierres;
  return falso->enCola.empty() ? MMSYSERR_NOERROR : WAVERR_STILLPLAYING;
}
MMRESULT WINAPI Preparar(HWAVEOUT, LPWAVEHDR h, UINT) {
  falso->preparados.insert(h);
  return MMSYSERR_NOERROR;
}
MMRESULT WINAPI DesPreparar(HWAVEOUT, LPWAVEHDR h, UINT) {
  if (falso->enCola.count(h)) return WAVERR_STILLPLAYING;
  falso->preparados.erase(h);
  return MMSYSERR_NOERROR;
}
MMRESULT WINAPI Escribir(HWAVEOUT, LPWAVEHDR h, UINT) {
  if (!falso->preparados.count(h)) return WAVERR_UNPREPARED;
  falso->enCola.insert(h);
  ++falso->escritos;
  return MMSYSERR_NOERROR;
}
MMRESULT WINAPI Reiniciar(HWAVEOUT) {
  for (WAVEHDR* h : falso->enCola) h->dwFlags |= WHDR_DONE;
  falso->enCola.clear();
  return MMSYSERR_NOERROR;
}
MMRESULT WINAPI RomperBucle(HWAVEOUT) { return MMSYSERR_NOERROR; }

const Winmm kFalsas{Abrir, Cerrar, Preparar, DesPreparar, Escribir, Reiniciar, RomperBucle};

enum class Accion { Pulsar, Soltar, AvisoLetra, AvisoPausa, Callar };
struct Paso {
  ULONGLONG ms;     // the clock when it happens
  Accion accion;
  bool abrirFalla;  // how an opening asked by this step ends; true too where the device stays failed
  int aperturas;    // openings tried so far
};

TEST(SonidoWin32, ClosesWithEveryBlockUnpreparedAndRetriesAFailureAfterItsPause) {
  struct Caso {
    const char* nombre;
    std::vector<Paso> pasos;
  };
  const std::vector<Caso> casos = {
      {"tone, cues, the pause cue last, then the quiet close; the pause cue again after it",
       {{0, Accion::Pulsar, false, 1},
        {100, Accion::Soltar, false, 1},
        {200, Accion::AvisoLetra, false, 1},
        {300, Accion::AvisoPausa, false, 1},
        {20300, Accion::Callar, false, 1},
        {20400, Accion::AvisoPausa, false, 2},
        {40400, Accion::Callar, false, 2}}},
      {"a failure waits one second, the next two",
       {{0, Accion::AvisoPausa, true, 1},
        {999, Accion::AvisoPausa, true, 1},
        {1000, Accion::Pulsar, true, 2},
        {1001, Accion::Soltar, true, 2},
        {2999, Accion::AvisoLetra, true, 2},
        {3000, Accion::AvisoPausa, true, 3}}},
      {"a quiet close after good use brings the pause back to one second",
       {{0, Accion::AvisoLetra, true, 1},
        {1000, Accion::AvisoLetra, false, 2},
        {21000, Accion::Callar, false, 2},
        {21001, Accion::AvisoPausa, true, 3},
        {22000, Accion::AvisoLetra, true, 3},
        {22001, Accion::AvisoPausa, false, 4},
        {42001, Accion::Callar, false, 4}}},
  };
  for (const Caso& caso : casos) {
    SCOPED_TRACE(caso.nombre);
    Falso f;
    falso = &f;
    std::atomic<ULONGLONG> ahora{0};
    auto d = std::make_shared<Dispositivo>([] { return &kFalsas; }, [&] { return ahora.load(); });
    for (const Paso& p : caso.pasos) {
      SCOPED_TRACE(testing::Message() << "at " << p.ms << " ms");
      ahora = p.ms;
      const int escritosAntes = f.escritos;
      {
        Cerrado cerrado(d->cerrojo);
        f.abrirFalla = p.abrirFalla;
        switch (p.accion) {
          case Accion::Pulsar: d->Tono(true, 600, 50); break;
          case Accion::Soltar: d->Tono(false, 600, 50); break;
          case Accion::AvisoLetra: d->Aviso(AvisoSonoro::Letra, 50); break;
          case Accion::AvisoPausa: d->Aviso(AvisoSonoro::Pausa, 50); break;
          case Accion::Callar:
            EXPECT_TRUE(d->Callar());
            EXPECT_TRUE(f.preparados.empty()) << f.preparados.size() << " blocks left prepared";
            break;
        }
      }
      // An opening ends on its own thread: a good one by writing what was
      // asked, a failed one by leaving the device free to be called quiet.
      const auto limite = std::chrono::steady_clock::now() + std::chrono::seconds(10);
      while (std::chrono::steady_clock::now() < limite) {
        bool listo = f.aperturas >= p.aperturas;
        if (listo && p.abrirFalla) {
          Cerrado cerrado(d->cerrojo);
          listo = d->Callar();
        } else if (listo) {
          listo = f.escritos > escritosAntes || p.accion == Accion::Soltar || p.accion == Accion::Callar;
        }
        if (listo) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
      }
      Cerrado cerrado(d->cerrojo);
      EXPECT_EQ(f.aperturas, p.aperturas);
    }
    Cerrado cerrado(d->cerrojo);
    d->Terminar();
    EXPECT_TRUE(f.preparados.empty());
    falso = nullptr;
  }
}

}  // namespace
}  // namespace kelu::win32
#endif
