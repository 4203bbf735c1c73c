#include "platform/lector_campos.h"

#include "platform/archivos.h"

namespace kelu {

void LectorCampos::SaltarFinDeLinea() {
  if (pos_ < texto_.size() && texto_[pos_] == '\r') ++pos_;
  if (pos_ < texto_.size() && texto_[pos_] == '\n') ++pos_;
}

std::optional<std::string> LectorCampos::Entregar(std::string_view item) const {
  return ansi_ ? AnsiAUtf8(item) : std::string(item);
}

std::optional<std::string> LectorCampos::Siguiente() {
  while (pos_ < texto_.size() && (texto_[pos_] == ' ' || texto_[pos_] == '\t')) ++pos_;
  if (pos_ >= texto_.size()) return std::nullopt;

  if (texto_[pos_] == '"') {
    size_t cierre = texto_.find('"', pos_ + 1);
    if (cierre == std::string_view::npos) cierre = texto_.size();
    std::string_view item = texto_.substr(pos_ + 1, cierre - pos_ - 1);
    pos_ = cierre + 1;
    // Whatever stands between the closing quote and the separator is dropped.
    while (pos_ < texto_.size() && texto_[pos_] != ',' && texto_[pos_] != '\r' && texto_[pos_] != '\n') ++pos_;
    if (pos_ < texto_.size() && texto_[pos_] == ',') ++pos_;
    else SaltarFinDeLinea();
    return Entregar(item);
  }

  size_t fin = texto_.find_first_of(",\r\n", pos_);
  if (fin == std::string_view::npos) fin = texto_.size();
  std::string_view item = texto_.substr(pos_, fin - pos_);
  while (!item.empty() && (item.back() == ' ' || item.back() == '\t')) item.remove_suffix(1);
  pos_ = fin;
  if (pos_ < texto_.size() && texto_[pos_] == ',') ++pos_;
  else SaltarFinDeLinea();
  return Entregar(item);
}

std::pair<std::string, std::string> SepararLinea(std::string_view texto) {
  size_t dos_puntos = texto.find(':');
  if (dos_puntos == std::string_view::npos) return {};
  return {std::string(texto.substr(0, dos_puntos)), std::string(texto.substr(dos_puntos + 1))};
}

}  // namespace kelu
