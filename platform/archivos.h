// The program's files: whole-file reads and writes, paths and text in UTF-8.
#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "platform/utf8.h"

namespace kelu {

// Primitive file operations; one real implementation per platform, and
// tests wrap them to inject failures.
class Archivos {
 public:
  virtual ~Archivos() = default;
  // The file's bytes, or nullopt when it cannot be opened or read.
  virtual std::optional<std::string> Leer(const std::string& ruta) const = 0;
  // True when the file can be opened for reading (it is closed again at once).
  virtual bool Abrible(const std::string& ruta) const = 0;
  // True when a file is there, readable or not (locked, no access).
  virtual bool Existe(const std::string& ruta) const = 0;
  // Creates or truncates the file and writes all bytes; false on any failure.
  [[nodiscard]] virtual bool Escribir(const std::string& ruta, std::string_view bytes) = 0;
  // Moves `desde` over `hasta` in one step, replacing it; false on failure.
  [[nodiscard]] virtual bool Reemplazar(const std::string& desde, const std::string& hasta) = 0;
  virtual void Borrar(const std::string& ruta) = 0;
  // Creates the folder (its parent must be there); true when it is there
  // afterwards, whether created now or before.
  [[nodiscard]] virtual bool CrearCarpeta(const std::string& ruta) = 0;
};

// The platform's real files.
Archivos& ArchivosDelSistema();

// Writes a temporary file beside `ruta` and moves it over `ruta`, so that a
// failure at any point leaves the earlier file as it was.
[[nodiscard]] bool EscribirSinRiesgo(Archivos& archivos, const std::string& ruta, std::string_view bytes);

// Folder + "\" + name: the program's paths always use the Windows separator;
// the native build maps it when it opens a file.
std::string UnirRuta(const std::string& carpeta, const std::string& nombre);

// Text files are 8-bit in the system's ANSI code page; the program holds
// UTF-8. The Windows build converts with the ANSI code page in force, the
// native build with Windows-1252.
std::string AnsiAUtf8(std::string_view ansi);
// Nullopt when the code page lacks one of the characters.
std::optional<std::string> Utf8AAnsi(std::string_view utf8);

// How KELU's text files are read: one that begins with a UTF-8 byte-order
// mark is UTF-8 (the mark is no part of the text); any other is in the ANSI
// code page, as every file of earlier versions is. Bytes behind the mark
// that are not UTF-8 (an editor added the mark without converting the text)
// are in the ANSI code page too: invalid UTF-8 never enters the program.
inline constexpr std::string_view kMarcaUtf8 = "\xEF\xBB\xBF";
struct TextoDeArchivo {
  std::string_view texto;
  bool ansi;
};
inline TextoDeArchivo DecodificacionDe(std::string_view bytes) {
  if (bytes.substr(0, kMarcaUtf8.size()) != kMarcaUtf8) return {bytes, true};
  const std::string_view texto = bytes.substr(kMarcaUtf8.size());
  return {texto, !EsUtf8(texto)};
}
// And how KELU writes one: in the ANSI code page when it has every
// character, so that the file stays as earlier versions wrote it; otherwise
// UTF-8 behind the mark, so that nothing is lost ("Español" on a Cyrillic
// or Greek system).
std::string BytesParaArchivo(std::string_view utf8);
// Plain ASCII reads the same in both.
inline bool EsAscii(std::string_view texto) {
  for (char c : texto)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

}  // namespace kelu
