// What the engine's closed letters and word gaps go to: the main window
// offers each to its receivers in turn, and the first that takes it ends
// the round (practice before delivery).
#pragma once
#include <string>

namespace kelu {

class ReceptorLetras {
 public:
  virtual ~ReceptorLetras() = default;
  // The letter gap closed with `codigo` pending (empty when nothing was
  // keyed). True: taken, no other receiver sees it.
  virtual bool TomarLetra(const std::string& codigo) = 0;
  // The word gap passed without a press. True: taken.
  virtual bool TomarHuecoDePalabra() = 0;
};

}  // namespace kelu
