// The calibration dialog, modal over the aids dialog: the person keys ten
// dots, ten dashes and "sos" three times on its own pad, and it proposes the
// dot and dash bands and the letter gap from what it measured.
#pragma once
#include <functional>
#include <vector>

#include "config/dialogo.h"
#include "keying/calibracion.h"
#include "keying/motor_pulsaciones.h"

namespace kelu {

class frmCalibracion : public Dialogo {
 public:
  explicit frmCalibracion(Programa& programa);

  Etiqueta lblInstruccion;
  Etiqueta fraPad;
  Etiqueta lblProgreso;
  Etiqueta picNubes;
  Etiqueta lblPropuesta;
  Boton cmdEmpezar;

  // Times the presses on the pad. Nothing plugs into its letters, so
  // nothing keyed here is ever typed.
  MotorPulsaciones motor;

  // Accept hands the proposal over; start-up wires it to the options
  // dialog's timing boxes.
  std::function<void(const PropuestaCalibracion&)> Aceptar;

  enum class Etapa { Puntos, Rayas, Palabra, Hecha };
  Etapa EtapaActual() const { return etapa_; }
  const PropuestaCalibracion& Propuesta() const { return propuesta_; }

  // One press as it was asked for, for the picture of the two clouds.
  struct Pulsacion {
    int ms;
    bool raya;
  };

 private:
  void Form_Load();
  void Form_Unload();
  void cmdEmpezar_Click();
  void cmdAceptar_Click();
  void Pad_Abajo();
  void Pad_Arriba();
  void Anotar(int ms, int64_t pausaAntes);
  void Actualizar();

  Etapa etapa_ = Etapa::Puntos;
  int hechas_ = 0;  // presses of this step so far
  bool presionado_ = false;
  int64_t pausaAntes_ = 0;
  MuestrasCalibracion muestras_;
  std::vector<Pulsacion> nube_;
  PropuestaCalibracion propuesta_;
};

}  // namespace kelu
