// What the backend's files share: the native side of windows, controls and
// timers, and small wrappers over the calls they all make.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "platform/cadencia.h"
#include "platform/colores.h"
#include "platform/traza.h"
#include "platform/toolkit.h"
#include "platform/medidas.h"
#include "platform/utf16.h"

namespace kelu::win32 {

struct Estado;

inline std::wstring Ancho(std::string_view utf8) { return Utf8AUtf16<wchar_t>(utf8); }
inline std::string Estrecho(std::wstring_view utf16) { return Utf16AUtf8(utf16); }

inline HWND AHwnd(Hwnd h) { return reinterpret_cast<HWND>(h); }
inline Hwnd DeHwnd(HWND h) { return reinterpret_cast<Hwnd>(h); }

// A function of a system library that older Windows versions lack; null there.
template <class Funcion>
Funcion BuscarFuncion(const wchar_t* biblioteca, const char* nombre) {
  HMODULE modulo = GetModuleHandleW(biblioteca);
  if (!modulo) return nullptr;
  // Through void(*)(), the one function type any other may be cast from.
  return reinterpret_cast<Funcion>(reinterpret_cast<void (*)()>(GetProcAddress(modulo, nombre)));
}

// --- DPI (dpi_win32.cpp) ---------------------------------------------------
UINT DpiDelSistema();
UINT DpiDe(HWND ventana);  // the system's when the window's is unknown
RECT ExteriorParaCliente(int anchoPx, int altoPx, DWORD estilo, DWORD estiloExtendido, UINT dpi);

// --- Colours (colores_win32.cpp) ------------------------------------------
bool AltoContrasteActivo();
COLORREF ColorDe(ColorSistema color);
HBRUSH PincelDe(ColorSistema color);

// Brings a top-level window to the front, through the foreground thread's
// input when the system refuses a plain request (escritorio_win32.cpp).
bool TraerAlFrente(HWND ventana);

// The first copy stops hearing later starts (una_copia_win32.cpp).
void DejarDeOir();

// A message-only window of its own class, whose procedure finds `dueno`
// through GWLP_USERDATA; nullptr when the system refuses it
// (ventana_mensajes_win32.cpp).
HWND CrearVentanaMensajes(HINSTANCE instancia, const wchar_t* clase, WNDPROC procedimiento, void* dueno);

// --- Fonts, cached by name, size, weight and DPI ---------------------------
class Fuentes {
 public:
  Fuentes() = default;
  Fuentes(const Fuentes&) = delete;
  Fuentes& operator=(const Fuentes&) = delete;
  ~Fuentes();
  HFONT Obtener(const Fuente& fuente, UINT dpi);

 private:
  std::map<std::tuple<std::string, long, bool, UINT>, HFONT> cache_;
};

// --- Pictures from the resources (imagenes_win32.cpp) ----------------------
class Imagenes {
 public:
  explicit Imagenes(HINSTANCE instancia) : instancia_(instancia) {}
  Imagenes(const Imagenes&) = delete;
  Imagenes& operator=(const Imagenes&) = delete;
  ~Imagenes();
  // Stretched to the rectangle; nothing when the resource is absent.
  void Dibujar(HDC dc, int recurso, const RECT& destino);

 private:
  HBITMAP Cargar(int recurso);
  HINSTANCE instancia_;
  std::map<int, HBITMAP> cache_;  // null entries for missing resources
};

// --- Timers (temporizadores_win32.cpp) -------------------------------------
int64_t Microsegundos();  // the performance counter

class Relojes {
 public:
  explicit Relojes(HINSTANCE instancia);
  Relojes(const Relojes&) = delete;
  Relojes& operator=(const Relojes&) = delete;
  ~Relojes();
  void Programar(Temporizador& temporizador);
  void Olvidar(Temporizador& temporizador);
  // Runs every firing owed by now, all timers together in time order (ties
  // in the order they were armed), then sets the system's timers for the
  // next ones. At each WM_TIMER, and before a press or release is handled.
  void AlDia();

