// The switch dialog, modal over the aids dialog: keys that act as the
// button, keeping the target in front, and the switch's safety settings.
#pragma once
#include <string>
#include <vector>

#include "config/dialogo.h"

namespace kelu {

// A key's name as the dialog shows it: the key-string name or the
// character, else its code.
std::string NombreTecla(int vk, const TextosIdioma& idioma);

class frmPulsador : public Dialogo {
 public:
  explicit frmPulsador(Programa& programa);

  // Shows `ayudas`; OK writes the choices back into it, Cancel and the
  // close box leave it as it was.
  void Abrir(Ayudas& ayudas);

  Etiqueta lblTecla;
  Etiqueta lblNombreTecla;
  Boton cmdElegirTecla;
  Etiqueta lblRaya;
  Etiqueta lblNombreRaya;
  Boton cmdElegirRaya;
  Etiqueta lblPulseAhora;
  Casilla chkMantenerDestino;
  Etiqueta lblPulsacionMinima;
  Combo cboPulsacionMinima;
  Etiqueta lblEsperaTrasSoltar;
  Combo cboEsperaTrasSoltar;
  Etiqueta lblPausaPorPulsacion;
  Combo cboPausaPorPulsacion;
  Etiqueta lblRepeticion;
  Combo cboRepeticion;

 private:
  void Form_Load();
  void cmdAceptar_Click();
  // Takes the next key pressed anywhere into `destino`; Esc: none.
  void Elegir(int& destino);
  void Elegida_Tecla(int tecla, bool abajo);
  void MostrarTeclas();
  void DejarDeElegir();

  Ayudas* ayudas_ = nullptr;  // while open
  int tecla_ = 0, teclaRaya_ = 0;
  int* eligiendo_ = nullptr;  // the key being chosen
  int elegida_ = 0;           // its down came; its up ends the choice
  std::vector<int> minimas_, esperas_, pausas_, repeticiones_;
};

}  // namespace kelu
