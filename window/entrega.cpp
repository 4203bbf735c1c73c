#include "window/entrega.h"

#include <algorithm>
#include <optional>

#include "keying/cadena_teclas.h"

namespace kelu {

Entrega::Entrega(Programa& programa, MotorPulsaciones& motor, ListaVentanas& lista, Combo& cboProcesos,
                 Ventana& ventana)
    : tmrEnvio(programa.toolkit, 10, false),
      tmrRepetir(programa.toolkit, 150, false),
      programa_(programa),
      motor_(motor),
      lista_(lista),
      cboProcesos_(cboProcesos),
      ventana_(ventana) {
  tmrEnvio.Timer = [this] { EnviarTexto(); };
  // After a stall, one key: a burst would overshoot where the person meant to stop.
  tmrRepetir.recuperarAtrasos = false;
  tmrRepetir.Timer = [this] { Repetir(); };
}

bool Entrega::TomarLetra(const std::string&) {
  CerrarLetra();
  return true;
}

bool Entrega::TomarHuecoDePalabra() {
  CerrarPalabra();
  return true;
}

bool Entrega::MostrarAviso(IdTexto texto, IdTexto titulo) {
  // The box runs its own message loop and the letter gap keeps firing
  // meanwhile: one warning at a time, never a pile of them.
  if (avisoAbierto_) return false;
  const TextosIdioma& t = programa_.idioma;
  if (AvisoEnTira && AvisoEnTira(t.Entrada(texto))) return true;
  avisoAbierto_ = true;
  programa_.toolkit.MostrarMensaje(&ventana_, t.Entrada(texto), t.Entrada(titulo), kMbOk | kMbExclamacion);
  avisoAbierto_ = false;
  return true;
}

bool Entrega::DestinoPresente() { return lista_.TituloVentanaDestino() != ListaVentanas::kSinTitulo; }

// A window of the same program is not enough: two windows of one editor,
// or two apps that one host process draws, can share a title.
bool Entrega::DestinoAlFrente() {
  Escritorio& e = programa_.escritorio;
  const Hwnd destino = lista_.HandleDestino();
  Hwnd delante = e.VentanaAlFrente();
  if (delante == 0 || destino == 0 || e.ProcesoDe(delante) == e.ProcesoPropio()) return false;
  // A dialog of a dialog of the target counts; a chain of owners is short.
  for (int paso = 0; delante != 0 && paso < 16; ++paso) {
    if (delante == destino) return true;
    delante = e.Relacionada(delante, Relacion::Dueno);
  }
  return false;
}

void Entrega::DescartarLetra(IdTexto texto, IdTexto titulo) {
  pendiente_.clear();
  cadenaPropia_.reset();
  motor_.BorrarCodigo();
  // No word gap after a lost letter: it would only warn again.
  motor_.EsperarPalabra(false);
  MostrarEco();
  if (ConPulsador()) {
    // A switch user cannot close a box nor use the list: the strip tells,
    // and the cue.
    MostrarAviso(texto, titulo);
    if (LetraTerminada) LetraTerminada(AvisoSonoro::Descartada);
    return;
  }
  if (MostrarAviso(texto, titulo)) cboProcesos_.SetFoco();
}

void Entrega::CerrarLetra() {
  const std::string& codigo = motor_.CodigoActual();
  if (!HayDestino()) {
    if (codigo.empty()) return;
    if (!AvisarSinDestino()) return;
    motor_.BorrarCodigo();
    MostrarEco();
    cboProcesos_.SetFoco();
    return;
  }
  if (TextoDeCodigo(programa_.tabla, codigo).empty()) {
    const bool habiaCodigo = !codigo.empty();
    motor_.BorrarCodigo();  // stands for nothing: dropped without a warning
    if (habiaCodigo && LetraTerminada) LetraTerminada(AvisoSonoro::Descartada);
  } else if (!DestinoPresente()) {
    // Kept, it would go to the next target chosen, or merge with the next
    // symbols keyed ("s" then "e" would give "h").
    DescartarLetra();
    return;
  } else {
    pendiente_ = codigo;
    ActivarVentanaDestino();  // the code stays pending until it is typed
  }
  MostrarEco();
}

// The word separator takes the place of whatever was pending.
void Entrega::CerrarPalabra() {
  if (!HayDestino()) return;
  if (!DestinoPresente()) {
    // Nothing keyed is lost; a pending letter meets the letter gap's check.
    motor_.EsperarPalabra(false);
    return;
  }
  motor_.BorrarCodigo();
  pendiente_ = kSeparadorPalabra;
  ActivarVentanaDestino();
}

void Entrega::EntregarTexto(const std::string& cadena) {
  if (!HayDestino()) {
    if (AvisarSinDestino()) cboProcesos_.SetFoco();
    return;
  }
  if (!DestinoPresente()) {
    DescartarLetra();
    return;
  }
  pendiente_.clear();
  cadenaPropia_ = cadena;
  ActivarVentanaDestino();
}

void Entrega::ActivarVentanaDestino() {
  if (!DestinoPresente()) return;  // gone or untitled: nothing to type into
  // With KELU kept out of the front, the target usually still has it: the
  // wait is there only for an activation to settle, so the letter goes now.
  // A key taken by the switch's hook is no input to KELU, so Windows may
  // refuse it the front: with a switch key the target in front takes the
  // letter as it is.
  if ((programa_.ayudas.MantenerDestino || ConPulsador()) && DestinoAlFrente()) {
    EnviarTexto();
    return;
  }
  // By its handle, not its title: another window of the same title ("Untitled
  // - Notepad" twice) may stand higher in Z order. Refused or hidden, the
  // delivery finds another window in front and drops the letter.
  Escritorio& e = programa_.escritorio;
  const Hwnd destino = lista_.HandleDestino();
  if (e.EsVisible(destino)) (void)e.Activar(destino);
  tmrEnvio.SetHabilitado(true);
}

void Entrega::EnviarTexto() {
  tmrEnvio.SetHabilitado(false);
  if (!HayDestino()) {
    AvisarSinDestino();
    cboProcesos_.SetFoco();
    return;
  }
  // Closed since the gap activated it, or never brought to the front
  // (hidden, hung, refused): the keys would land in whatever window is in
  // front, KELU's own most likely, where Enter opens the options and Esc
  // asks to quit.
  if (!DestinoPresente() || !DestinoAlFrente()) {
    if (ConPulsador()) DescartarLetra(IdTexto::DestinoNoDelante, IdTexto::TituloAviso);
    else DescartarLetra();
    return;
  }
  // The system drops keys meant for an elevated program without a word, so
  // that is asked of the window the keys would reach before anything is sent.
  Escritorio& e = programa_.escritorio;
  bool admitidas = e.PuedeRecibirTeclas(e.VentanaAlFrente());
  const bool propia = cadenaPropia_.has_value();
  std::string texto = propia ? *cadenaPropia_ : TextoDeCodigo(programa_.tabla, pendiente_);
  cadenaPropia_.reset();
  if (texto == "{ESPACIO}") texto = " ";
  const bool repetir = !propia && texto == kRepetir;
  const bool espacioDePalabra = pendiente_ == kSeparadorPalabra;
  if (repetir) {
    texto = ultimoTexto_;
    if (texto.empty()) {  // nothing typed yet: nothing to repeat
      pendiente_.clear();
      motor_.BorrarCodigo();
      MostrarEco();
      if (LetraTerminada) LetraTerminada(AvisoSonoro::Descartada);
      return;
    }
  }
  // A text that is not a valid key string types nothing at all.
  std::optional<std::vector<EventoTecla>> eventos;
  if (admitidas) {
    eventos = AnalizarCadenaTeclas(texto);
    if (eventos) admitidas = e.Teclear(*eventos);
  }
  if (!admitidas) {
    DescartarLetra(IdTexto::AvisoEscrituraRechazada, IdTexto::TituloAviso);
    return;
  }
  if (!repetir && !espacioDePalabra && !propia) ultimoTexto_ = texto;
  pendiente_.clear();
  motor_.BorrarCodigo();
  // Repeating, no word gap: a space would land among the repeated keys.
  // A chosen word brings its own space, and one taken back wants none.
  motor_.EsperarPalabra(!repetir && !propia);
  if (Tecleado && eventos) Tecleado(texto, *eventos);
  if (repetir) {
    tmrRepetir.SetIntervalo(std::clamp(programa_.ayudas.RepeticionMs, 10, 32767));
    tmrRepetir.SetHabilitado(true);
  }
  MostrarEco();
  if (LetraTerminada) LetraTerminada(AvisoSonoro::Letra);
}

void Entrega::DejarDeRepetir() { tmrRepetir.SetHabilitado(false); }

void Entrega::Detener() {
  tmrEnvio.SetHabilitado(false);
  cadenaPropia_.reset();
  envioSuspendido_ = false;
  DejarDeRepetir();
}

void Entrega::SuspenderEnvio() {
  envioSuspendido_ = tmrEnvio.Habilitado();
  tmrEnvio.SetHabilitado(false);
}

void Entrega::ReanudarEnvio() { tmrEnvio.SetHabilitado(envioSuspendido_); }

bool Entrega::TeclearEnDestino(const std::string& texto) {
  Escritorio& e = programa_.escritorio;
  if (!HayDestino() || !DestinoPresente() || !DestinoAlFrente()) return false;
  if (!e.PuedeRecibirTeclas(e.VentanaAlFrente())) return false;
  std::optional<std::vector<EventoTecla>> eventos = AnalizarCadenaTeclas(texto);
  if (!eventos || !e.Teclear(*eventos)) return false;
  if (Tecleado) Tecleado(texto, *eventos);
  return true;
}

// Quietly over when the target is no longer in front to take the keys:
// they would land wherever the person went.
void Entrega::Repetir() {
  if (!TeclearEnDestino(ultimoTexto_)) DejarDeRepetir();
}

}  // namespace kelu
