#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "platform/tono.h"

namespace kelu {
namespace {

using Senal = std::vector<int16_t>;

int MayorMuestra(const Senal& s) {
  int mayor = 0;
  for (int16_t x : s) mayor = std::max(mayor, std::abs(static_cast<int>(x)));
  return mayor;
}

int MayorPaso(const Senal& s) {
  int mayor = 0;
  for (size_t i = 1; i < s.size(); ++i) mayor = std::max(mayor, std::abs(s[i] - s[i - 1]));
  return mayor;
}

// Upward zero crossings per second: the frequency of a clean tone.
double Cruces(const Senal& s, int porSegundo) {
  int cruces = 0;
  for (size_t i = 1; i < s.size(); ++i) cruces += s[i - 1] < 0 && s[i] >= 0;
  return static_cast<double>(cruces) * porSegundo / static_cast<double>(s.size());
}

// The peak of each half wave, a sampled view of the envelope.
std::vector<int> Crestas(const Senal& s) {
  std::vector<int> crestas;
  int signo = 0;
  for (int16_t x : s) {
    const int este = (x > 0) - (x < 0);
    if (este != 0 && este != signo) {
      crestas.push_back(0);
      signo = este;
    }
    if (!crestas.empty()) crestas.back() = std::max(crestas.back(), std::abs(static_cast<int>(x)));
  }
  return crestas;
}

TEST(Tono, TheBlocksMakeOneUnbrokenToneAtTheAskedPitchWithSoftEdges) {
  struct Caso {
    int frecuencia, volumen, porSegundo;
  } casos[] = {
      {700, 30, 44100}, {440, 100, 44100}, {300, 70, 48000}, {1000, 100, 22050},
      {555, 55, 44100}, {1234, 100, 8000}, {2000, 5, 44100},  {850, 1, 11025},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(::testing::Message() << c.frecuencia << " Hz, volume " << c.volumen << ", " << c.porSegundo << "/s");
    const BloquesTono b = GenerarTono(c.frecuencia, c.volumen, c.porSegundo);
    const int amplitud = Amplitud(c.volumen);

    // About a second of the loop, as a held button plays it.
    Senal bucle;
    while (bucle.size() < static_cast<size_t>(c.porSegundo)) bucle.insert(bucle.end(), b.sostenido.begin(), b.sostenido.end());
    EXPECT_NEAR(Cruces(bucle, c.porSegundo), c.frecuencia, c.frecuencia * 0.01);
    EXPECT_NEAR(b.frecuencia, c.frecuencia, c.frecuencia * 0.01);
    const double duracion = static_cast<double>(b.sostenido.size()) / c.porSegundo;
    EXPECT_GE(duracion, 0.010);
    EXPECT_LE(duracion, 0.020);

    // No seam anywhere: attack, steady, steady, release never step further
    // than the steady wave does by itself.
    Senal todo = b.ataque;
    for (int vez = 0; vez < 2; ++vez) todo.insert(todo.end(), b.sostenido.begin(), b.sostenido.end());
    todo.insert(todo.end(), b.caida.begin(), b.caida.end());
    EXPECT_LE(MayorPaso(todo), MayorPaso(b.sostenido));
    EXPECT_LE(MayorMuestra(todo), amplitud);
    EXPECT_GE(MayorMuestra(b.sostenido), amplitud * 0.95);

    // The attack rises from silence and the release falls into it, half
    // wave by half wave; sampling lets a peak of a steady wave dip slightly.
    const double holgura = std::cos(3.14159265358979 * c.frecuencia / c.porSegundo);
    const std::vector<int> sube = Crestas(b.ataque), baja = Crestas(b.caida);
    ASSERT_GE(sube.size(), 2u);
    ASSERT_GE(baja.size(), 2u);
    EXPECT_EQ(b.ataque.front(), 0);
    EXPECT_EQ(b.caida.back(), 0);
    EXPECT_LE(sube.front(), amplitud / 2);
    EXPECT_LE(baja.back(), amplitud / 2);
    for (size_t i = 1; i < sube.size(); ++i) EXPECT_GE(sube[i], sube[i - 1] * holgura - 1) << "attack, half wave " << i;
    for (size_t i = 1; i < baja.size(); ++i) EXPECT_LE(baja[i], baja[i - 1] / holgura + 1) << "release, half wave " << i;
  }
}

TEST(Tono, VolumeAndCues) {
  // The lowest setting must still be heard; the highest stays near half scale.
  EXPECT_GE(Amplitud(1), 32767 / 100);
  EXPECT_LE(Amplitud(100), 32767 * 6 / 10);
  EXPECT_GE(Amplitud(100), 32767 * 4 / 10);
  for (int v = 1; v <= 100; ++v) EXPECT_GT(Amplitud(v), Amplitud(v - 1)) << v;

  struct Caso {
    AvisoSonoro aviso;
    double duracionMinima, duracionMaxima;  // s
    double tonoMinimo, tonoMaximo;          // Hz, from the zero crossings
  } casos[] = {
      {AvisoSonoro::Letra, 0.020, 0.030, 1000, 4000},
      {AvisoSonoro::Descartada, 0.120, 0.200, 150, 500},
  };
  for (const Caso& c : casos) {
    for (int volumen : {0, 1, 30, 100}) {
      SCOPED_TRACE(::testing::Message() << (c.aviso == AvisoSonoro::Letra ? "letter" : "dropped") << ", volume " << volumen);
      const Senal s = GenerarAviso(c.aviso, volumen, 44100);
      ASSERT_FALSE(s.empty());
      EXPECT_GE(s.size() / 44100.0, c.duracionMinima);
      EXPECT_LE(s.size() / 44100.0, c.duracionMaxima);
      EXPECT_EQ(s.front(), 0);
      EXPECT_EQ(s.back(), 0);
      EXPECT_LE(MayorMuestra(s), Amplitud(volumen));
      if (volumen == 0) continue;
      EXPECT_GE(Cruces(s, 44100), c.tonoMinimo);
      EXPECT_LE(Cruces(s, 44100), c.tonoMaximo);
    }
  }

  const BloquesTono mudo = GenerarTono(700, 0);
  EXPECT_EQ(MayorMuestra(mudo.ataque) + MayorMuestra(mudo.sostenido) + MayorMuestra(mudo.caida), 0);
}

}  // namespace
}  // namespace kelu
