// The four timing rows of the options dialog: dot, dash, letter gap and word
// gap, each a time and its tolerance in centiseconds, and the box that
// derives the last three rows from the dot.
#pragma once
#include <array>
#include <cstdint>

#include "config/configuracion.h"
#include "config/idioma.h"
#include "keying/calibracion.h"
#include "platform/toolkit.h"

namespace kelu {

struct FilaTiempo {
  Etiqueta& etiqueta;
  CajaTexto& tiempo;
  CajaTexto& tolerancia;
  int16_t Configuracion::*ajusteTiempo;
  int16_t Configuracion::*ajusteTolerancia;
};

class CamposTiempo {
 public:
  // Row 0 is the dot; rows 1 to 3 are derived from it. `cargando` is the
  // dialog's flag: while it is set, filling the dot boxes unticks nothing.
  CamposTiempo(Ventana& dialogo, const TextosIdioma& idioma, const bool& cargando, Casilla& calcular,
               std::array<FilaTiempo, 4> filas);

  void Llenar(const Configuracion& c);
  // The dot band must end no later than the dash band begins; false after
  // the warning, with the focus in the dot box.
  bool ComprobarAlAceptar();
  // Each setting on its own: one that does not fit 16 bits keeps its value.
  void Guardar(Configuracion& c) const;
  // A calibration's values into the dot, dash and letter-gap boxes, the
  // derivation unticked; OK stores them, Cancel forgets them.
  void TomarPropuesta(const PropuestaCalibracion& p);

 private:
  void Punto_Change();
  void chkCalcular_Click();
  bool PuntoAdmiteDerivar();
  void Derivar();
  void HabilitarDerivadas(bool habilitar);
  void Advertir(IdTexto mensaje, IdTexto titulo);

  Ventana& dialogo_;
  const TextosIdioma& idioma_;
  const bool& cargando_;
  Casilla& calcular_;
  std::array<FilaTiempo, 4> filas_;
};

// The number a box holds, as the dialog reads it.
double NumeroDeCaja(const CajaTexto& caja);

}  // namespace kelu
