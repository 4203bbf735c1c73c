// The program's whole life through the in-memory toolkit: the splash, the
// main window, the options dialog, the session's end and the settings file.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/headless/toolkit_headless.h"
#include "config/idioma.h"
#include "platform/teclas.h"
#include "startup/inicio.h"
#include "tests/archivos_prueba.h"

namespace kelu {
namespace {

class Vida : public ::testing::Test {
 protected:
  Vida() {
    kit.carpetaPrograma = carpeta.Ruta();
    for (const char* nombre : {"Español.lng", "Morse ampliado.kel"})
      carpeta.Escribir(nombre, *ArchivosDelSistema().Leer(UnirRuta(prueba::CarpetaDatos(), nombre)));
    carpeta.Escribir("kelu.ini", kIniDeLaPersona);
  }

  // One of KELU's windows, by its form's name; null when it is not open.
  Ventana* Propia(const std::string& nombre) {
    for (const auto& v : kit.escritorio)
      if (v.propia && v.propia->Nombre() == nombre) return const_cast<Ventana*>(v.propia);
    return nullptr;
  }
  static Control& De(Ventana& v, const std::string& nombre) {
    for (Control* c : v.Controles())
      if (c->Nombre() == nombre) return *c;
    throw std::logic_error("no control " + nombre);
  }

  // Runs KELU: `antes` while the splash shows, then `conPrincipal` once the
  // main window is up, both from the program's loop.
  void Ejecutar(const std::function<void()>& antes, const std::function<void()>& conPrincipal) {
    kit.Encolar([&] {
      antes();
      kit.Avanzar(2000);  // the splash's two seconds: the main window shows
    });
    kit.Encolar(conPrincipal);
    EjecutarKelu(kit, kit, archivos);
  }

  // kelu.ini and ayudas.ini locked while KELU starts and released at once;
  // OK pressed in the options dialog or not; then KELU closed. The files
  // afterwards.
  std::pair<std::string, std::string> SesionConIniBloqueado(bool aceptar) {
    carpeta.Escribir("ayudas.ini", kAyudasDeLaPersona);
    archivos.ilegibles = {carpeta.En("kelu.ini"), carpeta.En("ayudas.ini")};
    Ejecutar([] {}, [&] {
      archivos.ilegibles.clear();
      Ventana& principal = *Propia("frmKelu");
      if (aceptar) {
        De(principal, "cmdOpciones").Click();
        De(*Propia("frmOpciones"), "cmdAceptar").Click();
      }
      kit.Tecla(principal, kTeclaEsc);  // Esc, and Yes to the question
    });
    return {carpeta.Leer("kelu.ini"), carpeta.Leer("ayudas.ini")};
  }

  static constexpr const char* kAyudasDeLaPersona = "; mías\r\nTono=1\r\n";

  static constexpr const char* kIniDeLaPersona =
      "\"KELU (Sondavermo)\"\r\n\"Versi\xF3n 1.0\"\r\n\"Idioma:Espa\xF1ol\"\r\n\"C\xF3" "digo:Morse ampliado\"\r\n"
      "\"Ubicaci\xF3n:Arriba\"\r\n\"Ajustar ancho:False\"\r\n\"Siempre visible:False\"\r\n\"Fijar puntero:False\"\r\n"
      "\"Mostrar pulsaciones:False\"\r\n\"Calcular en funci\xF3n del punto:False\"\r\n\"Duraci\xF3n del punto:31\"\r\n"
      "\"Tolerancia punto:9\"\r\n\"Duraci\xF3n de la raya:93\"\r\n\"Tolerancia raya:30\"\r\n"
      "\"Tiempo entre letras:120\"\r\n\"Tolerancia entre letras:0\"\r\n\"Tiempo entre palabras:0\"\r\n"
      "\"Tolerancia entre palabras:0\"\r\n";

