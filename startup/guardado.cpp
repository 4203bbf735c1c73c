#include "startup/guardado.h"

#include "config/ayudas.h"
#include "config/configuracion.h"
#include "config/idioma.h"

namespace kelu {

bool GuardarAjustes(Programa& p) {
  if (!p.lugarConfiguracion.guardable) return true;
  const std::string carpeta = p.CarpetaEscrituraConfiguracion();
  bool guardado = true;
  // A failed save leaves the earlier file whole.
  if (!p.conservarConfiguracion) guardado = GuardarConfiguracion(p.configuracion, p.archivos, carpeta) && guardado;
  if (!p.conservarAyudas) guardado = GuardarAyudas(p.ayudas, p.lineasAyudas, p.archivos, carpeta) && guardado;
  return guardado;
}

void AvisarGuardadoFallido(Programa& p, Ventana& duena) {
  if (p.ayudas.TeclaPulsador != 0) return;
  const TextosIdioma& t = p.idioma;
  p.toolkit.MostrarMensaje(&duena, Sustituir(t.Entrada(IdTexto::GuardadoFallido), {p.CarpetaEscrituraConfiguracion()}),
                           t.Entrada(IdTexto::TituloAviso), kMbOk | kMbExclamacion);
}

}  // namespace kelu
