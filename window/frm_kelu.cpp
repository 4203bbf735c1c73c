#include "window/frm_kelu.h"

#include "config/ayudas.h"
#include "platform/numeros.h"
#include "platform/paso.h"
#include "platform/teclas.h"
#include "startup/guardado.h"
#include "window/eco.h"
#include "window/lanzador.h"

namespace kelu {

frmKelu::frmKelu(Programa& programa)
    : Ventana(programa.toolkit, "frmKelu", "KELU", 8880, 1335),
      lblFijarPunteroDelMouse(*this, "lblFijarPunteroDelMouse", {240, 780, 2370, 195}, kVerdana825,
                              "F2: Fijar puntero del mouse"),
      cmdSalir(*this, "cmdSalir", {3960, 720, 1455, 375}, kVerdana9, "&Salir"),
      cboProcesos(*this, "cboProcesos", {240, 360, 3615, 315}, kVerdana825),
      lblEscribirEn(*this, "lblEscribirEn", {240, 120, 1050, 210}, kVerdana9, "Escribir en:"),
      cmdOpciones(*this, "cmdOpciones", {3960, 240, 1455, 375}, kVerdana9, "&Opciones"),
      fraClic(*this, "fraClic", {5640, 240, 3135, 855}, kVerdana9),
      lblCentro(*this, "lblCentro", {6840, 600, 855, 255}, kVerdana9),
      lblF6CtrlI(*this, "lblF6CtrlI", {240, 1005, 3030, 195}, kVerdana825, "F6: Bloc de notas  -  CTRL+I: KELU"),
      motor(programa.toolkit, programa.configuracion, programa.tabla, this),
      vigia(*this, [this] { Pulsacion_Abajo(); }, [this] { motor.BotonArriba(); }),
      lista(programa.escritorio),
      entrega(programa, motor, lista, cboProcesos, *this),
      practica(programa, motor),
      prediccion(programa, motor, entrega),
      panel(programa, motor, entrega, fraClic, practica, prediccion),
      programa_(programa) {
  botonMaximizar = false;
  vistaPreviaTeclas = true;
  fraClic.borde = true;
  OrdenTab({&lblFijarPunteroDelMouse, &cmdSalir, &cboProcesos, &lblEscribirEn,
            &cmdOpciones, &fraClic, &lblCentro, &lblF6CtrlI});

  Load = [this] { Form_Load(); };
  Resize = [this] { Form_Resize(); };
  // Placed again, not made topmost again: the options dialog may be open.
  PantallaCambiada = [this] { ColocarVentana(); };
  KeyDown = [this](const TeclaPulsada& t) { Form_KeyDown(t); };
  QueryUnload = [this](bool& cancelar) { Form_QueryUnload(cancelar); };
  Unload = [this] { Form_Unload(); };

  cmdSalir.Click = [this] { Descargar(); };
  cmdOpciones.Click = [this] {
    if (AbrirOpciones) AbrirOpciones();
  };
  receptores = {&practica, &prediccion, &entrega};
  prediccion.Descartada = [this](AvisoSonoro aviso) { panel.SonarAviso(aviso); };
  prediccion.Cambio = [this] {
    MostrarEco(false);
    panel.Actualizar();
  };
  entrega.LetraTerminada = practica.LetraTerminada = [this](AvisoSonoro aviso) { panel.SonarAviso(aviso); };
  entrega.Eco = practica.Eco = [this] { MostrarEco(false); };
  entrega.AvisoEnTira = [this](const std::string& texto) {
    if (!ConPulsador()) return false;
    AvisoEnTira(texto);
    return true;
  };
  cboProcesos.GotFocus = [this] { LlenarLista(); };
  cboProcesos.DropDown = [this] { cboProcesos_DropDown(); };
  cboProcesos.Click = [this] {
    lista.Elegir(cboProcesos);
    prediccion.NuevaPalabra();
  };
  // A press on the pad leaves the focus on Opciones, away from the list.
  fraClic.Click = [this] { cmdOpciones.SetFoco(); };
  lblCentro.Click = [this] { cmdOpciones.SetFoco(); };
  fraClic.MouseMove = [this](const EventoRaton&) {
    if (!programa_.configuracion.FijarPuntero) return;
    auto [x, y] = PuntoCentralClic();
    Kit().FijarCursor(x, y);
  };
}

void frmKelu::LetraCerrada(const std::string& codigo) {
  for (ReceptorLetras* r : receptores)
    if (r->TomarLetra(codigo)) return;
}

void frmKelu::HuecoDePalabra() {
  for (ReceptorLetras* r : receptores)
    if (r->TomarHuecoDePalabra()) return;
}

void frmKelu::PulsacionEmpieza() { entrega.DejarDeRepetir(); }

void frmKelu::PulsacionLarga() { prediccion.Elegir(0); }

void frmKelu::CodigoLeido(const std::string&) { MostrarEco(true); }

void frmKelu::MostrarEco(bool conTexto) {
  if (programa_.configuracion.MostrarPulsaciones)
    SetTexto(TextoEco(programa_.idioma, programa_.tabla, motor.CodigoActual(), conTexto));
}

void frmKelu::EstadoCambiado(const EstadoMotor& estado) {
  vigia.Mirar();  // each tick of a press held
  practica.Seguir(estado);
  panel.Actualizar();
}

// Paused by a long hold, nothing on its way is typed; the title says so
// until the next one resumes.
void frmKelu::PausaCambiada(bool enPausa) {
  if (enPausa) entrega.Detener();
  SetTexto(Titulo());
  panel.Actualizar();  // the hold's tone ends before the cue
  panel.SonarAviso(AvisoSonoro::Pausa);
}

// The learned pace is kept in the aids, saved with them at exit.
void frmKelu::RitmoAprendido(const RitmoGuardado& ritmo) {
  Ayudas& a = programa_.ayudas;
  a.RitmoPunto = ritmo.punto;
  a.RitmoRaya = ritmo.raya;
  a.RitmoHueco = ritmo.hueco;
}

void frmKelu::TraducirfrmKelu() {
  const TextosIdioma& t = programa_.idioma;
  SetTexto(Titulo());
  lblEscribirEn.SetTexto(t.Entrada(IdTexto::EtiquetaEscribirEn));
  lblFijarPunteroDelMouse.SetTexto(t.Entrada(IdTexto::AyudaFijarPuntero));
  lblF6CtrlI.SetTexto(t.Entrada(IdTexto::AyudaBlocDeNotas));
  cmdOpciones.SetTexto(t.Entrada(IdTexto::BotonOpciones));
  cmdSalir.SetTexto(t.Entrada(IdTexto::BotonSalir));
}

std::string frmKelu::Titulo() const {
  const TextosIdioma& t = programa_.idioma;
  if (!panel.avisoTira.empty()) return t.Entrada(IdTexto::TituloKelu) + " - " + panel.avisoTira;
  return motor.EnPausa() ? t.Entrada(IdTexto::TituloKelu) + " - " + t.Entrada(IdTexto::EnPausa) : t.Entrada(IdTexto::TituloKelu);
}

void frmKelu::PausarTecleo() {
  motor.SuspenderTemporizadores();
  entrega.SuspenderEnvio();
  panel.Actualizar();  // a press held into the dialog ends its tone
  Kit().SiempreEncima(*this, false);
  // The dialogs get every key meanwhile: the switch dialog takes the new one.
  Kit().CapturarTeclas(0, 0, nullptr);
  teclaAbajo_ = 0;
}

void frmKelu::ReanudarTecleo() {
  motor.ReanudarTemporizadores();
  entrega.ReanudarEnvio();
  CapturarTeclas();
}

void frmKelu::CapturarTeclas() {
  const Ayudas& a = programa_.ayudas;
  teclaAbajo_ = 0;
  Kit().CapturarTeclas(a.TeclaPulsador, a.TeclaPulsador ? a.TeclaRaya : 0,
                       [this](int tecla, bool abajo) { Pulsador_Tecla(tecla, abajo); });
}

// A switch key is the left button: down and up timed by the same engine.
// With a dash key each press is a symbol by its key, whatever its length.
// One press at a time: another switch, or the mouse, pressed meanwhile is
// left out.
void frmKelu::Pulsador_Tecla(int tecla, bool abajo) {
  const Ayudas& a = programa_.ayudas;
  if (abajo) {
    if (teclaAbajo_ || motor.BotonPresionado()) return;
    teclaAbajo_ = tecla;
    Pulsacion_Abajo();
    return;
  }
  if (tecla != teclaAbajo_) return;
  teclaAbajo_ = 0;
  char simbolo = 0;
  if (a.TeclaRaya) simbolo = tecla == a.TeclaRaya ? '-' : '.';
  motor.BotonArriba(simbolo);
}

void frmKelu::Pulsacion_Abajo() {
  QuitarAviso();
  motor.BotonAbajo();
}

// A capture taken again has seen no release of a key held while it was
// away: that press's length is unknown, so it keys nothing, and no tone
// or pause hold runs on for a release that will never come.
void frmKelu::Captura_Cambiada(EstadoCaptura estado) {
  switch (estado) {
    case EstadoCaptura::Reanudada:
      if (!teclaAbajo_) return;
      teclaAbajo_ = 0;
      motor.AnularPulsacion();
      panel.Actualizar();
      return;
    case EstadoCaptura::Fallida:
      if (ganchoFallidoDicho_) return;
      ganchoFallidoDicho_ = true;
      MostrarAviso(IdTexto::GanchoFallido, IdTexto::TituloAviso);
      return;
    case EstadoCaptura::VentanaElevada:
      MostrarAviso(IdTexto::VentanaElevada, IdTexto::TituloAviso);
      return;
  }
}

void frmKelu::MostrarAviso(IdTexto texto, IdTexto titulo) {
  const TextosIdioma& t = programa_.idioma;
  if (ConPulsador())
    AvisoEnTira(t.Entrada(texto));
  else
    Kit().MostrarMensaje(this, t.Entrada(texto), t.Entrada(titulo), kMbOk | kMbExclamacion);
}

// Several notices at once (those of the start) show side by side.
void frmKelu::AvisoEnTira(const std::string& texto) {
  if (panel.avisoTira.find(texto) != std::string::npos) return;
  panel.avisoTira = panel.avisoTira.empty() ? texto : panel.avisoTira + " - " + texto;
  SetTexto(Titulo());
  panel.Actualizar();
}

void frmKelu::QuitarAviso() {
  if (panel.avisoTira.empty()) return;
  panel.avisoTira.clear();
  SetTexto(Titulo());
  panel.Actualizar();
}

void frmKelu::AplicarOpciones() {
  ActualizarVentana();
  TraducirfrmKelu();
  ActualizarEtiquetaPuntero();
  motor.AplicarAyudas(programa_.ayudas);
  prediccion.Aplicar();
  // Practice takes the letters from here on: none on its way is typed.
  if (programa_.ayudas.Practica) entrega.Detener();
  Kit().SinActivar(*this, programa_.ayudas.MantenerDestino);
  CapturarTeclas();
  panel.Actualizar();  // the aids, the code table and the language may be new
}

void frmKelu::RestaurarEncima() {
  Kit().SiempreEncima(*this, programa_.configuracion.SiempreVisible);
}

void frmKelu::ActualizarEtiquetaPuntero() {
  lblFijarPunteroDelMouse.SetTexto(programa_.idioma.Entrada(programa_.configuracion.FijarPuntero ? IdTexto::AyudaLiberarPuntero : IdTexto::AyudaFijarPuntero));
}

void frmKelu::ActualizarVentana() {
  ColocarVentana();
  Kit().SiempreEncima(*this, programa_.configuracion.SiempreVisible);
}

// Inside the work area of the window's monitor, so that no taskbar, at
// whichever edge, covers the strip: the whole screen's height would put
// "Abajo" partly under a bottom taskbar and "Arriba" under a top one.
void frmKelu::ColocarVentana() {
  const Configuracion& c = programa_.configuracion;
  const Rectangulo a = AreaDeTrabajo(Kit().LeerPantalla(*this));
  Rectangulo r = Posicion();
  if (c.AjustarAncho) {
    r.ancho = a.ancho;
    r.izquierda = a.izquierda;
  }
  if (c.Ubicacion == "Arriba") {
    r.arriba = a.arriba;
    r.izquierda = a.izquierda + RedondearPar((a.ancho - r.ancho) / 2.0);
  } else if (c.Ubicacion == "Abajo") {
    r.arriba = a.arriba + a.alto - r.alto - 500;
    r.izquierda = a.izquierda + RedondearPar((a.ancho - r.ancho) / 2.0);
  }
  SetPosicion(r);
}

void frmKelu::Form_Resize() {
  if (Estado() == EstadoVentana::Minimizada) return;
  Rectangulo r = Posicion();
  if (r.ancho < kAnchoMinimo || r.alto < kAltoMinimo) {
    r.ancho = std::max(r.ancho, kAnchoMinimo);
    r.alto = std::max(r.alto, kAltoMinimo);
    SetPosicion(r);  // raises Resize again, which lays the pad out
    return;
  }
  Rectangulo pad = fraClic.Posicion();
  pad.ancho = r.ancho - 5950;
  pad.alto = r.alto - 1000;
  fraClic.SetPosicion(pad);
  Rectangulo centro = lblCentro.Posicion();
  centro.izquierda = pad.izquierda + RedondearPar((pad.ancho - centro.ancho) / 2.0);
  centro.arriba = pad.arriba + RedondearPar((pad.alto - centro.alto) / 2.0);
  lblCentro.SetPosicion(centro);
  panel.Actualizar();
}

// From where the system really put the client area: caption and frame
// heights vary with the theme and the DPI.
std::pair<int, int> frmKelu::PuntoCentralClic() const { return Kit().CentroEnPantalla(fraClic); }

void frmKelu::LlenarLista() { lista.LlenarListaVentanas(cboProcesos, kTituloPrograma, Texto()); }

// Opened, the list offers the windows open now, also those that opened while
// the focus stayed on it (where the no-target warning leaves it); the window
// chosen stays chosen, wherever its entry moved. Its entry gone (closed, or
// another window of its title now higher), no target is chosen.
void frmKelu::cboProcesos_DropDown() {
  const Hwnd elegida = cboProcesos.Seleccion() >= 0 ? lista.HandleDestino() : 0;
  LlenarLista();
  const int i = lista.IndiceDe(cboProcesos, elegida);
  if (i >= 0) cboProcesos.SetSeleccion(i);
}

void frmKelu::Form_Load() {
  TraducirfrmKelu();
  Paso([&] { CargarCodigo(programa_.tabla, programa_.configuracion.Codigo, programa_.archivos, programa_.carpeta); });
  motor.AplicarAyudas(programa_.ayudas);  // and the gaps' intervals
  prediccion.Aplicar();
  Kit().SinActivar(*this, programa_.ayudas.MantenerDestino);
  LlenarLista();
  ActualizarVentana();
  ActualizarEtiquetaPuntero();
  vigia.Capturar();
  Kit().CapturaCambiada = [this](EstadoCaptura estado) { Captura_Cambiada(estado); };
  CapturarTeclas();
  // Ctrl+I, then the window shows, and the person learns what they must
  // know from the start.
  AvisosDeInicio(TeclaRapida::RegistrarTeclaRapida(*this, kTeclaI));
}

void frmKelu::TeclaRapida_Pulsada() { TeclaRapida::TraerVentana(*this); }

void frmKelu::AvisosDeInicio(bool conTeclaRapida) {
  if (!programa_.lugarConfiguracion.guardable) MostrarAviso(IdTexto::AvisoSinGuardado, IdTexto::TituloAviso);
  if (!conTeclaRapida) MostrarAviso(IdTexto::AvisoCtrlIOcupada, IdTexto::TituloAviso);
}

void frmKelu::AbrirBlocDeNotas() {
  Hwnd editor = 0;
  Paso([&] {
    Rectangulo r = RectanguloBlocDeNotas(programa_.configuracion.Ubicacion, Kit().LeerPantalla(*this), Posicion().alto);
    EjecutarYPosicionarPrograma(Kit(), programa_.escritorio, programa_.carpeta, "notepad.exe", r.izquierda, r.arriba,
                                r.ancho, r.alto, &editor);
  });
  LlenarLista();
  // The editor just started becomes the target; the first entry when it is not listed.
  const int i = lista.IndiceDe(cboProcesos, editor);
  cboProcesos.SetSeleccion(i >= 0 ? i : 0);
}

// The shift state is never looked at: Shift+F2 acts as F2.
void frmKelu::Form_KeyDown(const TeclaPulsada& tecla) {
  if (tecla.codigo == kTeclaEsc) Descargar();
  if (tecla.codigo == kTeclaF2) {
    Configuracion& c = programa_.configuracion;
    c.FijarPuntero = !c.FijarPuntero;
    ActualizarEtiquetaPuntero();
    if (c.FijarPuntero) {
      auto [x, y] = PuntoCentralClic();
      Kit().FijarCursor(x, y);
    }
  }
  if (tecla.codigo == kTeclaF6) AbrirBlocDeNotas();
}

void frmKelu::Form_QueryUnload(bool& cancelar) {
  const TextosIdioma& t = programa_.idioma;
  const int respuesta = Kit().MostrarMensaje(this, t.Entrada(IdTexto::PreguntaSalir), t.Entrada(IdTexto::TituloSalir),
                                             kMbSiNo | kMbPregunta | kMbSegundoBoton);
  if (respuesta == kIdNo) cancelar = true;
}

bool frmKelu::GuardarConfiguracionAlSalir() {
  // Nowhere to write them: the person was told at the start. A failed save
  // leaves the earlier files whole.
  bool guardado = true;
  Paso([&] { guardado = GuardarAjustes(programa_); });
  return prediccion.Guardar() && guardado;
}

void frmKelu::Form_Unload() {
  Kit().CapturarTeclas(0, 0, nullptr);
  Kit().CapturaCambiada = nullptr;
  // The person who closed KELU is still there to hear that their changes
  // are lost; a session end saves in silence (inicio).
  if (!GuardarConfiguracionAlSalir()) AvisarGuardadoFallido(programa_, *this);
  TeclaRapida::LiberarTeclaRapida(*this);
}

}  // namespace kelu
