#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "keying/motor_pulsaciones.h"
#include "platform/archivos.h"
#include "platform/headless/toolkit_headless.h"
#include "tests/archivos_prueba.h"

namespace kelu {

// What the engine tells its owner, kept as the owner would hear it.
struct Oido : SalidaMotor {
  int letras = 0, palabras = 0, largas = 0;
  std::vector<bool> pausas;
  std::optional<RitmoGuardado> ritmo;
  // The letter's receiver, when a test needs one.
  std::function<void(const std::string& codigo)> alCerrar;

  void LetraCerrada(const std::string& codigo) override {
    ++letras;
    if (alCerrar) alCerrar(codigo);
  }
  void HuecoDePalabra() override { ++palabras; }
  void PulsacionLarga() override { ++largas; }
  void PausaCambiada(bool enPausa) override { pausas.push_back(enPausa); }
  void RitmoAprendido(const RitmoGuardado& r) override { ritmo = r; }
};

class Motor : public ::testing::Test {
 protected:
  Motor() { motor.AplicarIntervalos(); }
  // A press held for `ticks` firings of the 10 ms timer.
  void Pulsar(int ticks) {
    kit.BotonAbajo(ventana);
    kit.Avanzar(ticks * 10 + 5);
    kit.BotonArriba(ventana);
  }
  std::string Clasificar(int ticks) {
    motor.BorrarCodigo();
    Pulsar(ticks);
    return motor.CodigoActual();
  }

  ToolkitHeadless kit;
  Configuracion configuracion = ConfiguracionPredeterminada();
  TablaCodigo tabla = TablaDeTexto("x:3\r\n.-:a\r\n...:s\r\n.:e\r\n");
  Ventana ventana{kit, "frmKelu", "KELU", 8880, 1335};
  Oido oido;
  MotorPulsaciones motor{kit, configuracion, tabla, &oido};
  int& letras = oido.letras;
  int& palabras = oido.palabras;

