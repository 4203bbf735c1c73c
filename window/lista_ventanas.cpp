#include "window/lista_ventanas.h"

#include <algorithm>

#include "platform/paso.h"

namespace kelu {

bool EstaEnLista(const Combo& lista, const std::string& texto) {
  bool esta = false;
  for (int i = 0; i < lista.Cantidad(); ++i)
    if (lista.Entrada(i) == texto) esta = true;
  return esta;
}

std::string ListaVentanas::TituloVentanaDestino() {
  std::string titulo = kSinTitulo;
  Paso([&] {
    if (escritorio_.LargoTitulo(HandleDestino) <= 0) return;
    titulo = escritorio_.Titulo(HandleDestino, kTitulo);
  });
  return titulo;
}

void ListaVentanas::LlenarListaVentanas(Combo& lista, const std::string& tituloPrograma,
                                        const std::string& captionPrincipal) {
  Hwnd w = 0;
  Paso([&] { w = escritorio_.Relacionada(escritorio_.VentanaEscritorio(), Relacion::PrimerHijo); });
  Paso([&] { lista.Limpiar(); });
  // The walk starts after the desktop's first child: the window at the very
  // top of the Z order is never looked at.
  while (w != 0) {
    Hwnd siguiente = 0;
    Paso([&] { siguiente = escritorio_.Relacionada(w, Relacion::Siguiente); });
    w = siguiente;
    if (w == 0) break;
    Paso([&] {
      HandleDestino = w;
      std::string t = TituloVentanaDestino();
      if (t == kSinTitulo) return;
      if (EstaEnLista(lista, t) || !escritorio_.EsVisible(w)) return;
      if (t == tituloPrograma || t == captionPrincipal) return;
      lista.Agregar(t);
      int i = lista.Cantidad() - 1;
      if (i <= 100) HandlesVentanas[static_cast<size_t>(i)] = w;
    });
  }
}

void ListaVentanas::Elegir(const Combo& lista) {
  int s = lista.Seleccion();
  if (s < 0 || s > 100) return;  // entries past 100 have no handle: the target stays
  HandleDestino = HandlesVentanas[static_cast<size_t>(s)];
}

int ListaVentanas::IndiceDe(const Combo& lista, Hwnd ventana) const {
  const int conHandle = std::min(lista.Cantidad(), static_cast<int>(HandlesVentanas.size()));
  for (int i = 0; ventana != 0 && i < conHandle; ++i)
    if (HandlesVentanas[static_cast<size_t>(i)] == ventana) return i;
  return -1;
}

}  // namespace kelu