  prueba::CarpetaTemporal carpeta;
  prueba::ArchivosConFallos archivos;
  ToolkitHeadless kit;
};

// A settings file that is there but could not be read (another program held
// it) gives the defaults for the session; the exit must not write them over
// the person's file, unless the person stored settings with OK.
TEST_F(Vida, AnUnreadableSettingsFileIsKeptAtTheExit) {
  const auto [ini, ayudas] = SesionConIniBloqueado(false);
  EXPECT_EQ(ini, kIniDeLaPersona);
  EXPECT_EQ(ayudas, kAyudasDeLaPersona);
}

TEST_F(Vida, AnUnreadableSettingsFileGivesWayToWhatOkStored) {
  const auto [ini, ayudas] = SesionConIniBloqueado(true);
  EXPECT_NE(ini.find("Tiempo entre letras:200"), std::string::npos);  // the defaults
  EXPECT_NE(ayudas.find("\r\nTono=0\r\n"), std::string::npos) << ayudas;
}

// The session ends while the options dialog is open: no close question,
// kelu.ini and ayudas.ini saved once each, and nothing else.
TEST_F(Vida, TheSessionEndSavesOnceAndAsksNothing) {
  int escriturasAlTerminar = -1;
  Ejecutar([] {}, [&] {
    Ventana& principal = *Propia("frmKelu");
    De(principal, "cmdOpciones").Click();
    ASSERT_NE(Propia("frmOpciones"), nullptr);
    const int antes = archivos.escrituras;
    kit.TerminarSesion();
    kit.TerminarSesion();  // every window hears of it; it acts once
    escriturasAlTerminar = archivos.escrituras - antes;
    EXPECT_TRUE(kit.mensajes.empty());
    kit.respuestas = {kIdSi};
    De(*Propia("frmOpciones"), "cmdCancelar").Click();
    kit.Tecla(principal, kTeclaEsc);
  });
  EXPECT_EQ(escriturasAlTerminar, 2);
}

// Where the settings are read and saved: in %APPDATA%\KELU for good once a
// file is there; else by what can be written: beside the program as always;
// else in %APPDATA%\KELU; else nowhere, and the person told once at the start.
struct LugarDeAjustes {
  const char* caso;
  bool programaProtegido, datosProtegidos, iniEnDatos;
  const char* guardadoEn;  // "programa", "datos" or nullptr: nothing saved
  const char* tiempoLeido;  // the letter gap of the file read, as saved
  friend void PrintTo(const LugarDeAjustes& l, std::ostream* os) { *os << l.caso; }
};

class AjustesSegunCarpeta : public Vida, public ::testing::WithParamInterface<LugarDeAjustes> {};

TEST_P(AjustesSegunCarpeta, AreReadAndSavedWhereTheyCanBeKept) {
  const LugarDeAjustes& p = GetParam();
  prueba::CarpetaTemporal datos;
  kit.carpetaDatosUsuario = datos.Ruta();
  std::string iniDatos = kIniDeLaPersona;
  iniDatos.replace(iniDatos.find("letras:120"), 10, "letras:150");
  if (p.iniEnDatos) {
    ASSERT_TRUE(ArchivosDelSistema().CrearCarpeta(datos.En("KELU")));
    datos.Escribir("KELU/kelu.ini", iniDatos);
  }
  if (p.programaProtegido) archivos.protegidas.insert(carpeta.Ruta());
  if (p.datosProtegidos) archivos.protegidas.insert(datos.Ruta());
  Ejecutar([] {}, [&] {
    kit.Tecla(*Propia("frmKelu"), 113);  // F2: the pointer is fixed now
    kit.Tecla(*Propia("frmKelu"), 27);
  });
  const TextosIdioma textos;  // the built-in texts are the Spanish file's
  const auto avisos = std::count_if(kit.mensajes.begin(), kit.mensajes.end(),
                                    [&](const auto& m) { return m.texto == textos.Entrada(IdTexto::AvisoSinGuardado); });
  EXPECT_EQ(avisos, p.guardadoEn ? 0 : 1);
  const std::string enPrograma = carpeta.Leer("kelu.ini");
  const std::string enDatos = datos.Existe("KELU/kelu.ini") ? datos.Leer("KELU/kelu.ini") : "";
  const std::string donde = p.guardadoEn ? p.guardadoEn : "";
  if (!donde.empty()) {
    const std::string& guardado = donde == "programa" ? enPrograma : enDatos;
    EXPECT_NE(guardado.find("Fijar puntero:True"), std::string::npos) << guardado;
    EXPECT_NE(guardado.find(std::string("Tiempo entre letras:") + p.tiempoLeido), std::string::npos) << guardado;
  }
  if (donde != "programa") {
    EXPECT_EQ(enPrograma, kIniDeLaPersona);
  }
  if (donde != "datos") {
    EXPECT_EQ(enDatos, p.iniEnDatos ? iniDatos : "");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Vida, AjustesSegunCarpeta,
    ::testing::Values(LugarDeAjustes{"besideTheProgram", false, false, false, "programa", "120"},
                      LugarDeAjustes{"appDataWhenTheFolderIsProtected", true, false, false, "datos", "120"},
                      LugarDeAjustes{"appDataReadOnceThere", true, false, true, "datos", "150"},
                      LugarDeAjustes{"appDataKeptWhenTheFolderBecomesWritable", false, false, true, "datos", "150"},
                      LugarDeAjustes{"nowhere", true, true, false, nullptr, nullptr}),
    [](const auto& caso) { return std::string(caso.param.caso); });

// The splash's timer hands over to the main window and returns: the main
// window is up when it has, and the events after it run from the program's
// one loop, not from inside the timer's handler.
TEST_F(Vida, TheSplashTimerShowsTheMainWindowAndReturns) {
  bool principalAlVolver = false;
  kit.Encolar([&] {
    kit.Avanzar(2000);
    const Ventana* principal = Propia("frmKelu");
    principalAlVolver = principal && principal->Visible() && !Propia("frmInicio");
  });
  kit.Encolar([&] {
    if (Ventana* principal = Propia("frmKelu")) kit.Tecla(*principal, kTeclaEsc);
  });
  EXPECT_EQ(EjecutarKelu(kit, kit, archivos), 0);
  EXPECT_TRUE(principalAlVolver);
  EXPECT_EQ(Propia("frmKelu"), nullptr);
}

// Only the splash's own timer closes it: Alt+F4 or a WM_CLOSE would leave
// KELU running with no window at all.
TEST_F(Vida, TheSplashIgnoresACloseAndTheMainWindowStillOpens) {
  bool principalAbierta = false;
  Ejecutar([&] {
    Ventana* splash = Propia("frmInicio");
    ASSERT_NE(splash, nullptr);
    kit.Cerrar(*splash);
    EXPECT_NE(Propia("frmInicio"), nullptr);
  }, [&] {
    Ventana* principal = Propia("frmKelu");
    principalAbierta = principal != nullptr;
    EXPECT_EQ(Propia("frmInicio"), nullptr);
    if (principal) kit.Tecla(*principal, kTeclaEsc);
  });
  EXPECT_TRUE(principalAbierta);
}

// One KELU per session: a second start of the program (a second process,
// sharing the session) brings the first forward as Ctrl+I does and ends at
// once, having made no window and saved nothing, before it ran a single
// event of its own.
TEST_F(Vida, ASecondStartBringsTheFirstForwardAndEndsAtOnce) {
  Ejecutar([] {}, [&] {
    Ventana& principal = *Propia("frmKelu");
    principal.SetEstado(EstadoVentana::Minimizada);
    ToolkitHeadless segunda;
    segunda.sesion = kit.sesion;
    segunda.carpetaPrograma = carpeta.Ruta();
    segunda.ventanasPosibles = 1000;  // counts down at each window made
    prueba::ArchivosConFallos suyos;
    bool corrio = false;
    segunda.Encolar([&] {
      corrio = true;
      segunda.Avanzar(2000);  // its own splash, and a main window
    });
    segunda.Encolar([&] {  // and closed, so that a second copy that runs ends
      for (const auto& v : segunda.escritorio)
        if (v.propia && v.propia->Nombre() == "frmKelu") {
          segunda.Tecla(*const_cast<Ventana*>(v.propia), kTeclaEsc);
          break;
        }
    });
    EXPECT_EQ(EjecutarKelu(segunda, segunda, suyos), 0);
    EXPECT_FALSE(corrio);
    EXPECT_EQ(segunda.ventanasPosibles, 1000);
    EXPECT_EQ(suyos.escrituras, 0);
    EXPECT_EQ(carpeta.Leer("kelu.ini"), kIniDeLaPersona);
    kit.Encolar([&principal, this] {  // after the request, which the first hears as a posted message
      EXPECT_EQ(principal.Estado(), EstadoVentana::Normal);
      EXPECT_TRUE(principal.Visible());
      kit.Tecla(principal, kTeclaEsc);
    });
  });
}

// A system that will not create the splash, or then the main window (no
// desktop, or none of its resources left): KELU ends at once with its code,
// rather than wait unseen for a window that never comes, and the person's
// kelu.ini is left as it was.
TEST_F(Vida, WithoutAWindowKeluEndsAndLeavesTheSettingsAlone) {
  for (int posibles : {0, 1}) {
    SCOPED_TRACE(posibles);
    ToolkitHeadless sistema;
    sistema.carpetaPrograma = carpeta.Ruta();
    sistema.ventanasPosibles = posibles;
    sistema.Encolar([&] { sistema.Avanzar(2000); });  // the splash's time, if it shows
    EXPECT_EQ(EjecutarKelu(sistema, sistema, archivos), kSinVentana);
    EXPECT_EQ(carpeta.Leer("kelu.ini"), kIniDeLaPersona);
  }
}

}  // namespace
}  // namespace kelu
