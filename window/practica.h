// Practice mode: KELU shows what to key, letters in the language's order of
// frequency and then short words, checks each letter the person closes
// instead of typing it, and keeps what each press of it measured.
#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "keying/motor_pulsaciones.h"
#include "keying/vista_pad.h"
#include "startup/programa.h"
#include "window/dibujo_pad.h"
#include "window/receptor_letras.h"

namespace kelu {

// While the aids ask for practice it takes every letter and word gap
// before delivery sees them: no target, no warning, nothing typed.
class Practica : public ReceptorLetras {
 public:
  Practica(Programa& programa, MotorPulsaciones& motor);

  static constexpr int kAciertosSeguidos = 3;  // right in a row before the next letter

  // The letter is checked and dropped, and the cue tells right from wrong.
  bool TomarLetra(const std::string& codigo) override;
  bool TomarHuecoDePalabra() override;

  // At every change of the engine: each press that added a dot or a dash
  // is measured.
  void Seguir(const EstadoMotor& motor);
  // A letter closed with `codigo`: the verdict, and what to key next. True
  // when it was the letter asked for.
  bool Comprobar(const std::string& codigo);
  // What the pad shows.
  LineaPractica Linea() const;

  // A letter was checked: right (Letra) or wrong (Descartada).
  std::function<void(AvisoSonoro)> LetraTerminada;
  // The letter was dropped: the title's echo shows nothing pending.
  std::function<void()> Eco;

 private:
  struct Medida {
    char simbolo;
    int cuenta, umbral;  // ticks held; where the engine parts dots from dashes
  };
  // The letters, each as the code table has it, in the language's order.
  std::vector<EntradaTablaPad> Letras() const;
  // The language's words that the code table can spell, letter by letter.
  std::vector<std::vector<EntradaTablaPad>> Palabras() const;
  // What to key now: one letter, or a word; empty when the language and
  // the code table leave nothing to practise.
  std::vector<EntradaTablaPad> Ejercicio(bool* enLetras = nullptr) const;

  bool EnPractica() const { return programa_.ayudas.Practica; }

  Programa& programa_;
  MotorPulsaciones& motor_;
  size_t letra_ = 0;  // past the last letter: words
  int seguidas_ = 0;
  size_t palabra_ = 0, posicion_ = 0;  // the word, and its letter to key now
  std::string resultado_;
  bool acierto_ = false;
  std::vector<Medida> medidas_;
  bool presionado_ = false;
  std::string codigoAlBajar_;
  // The verdict and measures of the letter just closed stay until the next press.
  bool cerrada_ = false;
};

}  // namespace kelu
