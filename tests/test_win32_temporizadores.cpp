// The Win32 timers against the performance counter: one firing per whole
// interval elapsed, however late or coarse the system's ticks.
#ifdef _WIN32
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>

#include "platform/win32/toolkit_win32.h"

namespace kelu {
namespace {

using Reloj = std::chrono::steady_clock;
using namespace std::chrono_literals;

// Pumps events for a while, or until `basta` holds.
void Bombear(Toolkit& tk, Reloj::duration tiempo, const std::function<bool()>& basta = nullptr) {
  const auto fin = Reloj::now() + tiempo;
  while (Reloj::now() < fin) {
    tk.ProcesarEventos();
    if (basta && basta()) return;
    std::this_thread::sleep_for(1ms);
  }
}

int Decenas(Reloj::duration d) {
  return static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(d).count() / 10);
}

TEST(TemporizadoresWin32, ALateLookFiresEveryWholeIntervalElapsed) {
  ToolkitWin32 tk;
  int n = 0, huecos = 0;
  const auto inicio = Reloj::now();
  Temporizador t(tk, 10, true);
  t.Timer = [&] { ++n; };
  // A gap timer does not make up what it missed: one firing, not twenty.
  Temporizador hueco(tk, 10, true);
  hueco.recuperarAtrasos = false;
  hueco.Timer = [&] { ++huecos; };
  std::this_thread::sleep_for(205ms);  // the thread busy: no tick is looked at
  Bombear(tk, 500ms, [&] { return n > 0; });
  EXPECT_GE(n, 20);  // counting the messages would give 1
  EXPECT_LE(n, Decenas(Reloj::now() - inicio));
  EXPECT_EQ(huecos, 1);
}

TEST(TemporizadoresWin32, WhilePumpingItCountsTheElapsedTimeInIntervals) {
  ToolkitWin32 tk;
  int n = 0;
  const auto inicio = Reloj::now();
  Temporizador t(tk, 10, true);
  t.Timer = [&] { ++n; };
  Bombear(tk, 300ms);
  const int transcurridas = Decenas(Reloj::now() - inicio);
  EXPECT_LE(n, transcurridas);
  EXPECT_GE(n, transcurridas - 4);  // at most one late system tick short
}

TEST(TemporizadoresWin32, IntervalZeroOrDisabledNeverFires) {
  ToolkitWin32 tk;
  int n = 0;
  Temporizador cero(tk, 0, true);
  Temporizador parado(tk, 10, false);
  cero.Timer = parado.Timer = [&] { ++n; };
  Bombear(tk, 80ms);
  EXPECT_EQ(n, 0);
}

TEST(TemporizadoresWin32, DisablingItInItsHandlerEndsTheCatchUp) {
  ToolkitWin32 tk;
  int n = 0;
  Temporizador t(tk, 10, true);
  t.Timer = [&] {
    ++n;
    t.SetHabilitado(false);
  };
  std::this_thread::sleep_for(100ms);
  Bombear(tk, 60ms);
  EXPECT_EQ(n, 1);
}

TEST(TemporizadoresWin32, ReprogrammingStartsAFreshCountdown) {
  ToolkitWin32 tk;
  int n = 0;
  Temporizador t(tk, 10, true);
  t.Timer = [&] { ++n; };
  std::this_thread::sleep_for(100ms);
  t.SetIntervalo(40);  // nothing of the 100 ms is owed any more
  Bombear(tk, 20ms);
  EXPECT_EQ(n, 0);
  Bombear(tk, 500ms, [&] { return n > 0; });
  EXPECT_EQ(n, 1);
}

TEST(TemporizadoresWin32, TimeSpentInsideItsOwnHandlerIsNotOwed) {
  ToolkitWin32 tk;
  int n = 0;
  Temporizador t(tk, 10, true);
  t.Timer = [&] {
    if (++n == 1) std::this_thread::sleep_for(150ms);  // as a message box it opened
  };
  Bombear(tk, 500ms, [&] { return n > 0; });
  Bombear(tk, 25ms);
  EXPECT_LE(n, 5);  // not 15 firings at once after the handler
}

TEST(TemporizadoresWin32, SeveralTimersFireInTimeOrderTiesInArmingOrder) {
  ToolkitWin32 tk;
  std::string orden;
  Temporizador a(tk, 30, true);
  Temporizador b(tk, 10, true);
  a.Timer = [&] { orden += 'a'; };
  b.Timer = [&] { orden += 'b'; };
  std::this_thread::sleep_for(65ms);
  Bombear(tk, 500ms, [&] { return !orden.empty(); });
  // b at 10 and 20, a then b at 30, b at 40 and 50, a then b at 60.
  ASSERT_GE(orden.size(), 8u);
  EXPECT_EQ(orden.substr(0, 8), "bbabbbab");
}

}  // namespace
}  // namespace kelu
#endif