 private:
  struct Reloj {
    Temporizador* temporizador = nullptr;
    Cadencia cadencia;       // microseconds
    int64_t intervalo = 0;   // microseconds
    uint64_t armado = 0;     // grows at each Programar: ties, and "was it reprogrammed?"
    bool disparando = false; // inside its handler
  };
  void DispararUno(UINT_PTR id, int64_t ahora);
  void Rearmar();
  HWND hwnd_ = nullptr;  // message-only
  std::map<UINT_PTR, Reloj> relojes_;
  std::map<Temporizador*, UINT_PTR> ids_;
  UINT_PTR siguienteId_ = 1;
  uint64_t armados_ = 0;
};

// --- Windows and controls ---------------------------------------------------
class NativoVentana;

class NativoControl final : public Nativo {
 public:
  NativoControl(NativoVentana& padre, Control& modelo, int numero) : ventana(padre), control(modelo), id(numero) {}
  ~NativoControl() override;
  void Cambio(Propiedad propiedad) noexcept override;

  void Crear();          // the child window, for the kinds that have one
  void Colocar();        // at the model's position, at the window's DPI
  void AplicarFuente();  // at the window's DPI
  void AjustarAlTexto(); // labels that size themselves to their caption
  RECT Area() const;     // client pixels
  void Comando(WORD codigo);  // a WM_COMMAND notification from the child
  void Dibujar(HDC dc);       // the windowless kinds
  bool Enfocable() const;     // visible, enabled and able to hold the focus

  NativoVentana& ventana;
  Control& control;
  const int id;
  HWND hwnd = nullptr;  // null for labels, frames and images
  RECT pintada{};       // windowless: the area last drawn
  bool conDibujo = false;  // a label that has had a drawing paints its own ground from then on
  bool aplicando = false;  // the model is changing the child: its echo is ignored

 private:
  void ReponerLista();
  void AreaCambiada();
  void DibujarTrazos(HDC dc, const RECT& area);
};

class NativoVentana final : public Nativo {
 public:
  NativoVentana(Estado& kit, Ventana& modelo) : estado(kit), ventana(modelo) {}
  ~NativoVentana() override { *vivo = false; }
  void Cambio(Propiedad propiedad) noexcept override;
  LRESULT Procesar(UINT mensaje, WPARAM wp, LPARAM lp);

  int Px(double twips) const { return TwipsAPixeles(twips, dpi); }
  int Tw(double pixeles) const { return PixelesATwips(pixeles, dpi); }
  RECT PixelesDe(const Rectangulo& r) const;
  Rectangulo Exterior() const;  // the window's outer rectangle, in twips
  void InformarPosicion();
  void CrearControles();
  NativoControl* PorId(int id) const;
  NativoControl* PorHandle(HWND hijo) const;
  HWND PrimerEnfocable() const;
  void DarFoco();  // to the control that had it, or the first one
  void FocoPendiente(NativoControl& control);
  void Invalidar(const RECT& area);
  void PantallaCambiada();  // the window's PantallaCambiada, once the change is over

  Estado& estado;
  Ventana& ventana;
  HWND hwnd = nullptr;
  UINT dpi = kDpiNormal;
  DWORD estilo = 0, estiloExtendido = 0;
  std::vector<NativoControl*> controles;  // tab order; each owned by its control
  std::function<void()> clicAbajo, clicArriba;
  bool teclaRapida = false;   // a WM_HOTKEY arrived and nobody took it yet
  bool creada = false;        // its controls exist: sizes are reported from then on
  bool aplicando = false;     // the model moves the window: not reported back
  bool informando = false;    // inside the model's Resize
  bool destruyendo = false;
  bool pantallaPendiente = false;  // kMensajePantalla posted and not yet handled
  bool sinActivar = false;         // a press on its ground leaves the foreground where it is
  HWND focoGuardado = nullptr;
  PulsacionIzquierda pulsacion;  // the left press in progress, if any
  // Cleared when this object is deleted, which a handler may do to its own window.
  std::shared_ptr<bool> vivo = std::make_shared<bool>(true);

