// The interface texts: 46 entries read from a language file.
#pragma once
#include <array>
#include <string>

#include "platform/archivos.h"

namespace kelu {

class TextosIdioma {
 public:
  static constexpr int kEntradas = 46;
  // Entry n, 1 to 46; empty until a language file has given it.
  const std::string& Entrada(int n) const { return entradas_.at(static_cast<size_t>(n - 1)); }
  // Entries 39 to 46 are the dialog's messages 0 to 7.
  const std::string& Mensajes(int i) const { return Entrada(39 + i); }
  void SetEntrada(int n, std::string texto) { entradas_.at(static_cast<size_t>(n - 1)) = std::move(texto); }

 private:
  std::array<std::string, kEntradas> entradas_;
};

// Reads the file at `ruta` into `textos`. Each entry changes only when its
// item could be read, so a short file keeps the later entries as they were
// and a missing file changes nothing.
void CargarIdioma(TextosIdioma& textos, const Archivos& archivos, const std::string& ruta);

}  // namespace kelu
