// The keying pad's feedback: what the pad shows while the person keys, and
// the tone and cues they hear. It follows the engine and never drives it.
#pragma once
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "keying/motor_pulsaciones.h"
#include "platform/toolkit.h"
#include "startup/programa.h"
#include "window/entrega.h"
#include "window/practica.h"
#include "window/prediccion_palabras.h"

namespace kelu {

class PanelClic {
 public:
  PanelClic(Programa& programa, const MotorPulsaciones& motor, const Entrega& entrega, Etiqueta& pad,
            const Practica& practica, const PrediccionPalabras& prediccion);

  // Computes the view anew and repaints the pad if it changed; sounds the
  // tone from the moment a press goes down until it comes up.
  void Actualizar();
  // A letter was typed, or a code that led nowhere dropped.
  void SonarAviso(AvisoSonoro aviso);

  // A notice the pad shows in the code's place while a switch key is set,
  // instead of a message box the switch could not close; empty: none.
  std::string avisoTira;

  // Redraws the gap countdown, only while one shows: idle, nothing runs.
  Temporizador tmrPanel;

 private:
  int Medir(const std::string& texto, const Fuente& fuente, double twipsPorPixel);
  const std::vector<EntradaTablaPad>& Entradas();

  Programa& programa_;
  const MotorPulsaciones& motor_;
  const Entrega& entrega_;
  Etiqueta& pad_;
  const Practica& practica_;
  const PrediccionPalabras& prediccion_;
  bool sonando_ = false;
  bool daba_[3] = {};  // what a release gave at the last redraw: dot, dash, the long press
  std::map<std::tuple<double, bool, double, std::string>, int> medidas_;  // by size, boldness, DPI and text
  std::vector<EntradaTablaPad> entradas_;  // of the table's load entradasDe_, with entradasEspacio_
  std::optional<uint32_t> entradasDe_;     // none: not made yet
  std::string entradasEspacio_;
};

}  // namespace kelu
