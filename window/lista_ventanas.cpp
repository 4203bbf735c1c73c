#include "window/lista_ventanas.h"

#include <algorithm>
#include <utility>

namespace kelu {

std::string ListaVentanas::TituloVentanaDestino() {
  if (escritorio_.LargoTitulo(handleDestino_) <= 0) return kSinTitulo;
  return escritorio_.Titulo(handleDestino_, kTitulo);
}

void ListaVentanas::LlenarListaVentanas(Combo& lista, const std::string& tituloPrograma,
                                        const std::string& captionPrincipal) {
  const Hwnd primera = escritorio_.Relacionada(escritorio_.VentanaEscritorio(), Relacion::PrimerHijo);
  lista.Limpiar();
  // The walk starts after the desktop's first child: the window at the very
  // top of the Z order is never looked at.
  bool cima = true;
  RecorrerVentanas(escritorio_, primera, [&](Hwnd w) {
    if (std::exchange(cima, false)) return true;
    handleDestino_ = w;
    const std::string t = TituloVentanaDestino();
    if (t == kSinTitulo) return true;
    if (lista.Buscar(t) != -1 || !escritorio_.EsVisible(w)) return true;
    if (t == tituloPrograma || t == captionPrincipal) return true;
    lista.Agregar(t);
    const int i = lista.Cantidad() - 1;
    if (i <= 100) HandlesVentanas[static_cast<size_t>(i)] = w;
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
