// The editor's rules that need no window: what its command line names, how
// line ends are kept and what its title says. Texts are UTF-8 here, except
// the file bytes, which are in the ANSI code page.
#pragma once
#include <string>
#include <string_view>

namespace kelu::editor {

// The file named by a whole command line: everything after the program name,
// blanks included, without blanks around it or one pair of quotes; empty when
// nothing follows the program name.
std::string ArchivoDeLineaDeOrdenes(std::string_view linea);

// Every CR LF, lone CR and lone LF becomes CR LF. Works on the file's bytes:
// no ANSI or UTF-8 code unit but a line end itself is 0x0D or 0x0A.
std::string ConFinesCrLf(std::string_view texto);

// The last part of a path, after its folder.
std::string_view NombreDeArchivo(std::string_view ruta);

// "<name> - Bloc de notas", or "Sin título - Bloc de notas" without a file.
std::string TituloDeVentana(std::string_view ruta);

}  // namespace kelu::editor
