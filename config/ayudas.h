// The aids to keying beyond the design's settings: what the pad shows and
// what KELU sounds. They live in a file of their own, "ayudas.ini", beside
// "kelu.ini".
#pragma once
#include <string>
#include <vector>

#include "config/configuracion.h"
#include "platform/archivos.h"

namespace kelu {

struct Ayudas {
  bool MostrarCodigo = true;   // the pending code, the press meter and the gap countdown on the pad
  bool TablaCodigos = true;    // the code chart on the pad
  bool Tono = false;           // a tone while the button is held
  bool AvisosSonoros = false;  // a tick for a typed letter, a low cue for a dropped code
  int FrecuenciaTono = 700;    // Hz
  int VolumenTono = 30;        // percent
  // Timing that follows the person, each off until turned on.
  bool SeguirRitmo = false;  // classify presses and close letters from the person's own pace
  bool LetrasAntes = false;  // close a letter as soon as no entry of the code table extends it
  bool Practica = false;     // practice mode: letters are shown and checked, nothing is typed
  // The pace learned so far, in ms; 0 until learned: start from the settings.
  int RitmoPunto = 0, RitmoRaya = 0, RitmoHueco = 0;
  // Switches beyond the mouse, and their safety, each off until turned on.
  int TeclaPulsador = 0;       // virtual-key code of a key that acts as the button; 0: none
  int TeclaRaya = 0;           // a second key: each press a dash, the first key's a dot; 0: none
  bool MantenerDestino = false;  // the strip never takes the front; letters go to the window in front
  int PulsacionMinima = 0;     // ms; shorter presses are ignored (0: off)
  int EsperaTrasSoltar = 0;    // ms after a release in which a new press is ignored (0 to 3000)
  int PausaPorPulsacion = 0;   // ms; a hold this long pauses or resumes keying (0: off)
  int RepeticionMs = 150;      // how often the repeat code types the last key again
  bool Prediccion = false;        // up to three words that complete the one being keyed, on the pad
  bool AprenderPalabras = true;   // the words typed with prediction on are learned, in a file of their own
  bool PulsacionLargaElige = true;  // with prediction on, a press held just past the dash band chooses the first word
  // Not in the file: whether the Startup shortcut is there. The options
  // dialog reads it when it opens and makes or removes the shortcut on OK.
  bool IniciarAlEntrar = false;
  // Not in the file either: a request from the aids dialog. The words
  // learned are forgotten when the options are applied; the main window
  // consumes it and sets it back to false.
  bool OlvidarPalabras = false;

  bool operator==(const Ayudas&) const = default;
};

inline constexpr const char* kArchivoAyudas = "ayudas.ini";
inline constexpr int kFrecuenciaMinima = 200, kFrecuenciaMaxima = 2000;

// "Clave=valor" lines, read by key name. The lines as read are handed back
// in `lineas`, so that a rewrite keeps every line KELU does not know (a
// comment, a key of a later version) where it stood.
LecturaConfiguracion CargarAyudas(Ayudas& a, std::vector<std::string>& lineas, const Archivos& archivos,
                                  const std::string& carpeta);
// The file's bytes: UTF-8 behind the byte-order mark, CR LF line ends.
std::string TextoAyudas(const Ayudas& a, const std::vector<std::string>& lineas);
// Writes the file without ever leaving a truncated one; false on failure.
[[nodiscard]] bool GuardarAyudas(const Ayudas& a, const std::vector<std::string>& lineas, Archivos& archivos,
                                 const std::string& carpeta);

}  // namespace kelu
