// Word prediction in the main window: it follows what delivery typed,
// keeps the suggestions for the pad, and types the one the person chooses
// through delivery, with the checks every letter meets.
#pragma once
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "keying/motor_pulsaciones.h"
#include "keying/prediccion.h"
#include "startup/programa.h"
#include "window/entrega.h"
#include "window/receptor_letras.h"

namespace kelu {

// The learning file of a language, beside kelu.ini.
std::string ArchivoAprendidas(const std::string& idioma);

class PrediccionPalabras : public ReceptorLetras {
 public:
  PrediccionPalabras(Programa& programa, MotorPulsaciones& motor, Entrega& entrega);

  // Takes the codes that choose or take back a word, whether prediction is
  // on or not: off, they are dropped as a code that stands for nothing.
  bool TomarLetra(const std::string& codigo) override;
  bool TomarHuecoDePalabra() override { return false; }

  // The aids, the language or the code table may be new: the word list is
  // read when prediction is first on, and again for another language.
  void Aplicar();
  void Elegir(int i);    // suggestion i: the rest of its word and a space
  void Deshacer();       // the last word chosen, taken back
  void NuevaPalabra();   // another target: what was keyed there is not known

  bool Activa() const;
  // What the pad shows: empty while prediction is off.
  const std::vector<Sugerencia>& Mostradas() const { return mostradas_; }
  // What choosing suggestion i costs, in time units.
  const std::array<int, kSugerenciasMax>& Costes() const { return prediccion_.costeElegir; }
  // The long press chooses the first: the pad shows it as the way.
  bool PrimeraConPulsacionLarga() const { return primeraLarga_; }

  // The learning file, where start-up said settings go; true when nothing
  // needed writing.
  [[nodiscard]] bool Guardar();

  // The suggestions changed: the pad redraws.
  std::function<void()> Cambio;
  // Nothing to choose or take back: the dropped-code cue.
  std::function<void(AvisoSonoro)> Descartada;

 private:
  void Tecleado(const std::string& cadena, const std::vector<EventoTecla>& eventos);
  void Recalcular();
  void Soltar();  // a code that gives nothing now
  void CargarLista();
  void Olvidar();  // the words learned, in memory and in the file

  Programa& programa_;
  MotorPulsaciones& motor_;
  Entrega& entrega_;
  Prediccion prediccion_;
  std::optional<std::string> idiomaCargado_;  // the language and code table the list was read for
  std::string idioma_;                       // whose learning file it keeps
  bool primeraLarga_ = false;
  bool cambiosSinGuardar_ = false;
  bool conservarAprendidas_ = false;  // the file is there but could not be read
  // A choice or an undo on its way: it counts once the target has it.
  struct Encargo {
    bool deshacer = false;
    int indice = 0;
    std::string cadena;
  };
  std::optional<Encargo> encargo_;
  std::vector<Sugerencia> mostradas_;
};

}  // namespace kelu
