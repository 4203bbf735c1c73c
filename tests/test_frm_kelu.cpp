#include <gtest/gtest.h>

#include <algorithm>

#include "platform/headless/toolkit_headless.h"
#include "platform/numeros.h"
#include "platform/teclas.h"
#include "startup/inicio.h"
#include "tests/archivos_prueba.h"
#include "tests/traza_prueba.h"
#include "window/frm_kelu.h"
#include "window/lanzador.h"

namespace kelu {

// The main window loaded in the in-memory toolkit with the shipped Spanish
// texts and default code file, settings at their defaults.
class Principal : public ::testing::Test {
 protected:
  Principal() {
    kit.carpetaPrograma = carpeta.Ruta();
    for (const char* nombre : {"Español.lng", "Morse ampliado.kel"})
      carpeta.Escribir(nombre, *ArchivosDelSistema().Leer(UnirRuta(prueba::CarpetaDatos(), nombre)));
  }

  // Loads the window (which shows it) and runs `cuerpo` from the
  // program's loop, then closes it.
  void EnMarcha(const std::function<void()>& cuerpo) {
    kit.Encolar([&] {
      cuerpo();
      f->Descargar();
    });
    f->Cargar();
    EsperarTeclaRapida(kit, *f, [&] { return f->Cargada(); });
  }
  void Cargar() {
    programa = std::make_unique<Programa>(kit, kit, ArchivosDelSistema());
    programa->configuracion = ConfiguracionPredeterminada();
    programa->configuracion.MostrarPulsaciones = false;
    CargarIdioma(programa->idioma, ArchivosDelSistema(), programa->Ruta("Español.lng"));
    f = std::make_unique<frmKelu>(*programa);
  }
  void Pulsar(int ms) {
    kit.BotonAbajo(*f, &f->fraClic);
    kit.Avanzar(ms);
    kit.BotonArriba(*f, &f->fraClic);
    kit.Avanzar(150);
  }
  void Teclear(const std::string& morse) {
    for (char c : morse) Pulsar(c == '.' ? 250 : 750);
  }
  void Elegir(Hwnd ventana) {
    f->cboProcesos.SetFoco();
    for (int i = 0; i < f->cboProcesos.Cantidad(); ++i)
      if (f->lista.HandlesVentanas[static_cast<size_t>(i)] == ventana) f->cboProcesos.SetSeleccion(i);
  }

