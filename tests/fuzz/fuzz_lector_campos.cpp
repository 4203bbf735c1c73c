// The field reader on any bytes: it ends, and every item is a piece of the input.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/lector_campos.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo) {
  std::string_view texto(reinterpret_cast<const char*>(datos), largo);
  kelu::LectorCampos lector(texto);
  size_t items = 0, bytes = 0;
  while (auto item = lector.Siguiente()) {
    bytes += item->size();
    if (++items > largo + 1 || bytes > largo) std::abort();  // each item takes input with it
    kelu::SepararLinea(*item);
  }
  return 0;
}
