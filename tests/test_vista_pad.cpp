#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "keying/motor_pulsaciones.h"
#include "keying/vista_pad.h"
#include "platform/archivos.h"
#include "platform/headless/toolkit_headless.h"
#include "tests/archivos_prueba.h"
#include "window/dibujo_pad.h"

namespace kelu {

// The engine with the shipped code file and Spanish texts, on the manual clock.
class Vista : public ::testing::Test {
 protected:
  Vista() {
    std::string codigo = "Morse ampliado";
    CargarCodigo(tabla, codigo, ArchivosDelSistema(), prueba::CarpetaDatos());
    CargarIdioma(idioma, ArchivosDelSistema(), UnirRuta(prueba::CarpetaDatos(), "Español.lng"));
    motor.AplicarIntervalos();
    kit.CapturarClics(ventana, [this] { motor.BotonAbajo(); }, [this] { motor.BotonArriba(); });
  }
  VistaPad Ver() const { return DescribirPad(motor.Estado(), tabla, idioma); }
  // As the pad would be with `codigo` pending.
  VistaPad VerCon(const std::string& codigo) const {
    EstadoMotor e = motor.Estado();
    e.codigo = codigo;
    return DescribirPad(e, tabla, idioma);
  }

  ToolkitHeadless kit;
  Configuracion configuracion = ConfiguracionPredeterminada();
  TablaCodigo tabla;
  TextosIdioma idioma;
  Ventana ventana{kit, "frmKelu", "KELU", 8880, 1335};
  MotorPulsaciones motor{kit, configuracion, tabla};
};

// What the meter promises while the button is held is what the release
// then adds, at the band edges too, by the settings or by the pace.
TEST_F(Vista, TheMeterPromisesWhatTheReleaseGives) {
  struct Caso {
    bool seguirRitmo;
    int ms;
    std::string esperado;
  };
  const Caso casos[] = {{false, 100, ""},  {false, 150, ""},  {false, 160, "."},  {false, 340, "."},
                        {false, 350, ""},  {false, 360, "-"}, {false, 1140, "-"}, {false, 1150, ""},
                        {false, 1200, ""},
                        // From 0.4 dots to the geometric mean of dot and dash (433 ms), then to 2.5 dashes.
                        {true, 90, ""},    {true, 100, "."},  {true, 430, "."},   {true, 440, "-"},
                        {true, 1870, "-"}, {true, 1880, ""}};
  Ayudas ayudas;
  for (const auto& [seguirRitmo, ms, esperado] : casos) {
    ayudas.SeguirRitmo = seguirRitmo;
    motor.AplicarAyudas(ayudas);
    motor.BorrarCodigo();
    kit.BotonAbajo(ventana);
    kit.Avanzar(ms);
    const VistaPad v = Ver();
    EXPECT_TRUE(v.medidor.activo);
    EXPECT_EQ(v.medidor.cuenta, ms / 10);
    EXPECT_GT(v.medidor.escala, v.medidor.raya.hasta) << "the meter shows beyond the dash band";
    const std::string prometido = std::string(v.medidor.daPunto ? "." : "") + (v.medidor.daRaya ? "-" : "");
    kit.BotonArriba(ventana);
    EXPECT_EQ(prometido, esperado) << ms << " ms";
    EXPECT_EQ(motor.CodigoActual(), esperado) << ms << " ms";
    EXPECT_FALSE(Ver().medidor.activo);
  }
}

TEST_F(Vista, TheChartFollowsTheLoadedTable) {
  struct Caso {
    std::string codigo, texto, conPunto, conRaya;
    bool sinSalida;
    std::string enTabla;  // one entry further away that the chart holds
  };
  const Caso casos[] = {
      {".", "e", "i", "a", false, "s"},
      {".-", "a", "r", "w", false, "{ENTER}"},
      {"..--", "ü", "espacio", "2", false, "?"},  // key names shown readably
      {".-.-", "Enter", "+", "ú", false, "."},
      {".......", "", "Backspace", "", false, ""},  // no entry of its own, but one further on
      {"........-", "", "", "", true, ""},          // leads to no entry
  };
  for (const Caso& c : casos) {
    const VistaPad v = VerCon(c.codigo);
    EXPECT_EQ(v.texto, c.texto) << c.codigo;
    EXPECT_EQ(v.conPunto.texto, c.conPunto) << c.codigo;
    EXPECT_EQ(v.conRaya.texto, c.conRaya) << c.codigo;
    EXPECT_EQ(v.sinSalida, c.sinSalida) << c.codigo;
    for (const EntradaTablaPad& e : v.tabla)
      EXPECT_TRUE(e.codigo.size() > c.codigo.size() + 1 && e.codigo.starts_with(c.codigo)) << e.codigo;
    if (!c.enTabla.empty()) {
      const std::string legible = TextoLegible(c.enTabla, "espacio");
      EXPECT_TRUE(std::any_of(v.tabla.begin(), v.tabla.end(), [&](const auto& e) { return e.texto == legible; }))
          << c.codigo << " should reach " << legible;
    }
  }
  // Nothing pending: the language's most frequent letters, with their codes.
  motor.BorrarCodigo();
  const VistaPad v = Ver();
  ASSERT_GE(v.tabla.size(), 3u);
  EXPECT_EQ(v.tabla[0], (EntradaTablaPad{".", "e"}));
  EXPECT_EQ(v.tabla[1], (EntradaTablaPad{".-", "a"}));
  EXPECT_EQ(v.tabla[2], (EntradaTablaPad{"---", "o"}));
}

// The countdown is the letter gap's own timer: it starts at the release and
// is gone once the gap has closed; idle, nothing is counted down.
TEST_F(Vista, TheCountdownIsTheGapTimersOwn) {
  kit.BotonAbajo(ventana);
  kit.Avanzar(250);
  kit.BotonArriba(ventana);
  kit.Avanzar(500);
  VistaPad v = Ver();
  ASSERT_TRUE(v.cuenta.activa);
  EXPECT_FALSE(v.cuenta.palabra);
  EXPECT_EQ(v.cuenta.totalMs, 2000);
  EXPECT_EQ(v.cuenta.restanteMs, 1500);
  kit.Avanzar(1600);  // the gap fired; nobody took the code
  EXPECT_FALSE(Ver().cuenta.activa);
}

namespace {
bool Cruzan(const Rectangulo& a, const Rectangulo& b) {
  return a.izquierda < b.izquierda + b.ancho && b.izquierda < a.izquierda + a.ancho && a.arriba < b.arriba + b.alto &&
         b.arriba < a.arriba + a.alto;
}
}  // namespace

// Every pad size KELU can have, from the narrowest strip to a wide screen,
// at 96 and 144 DPI: the marks stay inside, texts are whole and apart, and
// the code is drawn at a third of the pad's height at least; so too with
// practice's line in the chart's place.
TEST_F(Vista, ThePadLayoutFitsEverySize) {
  ToolkitHeadless medidor;
  const MedidaTexto medir = [&](const std::string& t, const Fuente& f) { return medidor.AnchoTexto(ventana, t, f); };
  const struct {
    int ancho, alto;
    double px;
  } pads[] = {{3050, 850, 15}, {3050, 850, 10}, {9410, 850, 15}, {13250, 2000, 10}, {600, 850, 15}};
  const struct {
    std::string codigo;
    int heldMs;  // 0: the button is up
    bool practica = false;
    std::string pausa = {};  // keying paused: the pad says this alone, with the hold's meter
    bool sugerencias = false;  // three words offered, the first by the long press
  } estados[] = {{"", 0}, {".", 250}, {"-.-", 0}, {"-----", 800}, {"........-", 0}, {"..", 0, true},
                 {"", 800, false, "En pausa"}, {"", 0, false, {}, true}, {"", 1300, false, {}, true}};
  const LineaPractica linea{"Marque: casa", {".-", "a"}, "¡Bien!", true,
                            {"punto: 25 cs, umbral 35 cs", "raya: 120 cs, umbral 35 cs", "punto: 9 cs, umbral 35 cs"}};
  for (const auto& pad : pads)
    for (const auto& e : estados) {
      if (e.heldMs) {
        kit.BotonAbajo(ventana);
        kit.Avanzar(e.heldMs);
      }
      VistaPad vista = VerCon(e.codigo);
      vista.pausa = e.pausa;
      if (e.sugerencias) {
        vista.sugerencias = {{"mañanita", "", true}, {"martes", ".--..", false}, {"mayonesa", "-.-..", false}};
        vista.mantener = "mantener";
        vista.medidor.daPalabra = e.heldMs > 1150;
      }
      const std::vector<Trazo> trazos = DibujarPad(vista, pad.ancho, pad.alto, {}, medir, pad.px,
                                                    e.practica ? &linea : nullptr);
      if (e.heldMs) kit.BotonArriba(ventana);
      const std::string donde = std::to_string(pad.ancho) + "x" + std::to_string(pad.alto) + " " + e.codigo;
      std::vector<Rectangulo> apartes;  // texts and code glyphs: none may touch another
      int mayorGlifo = 0;
      bool pausaDicha = false;
      for (const Trazo& t : trazos) {
        pausaDicha |= t.forma == Trazo::Forma::Texto && !e.pausa.empty() && t.texto == e.pausa;
        // Paused, nothing speaks of a code or the chart.
        if (!e.pausa.empty()) {
          EXPECT_TRUE(t.forma != Trazo::Forma::Texto || t.texto == e.pausa) << t.texto;
        }
        const Rectangulo& r = t.area;
        EXPECT_TRUE(r.izquierda >= 0 && r.arriba >= 0 && r.izquierda + r.ancho <= pad.ancho &&
                    r.arriba + r.alto <= pad.alto)
            << donde;
        const bool enCodigo = r.arriba + r.alto <= pad.alto / 2;
        if (t.forma == Trazo::Forma::Texto) {
          EXPECT_GE(r.ancho, medir(t.texto, t.fuente)) << donde << t.texto;
        }
        if (t.forma == Trazo::Forma::Elipse && enCodigo) mayorGlifo = std::max(mayorGlifo, r.alto);
        // The highlight behind the word a release would choose is no glyph.
        const bool fondo = e.sugerencias && t.forma == Trazo::Forma::Relleno;
        if (t.forma == Trazo::Forma::Texto || (enCodigo && t.forma != Trazo::Forma::Marco && !fondo)) {
          for (const Rectangulo& otro : apartes) EXPECT_FALSE(Cruzan(r, otro)) << donde << " " << t.texto;
          apartes.push_back(r);
        }
      }
      if (pad.ancho >= 3000 && !e.pausa.empty()) {
        EXPECT_TRUE(pausaDicha) << donde;
      }
      if (pad.ancho >= 3000 && e.codigo.find('.') != std::string::npos && e.codigo.size() <= 4) {
        EXPECT_GE(mayorGlifo * 3, pad.alto) << donde;
      }
    }
}

// The words offered show in the code's place, each with the way to choose
// it; the first is highlighted only while a release would choose it, and
// a code pending takes the place back.
TEST_F(Vista, SuggestionsShowWithTheWayToChooseEach) {
  TablaCodigo conPalabras;
  conPalabras.entradas = {{"...-.", "{PALABRA1}"}, {".--..", "{PALABRA2}"}, {".-", "a"}};
  const std::vector<Sugerencia> tres = {{"hola", "la ", 9}, {"hora", "ra ", 8}, {"hoy", "y ", 4}};
  struct Caso {
    bool primeraLarga;
    int cuenta;  // held, ticks; 0: up
    std::string codigo;
    std::vector<SugerenciaPad> esperadas;
    bool resaltada;
    std::vector<std::string> textos;  // in the code's row
  };
  const std::vector<Caso> casos = {
      {false, 0, "", {{"hola", "...-.", false}, {"hora", ".--..", false}}, false, {"hola", "•••–•", "hora", "•––••"}},
      {true, 0, "", {{"hola", "...-.", true}, {"hora", ".--..", false}}, false, {"hola", "mantener", "hora", "•––••"}},
      {true, 120, "", {{"hola", "...-.", true}, {"hora", ".--..", false}}, true, {"hola", "mantener", "hora", "•––••"}},
      {true, 60, "", {{"hola", "...-.", true}, {"hora", ".--..", false}}, false, {}},  // a dash on its way: the code row shows it
      {true, 0, ".", {{"hola", "...-.", true}, {"hora", ".--..", false}}, false, {"\u2026"}},
  };
  ToolkitHeadless medidor;
  const MedidaTexto medir = [&](const std::string& t, const Fuente& f) { return medidor.AnchoTexto(ventana, t, f); };
  for (const Caso& c : casos) {
    EstadoMotor e;
    e.punto = {15, 35};
    e.raya = {35, 115};
    e.larga = {114, 195};
    e.presionado = c.cuenta > 0;
    e.cuenta = c.cuenta;
    e.codigo = c.codigo;
    e.pulsacionLarga = c.codigo.empty();
    VistaPad v = DescribirPad(e, conPalabras, idioma);
    PonerSugerencias(v, tres, conPalabras, c.primeraLarga, idioma);
    EXPECT_EQ(v.sugerencias, c.esperadas);
    EXPECT_EQ(v.medidor.daPalabra, c.resaltada);
    std::vector<std::string> textos;
    bool resaltada = false;
    for (const Trazo& t : DibujarPad(v, 9410, 850, {}, medir, 15)) {
      if (t.area.arriba + t.area.alto > 850 / 2) continue;
      if (t.forma == Trazo::Forma::Texto) textos.push_back(t.texto);
      resaltada |= t.forma == Trazo::Forma::Texto && t.texto == "hola" && t.color == ColorSistema::TextoResaltado;
    }
    EXPECT_EQ(textos, c.textos) << c.cuenta << " " << c.codigo;
    EXPECT_EQ(resaltada, c.resaltada);
  }
  EstadoMotor sostenida;
  sostenida.presionado = sostenida.pulsacionLarga = true;
  sostenida.cuenta = 120;
  sostenida.raya = {35, 115};
  sostenida.larga = {114, 195};
  VistaPad sinPalabras = DescribirPad(sostenida, conPalabras, idioma);
  PonerSugerencias(sinPalabras, {}, conPalabras, true, idioma);
  EXPECT_FALSE(sinPalabras.medidor.daPalabra);  // nothing to choose: the meter promises nothing
}

}  // namespace kelu