  void SetUp() override {
    kit.CapturarClics(ventana, [this] { motor.BotonAbajo(); }, [this] { motor.BotonArriba(); });
  }
};

TEST_F(Motor, DefaultBandsExcludeTheirBounds) {
  const std::pair<int, std::string> casos[] = {{15, ""}, {16, "."},  {34, "."}, {35, ""},
                                               {36, "-"}, {114, "-"}, {115, ""}};
  for (const auto& [ticks, codigo] : casos) EXPECT_EQ(Clasificar(ticks), codigo) << ticks << " ticks";
  EXPECT_EQ(motor.Estado().cuenta, 115);  // kept after the release
}

TEST_F(Motor, SymbolsAppendUntilTheLetterGapCloses) {
  Pulsar(25);
  kit.Avanzar(500);
  Pulsar(75);
  EXPECT_EQ(motor.CodigoActual(), ".-");
  EXPECT_EQ(letras, 0);
  kit.Avanzar(1990);
  EXPECT_EQ(letras, 0);
  kit.Avanzar(20);  // 2 s after the last release
  EXPECT_EQ(letras, 1);
  kit.Avanzar(2000);
  EXPECT_EQ(letras, 2);  // the gap keeps firing: it does not stop itself
}

TEST_F(Motor, APressOutsideBothBandsStillRestartsTheGap) {
  Pulsar(25);
  kit.Avanzar(1500);
  Pulsar(5);  // too short for anything
  EXPECT_EQ(motor.CodigoActual(), ".");
  kit.Avanzar(1900);
  EXPECT_EQ(letras, 0);
  kit.Avanzar(200);
  EXPECT_EQ(letras, 1);
}

// With prediction on, a press held from the dash band's end for half as
// long again, with nothing pending, chooses: no symbol, and no gap runs after
// it. Anything else, a spasm too, is read as it always was.
TEST_F(Motor, APressPastTheDashBandChoosesOnlyWithPredictionAndNothingPending) {
  struct Caso {
    bool prediccion;
    int puntosAntes, ticks;
    int largas;
    std::string codigo;
    int letras;  // closings 2.5 s later
    bool elige = true;  // the long press is on
  };
  const Caso casos[] = {
      {true, 0, 115, 1, "", 0},   {true, 0, 154, 1, "", 0},
      {true, 0, 155, 0, "", 1},   {true, 0, 400, 0, "", 1},  // a spasm chooses nothing
      {true, 0, 114, 0, "-", 1},  {true, 1, 115, 0, ".", 1},
      {false, 0, 115, 0, "", 1},  {true, 0, 115, 0, "", 1, false},
  };
  for (const Caso& c : casos) {
    Ayudas a;
    a.Prediccion = c.prediccion;
    a.PulsacionLargaElige = c.elige;
    motor.AplicarAyudas(a);
    motor.BorrarCodigo();
    kit.Avanzar(5000);
    oido = Oido{};
    for (int i = 0; i < c.puntosAntes; ++i) {
      Pulsar(25);
      kit.Avanzar(300);
    }
    EXPECT_EQ(motor.Estado().pulsacionLarga, c.prediccion && c.elige && c.puntosAntes == 0);
    Pulsar(c.ticks);
    EXPECT_EQ(oido.largas, c.largas) << c.ticks << " ticks";
    EXPECT_EQ(motor.CodigoActual(), c.codigo) << c.ticks << " ticks";
    kit.Avanzar(2500);
    EXPECT_EQ(oido.letras, c.letras) << c.ticks << " ticks";
  }
}

TEST_F(Motor, HoldingLongerThan320SecondsSaturatesTheCounter) {
  kit.BotonAbajo(ventana);
  kit.Avanzar(400000);
  EXPECT_EQ(motor.Estado().cuenta, 32000);
  kit.BotonArriba(ventana);
  EXPECT_EQ(motor.Estado().cuenta, 32000);
}

// A busy machine handles a press or its release late; the press is timed
// by when they happened. Default bands: dot 16-34 ticks, dash 36-114.
TEST_F(Motor, APressHandledLateCountsAsLongAsItWasHeld) {
  struct Caso {
    int tardeAbajo, ms, tardeArriba;  // ms: lateness of the down, ticks seen, lateness of the up
    int cuenta;
    const char* codigo;
  };
  const Caso casos[] = {
      {0, 250, 0, 25, "."},      // on time: the ticks
      {200, 100, 0, 30, "."},    // down late: 10 ticks seen of a 300 ms dot
      {0, 450, 200, 25, "."},    // up late: 45 ticks seen of a 250 ms dot
      {0, 250, 20, 25, "."},     // within three ticks the ticks stand
      {600, 100, 0, 70, "-"},    // a dash whose down was handled 600 ms late
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.tardeAbajo * 10000 + c.tardeArriba);
    motor.BorrarCodigo();
    kit.retrasoEntrada = c.tardeAbajo;
    kit.BotonAbajo(ventana);
    kit.retrasoEntrada = 0;
    kit.Avanzar(c.ms + 5);
    kit.retrasoEntrada = c.tardeArriba;
    kit.BotonArriba(ventana);
    kit.retrasoEntrada = 0;
    EXPECT_EQ(motor.Estado().cuenta, c.cuenta);
    EXPECT_EQ(motor.CodigoActual(), c.codigo);
    kit.Avanzar(3000);
  }
}

TEST_F(Motor, OverlappingBandsGiveADotThenADash) {
  configuracion.DuracionRaya = 40;
  configuracion.ToleranciaRaya = 10;  // 31..49 overlaps 16..34
  EXPECT_EQ(Clasificar(32), ".-");
  // Bounds far beyond 16 bits classify by the real numbers, not not at all.
  configuracion.DuracionRaya = 32000;
  configuracion.ToleranciaRaya = 32000;
  EXPECT_EQ(Clasificar(40), "-");
}

