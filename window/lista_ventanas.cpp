#include "window/lista_ventanas.h"

#include <algorithm>
#include <utility>

#include "platform/paso.h"

namespace kelu {

std::string ListaVentanas::TituloVentanaDestino() {
  std::string titulo = kSinTitulo;
  Paso([&] {
    if (escritorio_.LargoTitulo(handleDestino_) <= 0) return;
    titulo = escritorio_.Titulo(handleDestino_, kTitulo);
  });
  return titulo;
}

void ListaVentanas::LlenarListaVentanas(Combo& lista, const std::string& tituloPrograma,
                                        const std::string& captionPrincipal) {
  Hwnd primera = 0;
  Paso([&] { primera = escritorio_.Relacionada(escritorio_.VentanaEscritorio(), Relacion::PrimerHijo); });
  Paso([&] { lista.Limpiar(); });
  // The walk starts after the desktop's first child: the window at the very
  // top of the Z order is never looked at.
  bool cima = true;
  RecorrerVentanas(escritorio_, primera, [&](Hwnd w) {
    if (std::exchange(cima, false)) return true;
    Paso([&] {
      handleDestino_ = w;
      std::string t = TituloVentanaDestino();
      if (t == kSinTitulo) return;
      if (lista.Buscar(t) != -1 || !escritorio_.EsVisible(w)) return;
      if (t == tituloPrograma || t == captionPrincipal) return;
      lista.Agregar(t);
      int i = lista.Cantidad() - 1;
      if (i <= 100) HandlesVentanas[static_cast<size_t>(i)] = w;
    });
    return true;
  });
}

void ListaVentanas::Elegir(const Combo& lista) {
  int s = lista.Seleccion();
  if (s < 0 || s > 100) return;  // entries past 100 have no handle: the target stays
  handleDestino_ = HandlesVentanas[static_cast<size_t>(s)];
}

int ListaVentanas::IndiceDe(const Combo& lista, Hwnd ventana) const {
  const int conHandle = std::min(lista.Cantidad(), static_cast<int>(HandlesVentanas.size()));
  for (int i = 0; ventana != 0 && i < conHandle; ++i)
    if (HandlesVentanas[static_cast<size_t>(i)] == ventana) return i;
  return -1;
}

}  // namespace kelu
