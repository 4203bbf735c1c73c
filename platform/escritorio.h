// The desktop beyond KELU's own windows: other programs' windows, keystrokes
// into them, starting programs and opening documents.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/teclas.h"
#include "platform/toolkit.h"

namespace kelu {

enum class Relacion { PrimerHijo = 5, Siguiente = 2, Dueno = 4 };  // GW_CHILD, GW_HWNDNEXT, GW_OWNER

// How starting a program went.
struct Arranque {
  enum class Resultado { Iniciado, NoEncontrado, OtroError };
  Resultado resultado = Resultado::OtroError;
  uint32_t proceso = 0;  // 0 when nothing was started
};

class Escritorio {
 public:
  virtual ~Escritorio() = default;

  // The top-level windows in Z order.
  virtual Hwnd VentanaEscritorio() = 0;
  virtual Hwnd Relacionada(Hwnd ventana, Relacion relacion) = 0;
  virtual Hwnd PrimeraVentana() = 0;  // the top of the Z order
  virtual int LargoTitulo(Hwnd ventana) = 0;  // 0 for no title or no window
  // At most `maximo` characters of the title (UTF-16 units), as UTF-8.
  virtual std::string Titulo(Hwnd ventana, int maximo) = 0;
  virtual bool EsVisible(Hwnd ventana) = 0;  // to the person: shown, not cloaked, not a tool window
  virtual Hwnd Padre(Hwnd ventana) = 0;
  virtual uint32_t ProcesoDe(Hwnd ventana) = 0;
  [[nodiscard]] virtual bool Mover(Hwnd ventana, int x, int y, int ancho, int alto) = 0;  // pixels

  // Brings a top-level window to the front, restored if it was minimized;
  // false when refused.
  [[nodiscard]] virtual bool Activar(Hwnd ventana) = 0;
  // The window in front, which the person's keys reach; 0 when none.
  virtual Hwnd VentanaAlFrente() = 0;
  virtual uint32_t ProcesoPropio() = 0;  // KELU's own process
  // Types the events into whatever window has the input focus; returns at
  // once. False when the system did not take every event.
  [[nodiscard]] virtual bool Teclear(const std::vector<EventoTecla>& eventos) = 0;
  // False when the system would drop KELU's keys for that window without a
  // word: its program runs at a higher integrity level (elevated).
  virtual bool PuedeRecibirTeclas(Hwnd ventana) = 0;

  // Starts `ejecutable` with `argumentos` in `carpetaTrabajo`, normal and focused.
  virtual Arranque Iniciar(const std::string& ejecutable, const std::string& argumentos,
                           const std::string& carpetaTrabajo) = 0;
  // The shell's default action on a file or address; the result is ignored.
  virtual void AbrirDocumento(Hwnd dueno, const std::string& documento) = 0;

  // The folder of KELU's own executable, without a trailing "\".
  virtual std::string CarpetaPrograma() = 0;
  // The person's own folder for program data (%APPDATA%), without a
  // trailing "\"; empty when unknown.
  virtual std::string CarpetaDatosUsuario() = 0;

  // The shortcut to KELU in the person's Startup folder, which starts it
  // when they sign in; the installer makes the same one. No registry.
  virtual bool InicioAlEntrar() = 0;  // the shortcut is there
  // Makes the shortcut (to KELU's own executable) or removes it; false when
  // that failed and the shortcut is as it was.
  [[nodiscard]] virtual bool PonerInicioAlEntrar(bool poner) = 0;
};

// Calls `visitar` on each top-level window in Z order from `primera` on,
// until it returns false. A step to the next window that fails ends the walk.
void RecorrerVentanas(Escritorio& escritorio, Hwnd primera, const std::function<bool(Hwnd)>& visitar);

}  // namespace kelu
