#include <gtest/gtest.h>

#include "config/frm_ayudas.h"
#include "config/frm_calibracion.h"
#include "config/frm_opciones.h"
#include "config/frm_pulsador.h"
#include "startup/guardado.h"
#include "startup/inicio.h"
#include "config/utilidades.h"
#include "platform/headless/toolkit_headless.h"
#include "tests/archivos_prueba.h"
#include "window/frm_kelu.h"

namespace kelu {

// The options dialog beside a main window, the shipped Spanish texts and
// default code file in the program's folder, settings at their defaults.
class Opciones : public ::testing::Test {
 protected:
  Opciones() {
    kit.carpetaPrograma = carpeta.Ruta();
    for (const char* nombre : {"Español.lng", "Morse ampliado.kel"}) Copiar(carpeta, nombre, nombre);
    programa = std::make_unique<Programa>(kit, kit, ArchivosDelSistema());
    programa->configuracion = ConfiguracionPredeterminada();
    CargarIdioma(programa->idioma, ArchivosDelSistema(), programa->Ruta("Español.lng"));
    kelu = std::make_unique<frmKelu>(*programa);
    d = std::make_unique<frmOpciones>(*programa);
    ConectarFormularios(*kelu, *d);
  }
  static void Copiar(const prueba::CarpetaTemporal& a, const std::string& dato, const std::string& nombre) {
    a.Escribir(nombre, *ArchivosDelSistema().Leer(UnirRuta(prueba::CarpetaDatos(), dato)));
  }
  // Runs `cuerpo` from the program's loop beside the main window, then
  // closes that window.
  void EnMarcha(const std::function<void()>& cuerpo) {
    kit.Encolar([&] {
      cuerpo();
      kelu->Descargar();
    });
    kelu->Cargar();
    EsperarTeclaRapida(kit, *kelu, [&] { return kelu->Cargada(); });
  }
  void Abrir() { kelu->cmdOpciones.Click(); }
  Configuracion& Config() { return programa->configuracion; }

