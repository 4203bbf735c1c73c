#include "config/dialogo.h"

namespace kelu {

Dialogo::Dialogo(Programa& programa, const Diseno& diseno)
    : Ventana(programa.toolkit, diseno.nombre, diseno.titulo, diseno.ancho, diseno.alto),
      cmdAceptar(*this, "cmdAceptar", diseno.aceptar, kVerdana9, "&Aceptar"),
      cmdCancelar(*this, "cmdCancelar", diseno.cancelar, kVerdana9, "&Cancelar"),
      programa_(programa),
      entradaTitulo_(diseno.entradaTitulo) {
  borde = Borde::Fijo;
  botonMinimizar = botonMaximizar = false;
  centrada = true;
  cmdAceptar.predeterminado = true;
  cmdCancelar.cancelar = true;
  cmdCancelar.Click = [this] { Descargar(); };
}

bool Dialogo::Abrir() { return Cargada() || Mostrar(true); }

void Dialogo::Traducir() {
  const TextosIdioma& t = programa_.idioma;
  SetTexto(t.Entrada(entradaTitulo_));
  for (const Traduccion& traduccion : traducibles_) traduccion.control->SetTexto(t.Entrada(traduccion.entrada));
  cmdAceptar.SetTexto(t.Entrada(IdTexto::BotonAceptar));
  cmdCancelar.SetTexto(t.Entrada(IdTexto::BotonCancelar));
}

}  // namespace kelu