  prueba::CarpetaTemporal carpeta;
  ToolkitHeadless kit;
  std::unique_ptr<Programa> programa;
  std::unique_ptr<frmKelu> f;
};

TEST_F(Principal, LoadTranslatesPlacesAndSavesOnClose) {
  kit.AgregarVentana("Abajo del todo");
  Hwnd bloc = kit.AgregarVentana("Bloc");
  Cargar();  // KELU's window is created at the top of the Z order
  prueba::TrazaDePrueba traza;
  EnMarcha([&] {
    EXPECT_EQ(traza.Atrapado(), "") << "a step of the load failed";
    EXPECT_EQ(f->Texto(), "KELU");
    EXPECT_EQ(f->cmdOpciones.Texto(), "&Opciones");
    EXPECT_EQ(f->lblFijarPunteroDelMouse.Texto(), programa->idioma.Entrada(IdTexto::AyudaLiberarPuntero));  // pointer fixed by default
    EXPECT_EQ(programa->tabla.CantidadCodigos() > 40, true);
    ASSERT_EQ(f->cboProcesos.Cantidad(), 2);
    EXPECT_EQ(f->cboProcesos.Entrada(0), "Bloc");
    EXPECT_EQ(f->cboProcesos.Entrada(1), "Abajo del todo");
    EXPECT_EQ(f->cboProcesos.Seleccion(), -1);
    // "Abajo" with full width at 1024 x 768 pixels.
    EXPECT_EQ(f->Posicion().izquierda, 0);
    EXPECT_EQ(f->Posicion().ancho, 15360);
    EXPECT_EQ(f->Posicion().arriba, 11520 - f->Posicion().alto - 500);
    EXPECT_TRUE(kit.encima[f.get()]);
    EXPECT_EQ(kit.teclasRapidas[f.get()].size(), 1u);
    EXPECT_EQ(kit.teclasRapidas[f.get()][0].tecla, kTeclaI);
    Elegir(bloc);
    EXPECT_EQ(f->lista.HandleDestino(), bloc);
    kit.Tecla(*f, kTeclaF2);  // F2 frees the pointer
  });
  EXPECT_EQ(kit.mensajes.back().titulo, programa->idioma.Entrada(IdTexto::TituloSalir));
  EXPECT_EQ(kit.mensajes.back().estilo, kMbSiNo | kMbPregunta | kMbSegundoBoton);
  EXPECT_TRUE(kit.teclasRapidas[f.get()].empty());
  Configuracion guardada;
  CargarConfiguracion(guardada, ArchivosDelSistema(), carpeta.Ruta());
  EXPECT_FALSE(guardada.FijarPuntero);
  EXPECT_EQ(guardada.Codigo, "Morse ampliado");
}

TEST_F(Principal, AnsweringNoToTheCloseQuestionKeepsEverythingRunning) {
  Cargar();
  EnMarcha([&] {
    kit.respuestas = {kIdNo, kIdNo, kIdNo};
    kit.Tecla(*f, kTeclaEsc, ModificadorTecla::Shift);  // Shift+Esc acts as Esc
    f->cmdSalir.Click();
    kit.Cerrar(*f);
    EXPECT_EQ(kit.mensajes.size(), 3u);
    EXPECT_TRUE(f->Cargada());
    EXPECT_EQ(kit.teclasRapidas[f.get()].size(), 1u);
    EXPECT_TRUE(f->motor.Estado().letra.enMarcha);
  });
  EXPECT_FALSE(f->Cargada());
  EXPECT_TRUE(carpeta.Existe("kelu.ini"));
}

TEST_F(Principal, KeyedMorseIsTypedIntoTheChosenWindow) {
  Hwnd objetivo = kit.AgregarVentana("Objetivo");
  Cargar();
  EnMarcha([&] {
    Elegir(objetivo);
    Teclear("...");
    kit.Avanzar(2000);
    Teclear("---");
    kit.Avanzar(2000);
    Teclear("...");
    kit.Avanzar(2000);
    EXPECT_EQ(kit.Recibido(objetivo), "sos");
    EXPECT_EQ(kit.activa, objetivo);
    EXPECT_TRUE(f->motor.CodigoActual().empty());
    Teclear(".-.-");  // Enter in the default code file
    kit.Avanzar(2000);
    EXPECT_EQ(kit.Recibido(objetivo), "sos{ENTER}");
  });
}

// The title echoes the keying only when the settings ask for it: at each
// release the code and what it types; once the letter gap has dealt with
// it, what is left, without a text.
TEST_F(Principal, TheTitleEchoesTheKeyingOnlyWhenAskedFor) {
  Hwnd objetivo = kit.AgregarVentana("Objetivo");
  Cargar();
  EnMarcha([&] {
    const std::string eco = programa->idioma.Entrada(IdTexto::EcoTitulo);
    const std::string igual = programa->idioma.Entrada(IdTexto::EcoIgual);
    Elegir(objetivo);
    Teclear(".");
    kit.Avanzar(2000);
    EXPECT_EQ(f->Texto(), "KELU");  // echo off: the caption is never touched
    programa->configuracion.MostrarPulsaciones = true;
    Teclear(".-");
    EXPECT_EQ(f->Texto(), eco + ".-" + igual + "a");
    kit.Avanzar(1855);  // the letter gap closed: the target activated, the keys 10 ms later
    EXPECT_EQ(f->Texto(), eco + ".-" + igual);
    kit.Avanzar(10);
    EXPECT_EQ(kit.Recibido(objetivo), "ea");
    EXPECT_EQ(f->Texto(), eco + igual);
    Teclear(".......");
    EXPECT_EQ(f->Texto(), eco + "......." + igual);  // stands for nothing yet
  });
}

// A letter on its way when a dialog opens waits while it is open, and then
// goes on as it was.
TEST_F(Principal, ALetterOnItsWayWaitsForTheDialog) {
  Hwnd objetivo = kit.AgregarVentana("Objetivo");
  Cargar();
  EnMarcha([&] {
    Elegir(objetivo);
    Teclear(".");
    kit.Avanzar(1855);
    ASSERT_TRUE(f->entrega.Enviando());
    f->PausarTecleo();
    EXPECT_FALSE(f->entrega.Enviando());
    kit.Avanzar(60000);
    EXPECT_EQ(kit.Recibido(objetivo), "");
    f->ReanudarTecleo();
    EXPECT_TRUE(f->entrega.Enviando());
    kit.Avanzar(10);
    EXPECT_EQ(kit.Recibido(objetivo), "e");
  });
}

// The repeat code types the last letter again at once and every 150 ms
// (the aids' default) until the next press begins; with nothing typed yet
// it types nothing.
TEST_F(Principal, TheRepeatCodeRepeatsTheLastLetterUntilTheNextPress) {
  Hwnd objetivo = kit.AgregarVentana("Objetivo");
  Cargar();
  EnMarcha([&] {
    Elegir(objetivo);
    Teclear("--.-.");
    kit.Avanzar(3000);
    EXPECT_EQ(kit.Recibido(objetivo), "");
    Teclear("-.-.");
    kit.Avanzar(2000);
    EXPECT_EQ(kit.Recibido(objetivo), "c");
    Teclear("--.-.");
    kit.Avanzar(1900);  // the letter closes 2 s after the last release
    EXPECT_EQ(kit.Recibido(objetivo), "cc");
    kit.Avanzar(300);
    EXPECT_EQ(kit.Recibido(objetivo), "cccc");
    kit.BotonAbajo(*f, &f->fraClic);
    kit.Avanzar(250);
    kit.BotonArriba(*f, &f->fraClic);
    kit.Avanzar(5000);
    EXPECT_EQ(kit.Recibido(objetivo), "cccce");
    EXPECT_FALSE(f->entrega.tmrRepetir.Habilitado());
  });
}

// A key as the switch, alone or with a dash key, beside the mouse pad: the
// keys are swallowed wherever the focus is, auto-repeat adds nothing, and
// the capture follows the aids in force and stops while a dialog is open.
TEST_F(Principal, SwitchKeysKeyThroughTheSameEngine) {
  constexpr int kEspacio = 0x20, kEnter = 0x0D, kRaton = 0, kHueco = -1;
  struct Pulsacion {
    int tecla;  // kRaton: the pad; kHueco: a letter gap of `ms`
    int ms;
  };
  struct Caso {
    const char* nombre;
    int teclaRaya;
    std::vector<Pulsacion> pulsaciones;
    std::string tecleado;
  };
  const auto S = [](int t) { return std::vector<Pulsacion>{{t, 250}, {t, 250}, {t, 250}, {kHueco, 2000}}; };
  auto sos = S(kEspacio);
  for (Pulsacion p : {Pulsacion{kEspacio, 750}, {kRaton, 750}, {kEspacio, 750}, {kHueco, 2000}}) sos.push_back(p);
  for (Pulsacion p : S(kEspacio)) sos.push_back(p);
  const Caso casos[] = {
      {"one key, timed; the pad beside it", 0, sos, "sos"},
      // Each press a symbol by its key, whatever its length.
      {"two keys", kEnter,
       {{kEspacio, 100}, {kEnter, 100}, {kEnter, 900}, {kEspacio, 40}, {kHueco, 2000},
        {kEspacio, 900}, {kEnter, 30}, {kHueco, 2000}, {kEspacio, 100}, {kEnter, 100}, {kEspacio, 100}, {kHueco, 2000},
        {kEspacio, 100}, {kEspacio, 100}, {kHueco, 2000}, {kEspacio, 100}, {kRaton, 250}, {kEspacio, 100}, {kHueco, 2000}},
       "paris"},
  };
  Hwnd objetivo = kit.AgregarVentana("Objetivo");
  Cargar();
  EnMarcha([&] {
    EXPECT_EQ(kit.teclasCapturadas, std::make_pair(0, 0)) << "no capture unless asked";
    Elegir(objetivo);
    for (const Caso& c : casos) {
      SCOPED_TRACE(c.nombre);
      programa->ayudas.TeclaPulsador = kEspacio;
      programa->ayudas.TeclaRaya = c.teclaRaya;
      f->AplicarOpciones();
      EXPECT_EQ(kit.teclasCapturadas, std::make_pair(kEspacio, c.teclaRaya));
      const size_t antes = kit.Recibido(objetivo).size();
      for (const Pulsacion& p : c.pulsaciones) {
        if (p.tecla == kHueco) {
          kit.Avanzar(p.ms);
        } else if (p.tecla == kRaton) {
          Pulsar(p.ms);
        } else {
          EXPECT_TRUE(kit.TeclaGlobal(p.tecla, true));
          // The key auto-repeats while held: nothing starts again.
          for (int t = 0; t + 30 < p.ms; t += 30) {
            kit.Avanzar(30);
            EXPECT_TRUE(kit.TeclaGlobal(p.tecla, true));
          }
          kit.Avanzar(p.ms % 30);
          EXPECT_TRUE(kit.TeclaGlobal(p.tecla, false));
          kit.Avanzar(150);
        }
      }
      EXPECT_EQ(kit.Recibido(objetivo).substr(antes), c.tecleado);
      EXPECT_FALSE(kit.TeclaGlobal('A', true)) << "other keys reach the focused window";
      EXPECT_FALSE(kit.TeclaGlobal('A', false));
      f->PausarTecleo();
      EXPECT_FALSE(kit.TeclaGlobal(kEspacio, true)) << "the dialogs get the switch key";
      EXPECT_FALSE(kit.TeclaGlobal(kEspacio, false));
      f->ReanudarTecleo();
      EXPECT_EQ(kit.teclasCapturadas, std::make_pair(kEspacio, c.teclaRaya));
    }
  });
  EXPECT_EQ(kit.teclasCapturadas, std::make_pair(0, 0)) << "released at unload";
}

// Aids put in force and the window told (what the options dialog's OK does)
// change how presses are classified; the pace learned is saved at exit.
TEST_F(Principal, TimingAidsComeIntoForceWithTheOptionsAndThePaceIsSaved) {
  Hwnd objetivo = kit.AgregarVentana("Objetivo");
  Cargar();
  EnMarcha([&] {
    Elegir(objetivo);
    Pulsar(120);  // too short for the settings' dot
    kit.Avanzar(2000);
    EXPECT_EQ(kit.Recibido(objetivo), "");
    programa->ayudas.SeguirRitmo = true;
    f->AplicarOpciones();
    Pulsar(120);  // over 0.4 of the settings' dot: a dot for the pace
    kit.Avanzar(2000);
    EXPECT_EQ(kit.Recibido(objetivo), "e");
  });
  Ayudas guardadas;
  std::vector<std::string> lineas;
  CargarAyudas(guardadas, lineas, ArchivosDelSistema(), carpeta.Ruta());
  EXPECT_TRUE(guardadas.SeguirRitmo);
  EXPECT_GT(guardadas.RitmoPunto, 0);
  EXPECT_LT(guardadas.RitmoPunto, 250);
}

// The pad follows the keying and then falls quiet: its countdown timer runs
// only while a gap is pending, and the tone and cues sound only as the aids say.
TEST_F(Principal, ThePadFollowsTheKeyingAndIdlesWithoutATimer) {
  Hwnd objetivo = kit.AgregarVentana("Objetivo");
  Cargar();
  programa->ayudas.Tono = programa->ayudas.AvisosSonoros = true;
  EnMarcha([&] {
    Elegir(objetivo);
    EXPECT_FALSE(f->fraClic.Dibujo().empty()) << "the chart shows before any press";
    kit.BotonAbajo(*f, &f->fraClic);
    kit.Avanzar(250);
    const std::vector<Trazo> presionado = f->fraClic.Dibujo();
    kit.BotonArriba(*f, &f->fraClic);
    EXPECT_NE(f->fraClic.Dibujo(), presionado);
    EXPECT_TRUE(f->panel.tmrPanel.Habilitado()) << "the letter gap counts down";
    kit.Avanzar(2100);
    EXPECT_EQ(kit.Recibido(objetivo), "e");
    EXPECT_FALSE(f->panel.tmrPanel.Habilitado()) << "idle, and the word gap is off";
    Teclear("-.-.-.-.-");  // in no table: dropped
    kit.Avanzar(2100);
    kit.Avanzar(10000);  // the letter gap fires on and on, with nothing pending
    std::vector<std::string> oido;
    for (const auto& s : kit.sonidos) oido.push_back(s.que);
    const std::vector<std::string> esperado = {"tono", "silencio", "letra", "tono", "silencio", "tono",
                                               "silencio", "tono", "silencio", "tono", "silencio",
                                               "tono", "silencio", "tono", "silencio", "tono",
                                               "silencio", "tono", "silencio", "tono", "silencio", "descartada"};
    EXPECT_EQ(oido, esperado);
    EXPECT_EQ(kit.sonidos[0].frecuencia, 700);
    programa->ayudas = Ayudas{false, false, false, false};
    f->AplicarOpciones();
    EXPECT_TRUE(f->fraClic.Dibujo().empty());
    Pulsar(250);
    EXPECT_EQ(kit.sonidos.size(), esperado.size());
  });
}

TEST_F(Principal, WithoutATargetALetterWarnsOnceAndIsDropped) {
  Cargar();
  EnMarcha([&] {
    Teclear(".-");
    // While the box is open the letter gap fires again and again.
    kit.duranteMensaje = [&] { kit.Avanzar(7000); };
    kit.Avanzar(2000);
    ASSERT_EQ(kit.mensajes.size(), 1u);
    EXPECT_EQ(kit.mensajes[0].texto, programa->idioma.Entrada(IdTexto::AvisoSinDestino));
    EXPECT_EQ(kit.mensajes[0].titulo, programa->idioma.Entrada(IdTexto::TituloSinDestino));
    EXPECT_EQ(kit.mensajes[0].estilo, kMbOk | kMbExclamacion);
    EXPECT_TRUE(f->motor.CodigoActual().empty());
    EXPECT_EQ(f->ConFoco(), &f->cboProcesos);
    kit.Avanzar(10000);  // nothing pending: no more warnings
    EXPECT_EQ(kit.mensajes.size(), 1u);
  });
}

TEST_F(Principal, CodesThatStandForNothingAreDroppedSilently) {
  Hwnd objetivo = kit.AgregarVentana("Objetivo");
  Cargar();
  EnMarcha([&] {
    Elegir(objetivo);
    Teclear("..--.");  // the space code: "{ESPACIO}"
    kit.Avanzar(2000);
    Teclear("-.-.-.-.-");  // in no table
    kit.Avanzar(2000);
    EXPECT_EQ(kit.Recibido(objetivo), " ");
    EXPECT_TRUE(f->motor.CodigoActual().empty());
    EXPECT_TRUE(kit.mensajes.empty());
  });
}

// Practice: the letter shown is checked, never typed, with or without a
// target; three right in a row bring the language's next letter, a wrong
// one names the letter asked for; after the letters, words letter by letter.
TEST_F(Principal, PracticeChecksTheLetterShownAndTypesNothing) {
  Hwnd otra = kit.AgregarVentana("Otra");
  Hwnd objetivo = kit.AgregarVentana("Objetivo");
  Cargar();
  programa->ayudas.Practica = programa->ayudas.AvisosSonoros = true;
  auto enPad = [&](const std::string& texto) {
    const std::vector<Trazo> trazos = f->fraClic.Dibujo();
    return std::any_of(trazos.begin(), trazos.end(), [&](const Trazo& t) { return t.texto == texto; });
  };
  // A code, or a letter keyed by its code in the table.
  auto Marcar = [&](const std::string& tecleado) {
    std::string morse = tecleado;
    if (tecleado.find_first_not_of(".-") != std::string::npos)
      for (const EntradaCodigo& e : programa->tabla.entradas)
        if (e.Texto == tecleado) morse = e.Secuencia;
    Teclear(morse);
    kit.Avanzar(2000);
  };
  struct Paso {
    std::string tecleado, veredicto, ultimaMedida, despues;
  };
  auto Seguir = [&](const std::vector<Paso>& pasos) {
    for (const Paso& p : pasos) {
      Marcar(p.tecleado);
      const std::string donde = p.tecleado + " before " + p.despues;
      EXPECT_TRUE(enPad(p.veredicto)) << donde;
      EXPECT_TRUE(p.ultimaMedida.empty() || enPad(p.ultimaMedida)) << donde;
      EXPECT_TRUE(enPad(p.despues)) << donde;
    }
  };
  EnMarcha([&] {
    EXPECT_TRUE(enPad("Marque: e"));
    Seguir({
        {".", "¡Bien!", "punto: 25 cs, umbral 35 cs", "Marque: e"},
        {".", "¡Bien!", "punto: 25 cs, umbral 35 cs", "Marque: e"},
        {".", "¡Bien!", "punto: 25 cs, umbral 35 cs", "Marque: a"},
        {"-", "Era a", "raya: 75 cs, umbral 35 cs", "Marque: a"},
        {".-", "¡Bien!", "raya: 75 cs, umbral 35 cs", "Marque: a"},
        {"......", "Era a", "punto: 25 cs, umbral 35 cs", "Marque: a"},  // stands for nothing
        {".-", "¡Bien!", "raya: 75 cs, umbral 35 cs", "Marque: a"},
        {".-", "¡Bien!", "raya: 75 cs, umbral 35 cs", "Marque: a"},
        {".-", "¡Bien!", "raya: 75 cs, umbral 35 cs", "Marque: o"},
    });
    Elegir(objetivo);  // a target changes nothing
    for (char letra : std::string("osrnidlctump"))
      for (int i = 0; i < Practica::kAciertosSeguidos; ++i) Marcar(std::string(1, letra));
    EXPECT_TRUE(enPad("Marque: sol"));
    Seguir({
        {"s", "¡Bien!", "", "Marque: sol"},
        {"l", "Era o", "", "Marque: sol"},
        {"o", "¡Bien!", "", "Marque: sol"},
        {"l", "¡Bien!", "", "Marque: mar"},
    });
  });
  for (Hwnd v : {otra, objetivo}) EXPECT_EQ(kit.Recibido(v), "");
  EXPECT_TRUE(kit.mensajes.size() == 1 && kit.mensajes[0].titulo == programa->idioma.Entrada(IdTexto::TituloSalir))
      << "no warning; only the question on closing";
  std::vector<std::string> avisos;
  for (const auto& s : kit.sonidos) avisos.push_back(s.que);
  EXPECT_EQ(std::count(avisos.begin(), avisos.end(), "descartada"), 3);
}

TEST_F(Principal, TheWordGapTypesASpacePerIntervalAndCanSwallowALetter) {
  Hwnd objetivo = kit.AgregarVentana("Objetivo");
  Cargar();
  programa->configuracion.TiempoEntrePalabras = 150;
  EnMarcha([&] {
    Elegir(objetivo);
    Teclear(".");
    kit.Avanzar(1990);  // the letter at 2.0 s, the word gap first at 1.5 s
    EXPECT_EQ(kit.Recibido(objetivo), " ");  // "e" was replaced by the separator
    kit.Avanzar(3000);
    EXPECT_EQ(kit.Recibido(objetivo), "   ");
  });
}

TEST_F(Principal, AWordGapWithoutTargetDoesNothing) {
  Cargar();
  programa->configuracion.TiempoEntrePalabras = 50;
  EnMarcha([&] {
    kit.Avanzar(5000);
    EXPECT_TRUE(kit.mensajes.empty());
    EXPECT_TRUE(f->motor.CodigoActual().empty());
  });
}

// A letter that cannot reach its target is dropped and the person told, as
// when no target is chosen; nothing goes elsewhere, KELU's own window least
// of all (there Enter would open the options, Esc ask to quit). When the
// system would not take the keys, the warning says so.
struct DestinoInalcanzable {
  const char* caso;
  void (*estropear)(ToolkitHeadless& kit, Hwnd objetivo);
  IdTexto texto = IdTexto::AvisoSinDestino, titulo = IdTexto::TituloSinDestino;
  friend void PrintTo(const DestinoInalcanzable& d, std::ostream* os) { *os << d.caso; }
};

class LetraSinDestino : public Principal, public ::testing::WithParamInterface<DestinoInalcanzable> {};

TEST_P(LetraSinDestino, IsDroppedToldOnceAndTheNextLetterStartsClean) {
  Hwnd otra = kit.AgregarVentana("Otra");
  Hwnd objetivo = kit.AgregarVentana("Objetivo");
  Cargar();
  EnMarcha([&] {
    Elegir(objetivo);
    GetParam().estropear(kit, objetivo);
    Teclear(".-.-");  // Enter
    kit.Avanzar(2000);
    ASSERT_EQ(kit.mensajes.size(), 1u);
    EXPECT_EQ(kit.mensajes[0].texto, programa->idioma.Entrada(GetParam().texto));
    EXPECT_EQ(kit.mensajes[0].titulo, programa->idioma.Entrada(GetParam().titulo));
    EXPECT_TRUE(f->motor.CodigoActual().empty());
    EXPECT_EQ(f->ConFoco(), &f->cboProcesos);
    for (const auto& v : kit.escritorio) EXPECT_EQ(kit.Recibido(v.handle), "") << v.titulo;
    kit.Avanzar(10000);
    EXPECT_EQ(kit.mensajes.size(), 1u);  // told once, not at every gap

    kit.rechazarActivacion = kit.insercionIncompleta = false;
    Elegir(otra);
    Teclear(".");
    kit.Avanzar(2000);
    EXPECT_EQ(kit.Recibido(otra), "e");  // not "ä" (.-.-.) nor anything merged
  });
}

INSTANTIATE_TEST_SUITE_P(
    Principal, LetraSinDestino,
    ::testing::Values(
        DestinoInalcanzable{"closed", [](ToolkitHeadless& k, Hwnd o) { k.QuitarVentana(o); }},
        DestinoInalcanzable{"untitled", [](ToolkitHeadless& k, Hwnd o) { k.Buscar(o)->titulo.clear(); }},
        DestinoInalcanzable{"hidden", [](ToolkitHeadless& k, Hwnd o) { k.Buscar(o)->visible = false; }},
        DestinoInalcanzable{"refused", [](ToolkitHeadless& k, Hwnd) { k.rechazarActivacion = true; }},
        DestinoInalcanzable{"elevated", [](ToolkitHeadless& k, Hwnd o) { k.Buscar(o)->elevada = true; }, IdTexto::AvisoEscrituraRechazada, IdTexto::TituloAviso},
        DestinoInalcanzable{"keysNotTaken", [](ToolkitHeadless& k, Hwnd) { k.insercionIncompleta = true; }, IdTexto::AvisoEscrituraRechazada, IdTexto::TituloAviso}),
    [](const auto& caso) { return std::string(caso.param.caso); });

// Ctrl+I owned by another program: the person is told once, when the
// window shows, and keying goes on without the hot key.
TEST_F(Principal, ACtrlIOwnedElsewhereIsToldOnceAndKeyingGoesOn) {
  Hwnd objetivo = kit.AgregarVentana("Objetivo");
  kit.teclaRapidaAjena = true;
  Cargar();
  EnMarcha([&] {
    ASSERT_EQ(kit.mensajes.size(), 1u);
    EXPECT_EQ(kit.mensajes[0].texto, programa->idioma.Entrada(IdTexto::AvisoCtrlIOcupada));
    EXPECT_EQ(kit.mensajes[0].titulo, programa->idioma.Entrada(IdTexto::TituloAviso));
    EXPECT_TRUE(f->Visible());
    Elegir(objetivo);
    Teclear("...");
    kit.Avanzar(2000);
    EXPECT_EQ(kit.Recibido(objetivo), "s");
    EXPECT_EQ(kit.mensajes.size(), 1u);
  });
}

// Keeping the target in front: a press on the pad leaves the foreground
// alone, and a target still in front gets its letter when the letter gap
// closes, with no activation (here refused) and no wait for one. A target
// that lost the front is activated as before; with the aid off nothing
// changes, the press brings KELU forward and the letter waits for the
// activation.
struct CasoDelante {
  bool mantener, keluDelante, rechazar;
  const char* recibido;
  int espera;  // ms from the letter gap to the letter; -1 when none arrives
};

class TargetInFront : public Principal, public ::testing::WithParamInterface<CasoDelante> {};

TEST_P(TargetInFront, TypesAtTheGapWithoutActivatingOnlyWhenKeptInFront) {
  const CasoDelante& c = GetParam();
  Hwnd objetivo = kit.AgregarVentana("Objetivo");
  Cargar();
  programa->ayudas.MantenerDestino = c.mantener;
  EnMarcha([&] {
    f->AplicarOpciones();
    EXPECT_EQ(kit.sinActivar[f.get()], c.mantener);
    Elegir(objetivo);
    ASSERT_TRUE(kit.Activar(c.keluDelante ? f->Handle() : objetivo));
    kit.rechazarActivacion = c.rechazar;
    kit.BotonAbajo(*f, &f->fraClic);
    kit.Avanzar(250);
    kit.BotonArriba(*f, &f->fraClic);
    EXPECT_EQ(kit.activa, c.mantener && !c.keluDelante ? objetivo : f->Handle());
    kit.Avanzar(f->motor.Estado().letra.intervaloMs);
    int espera = 0;
    while (kit.Recibido(objetivo).empty() && kit.mensajes.empty() && espera < 100) {
      kit.Avanzar(1);
      ++espera;
    }
    EXPECT_EQ(kit.Recibido(objetivo), c.recibido);
    if (c.espera >= 0) {
      EXPECT_EQ(espera, c.espera);
    }
    EXPECT_EQ(kit.mensajes.size(), c.espera < 0 ? 1u : 0u);
    kit.rechazarActivacion = false;
  });
}

INSTANTIATE_TEST_SUITE_P(Principal, TargetInFront,
                         ::testing::Values(CasoDelante{true, false, true, "e", 0},  // still in front: typed at once
                                           CasoDelante{true, false, false, "e", 0},
                                           CasoDelante{true, true, false, "e", 10},  // KELU in front: activated first
                                           CasoDelante{true, true, true, "", -1},  // ... refused: dropped, told
                                           CasoDelante{false, false, false, "e", 10},
                                           CasoDelante{false, false, true, "", -1}));  // the press took the front

// A press on the pad ends when the button comes up, wherever the pointer
// is then. The pointer drifts off the strip during the press and the button
// comes up over another window: kept from the front, the strip hears no
// release (Windows gives a window not in front no capture), so the press
// is ended by the watch on the button; in front, its capture brings the
// release. Either way the letter is the one held and the pause hold, longer
// than the whole press, never fires.
struct CasoFuera {
  bool mantener;
  int antes, fuera;  // ms held over the pad, then off the strip
  const char* recibido;
};

class PressOffTheStrip : public Principal, public ::testing::WithParamInterface<CasoFuera> {};

TEST_P(PressOffTheStrip, EndsWhereverTheButtonComesUp) {
  const CasoFuera& c = GetParam();
  Hwnd objetivo = kit.AgregarVentana("Objetivo");
  Cargar();
  programa->ayudas.MantenerDestino = c.mantener;
  programa->ayudas.PausaPorPulsacion = 2000;
  EnMarcha([&] {
    f->AplicarOpciones();
    Elegir(objetivo);
    ASSERT_TRUE(kit.Activar(objetivo));
    kit.BotonAbajo(*f, &f->fraClic);
    kit.Avanzar(c.antes);
    kit.SacarRaton(*f);
    kit.Avanzar(c.fuera);
    EXPECT_TRUE(f->motor.BotonPresionado());  // held off the strip: still the same press
    kit.SoltarFuera(*f);
    kit.Avanzar(2500);
    EXPECT_FALSE(f->motor.BotonPresionado());
    EXPECT_FALSE(f->motor.EnPausa());
    EXPECT_EQ(kit.Recibido(objetivo), c.recibido);
  });
}

INSTANTIATE_TEST_SUITE_P(Principal, PressOffTheStrip,
                         ::testing::Values(CasoFuera{true, 250, 0, "e"},   // let go just off the pad
                                           CasoFuera{true, 100, 650, "t"},  // held on off the strip
                                           CasoFuera{false, 100, 650, "t"}));  // KELU in front: its capture holds

// The activation by title may bring forward another window of the same
// title, higher in Z order: the letter goes there, as it always has.
// The letter goes to the window the person chose, found by its handle,
// whatever else shares its title or its program: a twin of the same title
// brought to the front (the first of that title in Z order now, which a
// search by title would find) gets nothing, with the aid off or on; only
// a window the target owns (its own dialog) stands in for it in front.
struct OtraVentana {
  const char* caso;
  bool mismoPrograma, delDestino, mantener;
  bool recibeLaOtra;  // else the chosen window gets the letter
  friend void PrintTo(const OtraVentana& o, std::ostream* os) { *os << o.caso; }
};

class LaElegida : public Principal, public ::testing::WithParamInterface<OtraVentana> {};

TEST_P(LaElegida, GetsTheLetterWhateverSharesItsTitle) {
  const OtraVentana& c = GetParam();
  Hwnd otra = kit.AgregarVentana("Gemela", true, c.mismoPrograma ? 3000 : 2000);
  Hwnd elegida = kit.AgregarVentana("Gemela", true, 3000);  // higher: the one listed
  if (c.delDestino) kit.Buscar(otra)->dueno = elegida;
  Cargar();
  programa->ayudas.MantenerDestino = c.mantener;
  EnMarcha([&] {
    f->AplicarOpciones();
    Elegir(elegida);
    ASSERT_EQ(f->lista.HandleDestino(), elegida);
    ASSERT_TRUE(kit.Activar(otra));
    Teclear("...");
    kit.Avanzar(2000);
    EXPECT_EQ(kit.Recibido(c.recibeLaOtra ? otra : elegida), "s");
    EXPECT_EQ(kit.Recibido(c.recibeLaOtra ? elegida : otra), "");
    EXPECT_TRUE(kit.mensajes.empty());
  });
}

INSTANTIATE_TEST_SUITE_P(
    Principal, LaElegida,
    ::testing::Values(OtraVentana{"twinOfAnotherProgram", false, false, false, false},
                      OtraVentana{"twinOfTheSameProgramKeptInFront", true, false, true, false},
                      OtraVentana{"dialogOfTheTargetKeptInFront", true, true, true, true}),
    [](const auto& caso) { return std::string(caso.param.caso); });

TEST_F(Principal, ALongTitleIsActivatedThroughItsFirst99Characters) {
  std::string largo(150, 'x');
  Hwnd objetivo = kit.AgregarVentana(largo);
  kit.AgregarVentana(std::string(99, 'x') + "y");  // same first 99: not listed again
  Cargar();
  EnMarcha([&] {
    f->cboProcesos.SetFoco();
    ASSERT_EQ(f->cboProcesos.Cantidad(), 1);
    EXPECT_EQ(f->cboProcesos.Entrada(0), std::string(99, 'x'));
    EXPECT_NE(f->lista.HandlesVentanas[0], objetivo);  // the one higher in Z order
    Teclear("...");
    f->cboProcesos.SetSeleccion(0);
    kit.Avanzar(2000);
    EXPECT_EQ(kit.Recibido(f->lista.HandleDestino()), "s");
  });
}

TEST(ListaVentanas, SkipsUntitledHiddenDuplicateAndOwnWindows) {
  ToolkitHeadless kit;
  Ventana v(kit, "v", "", 100, 100);
  Combo cbo(v, "cbo", {}, {});
  Hwnd segunda = kit.AgregarVentana("Doble");
  Hwnd primera = kit.AgregarVentana("Doble");
  kit.AgregarVentana("|");
  kit.AgregarVentana("");
  kit.AgregarVentana("Oculta", false);
  kit.AgregarVentana("KELU");
  kit.AgregarVentana("KELU - .- = a");
  kit.AgregarVentana("La de arriba");
  ListaVentanas lista(kit);
  lista.LlenarListaVentanas(cbo, "KELU", "KELU - .- = a");
  ASSERT_EQ(cbo.Cantidad(), 1);
  EXPECT_EQ(lista.HandlesVentanas[0], primera);
  EXPECT_NE(lista.HandlesVentanas[0], segunda);
  EXPECT_NE(cbo.Buscar("Doble"), -1);
  EXPECT_EQ(cbo.Buscar("doble"), -1);
}

TEST(ListaVentanas, The102ndWindowIsListedWithoutAHandle) {
  ToolkitHeadless kit;
  Ventana v(kit, "v", "", 100, 100);
  Combo cbo(v, "cbo", {}, {});
  for (int i = 0; i < 103; ++i) kit.AgregarVentana("Ventana " + std::to_string(i));
  ListaVentanas lista(kit);
  lista.LlenarListaVentanas(cbo, "KELU", "KELU");
  ASSERT_EQ(cbo.Cantidad(), 102);
  cbo.SetSeleccion(5);
  lista.Elegir(cbo);
  Hwnd elegida = lista.HandleDestino();
  cbo.SetSeleccion(101);
  lista.Elegir(cbo);
  EXPECT_EQ(lista.HandleDestino(), elegida);
}

// The list is filled again each time it drops down, as when it gets the
// focus: a window that opened while the focus stayed on the list (where the
// no-target warning leaves it) is offered, and the window chosen stays
// chosen wherever its entry moved.
TEST_F(Principal, TheListIsRefilledWhenItDropsDownAndKeepsTheChoice) {
  kit.AgregarVentana("Primera");
  Cargar();
  EnMarcha([&] {
    Teclear(".");
    kit.Avanzar(2000);  // no target: the warning, then the focus on the list
    ASSERT_EQ(kit.mensajes.size(), 1u);
    ASSERT_EQ(f->ConFoco(), &f->cboProcesos);
    const Hwnd nueva = kit.AgregarVentana("Nueva");
    kit.AbrirLista(f->cboProcesos);
    const int i = f->cboProcesos.Buscar("Nueva");
    ASSERT_NE(i, -1);
    ASSERT_TRUE(f->cboProcesos.SetSeleccion(i));
    kit.AgregarVentana("Otra nueva");  // listed before it from now on
    kit.AbrirLista(f->cboProcesos);
    ASSERT_EQ(f->cboProcesos.Cantidad(), 3);
    EXPECT_EQ(f->cboProcesos.Seleccion(), f->cboProcesos.Buscar("Nueva"));
    EXPECT_NE(f->cboProcesos.Seleccion(), i);
    Teclear("...");
    kit.Avanzar(2000);
    EXPECT_EQ(kit.Recibido(nueva), "s");
  });
}

TEST_F(Principal, TheStripKeepsItsMinimumSizeAndCentresThePad) {
  Cargar();
  programa->configuracion.Ubicacion = "Libre";
  programa->configuracion.AjustarAncho = false;
  EnMarcha([&] {
    f->PosicionDelSistema({0, 0, 6000, 1000});  // dragged too small
    EXPECT_EQ(f->Posicion().ancho, 9000);
    EXPECT_EQ(f->Posicion().alto, 1850);
    EXPECT_EQ(f->fraClic.Posicion(), (Rectangulo{5640, 240, 3050, 850}));
    EXPECT_EQ(f->lblCentro.Posicion(), (Rectangulo{6738, 538, 855, 255}));
    // From the client area's origin, below a frame of 4 pixels and a caption
    // of 23: (60 + 5640 + 1525) / 15 = 481.67, (405 + 240 + 425) / 15 = 71.33.
    EXPECT_EQ(f->PuntoCentralClic(), (std::pair<int, int>{482, 71}));
    f->EstadoDelSistema(EstadoVentana::Minimizada);
    EXPECT_EQ(f->fraClic.Posicion().ancho, 3050);
  });
}

TEST_F(Principal, PlacementFollowsUbicacionExactly) {
  Cargar();
  Configuracion& c = programa->configuracion;
  kit.pantalla = {19200, 14400, 15, 15, {}};  // no work area known: the whole screen
  f->SetPosicion({1000, 2000, 9000, 1850});
  c.AjustarAncho = false;
  c.Ubicacion = "Abajo";
  f->ActualizarVentana();
  EXPECT_EQ(f->Posicion(), (Rectangulo{5100, 14400 - 1850 - 500, 9000, 1850}));
  c.Ubicacion = "Arriba";
  f->ActualizarVentana();
  EXPECT_EQ(f->Posicion(), (Rectangulo{5100, 0, 9000, 1850}));
  c.Ubicacion = "arriba";  // any other value leaves it where it is
  c.AjustarAncho = true;
  c.SiempreVisible = false;
  f->SetPosicion({1000, 2000, 9000, 1850});
  f->ActualizarVentana();
  EXPECT_EQ(f->Posicion(), (Rectangulo{0, 2000, 19200, 1850}));
  EXPECT_FALSE(kit.encima[f.get()]);
}

// A 1024 × 768 screen with a taskbar 40 pixels (600 twips) wide.
struct Barra {
  const char* donde;
  Rectangulo trabajo;
};
const Barra kAbajo{"bottom", {0, 0, 15360, 10920}}, kArriba{"top", {0, 600, 15360, 10920}},
    kIzquierda{"left", {600, 0, 14760, 11520}};

TEST_F(Principal, PlacementStaysInTheWorkAreaWhereverTheTaskbarIs) {
  struct Caso {
    Barra barra;
    const char* ubicacion;
    bool ajustarAncho;
    Rectangulo esperado;
  };
  const Caso casos[] = {
      {kAbajo, "Abajo", true, {0, 10920 - 1850 - 500, 15360, 1850}},
      {kAbajo, "Abajo", false, {3180, 8570, 9000, 1850}},
      {kAbajo, "Arriba", true, {0, 0, 15360, 1850}},
      {kAbajo, "Libre", true, {0, 2000, 15360, 1850}},
      {kAbajo, "Libre", false, {1000, 2000, 9000, 1850}},
      {kArriba, "Abajo", true, {0, 600 + 10920 - 1850 - 500, 15360, 1850}},
      {kArriba, "Arriba", true, {0, 600, 15360, 1850}},
      {kArriba, "Arriba", false, {3180, 600, 9000, 1850}},
      {kIzquierda, "Abajo", true, {600, 9170, 14760, 1850}},
      {kIzquierda, "Abajo", false, {600 + 2880, 9170, 9000, 1850}},
      {kIzquierda, "Arriba", false, {3480, 0, 9000, 1850}},
      {kIzquierda, "Libre", true, {600, 2000, 14760, 1850}},
  };
  Cargar();
  Configuracion& c = programa->configuracion;
  for (const Caso& caso : casos) {
    SCOPED_TRACE(std::string(caso.barra.donde) + " " + caso.ubicacion + (caso.ajustarAncho ? " full" : ""));
    kit.pantalla = {15360, 11520, 15, 15, caso.barra.trabajo};
    c.Ubicacion = caso.ubicacion;
    c.AjustarAncho = caso.ajustarAncho;
    f->SetPosicion({1000, 2000, 9000, 1850});
    f->ActualizarVentana();
    EXPECT_EQ(f->Posicion(), caso.esperado);
  }
}

TEST_F(Principal, AMovedTaskbarPlacesTheStripAgainButLeavesTopmostAlone) {
  Cargar();
  programa->configuracion.SiempreVisible = true;
  programa->configuracion.Ubicacion = "Abajo";
  EnMarcha([&] {
    kit.pantalla.trabajo = kAbajo.trabajo;
    kit.SiempreEncima(*f, false);  // as while the options dialog is open
    ASSERT_TRUE(f->PantallaCambiada);
    f->PantallaCambiada();
    EXPECT_EQ(f->Posicion().arriba, 10920 - f->Posicion().alto - 500);
    EXPECT_FALSE(kit.encima[f.get()]);
  });
}

TEST_F(Principal, F2TogglesFixingAndMovesThePointerOnlyWhenFixing) {
  Cargar();
  programa->configuracion.FijarPuntero = false;
  EnMarcha([&] {
    EXPECT_EQ(f->lblFijarPunteroDelMouse.Texto(), programa->idioma.Entrada(IdTexto::AyudaFijarPuntero));
    kit.MoverRaton(*f, &f->fraClic);
    EXPECT_FALSE(kit.cursor);
    kit.Tecla(*f, kTeclaF2);
    EXPECT_EQ(f->lblFijarPunteroDelMouse.Texto(), programa->idioma.Entrada(IdTexto::AyudaLiberarPuntero));
    ASSERT_TRUE(kit.cursor);
    EXPECT_EQ(*kit.cursor, f->PuntoCentralClic());
    kit.cursor.reset();
    kit.Tecla(*f, kTeclaF2, ModificadorTecla::Ctrl);  // Ctrl+F2 too
    EXPECT_EQ(f->lblFijarPunteroDelMouse.Texto(), programa->idioma.Entrada(IdTexto::AyudaFijarPuntero));
    EXPECT_FALSE(kit.cursor);
  });
}

TEST_F(Principal, APressOnThePadMovesTheFocusToOpciones) {
  Cargar();
  EnMarcha([&] {
    f->cboProcesos.SetFoco();
    Pulsar(100);
    EXPECT_EQ(f->ConFoco(), &f->cmdOpciones);
  });
}

TEST(BlocDeNotas, PlacementBesideTheStrip) {
  Pantalla p{15360, 11520, 15, 15, {}};
  EXPECT_EQ(RectanguloBlocDeNotas("Abajo", p, 1850), (Rectangulo{0, 0, 1024, 615}));  // 644.67 - 30
  EXPECT_EQ(RectanguloBlocDeNotas("Arriba", p, 1850), (Rectangulo{0, 123, 1024, 615}));
  EXPECT_EQ(RectanguloBlocDeNotas("Libre", p, 1850), (Rectangulo{-1, -1, -1, -1}));
  EXPECT_EQ(RectanguloBlocDeNotas("abajo", p, 1850), (Rectangulo{-1, -1, -1, -1}));
  Pantalla p120{15360, 11520, 12, 12, {}};  // halves go to the even neighbour
  EXPECT_EQ(RectanguloBlocDeNotas("Arriba", p120, 1854).arriba, 154);  // 154.5
  EXPECT_EQ(RectanguloBlocDeNotas("Arriba", p120, 1866).arriba, 156);  // 155.5
  EXPECT_EQ(RectanguloBlocDeNotas("Arriba", p120, 1866).alto, 774);    // 774.5
}

TEST(BlocDeNotas, PlacementInTheWorkArea) {
  struct Caso {
    Barra barra;
    const char* ubicacion;
    Rectangulo esperado;  // pixels
  };
  const Caso casos[] = {
      {kAbajo, "Abajo", {0, 0, 1024, 575}},  // (10920 - 1850) / 15 - 30 = 574.67
      {kAbajo, "Arriba", {0, 123, 1024, 575}},
      {kArriba, "Abajo", {0, 40, 1024, 575}},
      {kArriba, "Arriba", {0, 163, 1024, 575}},  // (600 + 1850) / 15 = 163.33
      {kIzquierda, "Abajo", {40, 0, 984, 615}},
      {kIzquierda, "Arriba", {40, 123, 984, 615}},
      {kIzquierda, "Libre", {-1, -1, -1, -1}},
  };
  for (const Caso& caso : casos) {
    SCOPED_TRACE(std::string(caso.barra.donde) + " " + caso.ubicacion);
    EXPECT_EQ(RectanguloBlocDeNotas(caso.ubicacion, Pantalla{15360, 11520, 15, 15, caso.barra.trabajo}, 1850),
              caso.esperado);
  }
}

TEST_F(Principal, F6StartsTheEditorBesideTheStripAndChoosesIt) {
  Cargar();
  Hwnd otra = 0;
  kit.alIniciar = [&](const ToolkitHeadless::Inicio&) {
    kit.AgregarVentana("Sin título - Bloc de notas", true, 4242);
    otra = kit.AgregarVentana("Otra ventana");
    kit.AgregarVentana("Encima de todo");
    return Arranque{Arranque::Resultado::Iniciado, 4242};
  };
  EnMarcha([&] {
    kit.Tecla(*f, kTeclaF6);
    ASSERT_EQ(kit.inicios.size(), 1u);
    EXPECT_EQ(kit.inicios[0].ejecutable, carpeta.En("notepad.exe"));
    EXPECT_EQ(kit.inicios[0].carpeta, carpeta.Ruta());
    ToolkitHeadless::VentanaFalsa* bloc = kit.Buscar(f->lista.HandleDestino());
    ASSERT_NE(bloc, nullptr);
    EXPECT_EQ(bloc->titulo, "Sin título - Bloc de notas");
    EXPECT_EQ(f->cboProcesos.Seleccion(), 1);
    EXPECT_EQ(bloc->rect, (Rectangulo{0, 0, 1024, RedondearPar((11520 - f->Posicion().alto) / 15.0 - 30)}));

    // An editor whose window is not found: the first entry.
    kit.alIniciar = [&](const ToolkitHeadless::Inicio&) { return Arranque{Arranque::Resultado::Iniciado, 4343}; };
    kit.Tecla(*f, kTeclaF6);
    EXPECT_EQ(f->cboProcesos.Seleccion(), 0);
    EXPECT_EQ(f->lista.HandleDestino(), otra);
  });
}

TEST(Lanzador, StatusTexts) {
  ToolkitHeadless kit;
  auto lanzar = [&](int x) { return EjecutarYPosicionarPrograma(kit, kit, "C:\\k", "notepad.exe a b.kel", x, 0, 10, 10); };
  EXPECT_EQ(lanzar(0), "Ruta o nombre de archivo incorrecto. No se pudo ejecutar la aplicación");
  EXPECT_EQ(kit.inicios[0].ejecutable, "C:\\k\\notepad.exe");
  EXPECT_EQ(kit.inicios[0].argumentos, "a b.kel");
  kit.alIniciar = [](const ToolkitHeadless::Inicio&) { return Arranque{Arranque::Resultado::OtroError, 0}; };
  EXPECT_EQ(lanzar(0), "No se pudo ejecutar la aplicación");
  kit.alIniciar = [](const ToolkitHeadless::Inicio&) { return Arranque{Arranque::Resultado::Iniciado, 77}; };
  EXPECT_EQ(lanzar(0), "No se encontró la ventana");
  Hwnd hija = kit.AgregarVentana("Hija", true, 77);
  kit.Buscar(hija)->padre = 5;  // only windows with a parent: not found
  kit.AgregarVentana("Oculta", false, 77);
  EXPECT_EQ(lanzar(0), "No se encontró la ventana");
  Hwnd propia = kit.AgregarVentana("Editor", true, 77);
  EXPECT_EQ(lanzar(-1), "Ejecución satisfactoria");
  EXPECT_EQ(kit.Buscar(propia)->rect, Rectangulo{});  // not moved
  EXPECT_EQ(lanzar(0), "Ejecución satisfactoria");
  EXPECT_EQ(kit.Buscar(propia)->rect, (Rectangulo{0, 0, 10, 10}));
  // A window that vanishes before it can be moved.
  kit.alIniciar = [&](const ToolkitHeadless::Inicio&) { return Arranque{Arranque::Resultado::Iniciado, 77}; };
  EXPECT_EQ(EjecutarYPosicionarPrograma(kit, kit, "C:\\k", "Mi editor.exe x y", 0, 0, 0, 0), "Ejecución satisfactoria");
  EXPECT_EQ(kit.inicios.back().ejecutable, "C:\\k\\Mi editor.exe");
  EXPECT_EQ(kit.inicios.back().argumentos, "x y");
}

// Ctrl+I, taken by the program's loop, restores the main window and brings
// it to the front, from minimized or hidden; the unload releases it.
TEST_F(Principal, CtrlIRestoresAndShowsTheWindow) {
  Cargar();
  f->Cargar();
  for (bool minimizada : {true, false}) {
    SCOPED_TRACE(minimizada ? "minimized" : "hidden");
    kit.Encolar([&] {
      if (minimizada)
        f->SetEstado(EstadoVentana::Minimizada);
      else
        f->Ocultar();
      kit.PulsarTeclaRapida(*f);
    });
    // Two turns: the event above, then the hot key it left waiting.
    int vueltas = 0;
    EsperarTeclaRapida(kit, *f, [&] { return vueltas++ < 2; });
    EXPECT_EQ(f->Estado(), EstadoVentana::Normal);
    EXPECT_TRUE(f->Visible());
  }
  f->Descargar();
  EXPECT_TRUE(kit.teclasRapidas[f.get()].empty());
}

}  // namespace kelu