  prueba::CarpetaTemporal carpeta;
  ToolkitHeadless kit;
  std::unique_ptr<Programa> programa;
  std::unique_ptr<frmKelu> kelu;
  std::unique_ptr<frmOpciones> d;
};

TEST_F(Opciones, OpeningShowsEverySettingTranslatedWithTheFocusOnOk) {
  Config().AjustarAncho = false;
  Abrir();
  ASSERT_TRUE(d->Cargada());
  EXPECT_FALSE(d->Cargando);
  EXPECT_FALSE(kit.encima[kelu.get()]);
  EXPECT_EQ(d->ConFoco(), &d->cmdAceptar);
  EXPECT_EQ(d->Texto(), programa->idioma.Entrada(IdTexto::TituloOpciones));
  EXPECT_EQ(d->cmdCancelar.Texto(), programa->idioma.Entrada(IdTexto::BotonCancelar));
  EXPECT_EQ(d->IdiomaElegido, "Español");
  EXPECT_EQ(d->txtCódigo.Texto(), "Morse ampliado");
  EXPECT_EQ(d->cboUbicación.Seleccion(), 0);
  EXPECT_FALSE(d->chkAjustarAncho.Marcada());
  EXPECT_TRUE(d->chkSiempreVisible.Marcada() && d->chkFijarPunteroDelMouse.Marcada() &&
              d->chkMostrarEscritura.Marcada());
  d->cmdAyuda.Click();
  EXPECT_EQ(kit.documentosAbiertos.size(), 1u);
  EXPECT_TRUE(kit.mensajes.empty());
}

TEST_F(Opciones, APlacementInAnotherCaseSelectsNothingAndOkStoresItEmpty) {
  Config().Ubicacion = "Arriba";
  Abrir();
  EXPECT_EQ(d->cboUbicación.Seleccion(), 1);
  d->cmdCancelar.Click();
  Config().Ubicacion = "abajo";
  Abrir();  // a fresh dialog: the earlier choice is gone too
  EXPECT_EQ(d->cboUbicación.Seleccion(), -1);
  d->cmdAceptar.Click();
  EXPECT_FALSE(d->Cargada());
  EXPECT_EQ(Config().Ubicacion, "");
}

// OK also saves the settings at once, so that a save that fails is told
// while the person is there to act on it, once a session.
// The dialog never writes the files: the close does, and a close that
// cannot write them says so to the person who closed KELU.
TEST_F(Opciones, OkWritesNothingAndAFailedSaveAtTheCloseIsTold) {
  const std::string perdida = carpeta.En("no\\existe");
  EnMarcha([&] {
    Abrir();
    d->chkAjustarAncho.SetMarcada(false);
    d->cmdAceptar.Click();
    EXPECT_FALSE(ArchivosDelSistema().Leer(carpeta.En("kelu.ini")));
    programa->lugarConfiguracion.escritura = perdida;
  });
  ASSERT_EQ(kit.mensajes.size(), 2u);  // the close question, then the failure
  EXPECT_EQ(kit.mensajes[1].texto, Sustituir(programa->idioma.Entrada(IdTexto::GuardadoFallido), {perdida}));
}

TEST_F(Opciones, ARefusedOkStoresNothingAndACorrectedOneStoresEverything) {
  const Configuracion antes = Config();
  Abrir();
  d->chkAjustarAncho.SetMarcada(false);
  d->cboUbicación.SetSeleccion(2);
  d->txtDuraciónPunto.TextoDelUsuario("30");
  d->txtDuraciónRaya.TextoDelUsuario("60");
  d->txtMásMenosRaya.TextoDelUsuario("21");  // 30 + 10 > 60 - 21
  d->cmdAceptar.Click();
  ASSERT_EQ(kit.mensajes.size(), 1u);
  EXPECT_EQ(kit.mensajes[0].texto, programa->idioma.Entrada(IdTexto::MensajePuntoSobreRaya));
  EXPECT_EQ(kit.mensajes[0].titulo, programa->idioma.Entrada(IdTexto::MensajeTiemposPuntoRaya));
  EXPECT_EQ(kit.mensajes[0].estilo, kMbOk | kMbExclamacion);
  EXPECT_EQ(d->ConFoco(), &d->txtDuraciónPunto);
  EXPECT_TRUE(d->Cargada());
  EXPECT_EQ(Config(), antes);

  d->txtMásMenosRaya.TextoDelUsuario("20");  // 40 against 40 passes
  d->cmdAceptar.Click();
  EXPECT_EQ(kit.mensajes.size(), 1u);
  EXPECT_FALSE(d->Cargada());
  EXPECT_FALSE(Config().AjustarAncho);
  EXPECT_EQ(Config().Ubicacion, "Libre");
  EXPECT_FALSE(Config().CalcularSegunPunto);  // the dot edit unticked it
  EXPECT_EQ(Config().DuracionPunto, 30);
  EXPECT_EQ(Config().DuracionRaya, 60);
  EXPECT_EQ(Config().ToleranciaRaya, 20);
}

TEST_F(Opciones, OkWithoutChangesStillPutsEverythingIntoForce) {
  EnMarcha([&] {
    programa->tabla = TablaCodigo{};
    Config().TiempoEntreLetras = 150;  // not yet applied to the timer
    kelu->SetTexto("otro");
    kelu->lblFijarPunteroDelMouse.SetTexto("otro");
    kelu->SetPosicion({100, 100, 9000, 1850});
    Abrir();
    d->cmdAceptar.Click();
    EXPECT_GT(programa->tabla.CantidadCodigos(), 40);
    EXPECT_EQ(kelu->motor.Estado().letra.intervaloMs, 1500);
    EXPECT_TRUE(kit.encima[kelu.get()]);
    EXPECT_EQ(kelu->Posicion().arriba, kit.pantalla.alto - kelu->Posicion().alto - 500);
    EXPECT_EQ(kelu->Posicion().ancho, kit.pantalla.ancho);
    EXPECT_EQ(kelu->Texto(), programa->idioma.Entrada(IdTexto::TituloKelu));
    EXPECT_EQ(kelu->lblFijarPunteroDelMouse.Texto(), programa->idioma.Entrada(IdTexto::AyudaLiberarPuntero));
  });
}

TEST_F(Opciones, TimersRestWhileOpenAndRestartAFreshCountdownOnEveryClose) {
  Hwnd objetivo = kit.AgregarVentana("Objetivo");
  EnMarcha([&] {
    kelu->cboProcesos.SetFoco();
    kelu->cboProcesos.SetSeleccion(0);
    ASSERT_EQ(kelu->lista.HandleDestino(), objetivo);
    kit.BotonAbajo(*kelu, &kelu->fraClic);
    kit.Avanzar(250);
    kit.BotonArriba(*kelu, &kelu->fraClic);
    kit.Avanzar(1000);
    Abrir();
    EXPECT_FALSE(kelu->motor.Estado().letra.enMarcha);
    EXPECT_FALSE(kelu->motor.Estado().palabra.enMarcha);
    kit.Avanzar(5000);
    EXPECT_EQ(kelu->motor.CodigoActual(), ".");
    d->cmdCancelar.Click();
    EXPECT_TRUE(kelu->motor.Estado().letra.enMarcha);
    EXPECT_FALSE(kelu->motor.BotonPresionado());
    kit.Avanzar(1990);  // the whole 2 s letter gap again
    EXPECT_EQ(kelu->motor.CodigoActual(), ".");
    kit.Avanzar(30);
    EXPECT_EQ(kit.Recibido(objetivo), "e");

    Abrir();
    kit.Cerrar(*d);
    EXPECT_FALSE(d->Cargada());
    EXPECT_TRUE(kelu->motor.Estado().letra.enMarcha);
  });
}

TEST_F(Opciones, CancelAndTheCloseBoxUndoALanguagePick) {
  prueba::CarpetaTemporal otra;
  Copiar(otra, "English.lng", "ingles.b.lng");
  const std::string espanol20 = programa->idioma.Entrada(IdTexto::TituloOpciones);
  for (bool cajaDeCierre : {false, true}) {
    kit.encima.clear();
    Abrir();
    kit.archivosElegidos = {otra.En("ingles.b.lng")};
    d->cmdIdioma.Click();
    EXPECT_EQ(d->Texto(), "Options - KELU");
    EXPECT_EQ(d->IdiomaElegido, "ingles");
    EXPECT_TRUE(d->IdiomaCambiado);
    cajaDeCierre ? kit.Cerrar(*d) : d->cmdCancelar.Click();
    EXPECT_FALSE(d->Cargada());
    EXPECT_EQ(programa->idioma.Entrada(IdTexto::TituloOpciones), espanol20);
    EXPECT_EQ(Config().Idioma, "Español");
    EXPECT_TRUE(kit.encima[kelu.get()]);
  }
}

TEST_F(Opciones, OkAfterALanguagePickStoresItsNameAndRetranslatesTheStrip) {
  Copiar(carpeta, "English.lng", "English.lng");
  Abrir();
  kit.archivosElegidos = {carpeta.En("English.lng")};
  d->cmdIdioma.Click();
  d->cmdAceptar.Click();
  EXPECT_EQ(Config().Idioma, "English");
  EXPECT_EQ(kelu->lblFijarPunteroDelMouse.Texto(), "F2: Release mouse pointer");
  // Cancelling an unchanged dialog reloads the saved language: no change.
  Abrir();
  d->cmdCancelar.Click();
  EXPECT_EQ(programa->idioma.Entrada(IdTexto::EtiquetaCodigo), "Code:");
}

TEST_F(Opciones, TheCodeChooserKeepsOnlyTheNameAndCancelChangesNothing) {
  Abrir();
  d->cmdCódigo.Click();  // no file scripted: the user cancels
  EXPECT_EQ(d->txtCódigo.Texto(), "Morse ampliado");
  kit.archivosElegidos = {"D:\\otros\\Morse ampliado.kel", "D:\\x.y.kel"};
  d->cmdCódigo.Click();
  EXPECT_EQ(d->txtCódigo.Texto(), "Morse ampliado");
  d->cmdCódigo.Click();
  EXPECT_EQ(d->txtCódigo.Texto(), "x");
  EXPECT_TRUE(kit.mensajes.empty());
  d->cmdAceptar.Click();  // no x.kel here: the loader falls back
  EXPECT_EQ(Config().Codigo, "morse_fijo");
}

TEST_F(Opciones, EditarRefusesExactlyKeluAndOtherwiseStartsTheEditor) {
  Config().Codigo = "kelu";
  Abrir();
  d->cmdEditar.Click();
  ASSERT_EQ(kit.mensajes.size(), 1u);
  EXPECT_EQ(kit.mensajes[0].texto, programa->idioma.Entrada(IdTexto::MensajeCodigoNoEditable));
  EXPECT_EQ(kit.mensajes[0].titulo, programa->idioma.Entrada(IdTexto::MensajeTiemposPuntoRaya));
  EXPECT_TRUE(kit.inicios.empty());
  d->cmdCancelar.Click();

  Config().Codigo = "Kelu";
  Abrir();
  d->cmdEditar.Click();  // the editor is not found: nothing is said
  ASSERT_EQ(kit.inicios.size(), 1u);
  EXPECT_EQ(kit.inicios[0].ejecutable, carpeta.En("notepad.exe"));
  EXPECT_EQ(kit.inicios[0].argumentos, "Kelu.kel");
  EXPECT_EQ(kit.inicios[0].carpeta, carpeta.Ruta());
  EXPECT_EQ(kit.mensajes.size(), 1u);
}

// The aids dialog edits the options dialog's working copy: only OK in both
// puts what it changed into force. A frequency written into the file by hand
// is offered in the list and survives the dialogs.
struct CierreAyudas {
  enum Forma { Aceptar, Cancelar, CajaDeCierre };
  const char* caso;
  Forma ayudas, opciones;
  bool guardadas;
  friend void PrintTo(const CierreAyudas& c, std::ostream* os) { *os << c.caso; }
};

class OpcionesYAyudas : public Opciones, public ::testing::WithParamInterface<CierreAyudas> {
 protected:
  OpcionesYAyudas() { ConectarAyudas(*d, a); }
  void Cerrar(Ventana& v, Boton& aceptar, Boton& cancelar, CierreAyudas::Forma forma) {
    if (forma == CierreAyudas::Aceptar) aceptar.Click();
    if (forma == CierreAyudas::Cancelar) cancelar.Click();
    if (forma == CierreAyudas::CajaDeCierre) kit.Cerrar(v);
    EXPECT_FALSE(v.Cargada());
  }
  frmAyudas a{*programa};
};

TEST_P(OpcionesYAyudas, OnlyOkInBothDialogsStoresTheAids) {
  const CierreAyudas& p = GetParam();
  programa->ayudas.FrecuenciaTono = 750;
  programa->conservarAyudas = true;  // the file could not be read at the start
  const Ayudas antes = programa->ayudas;
  Ayudas cambiadas = antes;
  cambiadas.Tono = true;
  cambiadas.VolumenTono = 80;
  cambiadas.IniciarAlEntrar = true;  // the Startup shortcut, not a line of the file

  Abrir();
  d->cmdAyudas.Click();
  ASSERT_TRUE(a.Cargada());
  EXPECT_EQ(a.Texto(), programa->idioma.Entrada(IdTexto::TituloAyudas));
  EXPECT_EQ(a.cboFrecuencia.Entrada(4), "750 Hz");
  EXPECT_EQ(a.cboFrecuencia.Seleccion(), 4);
  EXPECT_FALSE(a.chkTono.Marcada());
  a.chkTono.SetMarcada(true);
  ASSERT_TRUE(a.cboVolumen.SetSeleccion(a.cboVolumen.Buscar("80 %")));
  EXPECT_FALSE(a.chkIniciarAlEntrar.Marcada());
  a.chkIniciarAlEntrar.SetMarcada(true);
  Cerrar(a, a.cmdAceptar, a.cmdCancelar, p.ayudas);
  EXPECT_FALSE(kit.inicioAlEntrar);  // not before the options dialog's OK

  // Opened again from the same options dialog, it shows the working copy.
  d->cmdAyudas.Click();
  EXPECT_EQ(a.chkTono.Marcada(), p.ayudas == CierreAyudas::Aceptar);
  EXPECT_EQ(a.cboVolumen.Entrada(a.cboVolumen.Seleccion()), p.ayudas == CierreAyudas::Aceptar ? "80 %" : "30 %");
  a.cmdCancelar.Click();

  Cerrar(*d, d->cmdAceptar, d->cmdCancelar, p.opciones);
  EXPECT_EQ(programa->ayudas, p.guardadas ? cambiadas : antes);
  EXPECT_EQ(programa->conservarAyudas, p.opciones != CierreAyudas::Aceptar);
  EXPECT_EQ(kit.inicioAlEntrar, p.guardadas);
  EXPECT_EQ(TextoAyudas(programa->ayudas, {}).find("Iniciar"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Opciones, OpcionesYAyudas,
    ::testing::Values(CierreAyudas{"okThenOk", CierreAyudas::Aceptar, CierreAyudas::Aceptar, true},
                      CierreAyudas{"okThenCancel", CierreAyudas::Aceptar, CierreAyudas::Cancelar, false},
                      CierreAyudas{"okThenCloseBox", CierreAyudas::Aceptar, CierreAyudas::CajaDeCierre, false},
                      CierreAyudas{"cancelThenOk", CierreAyudas::Cancelar, CierreAyudas::Aceptar, false},
                      CierreAyudas{"closeBoxThenOk", CierreAyudas::CajaDeCierre, CierreAyudas::Aceptar, false}),
    [](const auto& caso) { return std::string(caso.param.caso); });

// The sign-in box shows whether the Startup shortcut is there, not what was
// last asked: one that could not be taken away shows ticked again.
TEST_F(OpcionesYAyudas, TheSignInBoxShowsTheShortcutAsItIs) {
  kit.inicioAlEntrar = true;  // made by the installer
  kit.inicioAlEntrarPosible = false;
  Abrir();
  d->cmdAyudas.Click();
  EXPECT_TRUE(a.chkIniciarAlEntrar.Marcada());
  a.chkIniciarAlEntrar.SetMarcada(false);
  a.cmdAceptar.Click();
  d->cmdAceptar.Click();
  EXPECT_TRUE(kit.inicioAlEntrar);
  EXPECT_TRUE(programa->ayudas.IniciarAlEntrar);
  Abrir();
  d->cmdAyudas.Click();
  EXPECT_TRUE(a.chkIniciarAlEntrar.Marcada());
  a.cmdCancelar.Click();
  d->cmdCancelar.Click();
}

// Word prediction's boxes (the long press's among them) show the copy and
// OK writes them back; "forget my words" is a request that only OK puts into
// the copy (never a line of the file), and it does not outlive a Cancel into
// the next opening.
TEST_F(OpcionesYAyudas, PredictionBoxesAndTheForgetRequestCountOnlyWithOk) {
  struct Caso {
    const char* caso;
    bool olvidar;       // the forget button pressed
    bool aceptar;       // OK, else Cancel
    bool olvidarAntes;  // a request already in the copy
    bool olvidarDespues;
  };
  const Caso casos[] = {
      {"ok with forget", true, true, false, true},
      {"ok without forget", false, true, false, false},
      {"cancel drops the forget", true, false, false, false},
      {"an earlier request stays", false, true, true, true},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.caso);
    Ayudas copia;
    copia.OlvidarPalabras = c.olvidarAntes;
    a.Abrir(copia);
    ASSERT_TRUE(a.Cargada());
    EXPECT_EQ(a.cmdOlvidarPalabras.Texto(), programa->idioma.Entrada(IdTexto::BotonOlvidarPalabras));
    EXPECT_FALSE(a.chkPrediccion.Marcada());
    EXPECT_TRUE(a.chkAprenderPalabras.Marcada());
    EXPECT_TRUE(a.chkPulsacionLargaElige.Marcada());
    a.chkPrediccion.SetMarcada(true);
    a.chkAprenderPalabras.SetMarcada(false);
    a.chkPulsacionLargaElige.SetMarcada(false);
    if (c.olvidar) a.cmdOlvidarPalabras.Click();
    (c.aceptar ? a.cmdAceptar : a.cmdCancelar).Click();
    EXPECT_FALSE(a.Cargada());
    EXPECT_EQ(copia.Prediccion, c.aceptar);
    EXPECT_EQ(copia.AprenderPalabras, !c.aceptar);
    EXPECT_EQ(copia.PulsacionLargaElige, !c.aceptar);
    EXPECT_EQ(copia.OlvidarPalabras, c.olvidarDespues);
    EXPECT_EQ(TextoAyudas(copia, {}).find("Olvidar"), std::string::npos);

    // Opened again and left with OK: the boxes show the copy, and a forget
    // pressed before a Cancel is not asked now.
    a.Abrir(copia);
    EXPECT_EQ(a.chkPrediccion.Marcada(), c.aceptar);
    EXPECT_EQ(a.chkAprenderPalabras.Marcada(), !c.aceptar);
    EXPECT_EQ(a.chkPulsacionLargaElige.Marcada(), !c.aceptar);
    a.cmdAceptar.Click();
    EXPECT_EQ(copia.OlvidarPalabras, c.olvidarDespues);
  }
}

// The switch dialog, opened from the aids dialog on the same working copy:
// keys are chosen by pressing them (swallowed, so Esc does not cancel the
// dialog; Esc chooses none), a dash key needs a switch key, a value written
// by hand stays in its list, and Cancel leaves everything as it was.
TEST_F(OpcionesYAyudas, TheSwitchDialogChoosesKeysByPressingThem) {
  constexpr int kEspacio = 0x20, kF8 = 0x77, kNinguna = -2;
  struct Caso {
    const char* caso;
    int tecla, raya;              // in the working copy
    int pulsarTecla, pulsarRaya;  // pressed after Choose; kNinguna: not chosen
    bool aceptar;
    int tecla2, raya2;  // afterwards
  };
  const Caso casos[] = {
      {"both chosen", 0, 0, kEspacio, kF8, true, kEspacio, kF8},
      {"esc chooses none; the dash key goes with it", kEspacio, kF8, kTeclaEsc, kNinguna, true, 0, 0},
      {"cancel", 0, 0, kEspacio, kF8, false, 0, 0},
  };
  frmPulsador pulsador(*programa);
  ConectarPulsador(a, pulsador);
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.caso);
    Ayudas copia;
    copia.TeclaPulsador = c.tecla;
    copia.TeclaRaya = c.raya;
    copia.PulsacionMinima = 25;
    a.Abrir(copia);
    a.cmdPulsador.Click();
    ASSERT_TRUE(pulsador.Cargada());
    EXPECT_EQ(pulsador.lblNombreTecla.Texto(), c.tecla ? "SPACE" : programa->idioma.Entrada(IdTexto::TeclaNinguna));
    EXPECT_EQ(pulsador.cboPulsacionMinima.Entrada(pulsador.cboPulsacionMinima.Seleccion()), "25 ms");
    const std::pair<Boton*, int> elecciones[] = {{&pulsador.cmdElegirTecla, c.pulsarTecla},
                                                 {&pulsador.cmdElegirRaya, c.pulsarRaya}};
    for (auto [boton, tecla] : elecciones) {
      if (tecla == kNinguna) continue;
      boton->Click();
      EXPECT_EQ(pulsador.lblPulseAhora.Texto(), programa->idioma.Entrada(IdTexto::PulsadorPulseAhora));
      for (bool abajo : {true, true, false}) EXPECT_TRUE(kit.TeclaGlobal(tecla, abajo));
      EXPECT_TRUE(pulsador.Cargada());
      EXPECT_EQ(kit.teclasCapturadas, std::make_pair(0, 0)) << "one key, then the keys are free again";
      EXPECT_EQ(pulsador.lblPulseAhora.Texto(), "");
    }
    if (c.pulsarRaya == kF8) {
      EXPECT_EQ(pulsador.lblNombreRaya.Texto(), "F8");
    }
    pulsador.chkMantenerDestino.SetMarcada(true);
    (c.aceptar ? pulsador.cmdAceptar : pulsador.cmdCancelar).Click();
    EXPECT_FALSE(pulsador.Cargada());
    EXPECT_EQ(std::make_pair(copia.TeclaPulsador, copia.TeclaRaya), std::make_pair(c.tecla2, c.raya2));
    EXPECT_EQ(copia.MantenerDestino, c.aceptar);
    EXPECT_EQ(copia.PulsacionMinima, 25);
    a.cmdCancelar.Click();
  }
}