 private:
  void Pintar();
  void Pulsacion(UINT mensaje, WPARAM wp, LPARAM lp);
  void Movimiento(WPARAM wp, LPARAM lp);
  NativoControl* SinVentanaEn(POINT p) const;
  void Tamano(WPARAM tipo);
  void Activacion(bool activa, bool minimizada);
  LRESULT ActivacionPorRaton(WPARAM wp, LPARAM lp);
  void CambioDeDpi(UINT nuevo, const RECT& sugerido);
  LRESULT Comando(WPARAM wp, LPARAM lp);
  LRESULT BotonPredeterminado() const;
  LRESULT Color(HDC dc, ParteFormulario parte);
  LRESULT Fondo(HDC dc);
  void ColoresCambiados(UINT mensaje);
};

// The window's native side; null for a window not created or being destroyed.
NativoVentana* NativoDe(HWND ventana);
// The native side of a window or control of this backend; null while not created.
inline NativoVentana* NativoDe(const Ventana& v) { return static_cast<NativoVentana*>(v.nativo.get()); }
inline NativoControl* NativoDe(const Control& c) { return dynamic_cast<NativoControl*>(c.nativo.get()); }

LRESULT CALLBACK ProcesarClic(HWND ventana, UINT mensaje, WPARAM wp, LPARAM lp);

// --- Sound (sonido_win32.cpp) ---------------------------------------------
// The audio device and its quiet-spell timer; made at the first sound that
// can be heard.
class Sonido;
struct BorrarSonido {
  void operator()(Sonido* sonido) const;
};

// A modal window and the windows it disabled.
struct Modal {
  Ventana* ventana;
  std::vector<HWND> deshabilitadas;
};

struct Estado {
  explicit Estado(HINSTANCE inst) : instancia(inst), imagenes(inst), relojes(inst) {}
  NativoVentana* Buscar(HWND raiz) const {
    auto it = ventanas.find(raiz);
    return it == ventanas.end() ? nullptr : it->second;
  }
  void Rehabilitar(Modal& modal);
  UINT DpiPrincipal() const;
  ParColores Colores(ParteFormulario parte) const { return ColoresDe(parte, altoContraste); }
  // Runs the toolkit's FinDeSesion once and ends the process.
  [[noreturn]] void TerminarSesion();

  HINSTANCE instancia;
  Toolkit* toolkit = nullptr;
  Fuentes fuentes;
  Imagenes imagenes;
  Relojes relojes;
  std::map<HWND, NativoVentana*> ventanas;  // KELU's top-level windows
  std::vector<HWND> creadas;                // the same, oldest first
  std::vector<Modal*> modales;              // innermost last
  bool altoContraste = AltoContrasteActivo();  // read again when the colours change
  std::unique_ptr<Sonido, BorrarSonido> sonido;  // closes the device when the toolkit goes
  int64_t momentoEntrada = -1;  // while a press or release is handled: when it happened
};

inline constexpr wchar_t kClaseVentana[] = L"KELU.Ventana";
inline constexpr UINT kMensajePantalla = WM_APP + 1;  // the screen changed: see NativoVentana::PantallaCambiada
inline constexpr wchar_t kProcedimientoAnterior[] = L"KELU.ProcedimientoAnterior";
// The message the installer posts to any window of class kClaseVentana to
// have KELU save and end; 0 if the system could not register it.
inline UINT MensajeCierrePedido() {
  static const UINT mensaje = RegisterWindowMessageW(L"KELU.Cerrar");
  return mensaje;
}

// The pump's handling of one message: the key preview, then dialog-style
// keys (Tab, Enter, Esc, Alt+letter) on KELU's windows, then dispatch.
void Despachar(Estado& estado, MSG& mensaje);

}  // namespace kelu::win32
