// For a test that checks a path fails nowhere: while it lives, what the
// guards catch is kept here, "where: what" one per line.
#pragma once
#include <mutex>
#include <string>

#include "platform/traza.h"

namespace kelu::prueba {

class TrazaDePrueba {
 public:
  TrazaDePrueba() : anterior_(PonerTraza(&Anotar)) {
    std::lock_guard<std::mutex> cierre(Cerrojo());
    Destino() = this;
  }
  ~TrazaDePrueba() {
    PonerTraza(anterior_);
    std::lock_guard<std::mutex> cierre(Cerrojo());
    Destino() = nullptr;
  }
  TrazaDePrueba(const TrazaDePrueba&) = delete;
  TrazaDePrueba& operator=(const TrazaDePrueba&) = delete;

  std::string Atrapado() const {
    std::lock_guard<std::mutex> cierre(Cerrojo());
    return atrapado_;
  }

 private:
  static std::mutex& Cerrojo() {
    static std::mutex cerrojo;
    return cerrojo;
  }
  static TrazaDePrueba*& Destino() {
    static TrazaDePrueba* destino = nullptr;
    return destino;
  }
  static void Anotar(const char* donde, const char* que) noexcept {
    try {
      std::lock_guard<std::mutex> cierre(Cerrojo());
      if (TrazaDePrueba* t = Destino()) t->atrapado_ += std::string(donde) + ": " + que + "\n";
    } catch (...) {
    }
  }
  Traza anterior_;
  std::string atrapado_;
};

}  // namespace kelu::prueba
