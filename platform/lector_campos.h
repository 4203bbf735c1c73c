// The field reader shared by the settings file, code files and language
// files, and the split of a field at its first colon.
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/archivos.h"

namespace kelu {

// Reads a text item by item. An item ends at a comma or a line end (CR LF,
// or a lone CR or LF). Blanks and tabs before an item are skipped. An item
// that begins with a double quote runs to the next double quote (commas and
// line ends included; to the end of the text when none follows); reading
// goes on after the comma or line end that follows the closing quote.
// Choices where the file formats leave room:
//  - trailing blanks and tabs of an unquoted item are dropped;
//  - an empty line is an empty item;
//  - a double quote inside an unquoted item is an ordinary character.
class LectorCampos {
 public:
  // With `ansi`, the text is a file's bytes in the ANSI code page and each
  // item is handed out in UTF-8; the separators are the same in both, so only
  // the items read are converted, never a whole (possibly huge) file.
  explicit LectorCampos(std::string_view texto, bool ansi = false) : texto_(texto), ansi_(ansi) {}
  // A whole file's bytes, decoded as KELU's text files are (DecodificacionDe).
  static LectorCampos DeArchivo(std::string_view bytes) {
    const TextoDeArchivo archivo = DecodificacionDe(bytes);
    return LectorCampos(archivo.texto, archivo.ansi);
  }
  // The next item, or nullopt once the text has ended.
  std::optional<std::string> Siguiente();

 private:
  void SaltarFinDeLinea();
  std::optional<std::string> Entregar(std::string_view item) const;
  std::string_view texto_;
  bool ansi_;
  size_t pos_ = 0;
};

// The part before the first ':' and the part after it; a text without ':'
// gives two empty parts.
std::pair<std::string, std::string> SepararLinea(std::string_view texto);

}  // namespace kelu
