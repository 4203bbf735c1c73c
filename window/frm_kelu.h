// The main window: a low strip with the target list, two buttons, two hint
// labels and the keying pad.
#pragma once
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "window/entrega.h"
#include "keying/motor_pulsaciones.h"
#include "platform/toolkit.h"
#include "platform/vigia_boton.h"
#include "startup/programa.h"
#include "window/lista_ventanas.h"
#include "window/panel_clic.h"
#include "window/practica.h"
#include "window/prediccion_palabras.h"
#include "window/receptor_letras.h"
#include "window/teclas_rapidas.h"

namespace kelu {

// The engine's output comes here and fans out: letters and word gaps to
// the receivers, its state to the pad, its pace to the aids.
class frmKelu : public Ventana, private SalidaMotor {
 public:
  explicit frmKelu(Programa& programa);

  static constexpr int kAnchoMinimo = 9000;  // outer size, twips
  static constexpr int kAltoMinimo = 1850;

  void TraducirfrmKelu();
  void ActualizarVentana();
  void ActualizarEtiquetaPuntero();  // entry 17 while the pointer is fixed, else 9
  // The window's own title: entry 7, and entry 94 after it while keying is paused.
  std::string Titulo() const;
  // Writes "kelu.ini" and "ayudas.ini" where start-up chose, each unless the
  // session must keep the person's file as it is, none when no folder takes them.
  // False when a file could not be written.
  [[nodiscard]] bool GuardarConfiguracionAlSalir();
  // What the options dialog asks of the window while it is open.
  void PausarTecleo();     // timers suspended; off the top, so the dialog can come to the front
  void ReanudarTecleo();   // the timers that ran start afresh
  void AplicarOpciones();  // placement, topmost state, texts, pointer label and timing aids anew
  void RestaurarEncima();  // topmost again as the settings say
  // Ctrl+I, handed over by the program's loop: the window restored and in front.
  void TeclaRapida_Pulsada();

  // The screen point, in pixels, at the centre of the keying pad.
  std::pair<int, int> PuntoCentralClic() const;

  Etiqueta lblFijarPunteroDelMouse;
  Boton cmdSalir;
  Combo cboProcesos;
  Etiqueta lblEscribirEn;
  Boton cmdOpciones;
  Etiqueta fraClic;
  Etiqueta lblCentro;
  Etiqueta lblF6CtrlI;

  MotorPulsaciones motor;
  VigiaBoton vigia;  // the pad's presses, each ended wherever the button comes up
  ListaVentanas lista;
  Entrega entrega;
  Practica practica;
  PrediccionPalabras prediccion;
  PanelClic panel;
  // Offered each closed letter and word gap in turn: practice, prediction's
  // own codes, then delivery.
  std::vector<ReceptorLetras*> receptores;

  // Opens the options dialog; start-up wires it.
  std::function<void()> AbrirOpciones;

 private:
  void Form_Load();
  void Form_Resize();
  void ColocarVentana();  // width and place from the settings
  void Form_KeyDown(const TeclaPulsada& tecla);
  void Form_QueryUnload(bool& cancelar);
  void Form_Unload();
  void AbrirBlocDeNotas();
  void LlenarLista();
  void cboProcesos_DropDown();
  // What the person must know from the start, once the window shows.
  void AvisosDeInicio(bool conTeclaRapida);
  // The keys of the aids in force as switches, or none.
  void CapturarTeclas();
  void Pulsador_Tecla(int tecla, bool abajo);
  void Captura_Cambiada(EstadoCaptura estado);
  // Every press begins here, the mouse's and the switch keys': it clears the strip's notice.
  void Pulsacion_Abajo();
  bool ConPulsador() const { return programa_.ayudas.TeclaPulsador != 0; }
  // With a switch key, a warning waits on the strip, never in a box the
  // switch could not close; without one, in the box as designed.
  void MostrarAviso(IdTexto texto, IdTexto titulo);
  void AvisoEnTira(const std::string& texto);
  void QuitarAviso();

  // What the engine tells.
  void LetraCerrada(const std::string& codigo) override;
  void HuecoDePalabra() override;
  void PulsacionEmpieza() override;
  void PulsacionLarga() override;
  void CodigoLeido(const std::string& codigo) override;
  void EstadoCambiado(const EstadoMotor& estado) override;
  void PausaCambiada(bool enPausa) override;
  void RitmoAprendido(const RitmoGuardado& ritmo) override;
  // The title echoes the pending code, when the settings ask for it.
  void MostrarEco(bool conTexto);

  Programa& programa_;
  int teclaAbajo_ = 0;  // the switch key held, 0: none
  bool ganchoFallidoDicho_ = false;  // told once a session
};

}  // namespace kelu
