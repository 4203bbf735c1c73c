#include "window/entrega.h"

#include <algorithm>
#include <optional>

#include "keying/cadena_teclas.h"
#include "platform/paso.h"

namespace kelu {
namespace {


}  // namespace

Entrega::Entrega(Programa& programa, MotorPulsaciones& motor, ListaVentanas& lista, Combo& cboProcesos,
                 Ventana& ventana)
    : tmrRepetir(programa.toolkit, 150, false),
      programa_(programa),
      motor_(motor),
      lista_(lista),
      cboProcesos_(cboProcesos),
      ventana_(ventana) {
  motor.CerrarLetra = [this] { CerrarLetra(); };
  motor.CerrarPalabra = [this] { CerrarPalabra(); };
  motor.EnviarTexto = [this] { EnviarTexto(); };
  motor.PulsacionEmpieza = [this] { DejarDeRepetir(); };
  // After a stall, one key: a burst would overshoot where the person meant to stop.
  tmrRepetir.recuperarAtrasos = false;
  tmrRepetir.Timer = [this] { Repetir(); };
}

bool Entrega::MostrarAviso(IdTexto texto, IdTexto titulo) {
  // The box runs its own message loop and the letter gap keeps firing
  // meanwhile: one warning at a time, never a pile of them.
  if (avisoAbierto_) return false;
  const TextosIdioma& t = programa_.idioma;
  bool enTira = false;
  Paso([&] { enTira = AvisoEnTira && AvisoEnTira(t.Entrada(texto)); });
  if (enTira) return true;
  avisoAbierto_ = true;
  Paso([&] { programa_.toolkit.MostrarMensaje(&ventana_, t.Entrada(texto), t.Entrada(titulo), kMbOk | kMbExclamacion); });
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
  motor_.BorrarCodigo();
  // No word gap after a lost letter: it would only warn again.
  Paso([&] { motor_.tmrTiempoEntrePalabras.SetHabilitado(false); });
  Paso([&] { motor_.ActualizarEco(false); });
  if (ConPulsador()) {
    // A switch user cannot close a box nor use the list: the strip tells,
    // and the cue.
    MostrarAviso(texto, titulo);
    if (LetraTerminada) LetraTerminada(AvisoSonoro::Descartada);
    return;
  }
  if (MostrarAviso(texto, titulo)) Paso([&] { cboProcesos_.SetFoco(); });
}

// Practice: no target, no warning, nothing typed; the letter is checked
// and the cue tells right from wrong.
void Entrega::ComprobarLetra() {
  if (motor_.CodigoActual().empty()) return;
  if (motor_.CodigoActual() == kSeparadorPalabra) {  // left from before practice came on
    motor_.BorrarCodigo();
    return;
  }
  bool bien = false;
  Paso([&] {
    if (Practicar) bien = Practicar(motor_.CodigoActual());
  });
  motor_.BorrarCodigo();
  Paso([&] { motor_.ActualizarEco(false); });
  if (LetraTerminada) LetraTerminada(bien ? AvisoSonoro::Letra : AvisoSonoro::Descartada);
}

void Entrega::CerrarLetra() {
  if (EnPractica()) {
    ComprobarLetra();
    return;
  }
  if (!HayDestino()) {
    if (motor_.CodigoActual().empty()) return;
    if (!AvisarSinDestino()) return;
    motor_.BorrarCodigo();
    Paso([&] { motor_.ActualizarEco(false); });
    Paso([&] { cboProcesos_.SetFoco(); });
    return;
  }
  if (TextoDeCodigo(programa_.tabla, motor_.CodigoActual()).empty()) {
    const bool habiaCodigo = !motor_.CodigoActual().empty();
    motor_.BorrarCodigo();  // stands for nothing: dropped without a warning
    if (habiaCodigo && LetraTerminada) LetraTerminada(AvisoSonoro::Descartada);
  } else if (!DestinoPresente()) {
    // Kept, it would go to the next target chosen, or merge with the next
    // symbols keyed ("s" then "e" would give "h").
    DescartarLetra();
    return;
  } else {
    ActivarVentanaDestino();  // the code stays pending until it is typed
  }
  Paso([&] { motor_.ActualizarEco(false); });
}

void Entrega::CerrarPalabra() {
  if (EnPractica()) {
    Paso([&] { motor_.tmrTiempoEntrePalabras.SetHabilitado(false); });
    return;
  }
  if (!HayDestino()) return;
  if (!DestinoPresente()) {
    // Nothing keyed is lost; a pending letter meets the letter gap's check.
    Paso([&] { motor_.tmrTiempoEntrePalabras.SetHabilitado(false); });
    return;
  }
  motor_.FijarCodigo(kSeparadorPalabra);
  ActivarVentanaDestino();
}

void Entrega::ActivarVentanaDestino() {
  if (!DestinoPresente()) return;  // gone or untitled: nothing to type into
  // With KELU kept out of the front, the target usually still has it: the
  // wait is there only for an activation to settle, so the letter goes now.
  // A key taken by the switch's hook is no input to KELU, so Windows may
  // refuse it the front: with a switch key the target in front takes the
  // letter as it is.
  bool yaDelante = false;
  if (programa_.ayudas.MantenerDestino || ConPulsador()) Paso([&] { yaDelante = DestinoAlFrente(); });
  if (yaDelante) {
    EnviarTexto();
    return;
  }
  // By its handle, not its title: another window of the same title ("Untitled
  // - Notepad" twice) may stand higher in Z order. Refused or hidden, the
  // delivery finds another window in front and drops the letter.
  Paso([&] {
    Escritorio& e = programa_.escritorio;
    const Hwnd destino = lista_.HandleDestino();
    if (e.EsVisible(destino)) (void)e.Activar(destino);
  });
  Paso([&] { motor_.tmrEnvio.SetHabilitado(true); });
}

void Entrega::EnviarTexto() {
  Paso([&] { motor_.tmrEnvio.SetHabilitado(false); });
  // Practice came on while a letter was on its way: the letter gap checks it.
  if (EnPractica()) return;
  if (!HayDestino()) {
    AvisarSinDestino();
    Paso([&] { cboProcesos_.SetFoco(); });
    return;
  }
  // Closed since the gap activated it, or never brought to the front
  // (hidden, hung, refused): the keys would land in whatever window is in
  // front, KELU's own most likely, where Enter opens the options and Esc
  // asks to quit.
  bool alFrente = false;
  Paso([&] { alFrente = DestinoPresente() && DestinoAlFrente(); });
  if (!alFrente) {
    if (ConPulsador()) DescartarLetra(IdTexto::DestinoNoDelante, IdTexto::TituloAviso);
    else DescartarLetra();
    return;
  }
  // The system drops keys meant for an elevated program without a word, so
  // that is asked of the window the keys would reach before anything is sent.
  bool admitidas = true;
  Paso([&] {
    Escritorio& e = programa_.escritorio;
    admitidas = e.PuedeRecibirTeclas(e.VentanaAlFrente());
  });
  std::string texto = TextoDeCodigo(programa_.tabla, motor_.CodigoActual());
  if (texto == "{ESPACIO}") texto = " ";
  const bool repetir = texto == kRepetir;
  const bool espacioDePalabra = motor_.CodigoActual() == kSeparadorPalabra;
  if (repetir) {
    texto = ultimoTexto_;
    if (texto.empty()) {  // nothing typed yet: nothing to repeat
      motor_.BorrarCodigo();
      Paso([&] { motor_.ActualizarEco(false); });
      if (LetraTerminada) LetraTerminada(AvisoSonoro::Descartada);
      return;
    }
  }
  // A text that is not a valid key string types nothing at all.
  if (admitidas)
    Paso([&] {
      if (std::optional<std::vector<EventoTecla>> eventos = AnalizarCadenaTeclas(texto))
        admitidas = programa_.escritorio.Teclear(*eventos);
    });
  if (!admitidas) {
    DescartarLetra(IdTexto::AvisoEscrituraRechazada, IdTexto::TituloAviso);
    return;
  }
  if (!repetir && !espacioDePalabra) ultimoTexto_ = texto;
  motor_.BorrarCodigo();
  Paso([&] { motor_.tmrTiempoEntrePalabras.SetHabilitado(false); });
  // Repeating, no word gap: a space would land among the repeated keys.
  if (repetir) Paso([&] {
    tmrRepetir.SetIntervalo(std::clamp(programa_.ayudas.RepeticionMs, 10, 32767));
    tmrRepetir.SetHabilitado(true);
  });
  else Paso([&] { motor_.tmrTiempoEntrePalabras.SetHabilitado(true); });
  Paso([&] { motor_.ActualizarEco(false); });
  if (LetraTerminada) LetraTerminada(AvisoSonoro::Letra);
}

void Entrega::DejarDeRepetir() {
  Paso([&] { tmrRepetir.SetHabilitado(false); });
}

bool Entrega::TeclearEnDestino(const std::string& texto) {
  bool hecho = false;
  Paso([&] {
    Escritorio& e = programa_.escritorio;
    if (EnPractica() || !HayDestino() || !DestinoPresente() || !DestinoAlFrente()) return;
    if (!e.PuedeRecibirTeclas(e.VentanaAlFrente())) return;
    if (std::optional<std::vector<EventoTecla>> eventos = AnalizarCadenaTeclas(texto)) hecho = e.Teclear(*eventos);
  });
  return hecho;
}

// Quietly over when the target is no longer in front to take the keys:
// they would land wherever the person went.
void Entrega::Repetir() {
  if (!TeclearEnDestino(ultimoTexto_)) DejarDeRepetir();
}

}  // namespace kelu
