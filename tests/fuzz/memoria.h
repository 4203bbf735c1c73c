// Files held in memory, so a fuzz input can stand for any file KELU reads.
#pragma once
#include <map>
#include <string>

#include "platform/archivos.h"

namespace kelu::fuzz {

class ArchivosEnMemoria final : public Archivos {
 public:
  std::optional<std::string> Leer(const std::string& ruta) const override {
    auto it = archivos.find(ruta);
    if (it == archivos.end()) return std::nullopt;
    return it->second;
  }
  bool Abrible(const std::string& ruta) const override { return archivos.count(ruta) != 0; }
  bool Existe(const std::string& ruta) const override { return Abrible(ruta); }
  bool Escribir(const std::string& ruta, std::string_view bytes) override {
    archivos[ruta] = std::string(bytes);
    return true;
  }
  bool Reemplazar(const std::string& desde, const std::string& hasta) override {
    auto it = archivos.find(desde);
    if (it == archivos.end()) return false;
    archivos[hasta] = it->second;
    archivos.erase(desde);
    return true;
  }
  void Borrar(const std::string& ruta) override { archivos.erase(ruta); }
  bool CrearCarpeta(const std::string&) override { return true; }

  std::map<std::string, std::string> archivos;
};

}  // namespace kelu::fuzz
