#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "keying/ritmo.h"
#include "platform/archivos.h"
#include "tests/archivos_prueba.h"

namespace kelu {
namespace {

// One letter as keyed: press, silence, press, ... in ms, and what it gives.
struct Letra {
  std::vector<int> ms;
  std::string texto;
  bool finDePalabra = false;  // a space went out before this letter
};

// What the presses gave, in order, as read at the letter close.
std::string Teclear(Ritmo& r, const Letra& l) {
  if (l.finDePalabra) r.FinDePalabra();
  std::string simbolos;
  for (size_t i = 0; i < l.ms.size(); ++i) {
    if (i % 2) r.Silencio(l.ms[i]);
    else if (const char s = r.Pulsacion(l.ms[i] / 10)) simbolos += s;
  }
  simbolos = r.Releer(simbolos);
  r.FinDeLetra(l.texto);
  return simbolos;
}

Ritmo Nuevo(const Configuracion& c = ConfiguracionPredeterminada()) {
  Ritmo r;
  r.Empezar(c);
  return r;
}

// How far each estimate moved, as |log(after / before)|.
double Movido(double antes, double despues) { return std::abs(std::log(despues / antes)); }

}  // namespace

TEST(Ritmo, PausesAndSpasmsMoveNoEstimateMoreThanOneStep) {
  const double kPaso = std::log(1.15) + 1e-9;
  struct Caso {
    const char* que;
    int16_t punto, raya;  // the settings, cs
    Letra letra;
    bool mueve;
  };
  const int cierre = Nuevo().CierreLetra();
  const Caso casos[] = {
      {"a 20 s pause inside a letter", 25, 75, {{250, 20000, 250}, "i"}, false},
      {"a pause just as long as the letter close", 25, 75, {{250, cierre, 250}, "i"}, false},
      {"a 3 s spasm beyond the dash band", 25, 75, {{3000}, "t"}, false},
      {"a 3 s spasm inside a 1.2 s dash's band", 40, 120, {{2990}, "t"}, true},
      {"five spasm-long dashes in one letter", 40, 120, {{2990, 300, 2990, 300, 2990, 300, 2990, 300, 2990}, "0"}, true},
      {"a 50 ms bounce between two dots", 25, 75, {{250, 50, 250}, "i"}, false},
      {"five 110 ms dots and quick gaps in one letter", 25, 75, {{110, 250, 110, 250, 110, 250, 110, 250, 110}, "5"}, true},
      {"a 250 ms inner gap, as a control", 25, 75, {{250, 250, 250}, "i"}, true},
  };
  for (const Caso& c : casos) {
    Configuracion ajustes = ConfiguracionPredeterminada();
    ajustes.DuracionPunto = c.punto;
    ajustes.DuracionRaya = c.raya;
    Ritmo r = Nuevo(ajustes);
    const double antes[3] = {r.Punto(), r.Raya(), r.Hueco()};
    Teclear(r, c.letra);
    const double movido[3] = {Movido(antes[0], r.Punto()), Movido(antes[1], r.Raya()), Movido(antes[2], r.Hueco())};
    for (double m : movido) EXPECT_LE(m, kPaso) << c.que;
    EXPECT_EQ(std::max({movido[0], movido[1], movido[2]}) > 1e-9, c.mueve) << c.que;
  }
}

// Keyed ever further one way, each estimate stops where its bound is: a
// quarter to four times the settings, dash 2 to 5 dots, and no close under
// the shortest dot the person set (150 ms with the defaults).
TEST(Ritmo, RunawayStopsAtTheBounds) {
  struct Caso {
    const char* que;
    bool puntos, rayas, huecos;  // which to key ever further
    bool masRapido;
    double punto, raya, hueco;   // ms, where they end (hueco 0: not looked at)
    int cierreLetra;             // ms (0: not looked at)
  };
  const double h0 = 2000 / std::sqrt(3.0);  // the letter gap's start
  const Caso casos[] = {
      {"dots ever shorter", true, false, false, true, 62.5, 312.5, 0, 0},
      {"dashes ever longer", false, true, false, false, 250, 1250, 0, 0},
      {"dots and gaps ever shorter", true, false, true, true, 62.5, 312.5, 62.5, 150},
      {"dots and gaps ever longer", true, false, true, false, 1000, 2000, 4 * h0, 8000},
  };
  for (const Caso& c : casos) {
    Ritmo r = Nuevo();
    for (int i = 0; i < 400; ++i) {
      // Just inside what the pace still takes as a dot, a dash, an inner gap.
      const int punto = c.masRapido ? r.BandaPunto().desde + 1 : r.BandaPunto().hasta - 1;
      const int raya = r.BandaRaya().hasta - 1;
      const int hueco = c.masRapido ? static_cast<int>(std::ceil(0.4 * r.Punto())) : r.CierreLetra() - 1;
      Letra l{{}, "x"};
      if (c.puntos) l.ms = {punto * 10};
      if (c.rayas) l.ms = {raya * 10};
      if (c.huecos) l.ms.insert(l.ms.end(), {hueco, punto * 10});
      Teclear(r, l);
    }
    EXPECT_NEAR(r.Punto(), c.punto, c.punto * 0.01) << c.que;
    EXPECT_NEAR(r.Raya(), c.raya, c.raya * 0.01) << c.que;
    if (c.hueco) {
      EXPECT_NEAR(r.Hueco(), c.hueco, c.hueco * 0.01) << c.que;
    }
    if (c.cierreLetra) {
      EXPECT_NEAR(r.CierreLetra(), c.cierreLetra, 1) << c.que;
    }
    EXPECT_GE(r.CierreTemprano(), 150) << c.que;
    EXPECT_GE(r.Raya(), 2 * r.Punto() * 0.999) << c.que;
    EXPECT_LE(r.Raya(), 5 * r.Punto() * 1.001) << c.que;
  }
}

// A hand that slows down until its inner gaps close letters shows no gap
// any more; the pause follows the presses' tempo all the same.
TEST(Ritmo, TheInnerGapFollowsTheTempoWhenItIsNoLongerSeen) {
  Ritmo r;
  r.Empezar(ConfiguracionPredeterminada(), 150, 450, 150);
  for (int i = 0; i < 60; ++i) {
    const int punto = static_cast<int>(std::min(300.0, 150 * std::pow(1.03, i)));
    Teclear(r, i % 2 ? Letra{{punto}, "e"} : Letra{{3 * punto}, "t"});
  }
  EXPECT_GT(r.Hueco(), 250);  // from 150, as the presses doubled
  EXPECT_GT(r.CierreLetra(), 1.5 * 300);
}

TEST(Ritmo, StartsFromTheSettingsOrTheSavedPaceWithinBounds) {
  struct Caso {
    const char* que;
    int16_t raya;
    int guardado[3];
    double punto, raya_, hueco;
  };
  const double h0 = 2000 / std::sqrt(3.0);
  const Caso casos[] = {
      {"the settings", 75, {0, 0, 0}, 250, 750, h0},
      {"a saved pace", 75, {180, 600, 300}, 180, 600, 300},
      {"a saved pace beyond every bound", 75, {10, 30000, 30000}, 62.5, 312.5, 4 * h0},
      {"a dash under two dots", 30, {0, 0, 0}, 250, 500, h0},
      {"a dash over five dots", 200, {0, 0, 0}, 250, 1250, h0},
  };
  for (const Caso& c : casos) {
    Configuracion ajustes = ConfiguracionPredeterminada();
    ajustes.DuracionRaya = c.raya;
    Ritmo r;
    r.Empezar(ajustes, c.guardado[0], c.guardado[1], c.guardado[2]);
    EXPECT_NEAR(r.Punto(), c.punto, 0.01) << c.que;
    EXPECT_NEAR(r.Raya(), c.raya_, 0.01) << c.que;
    EXPECT_NEAR(r.Hueco(), c.hueco, 0.01) << c.que;
  }
}

// A Backspace keyed right after a letter takes back what that letter
// taught: the pace is as if only the letters that stayed had been keyed.
TEST(Ritmo, ABackspaceRightAfterALetterUndoesItsLearning) {
  const Letra t{{1100}, "t"}, e{{180}, "e"}, nada{{180, 200, 1100, 200, 180}, ""};
  const Letra borrar{{200, 200, 200, 200, 200, 200, 200, 200, 200, 200, 200, 200, 200, 200, 200}, "{BACKSPACE}"};
  const Letra bs{borrar.ms, "{bs}"}, trasEspacio{borrar.ms, "{BACKSPACE}", true};
  struct Caso {
    const char* que;
    std::vector<Letra> tecleadas, quedan;
  };
  const Caso casos[] = {
      {"right after", {t, borrar}, {borrar}},
      {"written {bs}", {t, bs}, {bs}},
      {"after a code that gave nothing", {t, nada, borrar}, {borrar}},
      {"another letter between: that one goes", {t, e, borrar}, {t, borrar}},
      {"after a space: nothing to undo", {t, trasEspacio}, {t, borrar}},
      {"twice: the second has nothing left to undo", {t, borrar, borrar}, {borrar, borrar}},
  };
  for (const Caso& c : casos) {
    Ritmo r = Nuevo(), esperado = Nuevo();
    for (const Letra& l : c.tecleadas) Teclear(r, l);
    for (const Letra& l : c.quedan) {
      esperado.FinDePalabra();  // nothing undone there
      Teclear(esperado, l);
    }
    EXPECT_DOUBLE_EQ(r.Punto(), esperado.Punto()) << c.que;
    EXPECT_DOUBLE_EQ(r.Raya(), esperado.Raya()) << c.que;
    EXPECT_DOUBLE_EQ(r.Hueco(), esperado.Hueco()) << c.que;
  }
}

// A hand keying `codigo` exactly: dot `punto` ms, dash `razon` dots, each
// silence inside the letter `hueco` ms.
Letra Mano(std::string_view codigo, double punto, double razon, int hueco, std::string texto = "x") {
  Letra l{{}, std::move(texto)};
  for (char c : codigo) {
    if (!l.ms.empty()) l.ms.push_back(hueco);
    l.ms.push_back(static_cast<int>(c == '-' ? razon * punto : punto));
  }
  return l;
}

// "paris" keyed `veces` letters long by the same hand.
std::vector<Letra> Paris(int veces, double punto, double razon = 3, int hueco = 0) {
  const char* const codigos[] = {".--.", ".-", ".-.", "..", "..."};
  std::vector<Letra> letras;
  for (int i = 0; i < veces; ++i) letras.push_back(Mano(codigos[i % 5], punto, razon, hueco ? hueco : static_cast<int>(punto)));
  return letras;
}

std::vector<Letra> Y(std::vector<Letra> a, const std::vector<Letra>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// From the settings (dot 250, dash 750, letters closed after 2 s), nothing
// learned: a hand far from them is followed within a few letters, and the
// safeties hold all along.
TEST(Ritmo, FromTheSettingsAFarHandIsReachedWithinAFewLettersAndTheSafetiesHold) {
  const Letra retroceso = Mano("......", 150, 3, 150, "{BACKSPACE}");
  Letra retrocesoTrasEspacio = retroceso;  // with nothing to undo
  retrocesoTrasEspacio.finDePalabra = true;
  struct Caso {
    const char* que;
    std::vector<Letra> letras;
    double punto = 0, raya = 0, hueco = 0;  // ms where they end, within `tolerancia` (0: not looked at)
    double tolerancia = 0.1;
    int cierreDesde = 0, cierreHasta = 0;  // ms: the letter close ends between them (0: not looked at)
    std::string ultima;            // what the last letter's presses gave (empty: not looked at)
    std::vector<Letra> igualQue;   // when not empty: the pace ends as keying these leaves it
  };
  const Caso casos[] = {
      // Ten letters on, dot and dash are near the hand's and letters close
      // after its inner gap and before its letter gap (three dots).
      {"a hand at 0.6 times the dot", Paris(10, 150), 150, 450, 0, 0.2, 150, 450, "", {}},
      {"a hand at 1.6 times the dot", Paris(10, 400), 400, 1200, 0, 0.2, 400, 1200, "", {}},
      {"a dash 2.4 times the dots of late, under the threshold still",
       {Mano(".", 150, 3, 150), Mano(".-", 150, 2.5, 150)}, 0, 0, 0, 0, 0, 0, ".-", {}},
      {"under the threshold but close to a dash of its own letter", {Letra{{450, 150, 400}, "m"}}, 0, 0, 0, 0, 0, 0, "--", {}},
      {"over the threshold but close to a dot of its own letter", {Letra{{420, 400, 460}, "i"}}, 0, 0, 0, 0, 0, 0, "..", {}},
      // The first letter of all, on one side of the threshold, is read at
      // its close by its own inner gap.
      {"a fast hand's first dashes, three of its inner gaps", {Letra{{400, 150, 380}, "m"}}, 0, 0, 0, 0, 0, 0, "--", {}},
      {"a slow hand's first dots, one of its inner gaps", {Letra{{460, 420, 480}, "i"}}, 0, 0, 0, 0, 0, 0, "..", {}},
      {"dashes of eight dots: the dash stops at five", Paris(12, 150, 8), 150, 750, 0, 0.1, 0, 0, "", {}},
      {"one fast letter after the settings' own pace: one step", Y(Paris(10, 250), {Mano(".-", 150, 3, 150)}), 250, 750,
       0, 0.15, 0, 0, "", {}},
      {"a 20 s pause inside a letter teaches as a bounce does", Y(Paris(6, 150), {Letra{{150, 20000, 150}, "i"}}), 0, 0,
       0, 0, 0, 0, "", Y(Paris(6, 150), {Letra{{150, 10, 150}, "i"}})},
      {"a 3 s spasm teaches nothing", Y(Paris(6, 150), {Letra{{3000}, "t"}}), 0, 0, 0, 0, 0, 0, "",
       Paris(6, 150)},
      {"a Backspace undoes a far letter, what it rested on too", Y(Paris(3, 150), {Mano("-.-", 150, 3, 150), retroceso}),
       0, 0, 0, 0, 0, 0, "", Y(Paris(3, 150), {retrocesoTrasEspacio})},
  };
  for (const Caso& c : casos) {
    Ritmo r = Nuevo();
    std::string ultima;
    for (const Letra& l : c.letras) ultima = Teclear(r, l);
    if (c.punto) {
      EXPECT_NEAR(r.Punto(), c.punto, c.punto * c.tolerancia) << c.que;
    }
    if (c.raya) {
      EXPECT_NEAR(r.Raya(), c.raya, c.raya * c.tolerancia) << c.que;
    }
    if (c.hueco) {
      EXPECT_NEAR(r.Hueco(), c.hueco, c.hueco * c.tolerancia) << c.que;
    }
    if (c.cierreHasta) {
      EXPECT_GT(r.CierreLetra(), c.cierreDesde) << c.que;
      EXPECT_LT(r.CierreLetra(), c.cierreHasta) << c.que;
    }
    if (!c.ultima.empty()) {
      EXPECT_EQ(ultima, c.ultima) << c.que;
    }
    if (!c.igualQue.empty()) {
      Ritmo esperado = Nuevo();
      for (const Letra& l : c.igualQue) Teclear(esperado, l);
      EXPECT_DOUBLE_EQ(r.Punto(), esperado.Punto()) << c.que;
      EXPECT_DOUBLE_EQ(r.Raya(), esperado.Raya()) << c.que;
      EXPECT_DOUBLE_EQ(r.Hueco(), esperado.Hueco()) << c.que;
    }
    EXPECT_GE(r.Raya(), 2 * r.Punto() * 0.999) << c.que;
    EXPECT_LE(r.Raya(), 5 * r.Punto() * 1.001) << c.que;
  }
}

// The codes of each shipped file that no entry extends, by their texts.
TEST(Ritmo, CodesNoEntryExtendsInTheShippedFiles) {
  struct Caso {
    const char* archivo;
    std::string hojas;
  };
  const Caso casos[] = {
      {"morse_fijo", "c f l p q y 0 1 2 3 4 5 6 7 8 9 . , ? /"},
      {"Morse ampliado",
       "0 2 3 4 9 . , ? ' ! / {)} & : ; = - _ \" $ @ ñ é ú ¿ ¡ {BACKSPACE} {TAB} {REPETIR} {PALABRA2} {PALABRA3}"},
  };
  for (const Caso& c : casos) {
    TablaCodigo tabla;
    std::string codigo = c.archivo;
    CargarCodigo(tabla, codigo, ArchivosDelSistema(), prueba::CarpetaDatos());
    ASSERT_EQ(codigo, c.archivo);
    std::string hojas;
    for (const EntradaCodigo& e : tabla.entradas)
      if (NadaLaExtiende(tabla, e.Secuencia)) hojas += (hojas.empty() ? "" : " ") + e.Texto;
    EXPECT_EQ(hojas, c.hojas) << c.archivo;
    // Beyond the entries: a code that leads nowhere, one still on its way,
    // nothing pending, the word separator.
    EXPECT_TRUE(NadaLaExtiende(tabla, ".........-"));
    EXPECT_FALSE(NadaLaExtiende(tabla, "...."));
    EXPECT_FALSE(NadaLaExtiende(tabla, ""));
    EXPECT_FALSE(NadaLaExtiende(tabla, kSeparadorPalabra));
  }
}

}  // namespace kelu