// The calibration, opened from the aids dialog over the options dialog,
// keyed on its own pad with the manual clock: Accept puts the proposal into
// the options dialog's boxes and forgets the pace learned, and only OK in
// both dialogs stores that. Dots that reach the dashes leave Accept disabled
// until a fresh start keys them apart.
struct CasoCalibracion {
  enum Cierre { Aceptar, Cancelar };
  const char* caso;
  int punto, raya;  // ms, as first keyed
  Cierre calibracion, opciones;
  bool guardada;
  friend void PrintTo(const CasoCalibracion& c, std::ostream* os) { *os << c.caso; }
};

class CalibracionEnOpciones : public Opciones, public ::testing::WithParamInterface<CasoCalibracion> {
 protected:
  CalibracionEnOpciones() {
    ConectarAyudas(*d, a);
    ConectarCalibracion(*d, a, c);
  }
  void Pulsar(int ms, int pausaAntes) {
    kit.Avanzar(pausaAntes);
    kit.BotonAbajo(c, &c.fraPad);
    kit.Avanzar(ms);
    kit.BotonArriba(c, &c.fraPad);
  }
  // Ten dots, ten dashes, "sos" three times; each press 10 ms off its
  // length now and then, the pauses one dot inside a letter, three between.
  void Teclear(int punto, int raya) {
    const int desvio[] = {0, -10, 10};
    for (int i = 0; i < 10; ++i) Pulsar(punto + desvio[i % 3], 300);
    EXPECT_EQ(c.EtapaActual(), frmCalibracion::Etapa::Rayas);
    for (int i = 0; i < 10; ++i) Pulsar(raya + desvio[i % 3], 300);
    EXPECT_EQ(c.lblInstruccion.Texto(), programa->idioma.Entrada(IdTexto::CalibracionSos));
    for (int vez = 0; vez < 3; ++vez) {
      int pausa = 1500;
      for (char e : std::string("... --- ...")) {
        if (e == ' ') {
          pausa = 3 * punto;
          continue;
        }
        Pulsar(e == '.' ? punto : raya, pausa);
        pausa = punto;
      }
    }
    EXPECT_EQ(c.EtapaActual(), frmCalibracion::Etapa::Hecha);
  }
  std::vector<std::string> Cajas() {
    std::vector<std::string> textos;
    for (CajaTexto* caja : {&d->txtDuraciónPunto, &d->txtMásMenosPunto, &d->txtDuraciónRaya, &d->txtMásMenosRaya,
                            &d->txtDuraciónEntreLetras, &d->txtMásMenosEntreLetras, &d->txtDuraciónEntrePalabras})
      textos.push_back(caja->Texto());
    return textos;
  }
  frmAyudas a{*programa};
  frmCalibracion c{*programa};
};

