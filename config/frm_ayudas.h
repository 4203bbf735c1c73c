// The aids dialog, modal over the options dialog: what the pad shows and
// what KELU sounds, the timing aids, and word prediction.
#pragma once
#include <functional>
#include <vector>

#include "config/dialogo.h"

namespace kelu {

class frmAyudas : public Dialogo {
 public:
  explicit frmAyudas(Programa& programa);

  // Shows `ayudas`; OK writes the choices back into it, Cancel and the
  // close box leave it as it was. The options dialog hands over its
  // working copy, so nothing is in force before its own OK.
  void Abrir(Ayudas& ayudas);

  Casilla chkMostrarCodigo;
  Casilla chkTablaCodigos;
  Casilla chkTono;
  Casilla chkAvisosSonoros;
  Etiqueta lblFrecuencia;
  Combo cboFrecuencia;
  Etiqueta lblVolumen;
  Combo cboVolumen;
  Casilla chkSeguirRitmo;
  Casilla chkLetrasAntes;
  Casilla chkPractica;
  Casilla chkIniciarAlEntrar;
  Boton cmdCalibrar;
  Boton cmdVolverTiempos;
  Boton cmdPulsador;
  Casilla chkPrediccion;
  Casilla chkPulsacionLargaElige;
  Casilla chkAprenderPalabras;
  Boton cmdOlvidarPalabras;

  // Opens the calibration; start-up wires it.
  std::function<void()> Calibrar;
  // Opens the switch settings on the same working copy; start-up wires it.
  std::function<void(Ayudas&)> AbrirPulsador;

 private:
  void Form_Load();
  void cmdAceptar_Click();

  Ayudas* ayudas_ = nullptr;  // while open
  std::vector<int> frecuencias_, volumenes_;  // the values behind the lists' entries
  bool olvidarRitmo_ = false;  // "back to my settings" was pressed: OK forgets the pace learned
  bool olvidarPalabras_ = false;  // "forget my words" was pressed: OK asks for the words learned to go
};

}  // namespace kelu
