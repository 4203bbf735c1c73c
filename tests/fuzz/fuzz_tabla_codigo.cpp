// The code-file reader on any file, then lookups of codes taken from it.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "keying/tabla_codigo.h"
#include "tests/fuzz/memoria.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo) {
  kelu::fuzz::ArchivosEnMemoria archivos;
  archivos.archivos["C:\\k\\x.kel"] = std::string(reinterpret_cast<const char*>(datos), largo);
  kelu::TablaCodigo tabla;
  std::string codigo = "x";
  kelu::CargarCodigo(tabla, codigo, archivos, "C:\\k");
  if (tabla.CantidadCodigos() < 0 || tabla.CantidadCodigos() > 32767) std::abort();
  for (const kelu::EntradaCodigo& e : tabla.entradas) {
    if (e.Secuencia.find(':') != std::string::npos) std::abort();
    kelu::TextoDeCodigo(tabla, e.Secuencia);
    break;  // one lookup: a full scan per entry would be quadratic
  }
  kelu::TextoDeCodigo(tabla, "//espacio//");
  return 0;
}
