// The interface texts: the 46 entries of the design read from a language
// file, and the entries added after them.
#pragma once
#include <array>
#include <initializer_list>
#include <string>

#include "platform/archivos.h"

namespace kelu {

class TextosIdioma {
 public:
  static constexpr int kEntradasDiseno = 46;
  // 47 KELU cannot type into the window in front; 48 Ctrl+I is another
  // program's; 49 the settings cannot be saved anywhere; 50 to 57 the aids
  // dialog and its button; 58 the pad's name for the space; 59 the
  // language's most frequent letters, for the pad's chart.
  // 60 to 69 the calibration dialog; 70 to 72 following the pace; 73 to 80
  // practice (80: its words).
  // 81 to 95 the switch: its dialog, the choice of keys, the safety
  // settings, and the pause.
  // 96 to 98 the switch key's notices on the strip: the target not in
  // front, the key refused by Windows, an administrator's window in front.
  // 99 starting KELU at sign-in. 100 a save failed (where: %1).
  static constexpr int kEntradas = 100;
  TextosIdioma() { RestablecerAgregadas(); }
  // Entry n, 1 to kEntradas; entries 1 to 46 are empty until a language
  // file has given them.
  const std::string& Entrada(int n) const { return entradas_.at(static_cast<size_t>(n - 1)); }
  // Entries 39 to 46 are the dialog's messages 0 to 7.
  const std::string& Mensajes(int i) const { return Entrada(39 + i); }
  void SetEntrada(int n, std::string texto) { entradas_.at(static_cast<size_t>(n - 1)) = std::move(texto); }
  // The entries after the design's back to their built-in Spanish texts.
  void RestablecerAgregadas();

 private:
  std::array<std::string, kEntradas> entradas_;
};

// Reads the file at `ruta` into `textos`. Each entry changes only when its
// item could be read, so a short file keeps the later entries of the design
// as they were and a missing file changes nothing; the entries after the
// design's that a file lacks take their built-in texts.
void CargarIdioma(TextosIdioma& textos, const Archivos& archivos, const std::string& ruta);

// "%1", "%2", ... of an entry replaced by the texts given, in one pass: a
// text that holds "%2" itself stays as it is.
std::string Sustituir(const std::string& plantilla, std::initializer_list<std::string> valores);

}  // namespace kelu