TEST_P(CalibracionEnOpciones, AcceptFillsTheOptionsBoxesOnlyWhenDotsAndDashesStandApart) {
  const CasoCalibracion& p = GetParam();
  programa->ayudas.RitmoPunto = 20;
  programa->ayudas.RitmoRaya = 60;
  programa->ayudas.RitmoHueco = 22;
  const Configuracion antes = Config();
  const Ayudas ayudasAntes = programa->ayudas;
  Abrir();
  d->cmdAyudas.Click();
  a.cmdCalibrar.Click();
  ASSERT_TRUE(c.Cargada());
  EXPECT_EQ(c.Texto(), programa->idioma.Entrada(IdTexto::TituloCalibracion));
  const std::vector<std::string> cajasAntes = Cajas();

  Teclear(p.punto, p.raya);
  if (p.raya - p.punto < 100) {
    EXPECT_TRUE(c.Propuesta().solapados);
    EXPECT_EQ(c.lblInstruccion.Texto(), programa->idioma.Entrada(IdTexto::CalibracionSolapados));
    EXPECT_FALSE(c.cmdAceptar.Habilitado());
    c.cmdAceptar.Click();
    EXPECT_TRUE(c.Cargada());
    EXPECT_EQ(Cajas(), cajasAntes);
    c.cmdEmpezar.Click();
    EXPECT_EQ(c.lblInstruccion.Texto(), programa->idioma.Entrada(IdTexto::CalibracionPuntos));
    Teclear(150, 450);
  }
  // 150 ms dots and 450 ms dashes meet at 26 cs; the letter gap lies
  // between a 150 ms and a 450 ms pause.
  EXPECT_EQ(c.lblInstruccion.Texto(), programa->idioma.Entrada(IdTexto::CalibracionSeparados));
  EXPECT_EQ(c.lblPropuesta.Texto(), "Punto 16 ± 10, raya 69 ± 43, entre letras 26 (centésimas de segundo)");
  ASSERT_TRUE(c.cmdAceptar.Habilitado());
  (p.calibracion == CasoCalibracion::Aceptar ? c.cmdAceptar : c.cmdCancelar).Click();
  EXPECT_FALSE(c.Cargada());
  const bool tomada = p.calibracion == CasoCalibracion::Aceptar;
  const std::vector<std::string> propuesta = {"16", "10", "69", "43", "26", "0", "0"};
  EXPECT_EQ(Cajas(), tomada ? propuesta : cajasAntes);
  EXPECT_EQ(d->chkCalcularDuracionesSegúnElPunto.Marcada(), !tomada);
  EXPECT_EQ(d->txtDuraciónRaya.Habilitado(), tomada);

  a.cmdAceptar.Click();
  (p.opciones == CasoCalibracion::Aceptar ? d->cmdAceptar : d->cmdCancelar).Click();
  EXPECT_FALSE(d->Cargada());
  Configuracion esperada = antes;
  if (p.guardada) {
    esperada.DuracionPunto = 16;
    esperada.ToleranciaPunto = 10;
    esperada.DuracionRaya = 69;
    esperada.ToleranciaRaya = 43;
    esperada.TiempoEntreLetras = 26;
    esperada.ToleranciaEntreLetras = 0;
    esperada.CalcularSegunPunto = false;
  }
  EXPECT_EQ(Config(), esperada);
  Ayudas ayudasEsperadas = ayudasAntes;
  if (p.guardada) ayudasEsperadas.RitmoPunto = ayudasEsperadas.RitmoRaya = ayudasEsperadas.RitmoHueco = 0;
  EXPECT_EQ(programa->ayudas, ayudasEsperadas);
  EXPECT_TRUE(kit.mensajes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Opciones, CalibracionEnOpciones,
    ::testing::Values(
        CasoCalibracion{"acceptThenOk", 150, 450, CasoCalibracion::Aceptar, CasoCalibracion::Aceptar, true},
        CasoCalibracion{"acceptThenCancel", 150, 450, CasoCalibracion::Aceptar, CasoCalibracion::Cancelar, false},
        CasoCalibracion{"cancelThenOk", 150, 450, CasoCalibracion::Cancelar, CasoCalibracion::Aceptar, false},
        CasoCalibracion{"overlapThenAgain", 300, 310, CasoCalibracion::Aceptar, CasoCalibracion::Aceptar, true}),
    [](const auto& caso) { return std::string(caso.param.caso); });

TEST(Utilidades, FileNamesAndListSelection) {
  EXPECT_EQ(NombreDeArchivo("D:\\otros\\Morse ampliado.kel"), "Morse ampliado.kel");
  EXPECT_EQ(NombreDeArchivo("D:\\otros\\"), "");
  EXPECT_EQ(QuitarExtension("mi.codigo.kel"), "mi");
  EXPECT_EQ(QuitarExtension("sin punto"), "sin punto");
  EXPECT_EQ(QuitarExtension(".oculto"), "");

  ToolkitHeadless kit;
  Ventana v(kit, "v", "v", 1000, 1000);
  Combo lista(v, "lista", {}, Fuente{});
  for (const char* e : {"Abajo", "Arriba", "Abajo"}) lista.Agregar(e);
  SeleccionarEnLista(lista, "Abajo");
  EXPECT_EQ(lista.Seleccion(), 2);  // the last equal entry
  SeleccionarEnLista(lista, "arriba");
  EXPECT_EQ(lista.Seleccion(), 2);  // no match keeps the selection
}

}  // namespace kelu
