// Which key events a keyboard switch takes: the chosen keys' downs and ups,
// each down once however long the key auto-repeats. Both backends filter
// with it, so the in-memory one swallows exactly what the real one does.
#pragma once

namespace kelu {

// As the switch key: every key is taken (the switch dialog's "press your
// switch now").
inline constexpr int kCualquierTecla = -1;
// Added to a scan code for a key that sends the E0 prefix (the extended flag).
inline constexpr int kEscaneoExtendido = 0xE000;

class FiltroTeclas {
 public:
  FiltroTeclas() = default;
  // The switches by virtual key as chosen, and the scan codes of their keys
  // (with kEscaneoExtendido; 0: unknown, matched by virtual key).
  FiltroTeclas(int tecla, int teclaRaya, int escaneo = 0, int escaneoRaya = 0)
      : tecla_(tecla), teclaRaya_(teclaRaya), escaneo_(escaneo), escaneoRaya_(escaneoRaya) {}

  bool Activo() const { return tecla_ != 0; }
  // The switch an event belongs to, as the virtual key it was chosen by;
  // 0: none. A key is known by where it sits, not by what it means now: a
  // keypad key chosen with NumLock on sends another virtual key with
  // NumLock off, a letter another one under another layout. Two keys that
  // share a virtual key and differ only in the extended flag (Enter and the
  // keypad's Enter) both count, as they did when keys went by virtual key.
  int Interruptor(int vk, int escaneo) const {
    if (!Activo() || vk <= 0 || vk > 255) return 0;
    if (tecla_ == kCualquierTecla) return vk;
    if (Misma(vk, escaneo, tecla_, escaneo_)) return tecla_;
    if (teclaRaya_ && Misma(vk, escaneo, teclaRaya_, escaneoRaya_)) return teclaRaya_;
    return 0;
  }
  // Whether the event belongs to a switch (it is swallowed), and in
  // `avisar` whether it goes on to the program, as switch `tecla`: a
  // repeated down does not.
  bool Tomar(int vk, int escaneo, bool abajo, bool& avisar, int& tecla) {
    avisar = false;
    tecla = Interruptor(vk, escaneo);
    if (!tecla) return false;
    bool& presionada = abajo_[tecla];
    avisar = abajo != presionada;
    // A key already down when the capture began comes up unseen by it:
    // that release is the program's to see.
    if (!abajo && !presionada) return false;
    presionada = abajo;
    return true;
  }
  // Every switch up: a capture taken again knows nothing of a key held
  // while it was away.
  void Soltar() {
    for (bool& b : abajo_) b = false;
  }

 private:
  // Keys from a program that gives no scan code go by virtual key.
  static bool Misma(int vk, int escaneo, int suVk, int suEscaneo) {
    if (suEscaneo == 0 || escaneo == 0) return vk == suVk;
    if ((escaneo & 0xFF) != (suEscaneo & 0xFF)) return false;
    return (escaneo & kEscaneoExtendido) == (suEscaneo & kEscaneoExtendido) || vk == suVk;
  }
  int tecla_ = 0, teclaRaya_ = 0, escaneo_ = 0, escaneoRaya_ = 0;
  bool abajo_[256] = {};
};

}  // namespace kelu
