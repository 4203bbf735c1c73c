// contador_pulsaciones.exe TITLE LOG: a toolkit window that counts each
// left-button press as KELU's keying does, firings of a 10 ms timer enabled
// on the button-down and disabled on the button-up, and appends one line a
// press to LOG: "count held_ms held_qpc_ms". held_ms comes from the times
// the system stamped on the two messages; held_qpc_ms from the performance
// counter when the toolkit handed them to us. Built in the Windows build
// only (cmake/bench_windows.cmake); driven by bench/fidelidad_wine.py.
#include <cstdint>
#include <cstdio>

#include "platform/win32/toolkit_win32.h"

#ifdef _WIN32
// The toolkit hands over a press without its message; the message time and
// the counter are read here, while the message is being dispatched.
#include <windows.h>
namespace {
long HoraDelMensaje() { return GetMessageTime(); }
double Milisegundos() {
  LARGE_INTEGER f, t;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(f.QuadPart);
}
}  // namespace
#endif

int main(int argc, char** argv) {
  if (argc != 3) return 64;
  std::FILE* registro = std::fopen(argv[2], "a");
  if (!registro) return 2;

  kelu::ToolkitWin32 tk;
  kelu::Ventana ventana(tk, "frmContador", argv[1], 6000, 3000);
  ventana.centrada = true;
  kelu::Temporizador tmrClicAbajo(tk, 10, false);
  int contador = 0;
  tmrClicAbajo.Timer = [&] { ++contador; };

  long abajo = 0;
  double abajoQpc = 0;
  ventana.Mostrar();
  tk.CapturarClics(
      ventana,
      [&] {
        abajo = HoraDelMensaje();
        abajoQpc = Milisegundos();
        contador = 0;
        tmrClicAbajo.SetHabilitado(true);
      },
      [&] {
        tmrClicAbajo.SetHabilitado(false);
        std::fprintf(registro, "%d %ld %.3f\n", contador, HoraDelMensaje() - abajo, Milisegundos() - abajoQpc);
        std::fflush(registro);
      });
  std::fprintf(registro, "ready\n");
  std::fflush(registro);

  while (ventana.Cargada()) {
    tk.EsperarMensaje();
    tk.ProcesarEventos();
  }
  std::fclose(registro);
  return 0;
}
