// The options dialog: every setting, the code file and the language, put
// into force at once by OK.
#pragma once
#include <functional>
#include <string>

#include "config/campos_tiempo.h"
#include "config/dialogo.h"

namespace kelu {

class frmOpciones : public Dialogo {
 public:
  explicit frmOpciones(Programa& programa);

  // Opening, from the main window's Opciones button.
  void Abrir();
  void TraducirfrmOpciones() { Traducir(); }

  bool Cargando = false;
  std::string IdiomaElegido;
  bool IdiomaCambiado = false;

  Etiqueta lblCódigo;
  CajaTexto txtCódigo;
  Boton cmdCódigo;
  Boton cmdEditar;
  Casilla chkAjustarAncho;
  Etiqueta lblUbicación;
  Combo cboUbicación;
  Casilla chkSiempreVisible;
  Casilla chkFijarPunteroDelMouse;
  Casilla chkMostrarEscritura;
  Etiqueta lblDuraciónPunto;
  CajaTexto txtDuraciónPunto;
  Etiqueta lblMasMenos1;
  CajaTexto txtMásMenosPunto;
  Casilla chkCalcularDuracionesSegúnElPunto;
  Etiqueta lblDuraciónRaya;
  CajaTexto txtDuraciónRaya;
  Etiqueta lblMasMenos2;
  CajaTexto txtMásMenosRaya;
  Etiqueta lblDuraciónEntreLetras;
  CajaTexto txtDuraciónEntreLetras;
  Etiqueta lblMasMenos3;
  CajaTexto txtMásMenosEntreLetras;
  Etiqueta lblDuraciónEntrePalabras;
  CajaTexto txtDuraciónEntrePalabras;
  Etiqueta lblMasMenos4;
  CajaTexto txtMásMenosEntrePalabras;
  Etiqueta lblCero;
  Boton cmdAyuda;
  Boton cmdIdioma;
  Boton cmdAyudas;

  DialogoAbrir dlgCódigo;
  DialogoAbrir dlgIdioma;

  CamposTiempo campos;

  // What the dialog asks of the main window; start-up wires them.
  std::function<void()> PausarTecleo;       // while the dialog is open
  std::function<void()> ReanudarTecleo;     // when it closes, however
  std::function<void()> AplicarIntervalos;  // OK, before the dialog closes
  std::function<void()> AplicarOpciones;    // OK, after it has closed
  std::function<void()> RestaurarEncima;    // Cancel or the close box
  // The aids dialog, modal over this one, on the dialog's working copy.
  std::function<void(Ayudas&)> AbrirAyudas;

 private:
  void Form_Load();
  void Form_Unload();
  void ValoresDeDiseño();
  void cmdAceptar_Click();
  void cmdCancelar_Click();
  void cmdCódigo_Click();
  void cmdEditar_Click();
  void cmdIdioma_Click();
  void Cerrar();
  void DeshacerAlCancelar();

  // What the aids dialog edits; OK here puts it into force, Cancel drops it.
  Ayudas ayudas_;
  bool cierrePropio_ = false;  // closed by OK or Cancel, not by the close box
};

}  // namespace kelu
