// How many 10 ms firings a held press counts when the system delivers timer
// ticks only every 15.625 ms, with and without catch-up. Prints the count
// error (firings - held_ms / 10) as min/median/max over presses from 100 ms
// to 3 s at random phases of the system tick.
#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>

#include "platform/cadencia.h"

namespace {

// Time in microseconds. The timer is armed at `inicio`; the system looks at
// it on its own tick, never sooner than the interval after the last look.
enum class Modo { SinRecuperar, Recuperar, RecuperarAlParar };

int ContarDisparos(int64_t inicio, int64_t soltar, int64_t tick, Modo modo) {
  const bool recuperar = modo != Modo::SinRecuperar;
  const int64_t intervalo = 10000;
  kelu::Cadencia cadencia;
  cadencia.Iniciar(inicio, intervalo);
  int disparos = 0;
  int64_t ultimaMirada = inicio;
  for (int64_t t = (inicio / tick + 1) * tick; t < soltar; t += tick) {
    if (t - ultimaMirada < intervalo) continue;  // not due yet for the system
    ultimaMirada = t;
    disparos += recuperar ? cadencia.Debidos(t) : 1;
  }
  // Stopping the timer first fires what it owes up to that moment.
  if (modo == Modo::RecuperarAlParar) disparos += cadencia.Debidos(soltar);
  return disparos;
}

void Informar(const char* nombre, std::vector<double> errores) {
  std::sort(errores.begin(), errores.end());
  std::printf("%-38s min %+6.1f  median %+6.1f  max %+6.1f  (n=%zu)\n", nombre, errores.front(),
              errores[errores.size() / 2], errores.back(), errores.size());
}

}  // namespace

int main() {
  std::mt19937 azar(12345);
  std::uniform_int_distribution<int64_t> fase(0, 15625);
  std::uniform_int_distribution<int64_t> duracion(100000, 3000000);
  for (int64_t tick : {15625, 1000}) {
    std::vector<double> con, sin, alParar;
    for (int i = 0; i < 1000; ++i) {
      int64_t inicio = 1000000 + fase(azar);
      int64_t largo = duracion(azar);
      double esperado = static_cast<double>(largo) / 10000.0;
      con.push_back(ContarDisparos(inicio, inicio + largo, tick, Modo::Recuperar) - esperado);
      sin.push_back(ContarDisparos(inicio, inicio + largo, tick, Modo::SinRecuperar) - esperado);
      alParar.push_back(ContarDisparos(inicio, inicio + largo, tick, Modo::RecuperarAlParar) - esperado);
    }
    std::printf("system tick %.3f ms\n", tick / 1000.0);
    Informar("  catch-up on (count - held/10)", con);
    Informar("  catch-up off (count - held/10)", sin);
    Informar("  catch-up, flushed at stop", alParar);
  }
  return 0;
}
