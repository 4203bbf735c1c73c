// What the keying pad shows, as data: the pending code and what it gives,
// the press being held against the dot and dash bands, the time left in a
// gap, and the entries still within reach. Computed from the engine's own
// state, so it can never tell the person anything the engine will not do.
#pragma once
#include <string>
#include <vector>

#include "config/idioma.h"
#include "keying/prediccion.h"
#include "keying/salida_motor.h"
#include "keying/tabla_codigo.h"

namespace kelu {

struct MedidorPulsacion {
  bool activo = false;  // the button is down
  int cuenta = 0;       // ticks held so far
  int escala = 1;       // ticks the meter's full length stands for
  BandaPulsacion punto, raya;  // the bands the engine classifies by now
  BandaPulsacion larga;        // where a release chooses the first suggestion; empty: none
  bool daPunto = false, daRaya = false;  // what a release now would add
  bool daPalabra = false;  // a release now would choose the first suggestion
};

struct CuentaAtras {
  bool activa = false;
  bool palabra = false;  // the word gap; else the letter gap
  int restanteMs = 0, totalMs = 0;
};

struct EntradaTablaPad {
  std::string codigo;  // dots and dashes
  std::string texto;   // readable: "a", "Enter", "espacio"
  bool operator==(const EntradaTablaPad&) const = default;
};

// A word that completes the one being keyed, with the way to choose it:
// its code, or the long press.
struct SugerenciaPad {
  std::string palabra;
  std::string codigo;
  bool mantener = false;
  bool operator==(const SugerenciaPad&) const = default;
};

struct VistaPad {
  std::string pausa;   // keying is paused: what the pad says instead of any code
  std::string aviso;   // a notice for the person, shown as the pause is, until the next press
  std::string codigo;  // pending
  std::string texto;   // what it gives now, readable; empty when nothing
  bool sinSalida = false;  // no entry is this code or begins with it
  MedidorPulsacion medidor;
  CuentaAtras cuenta;
  // With a code pending: what one more dot and one more dash give first
  // (empty codigo when that leads nowhere), then the other entries within
  // reach, shortest first. With none: the language's most frequent letters.
  EntradaTablaPad conPunto, conRaya;
  std::vector<EntradaTablaPad> tabla;
  // With nothing pending, in the code's place; `mantener` names the long press.
  std::vector<SugerenciaPad> sugerencias;
  std::string mantener;
};

// The readable form of a code table text: "{ENTER}" as "Enter", "{(}" as
// "(", a space or "{ESPACIO}" as `espacio`.
std::string TextoLegible(const std::string& texto, const std::string& espacio);

// Each distinct code with a text, the first entry of each as the lookup
// finds it, in readable form: what the code chart is made of.
std::vector<EntradaTablaPad> EntradasPad(const TablaCodigo& tabla, const std::string& espacio);

// `entregando`: a closed letter is on its way to the target. `entradas`:
// the table's EntradasPad, kept by a caller that redraws every tick.
VistaPad DescribirPad(const EstadoMotor& motor, const std::vector<EntradaTablaPad>& entradas,
                      const TextosIdioma& idioma, bool entregando = false);
VistaPad DescribirPad(const EstadoMotor& motor, const TablaCodigo& tabla, const TextosIdioma& idioma,
                      bool entregando = false);

// The suggestions on the view, each with the first code of the table that
// chooses it; with `primeraLarga` the first is chosen by the long press,
// which the meter then shows. One with no way to choose it is left out.
void PonerSugerencias(VistaPad& vista, const std::vector<Sugerencia>& sugerencias, const TablaCodigo& tabla,
                      bool primeraLarga, const TextosIdioma& idioma);

}  // namespace kelu