TEST_F(Motor, GapIntervalsUseTheLowerEdgeAndKeepTheOldOneOnOverflow) {
  Configuracion& c = configuracion;
  c.TiempoEntreLetras = 50;
  c.ToleranciaEntreLetras = 20;
  c.TiempoEntrePalabras = 3276;
  motor.AplicarIntervalos();
  EXPECT_EQ(motor.Estado().letra.intervaloMs, 300);
  EXPECT_EQ(motor.Estado().palabra.intervaloMs, 32760);

  c.TiempoEntreLetras = 3277;     // 32770 ms overflows
  c.TiempoEntrePalabras = 10;
  c.ToleranciaEntrePalabras = 20;  // negative
  motor.AplicarIntervalos();
  EXPECT_EQ(motor.Estado().letra.intervaloMs, 300);
  EXPECT_EQ(motor.Estado().palabra.intervaloMs, 32760);

  c.TiempoEntreLetras = c.ToleranciaEntreLetras = 40;  // interval 0: never closes
  motor.AplicarIntervalos();
  Pulsar(25);
  kit.Avanzar(60000);
  EXPECT_EQ(letras, 0);
}

TEST_F(Motor, GapsRunFromTheStartAndAWordGapRepeats) {
  configuracion.TiempoEntrePalabras = 150;
  motor.AplicarIntervalos();
  kit.Avanzar(4600);
  EXPECT_EQ(palabras, 3);  // one per 1.5 s with no press at all
  EXPECT_EQ(letras, 2);
  kit.BotonAbajo(ventana);
  kit.Avanzar(10000);  // held: both gaps stand still
  EXPECT_EQ(palabras, 3);
  EXPECT_EQ(letras, 2);
}

TEST_F(Motor, SuspensionStopsEverythingAndResumingStartsGapsAfresh) {
  Pulsar(25);
  kit.Avanzar(1500);
  motor.SuspenderTemporizadores();
  const EstadoMotor suspendido = motor.Estado();
  EXPECT_FALSE(suspendido.letra.enMarcha || suspendido.palabra.enMarcha || suspendido.presionado);
  kit.Avanzar(60000);
  EXPECT_EQ(letras, 0);
  motor.ReanudarTemporizadores();
  EXPECT_TRUE(motor.Estado().letra.enMarcha);  // as it was when suspended
  EXPECT_FALSE(motor.BotonPresionado());
  kit.Avanzar(1990);
  EXPECT_EQ(letras, 0);  // the half-elapsed gap started over
  kit.Avanzar(20);
  EXPECT_EQ(letras, 1);
  EXPECT_EQ(motor.CodigoActual(), ".");
}

// A hand that speeds up letter by letter: the dot from 300 to 150 ms, dashes
// of three dots, inner gaps of one, 2.2 s between letters (the letter gap
// is 2 s). Returns what the letter gaps typed.
std::string TeclearAcelerando(ToolkitHeadless& kit, Ventana& ventana, MotorPulsaciones& motor, Oido& oido,
                              const TablaCodigo& tabla, const std::string& texto) {
  std::string escrito;
  oido.alCerrar = [&](const std::string& codigo) {
    const std::string letra = TextoDeCodigo(tabla, codigo);
    escrito += letra == "{ESPACIO}" ? " " : letra;
    motor.BorrarCodigo();
  };
  for (size_t i = 0; i < texto.size(); ++i) {
    const std::string letra = texto[i] == ' ' ? "{ESPACIO}" : std::string(1, texto[i]);
    std::string codigo;
    for (const EntradaCodigo& e : tabla.entradas)
      if (e.Texto == letra && codigo.empty()) codigo = e.Secuencia;
    const int punto = 300 - static_cast<int>(150 * i / (texto.size() - 1));
    for (size_t j = 0; j < codigo.size(); ++j) {
      if (j) kit.Avanzar(punto);
      kit.BotonAbajo(ventana);
      kit.Avanzar(codigo[j] == '.' ? punto : 3 * punto);
      kit.BotonArriba(ventana);
    }
    kit.Avanzar(2200);
  }
  return escrito;
}

TEST_F(Motor, PressesThatSpeedUpDecodeOnlyWhenThePaceIsFollowed) {
  std::string codigo = "Morse ampliado";
  CargarCodigo(tabla, codigo, ArchivosDelSistema(), prueba::CarpetaDatos());
  const std::string texto = "sal de esa isla";
  for (bool seguir : {false, true}) {
    Ayudas ayudas;
    ayudas.SeguirRitmo = seguir;
    motor.AplicarAyudas(ayudas);
    const std::string escrito = TeclearAcelerando(kit, ventana, motor, oido, tabla, texto);
    EXPECT_EQ(escrito == texto, seguir) << escrito;
    EXPECT_EQ(palabras, 0) << "no word gap in the settings: no space the person did not key";
  }
}

