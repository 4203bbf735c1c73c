// The Win32 backend on real windows (under Wine in the cross build): what
// the forms rely on, checked through the toolkit and the desktop interfaces.
#ifdef _WIN32
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "platform/archivos.h"
#include "platform/win32/toolkit_win32.h"
#include "tests/traza_prueba.h"

namespace kelu {
namespace {

// A strip like the main window: a list, two buttons, a text box, and the
// keying pad with its centre label.
struct Tira {
  explicit Tira(Toolkit& tk) : v(tk, "frmPrueba", "Prueba KELU", 8880, 1335) {
    cmdSalir.indiceTab = 1;
    cbo.indiceTab = 2;
    cmdOpciones.indiceTab = 3;
    txt.indiceTab = 4;
    fraClic.indiceTab = 5;
    lblCentro.indiceTab = 6;
    fraClic.borde = true;
  }
  Ventana v;
  Etiqueta lblEscribir{v, "lblEscribir", {240, 120, 1050, 210}, Fuente{}, "Escribir en:"};
  Combo cbo{v, "cbo", {240, 360, 3615, 315}, Fuente{"Verdana", 8.25}};
  Boton cmdOpciones{v, "cmdOpciones", {3960, 240, 1455, 375}, Fuente{}, "&Opciones"};
  Boton cmdSalir{v, "cmdSalir", {3960, 720, 1455, 375}, Fuente{}, "&Salir"};
  CajaTexto txt{v, "txt", {240, 780, 2000, 315}, Fuente{}};
  Etiqueta fraClic{v, "fraClic", {5640, 240, 3135, 855}, Fuente{}};
  Etiqueta lblCentro{v, "lblCentro", {6840, 600, 855, 255}, Fuente{}};
};

class VentanaWin32 : public ::testing::Test {
 protected:
  void SetUp() override {
    f.v.Cargar();
    if (!f.v.Handle()) GTEST_SKIP() << "no window can be created here (no display)";
  }
  // Each mouse event of the strip's window and of its two pad labels, in order.
  void Anotar() {
    tk.CapturarClics(f.v, [this] { sucesos.push_back("abajo"); }, [this] { sucesos.push_back("arriba"); });
    f.v.MouseDown = [this](const EventoRaton&) { sucesos.push_back("v.down"); };
    f.v.MouseUp = [this](const EventoRaton&) { sucesos.push_back("v.up"); };
    f.v.Click = [this] { sucesos.push_back("v.click"); };
    for (Etiqueta* e : {&f.fraClic, &f.lblCentro}) {
      e->MouseDown = [this, e](const EventoRaton&) { sucesos.push_back(e->Nombre() + ".down"); };
      e->MouseUp = [this, e](const EventoRaton&) { sucesos.push_back(e->Nombre() + ".up"); };
      e->Click = [this, e] { sucesos.push_back(e->Nombre() + ".click"); };
    }
  }
  void Pulsar(int x, int y) { Pulsar(x, y, x, y); }
  void Pulsar(int x, int y, int xSoltar, int ySoltar) {
    ToolkitWin32::EnviarPulsacion(f.v, true, x, y);
    ToolkitWin32::EnviarPulsacion(f.v, false, xSoltar, ySoltar);
  }

