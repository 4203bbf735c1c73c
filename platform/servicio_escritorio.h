// The other programs' windows on the desktop: walking them in Z order,
// their titles and processes, moving them and bringing one to the front.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "platform/control.h"

namespace kelu {

enum class Relacion { PrimerHijo = 5, Siguiente = 2, Dueno = 4 };  // GW_CHILD, GW_HWNDNEXT, GW_OWNER

class ServicioEscritorio {
 public:
  virtual ~ServicioEscritorio() = default;

  // The top-level windows in Z order.
  virtual Hwnd VentanaEscritorio() noexcept = 0;
  virtual Hwnd Relacionada(Hwnd ventana, Relacion relacion) noexcept = 0;
  virtual Hwnd PrimeraVentana() noexcept = 0;  // the top of the Z order
  virtual int LargoTitulo(Hwnd ventana) noexcept = 0;  // 0 for no title or no window
  // At most `maximo` characters of the title (UTF-16 units), as UTF-8.
  virtual std::string Titulo(Hwnd ventana, int maximo) noexcept = 0;
  virtual bool EsVisible(Hwnd ventana) noexcept = 0;  // to the person: shown, not cloaked, not a tool window
  virtual Hwnd Padre(Hwnd ventana) noexcept = 0;
  virtual uint32_t ProcesoDe(Hwnd ventana) noexcept = 0;
  [[nodiscard]] virtual bool Mover(Hwnd ventana, int x, int y, int ancho, int alto) noexcept = 0;  // pixels

  // Brings a top-level window to the front, restored if it was minimized;
  // false when refused.
  [[nodiscard]] virtual bool Activar(Hwnd ventana) noexcept = 0;
  // The window in front, which the person's keys reach; 0 when none.
  virtual Hwnd VentanaAlFrente() noexcept = 0;
  virtual uint32_t ProcesoPropio() noexcept = 0;  // KELU's own process
};

// Calls `visitar` on each top-level window in Z order from `primera` on,
// until it returns false. A step to the next window that fails ends the walk.
void RecorrerVentanas(ServicioEscritorio& escritorio, Hwnd primera, const std::function<bool(Hwnd)>& visitar);

}  // namespace kelu
