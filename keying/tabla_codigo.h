// The code table: which text each dot/dash code stands for.
#pragma once
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/archivos.h"

namespace kelu {

struct EntradaCodigo {
  std::string Secuencia;  // the code: dots and dashes (any text without ':')
  std::string Texto;      // a key string, "{ESPACIO}", or empty
};

// Entries 1 to CantidadCodigos in file order. A file shorter than its count
// repeats its last field for every missing entry; those repeats can never
// win a lookup, so the table keeps that field once, not thousands of times.
struct TablaCodigo {
  std::vector<EntradaCodigo> entradas;  // as read, plus the repeated field once
  int cantidad = 0;                     // as announced
  uint32_t carga = 0;                   // one more at each load: what was made of the last one is old
  int CantidadCodigos() const { return cantidad; }
  // Entry i, 1 to CantidadCodigos.
  const EntradaCodigo& Entrada(int i) const {
    return entradas.at(std::min(static_cast<size_t>(i - 1), entradas.size() - 1));
  }
};

inline constexpr const char* kCodigoDeReserva = "morse_fijo";
inline constexpr const char* kSeparadorPalabra = "//espacio//";

// Rebuilds `tabla` from "<codigo>.kel" in `carpeta`. When that file is
// missing, `codigo` becomes "morse_fijo" and that file is read instead; when
// it is there but unreadable, "morse_fijo" is read and `codigo` kept.
void CargarCodigo(TablaCodigo& tabla, std::string& codigo, const Archivos& archivos, const std::string& carpeta);

// Builds a table from a code file's text: UTF-8, or with `ansi` the file's
// bytes in the ANSI code page.
TablaCodigo TablaDeTexto(std::string_view texto, bool ansi = false);

// The text of the first entry whose code equals `codigo` exactly (an empty
// code matches no entry); else " " for the word separator; else empty.
std::string TextoDeCodigo(const TablaCodigo& tabla, std::string_view codigo);
// The other way: the first entry's code that types `texto`; empty when none.
std::string CodigoDeTexto(const TablaCodigo& tabla, std::string_view texto);

}  // namespace kelu