namespace kelu {

// With a switch key on a desktop that keeps Windows' foreground lock: keys
// the hook swallows are no input to KELU, so it may not take the front.
class ConPulsador : public Principal {
 protected:
  static constexpr int kEspacio = 0x20;
  void ConTecla() {
    Cargar();
    programa->ayudas.TeclaPulsador = kEspacio;
    programa->ayudas.AvisosSonoros = true;
  }
  // A switch press as long as `ms`; true when the hook took both its ends.
  bool Pulsar(int ms) {
    const bool abajo = kit.TeclaGlobal(kEspacio, true);
    kit.Avanzar(ms);
    const bool arriba = kit.TeclaGlobal(kEspacio, false);
    kit.Avanzar(150);
    return abajo && arriba;
  }
  bool EnTira(const std::string& texto) {
    const auto& d = f->fraClic.Dibujo();
    return std::any_of(d.begin(), d.end(), [&](const Trazo& t) { return t.texto == texto; }) &&
           f->Texto().find(texto) != std::string::npos;
  }
  int Descartadas() {
    return static_cast<int>(std::count_if(kit.sonidos.begin(), kit.sonidos.end(),
                                          [](const auto& s) { return s.que == "descartada"; }));
  }
};

// No box the switch cannot close, and no letter that waits for KELU to take
// the front: a target in front takes it; else the strip, the title and the
// cue tell, and the next press clears the notice.
TEST_F(ConPulsador, NoLetterNeedsTheFrontAndNoWarningABox) {
  struct Caso {
    const char* nombre;
    bool elegir;           // a target is chosen
    bool destinoDelante;   // the person clicked the target, else another window
    IdTexto entrada;         // the notice on the strip; IdTexto{}: the letter is typed
  };
  const Caso casos[] = {
      {"the target in front, KELU refused the front", true, true, IdTexto{}},
      {"another window in front", true, false, IdTexto::DestinoNoDelante},
      {"no target chosen", false, false, IdTexto::AvisoSinDestino},  // last: the list stays empty
  };
  Hwnd otra = kit.AgregarVentana("Otra", true, 2000);
  Hwnd objetivo = kit.AgregarVentana("Objetivo");
  kit.teclaRapidaAjena = true;  // a start-up notice too
  ConTecla();
  EnMarcha([&] {
    EXPECT_TRUE(EnTira(programa->idioma.Entrada(IdTexto::AvisoCtrlIOcupada))) << "the start-up notice";
    for (const Caso& c : casos) {
      SCOPED_TRACE(c.nombre);
      if (c.elegir)
        Elegir(objetivo);
      else
        f->cboProcesos.Limpiar();
      kit.ClicEnVentana(c.destinoDelante ? objetivo : otra);
      const size_t antes = kit.Recibido(objetivo).size();
      const int descartadas = Descartadas();
      EXPECT_TRUE(Pulsar(250));
      EXPECT_FALSE(EnTira(programa->idioma.Entrada(IdTexto::AvisoCtrlIOcupada))) << "a press clears the notice";
      kit.Avanzar(2500);
      EXPECT_EQ(kit.Recibido(objetivo).substr(antes), c.entrada != IdTexto{} ? "" : "e");
      EXPECT_EQ(kit.Recibido(otra), "");
      if (c.entrada != IdTexto{}) {
        EXPECT_TRUE(EnTira(programa->idioma.Entrada(c.entrada)));
        if (c.elegir) {
          EXPECT_EQ(Descartadas(), descartadas + 1);
        }
        EXPECT_TRUE(Pulsar(40));  // too short for a dot: still a press
        EXPECT_FALSE(EnTira(programa->idioma.Entrada(c.entrada)));
        kit.Avanzar(2500);
      }
    }
  });
  EXPECT_EQ(kit.mensajes.size(), 1u) << "only the question at closing";
}

// A hook Windows took away is noticed by the witness and installed again,
// after sleep too, each time with no key left down: a release it missed
// keys nothing and leaves no endless press. A refused hook and an elevated
// window in front are told once, on the strip.
TEST_F(ConPulsador, ACaptureTakenAwayComesBackWithNoKeyDown) {
  struct Caso {
    const char* nombre;
    std::function<void(ToolkitHeadless&)> antes;    // before the press
    std::function<void(ToolkitHeadless&)> durante;  // while it is held
    bool primeraTomada;                             // the hook took the first press's down
  };
  const Caso casos[] = {
      {"removed between presses", [](ToolkitHeadless& k) { k.PerderCaptura(); }, nullptr, false},
      {"removed while held", nullptr, [](ToolkitHeadless& k) { k.PerderCaptura(); }, true},
      {"the machine slept while held", nullptr, [](ToolkitHeadless& k) { k.Reanudar(); }, true},
  };
  Hwnd objetivo = kit.AgregarVentana("Objetivo");
  ConTecla();
  programa->ayudas.PausaPorPulsacion = 2000;
  EnMarcha([&] {
    Elegir(objetivo);
    kit.ClicEnVentana(objetivo);
    for (const Caso& c : casos) {
      SCOPED_TRACE(c.nombre);
      const size_t antes = kit.Recibido(objetivo).size();
      if (c.antes) c.antes(kit);
      EXPECT_EQ(kit.TeclaGlobal(kEspacio, true), c.primeraTomada);
      kit.Avanzar(250);
      if (c.durante) c.durante(kit);
      EXPECT_FALSE(kit.TeclaGlobal(kEspacio, false)) << "the release reaches the window in front";
      kit.Avanzar(3000);
      EXPECT_FALSE(f->motor.BotonPresionado()) << "no endless press";
      EXPECT_FALSE(f->motor.EnPausa()) << "no pause hold";
      EXPECT_TRUE(Pulsar(250)) << "the capture is back";
      kit.Avanzar(2500);
      EXPECT_EQ(kit.Recibido(objetivo).substr(antes), "e");
    }
    const int tonos = static_cast<int>(kit.sonidos.size());
    kit.ganchoRechazado = true;
    f->AplicarOpciones();
    programa->ayudas.TeclaRaya = 'A';
    f->AplicarOpciones();  // refused again: not told again
    EXPECT_TRUE(EnTira(programa->idioma.Entrada(IdTexto::GanchoFallido)));
    EXPECT_FALSE(EnTira(programa->idioma.Entrada(IdTexto::GanchoFallido) + " - " + programa->idioma.Entrada(IdTexto::GanchoFallido)));
    kit.ganchoRechazado = false;
    programa->ayudas.TeclaRaya = 0;
    f->AplicarOpciones();
    Pulsar(40);
    kit.Buscar(objetivo)->elevada = true;
    kit.ClicEnVentana(objetivo);
    EXPECT_TRUE(EnTira(programa->idioma.Entrada(IdTexto::VentanaElevada)));
    Pulsar(40);  // not taken: the elevated window gets it, and the notice stays
    EXPECT_FALSE(Pulsar(250));
    EXPECT_TRUE(EnTira(programa->idioma.Entrada(IdTexto::VentanaElevada)));
    EXPECT_EQ(static_cast<int>(kit.sonidos.size()), tonos);
  });
  EXPECT_EQ(kit.mensajes.size(), 1u) << "only the question at closing";
}

// A switch key is known by where it sits: its scan code and extended flag,
// not the virtual key it sends now.
TEST(FiltroTeclas, TheSwitchKeyIsMatchedByScanCode) {
  constexpr int kInsert = 0x2D, kNumpad0 = 0x60, kEnter = 0x0D, kEspacio = 0x20;
  struct Caso {
    const char* nombre;
    int elegida, escaneoElegida;
    int vk, escaneo;
    int interruptor;  // the switch it acts as; 0: none
  };
  const Caso casos[] = {
      {"keypad 0 with NumLock off sends Insert", kNumpad0, 0x52, kInsert, 0x52, kNumpad0},
      {"the Insert key is another key", kNumpad0, 0x52, kInsert, kEscaneoExtendido | 0x52, 0},
      {"a letter under another layout", 'Z', 0x2C, 'Y', 0x2C, 'Z'},
      {"the key that sends Z there is another key", 'Z', 0x2C, 'Z', 0x15, 0},
      {"the keypad's Enter shares Enter's virtual key", kEnter, 0x1C, kEnter, kEscaneoExtendido | 0x1C, kEnter},
      {"a program's key with no scan code", kEspacio, 0x39, kEspacio, 0, kEspacio},
      {"a key chosen with no scan code known", kEspacio, 0, kEspacio, 0x39, kEspacio},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    FiltroTeclas filtro(c.elegida, 0, c.escaneoElegida, 0);
    bool avisar = false;
    int tecla = -1;
    EXPECT_EQ(filtro.Tomar(c.vk, c.escaneo, true, avisar, tecla), c.interruptor != 0);
    EXPECT_EQ(tecla, c.interruptor);
  }
}

// With prediction on, a word offered after its first letters is typed
// whole by its code or by the long press, through the target's checks, with
// no word gap's space after it; the undo code takes back just what it typed.
// Off, the same codes type nothing. What was chosen is learned at the close.
TEST_F(Principal, AChosenWordIsTypedWholeAndTheUndoCodeTakesItBack) {
  // The shipped table with the choosing codes, whatever it ships.
  TablaCodigo tabla = TablaDeTexto(*ArchivosDelSistema().Leer(UnirRuta(prueba::CarpetaDatos(), "Morse ampliado.kel")));
  std::erase_if(tabla.entradas, [](const EntradaCodigo& e) { return e.Texto.find("PALABRA") != std::string::npos; });
  tabla.entradas.push_back({"...-.", "{PALABRA1}"});
  tabla.entradas.push_back({"-.-.-", "{DESHACERPALABRA}"});
  std::string kel = "C\u00f3digos:" + std::to_string(tabla.entradas.size()) + "\r\n";
  for (const EntradaCodigo& e : tabla.entradas) kel += "\"" + e.Secuencia + ":" + e.Texto + "\"\r\n";
  carpeta.Escribir("Morse ampliado.kel", "\xEF\xBB\xBF" + kel);
  carpeta.Escribir("Español.pal", "hola 100\nhora 60\nhoy 30\n");
  Hwnd objetivo = kit.AgregarVentana("Objetivo");
  Cargar();
  programa->ayudas.Prediccion = true;
  EnMarcha([&] {
    Elegir(objetivo);
    Teclear("....");
    kit.Avanzar(2000);
    ASSERT_FALSE(f->prediccion.Mostradas().empty());
    EXPECT_EQ(f->prediccion.Mostradas()[0].palabra, "hola");
    Teclear("...-.");
    kit.Avanzar(6000);  // longer than the word gap: no second space
    EXPECT_EQ(kit.Recibido(objetivo), "hola ");
    Teclear("-.-.-");
    kit.Avanzar(2000);
    EXPECT_EQ(kit.Recibido(objetivo), "hola {BACKSPACE}{BACKSPACE}{BACKSPACE}{BACKSPACE}");
    Teclear("-.-.-");  // once only: nothing is left to take back
    kit.Avanzar(2000);
    Pulsar((f->motor.Estado().larga.desde + 10) * 10);  // "h" again: the long press chooses the first
    kit.Avanzar(6000);
    EXPECT_EQ(kit.Recibido(objetivo), "hola {BACKSPACE}{BACKSPACE}{BACKSPACE}{BACKSPACE}ola ");
    programa->ayudas.Prediccion = false;
    f->AplicarOpciones();
    Teclear("....");
    kit.Avanzar(2000);
    Teclear("...-.");
    kit.Avanzar(2000);
    EXPECT_EQ(kit.Recibido(objetivo), "hola {BACKSPACE}{BACKSPACE}{BACKSPACE}{BACKSPACE}ola h");
    EXPECT_TRUE(f->prediccion.Mostradas().empty());
  });
  EXPECT_EQ(ArchivosDelSistema().Leer(carpeta.Ruta() + "/aprendidas-Español.pal"), "hola 1\n");
}

// The person's own words come back from their file, and forgetting them
// empties the file at once: it holds what they typed.
TEST_F(Principal, LearnedWordsAreOfferedAndForgottenOnDiskAtOnce) {
  carpeta.Escribir("Español.pal", "sol 1\n");
  carpeta.Escribir("aprendidas-Español.pal", "secreto 5\n");
  Hwnd objetivo = kit.AgregarVentana("Objetivo");
  Cargar();
  programa->ayudas.Prediccion = true;
  EnMarcha([&] {
    Elegir(objetivo);
    Teclear("...");
    kit.Avanzar(2000);
    ASSERT_FALSE(f->prediccion.Mostradas().empty());
    EXPECT_EQ(f->prediccion.Mostradas()[0].palabra, "secreto");
    programa->ayudas.OlvidarPalabras = true;
    f->AplicarOpciones();
    EXPECT_FALSE(programa->ayudas.OlvidarPalabras);
    EXPECT_EQ(ArchivosDelSistema().Leer(carpeta.Ruta() + "/aprendidas-Español.pal"), "");
    EXPECT_EQ(f->prediccion.Mostradas()[0].palabra, "sol");
  });
}

}  // namespace kelu
