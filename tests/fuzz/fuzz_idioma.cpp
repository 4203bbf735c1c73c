// The language reader on any file: at most 46 entries change.
#include <cstdint>
#include <string>

#include "config/idioma.h"
#include "tests/fuzz/memoria.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo) {
  kelu::fuzz::ArchivosEnMemoria archivos;
  archivos.archivos["C:\\k\\x.lng"] = std::string(reinterpret_cast<const char*>(datos), largo);
  kelu::TextosIdioma textos;
  kelu::CargarIdioma(textos, archivos, "C:\\k\\x.lng");
  for (int n = 1; n <= kelu::TextosIdioma::kEntradas; ++n) textos.Entrada(static_cast<kelu::IdTexto>(n)).size();
  return 0;
}
