#include "window/entrega.h"

#include <optional>

#include "keying/cadena_teclas.h"
#include "platform/paso.h"
#include "platform/utf8.h"

namespace kelu {
namespace {

// Lower case for the comparison of titles: ASCII and Latin-1 letters, which
// covers the languages KELU ships texts for.
std::u32string Minusculas(const std::string& utf8) {
  std::u32string salida;
  for (size_t i = 0; i < utf8.size();) {
    std::optional<char32_t> leido = DecodificarUtf8(utf8, i);
    char32_t u = leido ? *leido : static_cast<unsigned char>(utf8[i++]);
    if ((u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDE && u != 0xD7)) u += 0x20;
    salida += u;
  }
  return salida;
}

}  // namespace

bool ActivarPorTitulo(Escritorio& escritorio, const std::string& titulo) {
  const std::u32string buscado = Minusculas(titulo);
  Hwnd exacta = 0, prefijo = 0;
  RecorrerVentanas(escritorio, escritorio.PrimeraVentana(), [&](Hwnd w) {
    if (!escritorio.EsVisible(w)) return true;
    std::u32string t = Minusculas(escritorio.Titulo(w, 4096));
    if (t == buscado) exacta = w;
    else if (prefijo == 0 && t.compare(0, buscado.size(), buscado) == 0) prefijo = w;
    return exacta == 0;
  });
  Hwnd elegida = exacta ? exacta : prefijo;
  return elegida != 0 && escritorio.Activar(elegida);
}

Entrega::Entrega(Programa& programa, MotorPulsaciones& motor, ListaVentanas& lista, Combo& cboProcesos,
                 Ventana& ventana)
    : programa_(programa), motor_(motor), lista_(lista), cboProcesos_(cboProcesos), ventana_(ventana) {
  motor.CerrarLetra = [this] { CerrarLetra(); };
  motor.CerrarPalabra = [this] { CerrarPalabra(); };
  motor.EnviarTexto = [this] { EnviarTexto(); };
}

bool Entrega::AvisarSinDestino() {
  // The box runs its own message loop and the letter gap keeps firing
  // meanwhile: one warning at a time, never a pile of them.
  if (avisoAbierto_) return false;
  avisoAbierto_ = true;
  const TextosIdioma& t = programa_.idioma;
  Paso([&] { programa_.toolkit.MostrarMensaje(&ventana_, t.Entrada(15), t.Entrada(16), kMbOk | kMbExclamacion); });
  avisoAbierto_ = false;
  return true;
}

void Entrega::CerrarLetra() {
  if (!HayDestino()) {
    if (motor_.CodigoActual().empty()) return;
    if (!AvisarSinDestino()) return;
    motor_.BorrarCodigo();
    Paso([&] { motor_.ActualizarEco(false); });
    Paso([&] { cboProcesos_.SetFoco(); });
    return;
  }
  if (!TextoDeCodigo(programa_.tabla, motor_.CodigoActual()).empty())
    ActivarVentanaDestino();  // the code stays pending until it is typed
  else
    motor_.BorrarCodigo();  // stands for nothing: dropped silently
  Paso([&] { motor_.ActualizarEco(false); });
}

void Entrega::CerrarPalabra() {
  if (!HayDestino()) return;
  motor_.FijarCodigo(kSeparadorPalabra);
  ActivarVentanaDestino();
}

void Entrega::ActivarVentanaDestino() {
  std::string titulo = lista_.TituloVentanaDestino();
  if (titulo == ListaVentanas::kSinTitulo) return;  // gone or untitled: nothing to type into
  // A target that cannot be brought forward is not an error here: the
  // delivery that follows finds it gone or types into it all the same.
  Paso([&] { static_cast<void>(ActivarPorTitulo(programa_.escritorio, titulo)); });
  Paso([&] { motor_.tmrEnvio.SetEnabled(true); });
}

void Entrega::EnviarTexto() {
  Paso([&] { motor_.tmrEnvio.SetEnabled(false); });
  if (!HayDestino()) {
    AvisarSinDestino();
    Paso([&] { cboProcesos_.SetFoco(); });
    return;
  }
  // A target closed since the gap activated it: its text must not land in
  // whatever window happens to be in front now. The code stays pending.
  if (lista_.TituloVentanaDestino() == ListaVentanas::kSinTitulo) return;
  std::string texto = TextoDeCodigo(programa_.tabla, motor_.CodigoActual());
  if (texto == "{ESPACIO}") texto = " ";
  // A text that is not a valid key string types nothing at all.
  Paso([&] {
    if (std::optional<std::vector<EventoTecla>> eventos = AnalizarCadenaTeclas(texto))
      programa_.escritorio.Teclear(*eventos);
  });
  motor_.BorrarCodigo();
  Paso([&] { motor_.tmrTiempoEntrePalabras.SetEnabled(false); });
  Paso([&] { motor_.tmrTiempoEntrePalabras.SetEnabled(true); });
  Paso([&] { motor_.ActualizarEco(false); });
}

}  // namespace kelu
