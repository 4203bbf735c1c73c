// What every control and window of the forms is made of: twips rectangles,
// fonts, the mouse and key events, and the control base with the state the
// backend mirrors on screen.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace kelu {

class Ventana;

using Hwnd = std::uintptr_t;  // a native window handle; 0 names no window

struct Rectangulo {  // twips
  int izquierda = 0, arriba = 0, ancho = 0, alto = 0;
  bool operator==(const Rectangulo&) const = default;
};

struct Fuente {
  std::string nombre = "Verdana";
  double puntos = 9;
  bool negrita = false;
  bool operator==(const Fuente&) const = default;
};

// The two fonts of the forms' design.
inline const Fuente kVerdana9{"Verdana", 9};
inline const Fuente kVerdana825{"Verdana", 8.25};

enum class Alineacion { Izquierda, Derecha, Centro };
enum class TipoControl { Etiqueta, Boton, Combo, Casilla, CajaTexto, Marco, Imagen };

// Mouse buttons, numbered as the forms' events number them; a move holds
// every button that is down, or'ed together.
enum class BotonRaton { Ninguno = 0, Izquierdo = 1, Derecho = 2, Medio = 4 };
constexpr BotonRaton operator|(BotonRaton a, BotonRaton b) {
  return static_cast<BotonRaton>(static_cast<int>(a) | static_cast<int>(b));
}

// The modifier keys held with a key, or'ed together.
enum class ModificadorTecla { Ninguno = 0, Shift = 1, Ctrl = 2, Alt = 4 };
constexpr ModificadorTecla operator|(ModificadorTecla a, ModificadorTecla b) {
  return static_cast<ModificadorTecla>(static_cast<int>(a) | static_cast<int>(b));
}

// Mouse position in twips, relative to the control (or the window's client).
struct EventoRaton {
  BotonRaton boton = BotonRaton::Izquierdo;
  int x = 0, y = 0;
};

struct TeclaPulsada {
  int codigo = 0;  // virtual key code
  ModificadorTecla shift = ModificadorTecla::Ninguno;
};

// What changed, so that a backend updates only that.
enum class Propiedad { Texto, Posicion, Habilitado, Visible, Lista, Seleccion, Valor, Estado, Dibujo };

// The backend's side of a window or control. Told of a change, it mirrors
// it on screen and lets nothing escape.
class Nativo {
 public:
  virtual ~Nativo() = default;
  virtual void Cambio(Propiedad propiedad) noexcept = 0;
};

// The setters that raise an event (a text box's Change, a window's Resize,
// a control's GotFocus) are not noexcept: the handler they run is the
// forms', and what it throws goes up to the guard of the event being handled.
class Control {
 public:
  Control(Ventana& ventana, TipoControl tipo, std::string nombre, Rectangulo posicion, Fuente fuente,
          std::string texto = {});
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  virtual ~Control() = default;

  TipoControl Tipo() const { return tipo_; }
  const std::string& Nombre() const { return nombre_; }
  Ventana& Padre() const { return ventana_; }
  const Fuente& Letra() const { return fuente_; }

  const std::string& Texto() const { return texto_; }  // caption or text
  void SetTexto(std::string texto);                    // a text box's Change
  const Rectangulo& Posicion() const { return posicion_; }
  void SetPosicion(Rectangulo posicion) noexcept;
  bool Habilitado() const { return habilitado_; }
  void SetHabilitado(bool habilitado) noexcept;
  bool Visible() const { return visible_; }
  void SetVisible(bool visible) noexcept;

  // Controls that can hold the keyboard focus; labels, frames and images can't.
  bool Enfocable() const;
  void SetFoco();  // GotFocus
  int indiceTab = 0;  // lower first; forms set it with Ventana::OrdenTab

  std::function<void()> Click, Change, GotFocus;
  std::function<void(const EventoRaton&)> MouseDown, MouseUp, MouseMove;

  // For backends: state the user changed on screen, then its event.
  void TextoDelUsuario(std::string texto);

  std::unique_ptr<Nativo> nativo;  // the backend's, while the window is created

 protected:
  void NotificarNativo(Propiedad propiedad) noexcept {
    if (nativo) nativo->Cambio(propiedad);
  }

 private:
  Ventana& ventana_;
  TipoControl tipo_;
  std::string nombre_;
  Rectangulo posicion_;
  Fuente fuente_;
  std::string texto_;
  bool habilitado_ = true;
  bool visible_ = true;
};

}  // namespace kelu