// The pace learned is told to be saved in the aids; zeros there ("back to
// my settings") or new times in the settings start it again from the
// settings, and new times tell zeros to be saved.
TEST_F(Motor, TheLearnedPaceIsToldAndStartsAgainFromTheSettings) {
  std::string codigo = "Morse ampliado";
  CargarCodigo(tabla, codigo, ArchivosDelSistema(), prueba::CarpetaDatos());
  // What the owner does with the pace it is told.
  auto Guardar = [&](Ayudas& a) {
    ASSERT_TRUE(oido.ritmo);
    a.RitmoPunto = oido.ritmo->punto;
    a.RitmoRaya = oido.ritmo->raya;
    a.RitmoHueco = oido.ritmo->hueco;
  };
  Ayudas ayudas;
  ayudas.SeguirRitmo = true;
  motor.AplicarAyudas(ayudas);
  const BandaPulsacion punto = motor.Estado().punto;
  EXPECT_EQ(TeclearAcelerando(kit, ventana, motor, oido, tabla, "eso es"), "eso es");
  Guardar(ayudas);
  EXPECT_GT(ayudas.RitmoPunto, 150);
  EXPECT_LT(ayudas.RitmoPunto, 230);
  EXPECT_GT(ayudas.RitmoHueco, 150);
  EXPECT_LT(ayudas.RitmoHueco, 1000);  // from 2 s / sqrt(3)
  EXPECT_NE(motor.Estado().punto, punto);

  Ayudas copia = ayudas;  // the options dialog's OK puts its copy in force
  motor.AplicarAyudas(copia);
  EXPECT_NE(motor.Estado().punto, punto) << "the same pace kept";

  copia.RitmoPunto = copia.RitmoRaya = copia.RitmoHueco = 0;
  motor.AplicarAyudas(copia);
  EXPECT_EQ(motor.Estado().punto, punto);
  EXPECT_EQ(motor.Estado().letra.intervaloMs, 2000);

  TeclearAcelerando(kit, ventana, motor, oido, tabla, "eso");
  Guardar(copia);
  EXPECT_GT(copia.RitmoPunto, 0);
  configuracion.DuracionPunto = 30;
  motor.AplicarAyudas(copia);
  EXPECT_EQ(oido.ritmo, RitmoGuardado{});
  // As an engine that never learned anything starts from the new times.
  MotorPulsaciones nuevo{kit, configuracion, tabla};
  Ayudas desdeAjustes;
  desdeAjustes.SeguirRitmo = true;
  nuevo.AplicarAyudas(desdeAjustes);
  EXPECT_EQ(motor.Estado().punto, nuevo.Estado().punto);
  EXPECT_EQ(motor.Estado().raya, nuevo.Estado().raya);
}

// A code no entry extends closes after 1.2 inner gaps (one dot with fixed
// timing, 250 ms); any other waits the letter gap, as does every code with
// the aid off.
TEST_F(Motor, ACodeNoEntryExtendsClosesSoonerOnlyWithThatAid) {
  std::string codigo = "Morse ampliado";
  CargarCodigo(tabla, codigo, ArchivosDelSistema(), prueba::CarpetaDatos());
  struct Caso {
    bool seguir, antes;
    std::string codigo;
    int cierreMs;
  };
  const Caso casos[] = {
      {false, false, "-----", 2000},     {false, true, "-----", 300},  {false, true, ".-", 2000},
      {false, true, ".........-", 300},  // leads nowhere: dropped sooner
      {true, false, "-----", 2000},      {true, true, "-----", 1386},  // 1.2 x 2 s / sqrt(3)
      {true, true, ".-", 2000},
  };
  for (const Caso& c : casos) {
    Ayudas ayudas;
    ayudas.SeguirRitmo = c.seguir;
    ayudas.LetrasAntes = c.antes;
    motor.AplicarAyudas(ayudas);
    motor.BorrarCodigo();
    for (char s : c.codigo) {
      Pulsar(s == '.' ? 25 : 75);
      kit.Avanzar(250);
    }
    const int antes = letras;
    kit.Avanzar(c.cierreMs - 250 - 10);
    EXPECT_EQ(letras, antes) << c.codigo << " seguir " << c.seguir << " antes " << c.antes;
    kit.Avanzar(20);
    EXPECT_EQ(letras, antes + 1) << c.codigo << " seguir " << c.seguir << " antes " << c.antes;
  }
}

