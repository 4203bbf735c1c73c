// Sound: the keying's tone and its short cues.
#pragma once

namespace kelu {

// Short sounds: a letter was typed; a code that led to no entry was dropped;
// keying paused or resumed.
enum class AvisoSonoro { Letra, Descartada, Pausa };

// Without an audio device, or when it fails, these do nothing and say
// nothing. `volumen` is 0 to 100.
class ServicioSonido {
 public:
  virtual ~ServicioSonido() = default;
  // A steady tone from `sonando` true until false, with soft edges.
  virtual void Tono(bool sonando, int frecuencia, int volumen) noexcept = 0;
  virtual void SonarAviso(AvisoSonoro aviso, int volumen) noexcept = 0;
};

}  // namespace kelu
