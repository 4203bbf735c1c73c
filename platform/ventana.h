// A top-level window of the forms, the events of its life, and the rule of
// a left press that both backends follow.
#pragma once
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "platform/control.h"

namespace kelu {

class Toolkit;

// The rule of a left press that both backends follow: the label that got
// the button-down (or the bare window) gets the release, and a Click needs
// the button to go down and come up over the same one.
class PulsacionIzquierda {
 public:
  struct Suelta {
    Control* destino = nullptr;  // the pressed label: its MouseUp
    bool clic = false;           // the pressed label's Click
    bool clicVentana = false;    // the window's Click
  };
  // `sobre`: the label under the pointer, null for the bare window.
  void Abajo(Control* sobre);
  // `dentro`: the release is inside the window's client area.
  Suelta Arriba(Control* sobre, bool dentro);
  bool EnCurso() const { return enCurso_; }
  Control* Presionada() const { return presionada_; }

 private:
  Control* presionada_ = nullptr;
  bool enCurso_ = false, enVentana_ = false;
};

enum class Borde { Ninguno, Fijo, Ajustable };
enum class EstadoVentana { Normal = 0, Minimizada = 1, Maximizada = 2 };

// A top-level window and the events of its life.
class Ventana {
 public:
  Ventana(Toolkit& toolkit, std::string nombre, std::string texto, int ancho, int alto);
  Ventana(const Ventana&) = delete;
  Ventana& operator=(const Ventana&) = delete;
  virtual ~Ventana();

  Toolkit& Kit() const { return toolkit_; }
  const std::string& Nombre() const { return nombre_; }

  // Design, fixed before the window is first created.
  Borde borde = Borde::Ajustable;
  bool botonMinimizar = true, botonMaximizar = true, botonCerrar = true;
  bool centrada = false;      // centred on the screen, else placed by the system
  bool vistaPreviaTeclas = false;  // KeyDown sees keys before the focused control
  bool conIcono = true;
  int anchoCliente, altoCliente;  // twips

  const std::string& Texto() const { return texto_; }  // the caption
  void SetTexto(std::string texto) noexcept;
  // Outer bounds, border and caption included, in twips.
  const Rectangulo& Posicion() const { return posicion_; }
  void SetPosicion(Rectangulo posicion);  // Resize
  EstadoVentana Estado() const { return estado_; }
  void SetEstado(EstadoVentana estado) noexcept;

  bool Cargada() const { return cargada_; }
  bool Visible() const { return visible_; }
  Hwnd Handle() const { return handle_; }

  // Creates the window once and raises Load; Show loads it if needed. Both
  // give false when the system refused to create the window (out of desktop
  // resources, or no desktop at all), which then stays unloaded.
  bool Cargar();
  // Modal: returns when the window is unloaded (the in-memory backend returns
  // at once and leaves the window open for the test to drive).
  bool Mostrar(bool modal = false);
  void Ocultar();
  // Asks QueryUnload; unless cancelled raises Unload and destroys the window.
  bool Descargar();

  std::function<void()> Load, Activate, Resize, Unload, Click;
  // The screen changed under the window: its size, or the room the taskbar
  // and docked bars leave (the work area).
  std::function<void()> PantallaCambiada;
  std::function<void(bool& cancelar)> QueryUnload;
  std::function<void(const TeclaPulsada&)> KeyDown;
  std::function<void(const EventoRaton&)> MouseDown, MouseUp, MouseMove;

  // The tab order: the controls in the order given, before any other.
  void OrdenTab(std::initializer_list<Control*> orden);

  const std::vector<Control*>& Controles() const { return controles_; }
  Control* ConFoco() const { return foco_; }

  // For backends.
  std::unique_ptr<Nativo> nativo;  // while the window is created
  void CreadaPorBackend(Hwnd handle) { handle_ = handle; }
  void PosicionDelSistema(Rectangulo posicion);  // moved or sized on screen: raises Resize
  void EstadoDelSistema(EstadoVentana estado);
  void FocoDelSistema(Control* control);  // raises the control's GotFocus
  void Registrar(Control& control) { controles_.push_back(&control); }
  // Closing on screen (close box, log-off, Alt+F4) goes through Descargar.
  bool CierreDelSistema() { return Descargar(); }

 private:
  void NotificarNativo(Propiedad propiedad) noexcept {
    if (nativo) nativo->Cambio(propiedad);
  }
  Toolkit& toolkit_;
  std::string nombre_;
  std::string texto_;
  Rectangulo posicion_;
  EstadoVentana estado_ = EstadoVentana::Normal;
  bool cargada_ = false, visible_ = false;
  Hwnd handle_ = 0;
  std::vector<Control*> controles_;
  Control* foco_ = nullptr;
};

}  // namespace kelu
