// Which key events a keyboard switch takes: the chosen keys' downs and ups,
// each down once however long the key auto-repeats. Both backends filter
// with it, so the in-memory one swallows exactly what the real one does.
#pragma once

namespace kelu {

// As the switch key: every key is taken (the switch dialog's "press your
// switch now").
inline constexpr int kCualquierTecla = -1;

class FiltroTeclas {
 public:
  FiltroTeclas() = default;
  FiltroTeclas(int tecla, int teclaRaya) : tecla_(tecla), teclaRaya_(teclaRaya) {}

  bool Activo() const { return tecla_ != 0; }
  // Whether the event belongs to a switch (it is swallowed), and in
  // `avisar` whether it goes on to the program: a repeated down does not.
  bool Tomar(int vk, bool abajo, bool& avisar) {
    avisar = false;
    if (!Activo() || vk <= 0 || vk > 255) return false;
    if (tecla_ != kCualquierTecla && vk != tecla_ && vk != teclaRaya_) return false;
    bool& presionada = abajo_[vk];
    avisar = abajo != presionada;
    // A key already down when the capture began comes up unseen by it:
    // that release is the program's to see.
    if (!abajo && !presionada) return false;
    presionada = abajo;
    return true;
  }

 private:
  int tecla_ = 0, teclaRaya_ = 0;
  bool abajo_[256] = {};
};

}  // namespace kelu
