// The small window toolkit the forms are written against. Windows, controls
// and timers are plain objects that hold their own state; a backend (Win32,
// or the in-memory one of the tests) mirrors that state on screen and turns
// what the user does into the events below.
#pragma once
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/colores.h"

namespace kelu {

class Toolkit;
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

// The backend's side of a window or control.
class Nativo {
 public:
  virtual ~Nativo() = default;
  virtual void Cambio(Propiedad propiedad) = 0;
};

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
  void SetTexto(std::string texto);
  const Rectangulo& Posicion() const { return posicion_; }
  void SetPosicion(Rectangulo posicion);
  bool Habilitado() const { return habilitado_; }
  void SetHabilitado(bool habilitado);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);

  // Controls that can hold the keyboard focus; labels, frames and images can't.
  bool Enfocable() const;
  void SetFoco();
  int indiceTab = 0;  // lower first; forms set it with Ventana::OrdenTab

  std::function<void()> Click, Change, GotFocus;
  std::function<void(const EventoRaton&)> MouseDown, MouseUp, MouseMove;

  // For backends: state the user changed on screen, then its event.
  void TextoDelUsuario(std::string texto);

  std::unique_ptr<Nativo> nativo;  // the backend's, while the window is created

 protected:
  void NotificarNativo(Propiedad propiedad) {
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

// One mark of a drawing on a label, in twips from the label's top-left corner.
struct Trazo {
  enum class Forma { Relleno, Marco, Elipse, Texto };
  Forma forma = Forma::Relleno;
  Rectangulo area;
  ColorSistema color = ColorSistema::TextoVentana;
  std::string texto;  // Texto: one line, from the area's left edge, centred on its height
  Fuente fuente;
  bool operator==(const Trazo&) const = default;
};

// A label: windowless, drawn by its window, so presses on it reach the window.
class Etiqueta : public Control {
 public:
  Etiqueta(Ventana& v, std::string nombre, Rectangulo pos, Fuente fuente, std::string texto = {},
           Alineacion alinear = Alineacion::Izquierda)
      : Control(v, TipoControl::Etiqueta, std::move(nombre), pos, fuente, std::move(texto)),
        alineacion(alinear) {}
  Alineacion alineacion;
  bool borde = false;
  bool ajustarAlTexto = false;  // grows to fit its caption

  // Marks painted in order over the label's ground and border, after its
  // caption. Setting the same drawing again repaints nothing.
  const std::vector<Trazo>& Dibujo() const { return dibujo_; }
  void SetDibujo(std::vector<Trazo> dibujo);

 private:
  std::vector<Trazo> dibujo_;
};

class Boton : public Control {
 public:
  Boton(Ventana& v, std::string nombre, Rectangulo pos, Fuente fuente, std::string texto)
      : Control(v, TipoControl::Boton, std::move(nombre), pos, fuente, std::move(texto)) {}
  bool predeterminado = false;  // Enter presses it
  bool cancelar = false;        // Esc presses it
};

// A drop-down list: the user picks an entry and cannot type.
class Combo : public Control {
 public:
  Combo(Ventana& v, std::string nombre, Rectangulo pos, Fuente fuente)
      : Control(v, TipoControl::Combo, std::move(nombre), pos, fuente) {}
  void Limpiar();  // also clears the selection
  void Agregar(std::string entrada);
  int Cantidad() const { return static_cast<int>(entradas_.size()); }
  const std::string& Entrada(int i) const { return entradas_.at(static_cast<size_t>(i)); }
  int Seleccion() const { return seleccion_; }  // -1: none
  // The last entry equal to `texto` (whole text, case-sensitive); -1: none.
  int Buscar(const std::string& texto) const;
  // Selects entry i and raises Click, as a choice by the user does; an index
  // out of range changes nothing and returns false.
  bool SetSeleccion(int i);
  // The list is about to open (a click on its arrow, F4, Alt+Down).
  std::function<void()> DropDown;

 private:
  std::vector<std::string> entradas_;
  int seleccion_ = -1;
};

class Casilla : public Control {
 public:
  Casilla(Ventana& v, std::string nombre, Rectangulo pos, Fuente fuente, std::string texto)
      : Control(v, TipoControl::Casilla, std::move(nombre), pos, fuente, std::move(texto)) {}
  bool Marcada() const { return marcada_; }
  // Raises Click whenever the state changes, whoever changes it.
  void SetMarcada(bool marcada);

 private:
  bool marcada_ = false;
};

class CajaTexto : public Control {
 public:
  CajaTexto(Ventana& v, std::string nombre, Rectangulo pos, Fuente fuente, std::string texto = {})
      : Control(v, TipoControl::CajaTexto, std::move(nombre), pos, fuente, std::move(texto)) {}
  bool soloLectura = false;
  void SeleccionarTodo();  // selection start 0, length = the whole text
  int inicioSeleccion = 0, largoSeleccion = 0;
};

class Imagen : public Control {
 public:
  Imagen(Ventana& v, std::string nombre, Rectangulo pos, int numero)
      : Control(v, TipoControl::Imagen, std::move(nombre), pos, Fuente{}), recurso(numero) {}
  int recurso;  // the picture's resource number, stretched to the control
};

// A repeating timer. Enabling a stopped timer starts a fresh countdown, so
// does a new interval; interval 0 never fires.
class Temporizador {
 public:
  explicit Temporizador(Toolkit& toolkit, int intervalo = 0, bool activo = false);
  ~Temporizador();
  Temporizador(const Temporizador&) = delete;
  Temporizador& operator=(const Temporizador&) = delete;

  bool Habilitado() const { return activo_; }
  void SetHabilitado(bool activo);
  int Intervalo() const { return intervalo_; }
  void SetIntervalo(int ms);  // 0 to 32767

  // Firings missed while the program was busy (a slow target, the machine
  // asleep) are made up one by one, so that counting firings measures time.
  // Without it any number of missed intervals give a single firing: right
  // for a timer whose firing is an action, not a tick to count.
  bool recuperarAtrasos = true;

  // Since the countdown last started, in ms, and how often the timer has
  // fired since then: what is left of a gap before it first closes.
  int64_t Transcurrido() const;
  int Disparos() const { return disparos_; }

  std::function<void()> Timer;
  void Disparar() {  // for backends
    if (!activo_) return;
    ++disparos_;
    if (Timer) Timer();
  }

 private:
  void Comenzar();
  Toolkit& toolkit_;
  int intervalo_;
  bool activo_;
  int64_t inicio_ = 0;
  int disparos_ = 0;
};

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
  void SetTexto(std::string texto);
  // Outer bounds, border and caption included, in twips.
  const Rectangulo& Posicion() const { return posicion_; }
  void SetPosicion(Rectangulo posicion);
  EstadoVentana Estado() const { return estado_; }
  void SetEstado(EstadoVentana estado);

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
  void NotificarNativo(Propiedad propiedad) {
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

// The screen of a window, in twips, and the twips in one pixel.
struct Pantalla {
  int ancho = 0, alto = 0;  // the whole monitor
  double twipsPorPixelX = 15, twipsPorPixelY = 15;
  // What the taskbar and docked bars leave of it, in screen twips; empty
  // when unknown.
  Rectangulo trabajo;
};

// Where windows may go: the work area, or the whole screen when it is unknown.
Rectangulo AreaDeTrabajo(const Pantalla& pantalla);

// Message-box styles and answers, as the system numbers them.
enum : int {
  kMbOk = 0, kMbSiNo = 4, kMbPregunta = 32, kMbExclamacion = 48, kMbSegundoBoton = 256,
  kIdOk = 1, kIdCancelar = 2, kIdSi = 6, kIdNo = 7,
};

// Short sounds: a letter was typed; a code that led to no entry was dropped;
// keying paused or resumed.
enum class AvisoSonoro { Letra, Descartada, Pausa };

// How the capture of switch keys stands, as the backend finds it.
enum class EstadoCaptura {
  Reanudada,       // the system had dropped it (sleep, a locked screen, a late answer): taken again, no key down
  Fallida,         // the system refused it: the switch keys act as plain keys
  VentanaElevada,  // a window of a higher integrity level is in front: the system keeps the keys from KELU
};

struct DialogoAbrir {
  std::string descripcion;  // "Archivos de idioma (*.lng)"
  std::string patron;       // "*.lng"
  std::string nombreInicial;
  std::string carpetaInicial;
  bool ocultarSoloLectura = true;
};

// The services a backend gives the forms.
class Toolkit {
 public:
  virtual ~Toolkit() = default;

  // Windows. Crear builds the native window with its controls.
  virtual void Crear(Ventana& ventana) = 0;
  virtual void Destruir(Ventana& ventana) = 0;
  virtual void MostrarVentana(Ventana& ventana, bool modal) = 0;
  virtual void OcultarVentana(Ventana& ventana) = 0;
  virtual void Enfocar(Control& control) = 0;
  virtual void SiempreEncima(Ventana& ventana, bool encima) = 0;
  // A press on the window's own ground no longer brings it to the front, as
  // with an on-screen keyboard; its controls still do, so they stay usable.
  // It keeps its taskbar button and its place in Alt+Tab either way.
  virtual void SinActivar(Ventana& ventana, bool sinActivar) = 0;
  // The left-button presses of a window, before its own handling of them.
  // A window not in front keeps the mouse only over itself: a release off
  // it goes to another window and `arriba` never comes (VigiaBoton ends it).
  virtual void CapturarClics(Ventana& ventana, std::function<void()> abajo, std::function<void()> arriba) = 0;
  // The primary button is up and the pointer is off the window: its last
  // release went elsewhere. The window's own press is then over too (its
  // mouse capture released), so its mouse works as after any release.
  virtual bool SueltoFuera(Ventana& ventana) = 0;
  // Keys that act as switches wherever the focus is: each down and up of
  // `tecla` or `teclaRaya` (0: none) is swallowed, reaches no program, and
  // goes to `alPulsar` in order, on the program's thread; a down while the
  // key is down (auto-repeat) is dropped. kCualquierTecla takes every key.
  // 0, 0 stops. One capture at a time: a new call replaces the last.
  // What becomes of the capture later goes to CapturaCambiada.
  virtual void CapturarTeclas(int tecla, int teclaRaya, std::function<void(int tecla, bool abajo)> alPulsar) = 0;

  // Timers: called whenever a timer is enabled, disabled or given an interval.
  virtual void Programar(Temporizador& temporizador) = 0;
  virtual void Olvidar(Temporizador& temporizador) = 0;
  // A steady clock in milliseconds, the one the timers run on.
  virtual int64_t Milisegundos() = 0;

  // The event pump.
  virtual void ProcesarEventos() = 0;  // every pending event, then return
  virtual void EsperarMensaje() = 0;   // block until an event is pending
  [[nodiscard]] virtual bool RegistrarTeclaRapida(Ventana& ventana, int id, unsigned modificadores, int tecla) = 0;
  virtual void LiberarTeclaRapida(Ventana& ventana, int id) = 0;
  virtual bool TomarTeclaRapida(Ventana& ventana) = 0;  // a pending hot-key message, removed

  // Screen, pointer, modal boxes.
  // The monitor the window is on (the primary one for a window not created).
  virtual Pantalla LeerPantalla(const Ventana& ventana) = 0;
  virtual void FijarCursor(int x, int y) = 0;  // pixels
  // The centre of a control on the screen, in pixels.
  virtual std::pair<int, int> CentroEnPantalla(const Control& control) = 0;
  virtual int MostrarMensaje(Ventana* dueno, const std::string& texto, const std::string& titulo, int estilo) = 0;
  // The chosen file's full path, or nullopt when the user cancels.
  virtual std::optional<std::string> ElegirArchivo(Ventana& dueno, const DialogoAbrir& dialogo) = 0;
  // The width, in twips, of one line of `texto` as the window draws it in `fuente`.
  virtual int AnchoTexto(const Ventana& ventana, const std::string& texto, const Fuente& fuente) = 0;

  // Sound. Without an audio device, or when it fails, these do nothing and
  // say nothing. `volumen` is 0 to 100.
  // A steady tone from `sonando` true until false, with soft edges.
  virtual void Tono(bool sonando, int frecuencia, int volumen) = 0;
  virtual void SonarAviso(AvisoSonoro aviso, int volumen) = 0;

  // What the end of the Windows session (log-off, restart, shutdown) does.
  // The backend runs it once, with no question asked and whatever modal
  // box is open, then ends the process: no window is touched afterwards.
  std::function<void()> FinDeSesion;
  // The switch capture was lost and taken again, refused, or cannot see
  // the keys: on the program's thread.
  std::function<void(EstadoCaptura)> CapturaCambiada;

  // One KELU per Windows session. True for the first copy, which from then
  // on hears of every later start through OtraCopia; false for a later one,
  // which has asked the first to come forward and must end at once.
  [[nodiscard]] virtual bool PrimeraCopia() = 0;
  std::function<void()> OtraCopia;
};

}  // namespace kelu
