// Texts that system calls take in formats of their own: a process's command
// line and an open-file dialog's filter. Portable, for the native tests.
#pragma once
#include <string>

namespace kelu {

// "exe" args: the path is quoted because the program's folder may hold
// blanks; the arguments go as they are, after one blank.
inline std::string LineaDeComandos(const std::string& ejecutable, const std::string& argumentos) {
  std::string linea = "\"" + ejecutable + "\"";
  if (!argumentos.empty()) linea += " " + argumentos;
  return linea;
}

// "description\0pattern\0\0": the dialog reads pairs until an empty one.
template <class Texto>
Texto FiltroDeArchivos(const Texto& descripcion, const Texto& patron) {
  Texto filtro = descripcion;
  filtro += typename Texto::value_type{};
  filtro += patron;
  filtro += typename Texto::value_type{};
  filtro += typename Texto::value_type{};
  return filtro;
}

}  // namespace kelu
