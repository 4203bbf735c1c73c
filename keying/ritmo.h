// The person's own pace, learned while they key: their dot, their dash and
// the pause between the elements of a letter, and the bands and gaps that
// follow from them.
#pragma once
#include <optional>
#include <string_view>
#include <vector>

#include "config/configuracion.h"
#include "keying/tabla_codigo.h"

namespace kelu {

// A band of held ticks (10 ms each), both bounds excluded.
struct BandaPulsacion {
  int desde = 0, hasta = 0;
  bool Contiene(int cuenta) const { return desde < cuenta && cuenta < hasta; }
  bool operator==(const BandaPulsacion&) const = default;
};

// A pending code that no entry of the table extends: nothing keyed after it
// can lead to a letter, so waiting the whole letter gap gains nothing.
bool NadaLaExtiende(const TablaCodigo& tabla, std::string_view codigo);

// The shortest silence after a release on which KELU closes anything, in ms.
int SilencioMinimo(const Configuracion& c);
// A code no entry extends closes after this many inner gaps.
inline constexpr double kHuecosCierreTemprano = 1.2;

class Ritmo {
 public:
  // From the settings, or from a pace learned before (ms; 0: not learned).
  void Empezar(const Configuracion& c, int punto = 0, int raya = 0, int hueco = 0);

  // The estimates, in ms.
  double Punto() const;
  double Raya() const;
  double Hueco() const;

  BandaPulsacion BandaPunto() const;
  BandaPulsacion BandaRaya() const;
  // Silences after a release, in ms: the letter closes, the word closes,
  // and a code no entry extends closes.
  int CierreLetra() const;
  int CierrePalabra() const;
  int CierreTemprano() const;

  // What the person did. A press held `cuenta` ticks gives '.', '-' or
  // nothing (0): by the bands, unless it is clearly apart from the dots or
  // dashes of late, or close to a press of the open letter; it is learned
  // with its letter. A silence is the one
  // between a release and the next press of the same letter.
  char Pulsacion(int cuenta);
  void Silencio(int ms);
  // The letter is closed and gives `texto` (empty: nothing). Its presses and
  // silences are learned only when it gives something; a Backspace right
  // after a letter undoes what that letter taught. True when it learned.
  bool FinDeLetra(std::string_view texto);
  // At the letter close, while the pace rests on few presses: `codigo`, what
  // the open letter's presses gave one by one, read again as a whole, by its
  // own inner gaps (a dot lasts about one, a dash one dash/dot ratio) and
  // its longer presses being the dashes. It stays unless another reading
  // fits clearly better; a letter of one press stays as it was.
  std::string Releer(std::string_view codigo);
  // A space went out: the last letter is no longer the one a Backspace deletes.
  void FinDePalabra() { deshacer_.reset(); }

 private:
  // One estimate: its value, how many presses or pauses it rests on, and
  // how many letters in a row fell clearly on one side of it (+ above, − below).
  struct Estimacion {
    double valor = 0;  // natural logarithm of ms
    double peso = 0;
    int racha = 0;
  };
  struct Estado {
    Estimacion punto, raya, hueco;
    // The last presses learned, as log ms, by what they gave.
    std::vector<double> puntos, rayas;
  };
  enum class Tipo { Punto, Raya, Hueco };
  struct Muestra {
    Tipo tipo;
    double valor;  // log ms
  };
  void Acotar(Estado& e) const;
  double Umbral() const;  // log ms: the dot stays under it, the dash passes it
  char PorRazon(char simbolo, double valor) const;

  Estado estado_;
  double puntoMinimo_ = 0, puntoMaximo_ = 0, huecoMinimo_ = 0, huecoMaximo_ = 0;  // log ms
  int silencioMinimo_ = 0;
  std::vector<Muestra> letra_;       // what the open letter has shown so far
  std::optional<double> silencio_;   // before the press going on now
  std::optional<Estado> deshacer_;   // before the last letter learned
};

}  // namespace kelu
