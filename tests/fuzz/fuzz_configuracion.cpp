// The settings reader on any file: whatever loads, writing it and reading it
// back gives the same record.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "config/configuracion.h"
#include "tests/fuzz/memoria.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo) {
  kelu::fuzz::ArchivosEnMemoria archivos;
  archivos.archivos["C:\\k\\kelu.ini"] = std::string(reinterpret_cast<const char*>(datos), largo);
  kelu::Configuracion c;
  kelu::CargarConfiguracion(c, archivos, "C:\\k");
  if (!kelu::GuardarConfiguracion(c, archivos, "C:\\k")) std::abort();
  kelu::Configuracion otra;
  kelu::CargarConfiguracion(otra, archivos, "C:\\k");
  // Texts holding a double quote or a line end cannot survive the format.
  auto limpio = [](const std::string& t) { return t.find_first_of("\"\r\n") == std::string::npos; };
  if (limpio(c.Idioma) && limpio(c.Codigo) && limpio(c.Ubicacion) && !(otra == c)) std::abort();
  return 0;
}
