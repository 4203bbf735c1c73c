#include "startup/ayuda.h"

#include <string>

#include "platform/archivos.h"

namespace kelu {
namespace {

std::string SinBlancosAlRededor(const std::string& texto) {
  const size_t inicio = texto.find_first_not_of(' ');
  if (inicio == std::string::npos) return {};
  return texto.substr(inicio, texto.find_last_not_of(' ') - inicio + 1);
}

}  // namespace

// The path is opened without an anchor: the shell takes "page.html#x" for a
// file name and finds none. The pages begin with their table of contents.
void AbrirAyuda(Programa& programa, Ventana& dueno) {
  // Trimmed, unlike the language file's name, so a stray blank in the
  // settings still finds the language's page.
  std::string pagina = programa.Ruta("kelu_" + SinBlancosAlRededor(programa.configuracion.Idioma) + ".html");
  // The Spanish page is opened without a look: when it is missing too, the
  // viewer says so itself.
  if (!programa.archivos.Abrible(pagina)) pagina = programa.Ruta("kelu_español.html");
  programa.escritorio.AbrirDocumento(dueno.Handle(), pagina);
}

}  // namespace kelu