// The tremor filter at its edges. A press it ignores leaves no symbol and the
// letter gap closes 2 s after the dot as if it had never happened; one it
// lets through restarts the gap from its own release.
TEST_F(Motor, TheTremorFilterIgnoresShortPressesAndPressesInTheSettleTime) {
  struct Caso {
    int minima, espera;  // ms
    int tras, ms;        // the second press: ms after the dot's release, and held
    bool cuenta;
    const char* codigo;
  };
  const Caso casos[] = {
      {0, 0, 500, 10, true, "."},   // both off: every press restarts the gap
      {20, 0, 500, 19, false, "."}, {20, 0, 500, 20, true, "."},  {20, 0, 500, 21, true, "."},
      {20, 0, 500, 250, true, ".."}, {0, 300, 299, 250, false, "."}, {0, 300, 301, 250, true, ".."},
  };
  for (const Caso& c : casos) {
    Ayudas a;
    a.PulsacionMinima = c.minima;
    a.EsperaTrasSoltar = c.espera;
    motor.AplicarAyudas(a);
    motor.BorrarCodigo();
    Pulsar(25);
    const int antes = letras;
    kit.Avanzar(c.tras);
    kit.BotonAbajo(ventana);
    kit.Avanzar(c.ms);
    kit.BotonArriba(ventana);
    EXPECT_EQ(motor.CodigoActual(), c.codigo) << c.minima << "/" << c.espera << " " << c.tras << "+" << c.ms;
    kit.Avanzar(2000 - c.tras - c.ms + 5);  // just past 2 s after the dot
    EXPECT_EQ(letras - antes, c.cuenta ? 0 : 1) << c.minima << "/" << c.espera << " " << c.tras << "+" << c.ms;
    kit.Avanzar(c.tras + c.ms);  // just past 2 s after the second press
    EXPECT_EQ(letras - antes, 1) << c.minima << "/" << c.espera << " " << c.tras << "+" << c.ms;
    kit.Avanzar(3000);
  }
}

// A long hold pauses at the moment it passes the time and drops the pending
// code; paused, presses key nothing and run no gap, until another such hold.
TEST_F(Motor, ALongHoldPausesAndAnotherResumes) {
  Ayudas a;
  a.PausaPorPulsacion = 1000;  // a dash's length: its release must add nothing
  motor.AplicarAyudas(a);
  const std::vector<bool>& cambios = oido.pausas;
  auto Mantener = [&](bool pausa) {
    kit.BotonAbajo(ventana);
    kit.Avanzar(995);
    EXPECT_EQ(motor.EnPausa(), !pausa);
    kit.Avanzar(10);
    EXPECT_EQ(motor.EnPausa(), pausa);  // before the release
    kit.Avanzar(95);
    kit.BotonArriba(ventana);
    EXPECT_EQ(motor.CodigoActual(), "");
    EXPECT_FALSE(motor.Estado().letra.enMarcha || motor.Estado().palabra.enMarcha);
  };
  Pulsar(25);
  Mantener(true);
  EXPECT_EQ(cambios, std::vector<bool>{true});
  for (int ticks : {25, 75, 25}) Pulsar(ticks);
  kit.Avanzar(10000);
  EXPECT_EQ(motor.CodigoActual(), "");
  EXPECT_EQ(letras + palabras, 0);
  Mantener(false);
  EXPECT_EQ(cambios, (std::vector<bool>{true, false}));
  Pulsar(25);
  EXPECT_EQ(motor.CodigoActual(), ".");
  kit.Avanzar(2010);
  EXPECT_EQ(letras, 1);
}

}  // namespace kelu
