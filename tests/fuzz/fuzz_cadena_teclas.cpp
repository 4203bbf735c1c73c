// The key-string parser on any text: modifiers always come up again, and a
// description of the events never grows without bound.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "keying/cadena_teclas.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo) {
  std::string_view texto(reinterpret_cast<const char*>(datos), largo);
  auto eventos = kelu::AnalizarCadenaTeclas(texto);
  if (!eventos) return 0;
  int abajo = 0;
  for (const kelu::EventoTecla& e : *eventos) {
    if (e.tipo == kelu::TipoEvento::BajarModificador) ++abajo;
    if (e.tipo == kelu::TipoEvento::SubirModificador && --abajo < 0) std::abort();
  }
  if (abajo != 0) std::abort();
  kelu::DescribirEventos(*eventos);
  kelu::TextoPlano(*eventos);
  return 0;
}