  ToolkitWin32 tk;
  Tira f{tk};
  std::vector<std::string> sucesos;
};

using Lista = std::vector<std::string>;

TEST_F(VentanaWin32, ReportsItsOuterRectangleAroundTheDesignClientArea) {
  const Rectangulo r = f.v.Posicion();
  EXPECT_GT(r.ancho, f.v.anchoCliente);  // the sizable border
  EXPECT_GT(r.alto, f.v.altoCliente);    // and the caption
  EXPECT_LT(r.ancho, f.v.anchoCliente + 1500);
  EXPECT_EQ(tk.Titulo(f.v.Handle(), 100), "Prueba KELU");
}

TEST_F(VentanaWin32, TheCaptionFollowsTheModelAndTitlesAreCutWithoutSplittingAPair) {
  f.v.SetTexto("Título ñ");
  EXPECT_EQ(tk.Titulo(f.v.Handle(), 100), "Título ñ");
  f.v.SetTexto("a😀b");
  EXPECT_EQ(tk.LargoTitulo(f.v.Handle()), 4);
  EXPECT_EQ(tk.Titulo(f.v.Handle(), 2), "a");
  EXPECT_EQ(tk.Titulo(f.v.Handle(), 3), "a😀");
  EXPECT_EQ(tk.Titulo(f.v.Handle(), 0), "");
}

TEST_F(VentanaWin32, LabelsHaveNoWindowAndTheOthersAreCreatedInTabOrder) {
  EXPECT_EQ(ToolkitWin32::HandleDe(f.fraClic), 0u);
  EXPECT_EQ(ToolkitWin32::HandleDe(f.lblCentro), 0u);
  EXPECT_EQ(ToolkitWin32::HandleDe(f.lblEscribir), 0u);
  std::vector<Hwnd> hijos;
  for (Hwnd h = tk.Relacionada(f.v.Handle(), Relacion::PrimerHijo); h; h = tk.Relacionada(h, Relacion::Siguiente)) {
    hijos.push_back(h);
    EXPECT_EQ(tk.Padre(h), f.v.Handle());
  }
  EXPECT_EQ(hijos, (std::vector<Hwnd>{ToolkitWin32::HandleDe(f.cmdSalir), ToolkitWin32::HandleDe(f.cbo),
                                      ToolkitWin32::HandleDe(f.cmdOpciones), ToolkitWin32::HandleDe(f.txt)}));
}

TEST_F(VentanaWin32, ControlTextsAndTheListSelectionReachTheScreen) {
  f.txt.SetTexto("año 😀");
  EXPECT_EQ(tk.Titulo(ToolkitWin32::HandleDe(f.txt), 100), "año 😀");
  f.cmdSalir.SetTexto("&Fin");
  EXPECT_EQ(tk.Titulo(ToolkitWin32::HandleDe(f.cmdSalir), 100), "&Fin");
  for (const char* e : {"uno", "dos", "tres"}) f.cbo.Agregar(e);
  f.cbo.SetSeleccion(1);
  EXPECT_EQ(tk.Titulo(ToolkitWin32::HandleDe(f.cbo), 100), "dos");
  f.cbo.Limpiar();
  EXPECT_EQ(tk.Titulo(ToolkitWin32::HandleDe(f.cbo), 100), "");
}

TEST_F(VentanaWin32, APressOnTheCentreLabelGoesToTheCaptureFirstThenClicksTheLabel) {
  Anotar();
  Pulsar(7000, 700);
  EXPECT_EQ(sucesos, (Lista{"abajo", "v.down", "lblCentro.down", "arriba", "v.up", "lblCentro.up", "lblCentro.click"}));
}

TEST_F(VentanaWin32, APressBesideTheCentreClicksThePadAndOneOnTheBareWindowTheWindow) {
  Anotar();
  Pulsar(5800, 300);
  Pulsar(100, 1200);
  EXPECT_EQ(sucesos, (Lista{"abajo", "v.down", "fraClic.down", "arriba", "v.up", "fraClic.up", "fraClic.click",
                            "abajo", "v.down", "arriba", "v.up", "v.click"}));
}

TEST_F(VentanaWin32, AReleaseAwayFromThePressedLabelIsNoClick) {
  Anotar();
  Pulsar(7000, 700, 100, 1200);
  EXPECT_EQ(sucesos, (Lista{"abajo", "v.down", "lblCentro.down", "arriba", "v.up", "lblCentro.up"}));
}

TEST_F(VentanaWin32, ADisabledOrHiddenLabelLetsThePressThroughToWhatIsBelow) {
  Anotar();
  f.lblCentro.SetHabilitado(false);
  Pulsar(7000, 700);
  f.lblCentro.SetHabilitado(true);
  f.fraClic.SetVisible(false);
  Pulsar(5800, 300);
  EXPECT_EQ(sucesos, (Lista{"abajo", "v.down", "fraClic.down", "arriba", "v.up", "fraClic.up", "fraClic.click",
                            "abajo", "v.down", "arriba", "v.up", "v.click"}));
}

TEST_F(VentanaWin32, MouseCoordinatesAreTwipsOfTheWindowAndOfTheLabel) {
  EventoRaton enVentana, enEtiqueta;
  f.v.MouseDown = [&](const EventoRaton& e) { enVentana = e; };
  f.lblCentro.MouseDown = [&](const EventoRaton& e) { enEtiqueta = e; };
  ToolkitWin32::EnviarPulsacion(f.v, true, 7005, 705);
  ToolkitWin32::EnviarPulsacion(f.v, false, 7005, 705);
  const double tpp = tk.LeerPantalla(f.v).twipsPorPixelX;  // exact only to within one pixel
  EXPECT_NEAR(enVentana.x, 7005, tpp);
  EXPECT_NEAR(enVentana.y, 705, tpp);
  EXPECT_EQ(enEtiqueta.x, enVentana.x - 6840);
  EXPECT_EQ(enEtiqueta.y, enVentana.y - 600);
  EXPECT_EQ(enVentana.boton, BotonRaton::Izquierdo);
}

TEST_F(VentanaWin32, TheFirstFocusableControlInTabOrderHasTheFocusOnceShown) {
  std::vector<std::string> focos;
  for (Control* c : f.v.Controles()) c->GotFocus = [&focos, c] { focos.push_back(c->Nombre()); };
  f.v.Mostrar();
  tk.ProcesarEventos();
  EXPECT_EQ(f.v.ConFoco(), &f.cmdSalir);
  ASSERT_FALSE(focos.empty());
  EXPECT_EQ(focos.front(), "cmdSalir");
  f.v.Descargar();
  EXPECT_EQ(f.v.Handle(), 0u);
}

TEST_F(VentanaWin32, ASelfSizingRightAlignedLabelKeepsItsRightEdge) {
  Ventana v(tk, "frmInicio", "Inicio", 6585, 3420);
  Etiqueta lbl(v, "lblTitulo1", {4950, 360, 1200, 525}, Fuente{"Verdana", 21.75, true}, "KELU", Alineacion::Derecha);
  lbl.ajustarAlTexto = true;
  v.Cargar();
  const int derecha = 4950 + 1200;
  EXPECT_EQ(lbl.Posicion().izquierda + lbl.Posicion().ancho, derecha);
  const int ancho = lbl.Posicion().ancho;
  EXPECT_GT(ancho, 0);
  lbl.SetTexto("KELU KELU KELU");
  EXPECT_GT(lbl.Posicion().ancho, 2 * ancho);
  EXPECT_EQ(lbl.Posicion().izquierda + lbl.Posicion().ancho, derecha);
  EXPECT_EQ(lbl.Posicion().arriba, 360);
}

TEST_F(VentanaWin32, AModalWindowReturnsOnceUnloadedAndLeavesNoWindowBehind) {
  Ventana dialogo(tk, "frmOpciones", "Opciones - KELU", 6765, 5415);
  dialogo.borde = Borde::Fijo;
  dialogo.centrada = true;
  Boton cmdCancelar(dialogo, "cmdCancelar", {5040, 4680, 1335, 375}, Fuente{}, "&Cancelar");
  Temporizador cierre(tk, 50, true);
  cierre.Timer = [&] {
    cierre.SetHabilitado(false);
    dialogo.Descargar();
  };
  dialogo.Mostrar(true);
  EXPECT_FALSE(dialogo.Cargada());
  EXPECT_EQ(dialogo.Handle(), 0u);
  EXPECT_EQ(cmdCancelar.nativo, nullptr);
  EXPECT_TRUE(f.v.Cargada());
}

TEST_F(VentanaWin32, TheModelsMoveIsTheWindowsOuterRectangle) {
  f.v.SetPosicion(Rectangulo{1500, 3000, 9000, 1860});
  const Hwnd h = f.v.Handle();
  // The desktop moves in pixels: 100, 200, 600 × 124 at 96 DPI.
  const Pantalla p = tk.LeerPantalla(f.v);
  EXPECT_TRUE(tk.Mover(h, 100, 200, 600, 124));
  tk.ProcesarEventos();
  EXPECT_NEAR(f.v.Posicion().izquierda, 100 * p.twipsPorPixelX, 1);
  EXPECT_NEAR(f.v.Posicion().ancho, 600 * p.twipsPorPixelX, 1);
  EXPECT_NEAR(f.v.Posicion().alto, 124 * p.twipsPorPixelY, 1);
}

TEST_F(VentanaWin32, AResizeHandlerThatRestoresAMinimumSizeSettlesAtIt) {
  int veces = 0;
  f.v.Resize = [&] {
    ++veces;
    Rectangulo r = f.v.Posicion();
    if (r.ancho < 9000) {
      r.ancho = 9000;
      f.v.SetPosicion(r);
    }
  };
  ASSERT_TRUE(tk.Mover(f.v.Handle(), 10, 10, 300, 124));
  tk.ProcesarEventos();
  EXPECT_EQ(f.v.Posicion().ancho, 9000);
  EXPECT_LT(veces, 6);  // no ping-pong between the handler and the screen
}

// Keys sent to a minimized window are lost: activating one restores it.
// Kept from activating, the strip keeps its taskbar button and its place in
// Alt+Tab, as the aid goes on, off and on again.
TEST_F(VentanaWin32, KeepsItsTaskbarButtonWhateverTheNoActivateAid) {
  f.v.Mostrar();
  for (bool sinActivar : {true, false, true}) {
    tk.SinActivar(f.v, sinActivar);
    EXPECT_TRUE(ToolkitWin32::EnBarraDeTareas(f.v.Handle())) << "kept from activating: " << sinActivar;
  }
}

TEST_F(VentanaWin32, AMinimizedTargetIsRestoredWhenActivated) {
  f.v.Mostrar();
  f.v.SetEstado(EstadoVentana::Minimizada);
  tk.ProcesarEventos();
  ASSERT_EQ(f.v.Estado(), EstadoVentana::Minimizada);
  static_cast<void>(tk.Activar(f.v.Handle()));
  tk.ProcesarEventos();
  EXPECT_EQ(f.v.Estado(), EstadoVentana::Normal);
}

TEST_F(VentanaWin32, AHotKeyIsTakenOnlyWhenOneCame) {
  EXPECT_FALSE(tk.TomarTeclaRapida(f.v));
  if (tk.RegistrarTeclaRapida(f.v, 0xBFFF, 2, 'I')) tk.LiberarTeclaRapida(f.v, 0xBFFF);
  EXPECT_FALSE(tk.TomarTeclaRapida(f.v));
}

// The switch key is swallowed before the focused text box sees it, its
// auto-repeat is dropped, its events come in order on this thread; other
// keys, and the same key typed by KELU itself, go through.
TEST_F(VentanaWin32, ASwitchKeyIsSwallowedAndReportedOnceEachWay) {
  f.v.Mostrar();
  f.txt.SetFoco();
  tk.CapturarTeclas('Q', 0, [this](int tecla, bool abajo) {
    sucesos.push_back(std::string(1, static_cast<char>(tecla)) + (abajo ? ".down" : ".up"));
  });
  for (auto [vk, abajo] : {std::pair{'Q', true}, {'Q', true}, {'A', true}, {'A', false}, {'Q', true}, {'Q', false}})
    ToolkitWin32::EnviarTeclaSistema(vk, abajo);
  ASSERT_TRUE(tk.Teclear({EventoTecla{TipoEvento::Caracter, 0, U'q'}}));
  for (int i = 0; i < 100 && (sucesos.size() < 2 || f.txt.Texto().size() < 2); ++i) {
    tk.ProcesarEventos();
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_EQ(sucesos, (Lista{"Q.down", "Q.up"}));
  EXPECT_EQ(f.txt.Texto(), "aq");
  tk.CapturarTeclas(0, 0, nullptr);
  const ToolkitWin32::TiempoGancho t = ToolkitWin32::MedirGancho();
  std::printf("switch key hook: %lld events, mean %.1f us, max %.1f us\n", static_cast<long long>(t.eventos),
              t.medioUs, t.maximoUs);
  EXPECT_GE(t.eventos, 7);
  EXPECT_LT(t.medioUs, 1000.0);
}

TEST(EscritorioWin32, TheScreenIsMeasuredInWholePixelsOfTwips) {
  ToolkitWin32 tk;
  Ventana sinCrear(tk, "v", "", 1000, 1000);  // the primary monitor's
  const Pantalla p = tk.LeerPantalla(sinCrear);
  ASSERT_GT(p.twipsPorPixelX, 0);
  EXPECT_GT(p.ancho, 0);
  EXPECT_GT(p.alto, 0);
  // The work area lies within the monitor.
  EXPECT_GT(p.trabajo.ancho, 0);
  EXPECT_GE(p.trabajo.izquierda, 0);
  EXPECT_GE(p.trabajo.arriba, 0);
  EXPECT_LE(p.trabajo.izquierda + p.trabajo.ancho, p.ancho);
  EXPECT_LE(p.trabajo.arriba + p.trabajo.alto, p.alto);
  const double pixeles = p.ancho / p.twipsPorPixelX;
  EXPECT_NEAR(pixeles, static_cast<int>(pixeles + 0.5), 0.5);
}

TEST(EscritorioWin32, TheProgramFolderHoldsTheRunningProgram) {
  ToolkitWin32 tk;
  const std::string carpeta = tk.CarpetaPrograma();
  ASSERT_FALSE(carpeta.empty());
  EXPECT_NE(carpeta.back(), '\\');
  EXPECT_TRUE(ArchivosDelSistema().Abrible(carpeta + "\\kelu_tests.exe"));
}

TEST(EscritorioWin32, StartingAProgramGivesItsProcessOrSaysWhyNot) {
  ToolkitWin32 tk;
  const Arranque falta = tk.Iniciar("C:\\no\\existe\\notepad.exe", "", "");
  EXPECT_EQ(falta.resultado, Arranque::Resultado::NoEncontrado);
  EXPECT_EQ(falta.proceso, 0u);
  // A program that ends at once without a word, so nothing of it mixes
  // with this run's output.
  const Arranque hecho = tk.Iniciar("C:\\Windows\\System32\\cmd.exe", "/c exit 0", "C:\\");
  EXPECT_EQ(hecho.resultado, Arranque::Resultado::Iniciado);
  EXPECT_NE(hecho.proceso, 0u);
}

// With whatever audio device there is (under Wine usually none), keying as
// a person does: a first press while the device opens, a second start while
// sounding, a cue during a tone and one after it, a press shorter than the
// tone's attack, a cue repeated, and the device closed with the toolkit.
// Nothing fails and nothing blocks.
TEST(SonidoWin32, KeyingWithToneAndCuesNeitherFailsNorBlocks) {
  using namespace std::chrono_literals;
  std::promise<void> fin;
  std::thread vigia([hecho = fin.get_future()] {
    if (hecho.wait_for(30s) == std::future_status::ready) return;
    std::fputs("SonidoWin32: the sound calls blocked\n", stderr);
    std::_Exit(1);
  });
  prueba::TrazaDePrueba traza;
  {
    ToolkitWin32 tk;
    tk.Tono(true, 700, 30);
    std::this_thread::sleep_for(300ms);
    tk.Tono(false, 700, 30);
    std::this_thread::sleep_for(100ms);
    tk.Tono(true, 700, 30);
    tk.Tono(true, 700, 30);
    tk.SonarAviso(AvisoSonoro::Letra, 30);
    std::this_thread::sleep_for(60ms);
    tk.Tono(false, 700, 30);
    tk.SonarAviso(AvisoSonoro::Descartada, 30);
    std::this_thread::sleep_for(200ms);
    tk.Tono(true, 880, 100);
    tk.Tono(false, 880, 100);
    tk.SonarAviso(AvisoSonoro::Letra, 80);
    tk.SonarAviso(AvisoSonoro::Letra, 80);
    std::this_thread::sleep_for(100ms);
    tk.Tono(false, 880, 100);  // a pausing hold's tone ends, then its cue
    tk.SonarAviso(AvisoSonoro::Pausa, 80);
    std::this_thread::sleep_for(100ms);
  }
  fin.set_value();
  vigia.join();
  EXPECT_EQ(traza.Atrapado(), "");
}

}  // namespace
}  // namespace kelu
#endif
