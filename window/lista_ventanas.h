// The target list: the titles of the visible top-level windows, the handle
// behind each entry, and the chosen target.
#pragma once
#include <array>
#include <string>

#include "platform/controles.h"
#include "platform/servicio_escritorio.h"

namespace kelu {

class ListaVentanas {
 public:
  explicit ListaVentanas(ServicioEscritorio& escritorio) : escritorio_(escritorio) {}

  static constexpr int kTitulo = 99;  // characters of a title that count
  static constexpr char kSinTitulo[] = "|";

  // The title of HandleDestino, or "|" when it has none (or is no window).
  std::string TituloVentanaDestino();
  // Refills the list from the desktop; no entry is selected afterwards.
  // Windows titled `tituloPrograma` or `captionPrincipal` are KELU's own.
  void LlenarListaVentanas(Combo& lista, const std::string& tituloPrograma, const std::string& captionPrincipal);
  // The choice of an entry: its window becomes the target.
  void Elegir(const Combo& lista);
  // The entry whose handle is `ventana`, or -1.
  int IndiceDe(const Combo& lista, Hwnd ventana) const;

  // The target: the window of the last entry chosen.
  Hwnd HandleDestino() const { return handleDestino_; }

  std::array<Hwnd, 101> HandlesVentanas{};

 private:
  ServicioEscritorio& escritorio_;
  Hwnd handleDestino_ = 0;
};

}  // namespace kelu
