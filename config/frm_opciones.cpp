#include "config/frm_opciones.h"

#include <initializer_list>
#include <optional>

#include "config/utilidades.h"
#include "startup/ayuda.h"
#include "window/lanzador.h"

namespace kelu {
namespace {
constexpr Dialogo::Diseno kDiseno{"frmOpciones", "Opciones - KELU", 6765, 5415, IdTexto::TituloOpciones,
                                  {240, 4680, 1335, 375}, {5040, 4680, 1335, 375}};
constexpr const char* kMasMenos = "+/-";
// The one code file that the dialog refuses to hand to the editor.
constexpr const char* kCodigoNoEditable = "kelu";
}  // namespace

frmOpciones::frmOpciones(Programa& programa)
    : Dialogo(programa, kDiseno),
      lblCódigo(*this, "lblCódigo", {240, 240, 975, 210}, kVerdana9, "Código:"),
      txtCódigo(*this, "txtCódigo", {1080, 240, 3495, 285}, kVerdana9),
      cmdCódigo(*this, "cmdCódigo", {4680, 230, 855, 300}, kVerdana825, "Elegir"),
      cmdEditar(*this, "cmdEditar", {5640, 230, 855, 300}, kVerdana825, "Editar"),
      chkAjustarAncho(*this, "chkAjustarAncho", {240, 645, 2775, 255}, kVerdana9, "Ajustar ancho"),
      lblUbicación(*this, "lblUbicación", {3480, 645, 1200, 210}, kVerdana9, "Ubicación:"),
      cboUbicación(*this, "cboUbicación", {4680, 600, 1815, 330}, kVerdana9),
      chkSiempreVisible(*this, "chkSiempreVisible", {240, 960, 6255, 255}, kVerdana9,
                        "Mantener el programa siempre visible"),
      chkFijarPunteroDelMouse(*this, "chkFijarPunteroDelMouse", {240, 1320, 6255, 255}, kVerdana9,
                              "Fijar el puntero del mouse"),
      chkMostrarEscritura(*this, "chkMostrarEscritura", {240, 1680, 6255, 255}, kVerdana9,
                          "Mostrar pulsaciones y letras en la barra de título"),
      lblDuraciónPunto(*this, "lblDuraciónPunto", {240, 2160, 4380, 210}, kVerdana9,
                       "Duración del \"punto\" (en centésimas de seg.):"),
      txtDuraciónPunto(*this, "txtDuraciónPunto", {4680, 2160, 615, 315}, kVerdana9, "30"),
      lblMasMenos1(*this, "lblMasMenos1", {5400, 2160, 285, 210}, kVerdana9, kMasMenos),
      txtMásMenosPunto(*this, "txtMásMenosPunto", {5880, 2160, 615, 315}, kVerdana9, "10"),
      chkCalcularDuracionesSegúnElPunto(*this, "chkCalcularDuracionesSegúnElPunto", {240, 2640, 6255, 255},
                                        kVerdana9, "Calcular los demás tiempos en función del \"punto\""),
      lblDuraciónRaya(*this, "lblDuraciónRaya", {240, 3120, 2145, 210}, kVerdana9, "Duración de la \"raya\" :"),
      txtDuraciónRaya(*this, "txtDuraciónRaya", {2640, 3120, 615, 315}, kVerdana9),
      lblMasMenos2(*this, "lblMasMenos2", {3360, 3120, 285, 210}, kVerdana9, kMasMenos),
      txtMásMenosRaya(*this, "txtMásMenosRaya", {3840, 3120, 615, 315}, kVerdana9),
      lblDuraciónEntreLetras(*this, "lblDuraciónEntreLetras", {240, 3600, 1920, 210}, kVerdana9,
                             "Tiempo entre letras:"),
      txtDuraciónEntreLetras(*this, "txtDuraciónEntreLetras", {2640, 3600, 615, 315}, kVerdana9),
      lblMasMenos3(*this, "lblMasMenos3", {3360, 3600, 285, 210}, kVerdana9, kMasMenos),
      txtMásMenosEntreLetras(*this, "txtMásMenosEntreLetras", {3840, 3600, 615, 315}, kVerdana9),
      lblDuraciónEntrePalabras(*this, "lblDuraciónEntrePalabras", {240, 4080, 2205, 210}, kVerdana9,
                               "Tiempo entre palabras:"),
      txtDuraciónEntrePalabras(*this, "txtDuraciónEntrePalabras", {2640, 4080, 615, 315}, kVerdana9),
      lblMasMenos4(*this, "lblMasMenos4", {3360, 4080, 285, 210}, kVerdana9, kMasMenos),
      txtMásMenosEntrePalabras(*this, "txtMásMenosEntrePalabras", {3840, 4080, 615, 315}, kVerdana9),
      lblCero(*this, "lblCero", {4560, 4080, 2055, 450}, kVerdana9, "(0 para no usarlo)"),
      cmdAyuda(*this, "cmdAyuda", {1800, 4680, 1335, 375}, kVerdana9, "A&yuda"),
      cmdIdioma(*this, "cmdIdioma", {3480, 4680, 1335, 375}, kVerdana9, "&Idioma"),
      // Right of the dash and letter-gap rows, in room no other control uses.
      cmdAyudas(*this, "cmdAyudas", {4680, 3330, 1815, 375}, kVerdana9, "Ay&udas..."),
      dlgCódigo{"Archivos de KELU (*.)", "*.kel", "*.kel", programa.carpeta, true},
      dlgIdioma{"Archivos de idioma (*.lng)", "*.lng", "*.lng", programa.carpeta, true},
      campos(*this, programa.idioma, Cargando, chkCalcularDuracionesSegúnElPunto,
             {{{lblDuraciónPunto, txtDuraciónPunto, txtMásMenosPunto, &Configuracion::DuracionPunto,
                &Configuracion::ToleranciaPunto},
               {lblDuraciónRaya, txtDuraciónRaya, txtMásMenosRaya, &Configuracion::DuracionRaya,
                &Configuracion::ToleranciaRaya},
               {lblDuraciónEntreLetras, txtDuraciónEntreLetras, txtMásMenosEntreLetras,
                &Configuracion::TiempoEntreLetras, &Configuracion::ToleranciaEntreLetras},
               {lblDuraciónEntrePalabras, txtDuraciónEntrePalabras, txtMásMenosEntrePalabras,
                &Configuracion::TiempoEntrePalabras, &Configuracion::ToleranciaEntrePalabras}}}) {
  txtCódigo.soloLectura = true;
  for (const char* ubicacion : {"Abajo", "Arriba", "Libre"}) cboUbicación.Agregar(ubicacion);

  OrdenTab({&cmdAceptar, &cmdCancelar, &cmdAyuda, &chkSiempreVisible, &cboUbicación, &chkAjustarAncho,
           &lblUbicación, &lblCódigo, &txtCódigo, &cmdCódigo, &chkFijarPunteroDelMouse, &txtDuraciónPunto,
           &lblDuraciónPunto, &txtMásMenosPunto, &lblMasMenos1, &chkCalcularDuracionesSegúnElPunto,
           &txtDuraciónRaya, &lblDuraciónRaya, &txtMásMenosRaya, &lblMasMenos2, &txtDuraciónEntreLetras,
           &lblDuraciónEntreLetras, &txtMásMenosEntreLetras, &lblMasMenos3, &txtDuraciónEntrePalabras,
           &lblDuraciónEntrePalabras, &txtMásMenosEntrePalabras, &lblMasMenos4, &chkMostrarEscritura, &cmdEditar,
           &lblCero, &cmdIdioma, &cmdAyudas});
  // The entries 21 to 38 in their order (OK and Cancel the base's), then the aids button.
  Traducibles({{&lblCódigo, IdTexto::EtiquetaCodigo}, {&cmdCódigo, IdTexto::BotonElegir},
               {&cmdEditar, IdTexto::BotonEditar}, {&chkAjustarAncho, IdTexto::BotonAjustarAncho},
               {&lblUbicación, IdTexto::EtiquetaUbicacion}, {&chkSiempreVisible, IdTexto::OpcionSiempreVisible},
               {&chkFijarPunteroDelMouse, IdTexto::OpcionFijarPuntero},
               {&chkMostrarEscritura, IdTexto::OpcionEcoTitulo}, {&lblDuraciónPunto, IdTexto::EtiquetaPunto},
               {&chkCalcularDuracionesSegúnElPunto, IdTexto::OpcionCalcularTiempos},
               {&lblDuraciónRaya, IdTexto::EtiquetaRaya}, {&lblDuraciónEntreLetras, IdTexto::EtiquetaEntreLetras},
               {&lblDuraciónEntrePalabras, IdTexto::EtiquetaEntrePalabras}, {&lblCero, IdTexto::NotaCeroSinUso},
               {&cmdAyuda, IdTexto::BotonAyuda}, {&cmdIdioma, IdTexto::BotonIdioma},
               {&cmdAyudas, IdTexto::BotonAyudas}});

  Load = [this] { Form_Load(); };
  // Becoming the active window ends the loading; the dot boxes are the
  // user's from then on.
  Activate = [this] { Cargando = false; };
  Unload = [this] { Form_Unload(); };
  cmdAceptar.Click = [this] { cmdAceptar_Click(); };
  cmdCancelar.Click = [this] { cmdCancelar_Click(); };
  cmdCódigo.Click = [this] { cmdCódigo_Click(); };
  cmdEditar.Click = [this] { cmdEditar_Click(); };
  cmdIdioma.Click = [this] { cmdIdioma_Click(); };
  cmdAyuda.Click = [this] { AbrirAyuda(programa_, *this); };
  cmdAyudas.Click = [this] {
    if (AbrirAyudas) AbrirAyudas(ayudas_);
  };
}

void frmOpciones::Abrir() {
  // Already open: a second suspension would forget which timers ran.
  if (Cargada()) return;
  if (PausarTecleo) PausarTecleo();
  // Nothing may follow: the dialog's own closing restarts the timers and
  // gives the strip its topmost state back.
  Dialogo::Abrir();
}

// The controls live as long as the dialog object, but each opening has to
// start from fresh ones: no list entry chosen, design texts, rows enabled.
void frmOpciones::ValoresDeDiseño() {
  cboUbicación.SetSeleccion(-1);
  chkCalcularDuracionesSegúnElPunto.SetMarcada(false);
  txtDuraciónPunto.SetTexto("30");
  txtMásMenosPunto.SetTexto("10");
  for (CajaTexto* caja : {&txtDuraciónRaya, &txtMásMenosRaya, &txtDuraciónEntreLetras, &txtMásMenosEntreLetras,
                          &txtDuraciónEntrePalabras, &txtMásMenosEntrePalabras})
    caja->SetTexto({});
}

void frmOpciones::Form_Load() {
  const Configuracion& c = programa_.configuracion;
  Cargando = true;
  ValoresDeDiseño();
  TraducirfrmOpciones();
  IdiomaElegido = c.Idioma;
  txtCódigo.SetTexto(c.Codigo);
  SeleccionarEnLista(cboUbicación, c.Ubicacion);
  chkAjustarAncho.SetMarcada(c.AjustarAncho);
  chkSiempreVisible.SetMarcada(c.SiempreVisible);
  chkFijarPunteroDelMouse.SetMarcada(c.FijarPuntero);
  chkMostrarEscritura.SetMarcada(c.MostrarPulsaciones);
  chkCalcularDuracionesSegúnElPunto.SetMarcada(c.CalcularSegunPunto);
  campos.Llenar(c);
  ayudas_ = programa_.ayudas;
  ayudas_.IniciarAlEntrar = programa_.escritorio.InicioAlEntrar();
}

void frmOpciones::Form_Unload() {
  if (ReanudarTecleo) ReanudarTecleo();
  // The close box acts as Cancel, so the strip gets its topmost state back
  // and a language picked here does not outlive the dialog half-applied.
  if (!cierrePropio_) DeshacerAlCancelar();
}

void frmOpciones::Cerrar() {
  cierrePropio_ = true;
  Descargar();
  cierrePropio_ = false;
}

void frmOpciones::cmdAceptar_Click() {
  if (!campos.ComprobarAlAceptar()) return;  // nothing stored, the dialog stays
  Configuracion& c = programa_.configuracion;
  c.Idioma = IdiomaElegido;
  c.Codigo = txtCódigo.Texto();
  const int ubicacion = cboUbicación.Seleccion();
  c.Ubicacion = ubicacion < 0 ? std::string() : cboUbicación.Entrada(ubicacion);
  c.AjustarAncho = chkAjustarAncho.Marcada();
  c.SiempreVisible = chkSiempreVisible.Marcada();
  c.FijarPuntero = chkFijarPunteroDelMouse.Marcada();
  c.MostrarPulsaciones = chkMostrarEscritura.Marcada();
  c.CalcularSegunPunto = chkCalcularDuracionesSegúnElPunto.Marcada();
  campos.Guardar(c);
  programa_.conservarConfiguracion = false;  // the person's own choice now
  if (ayudas_.IniciarAlEntrar != programa_.escritorio.InicioAlEntrar() &&
      !programa_.escritorio.PonerInicioAlEntrar(ayudas_.IniciarAlEntrar))
    ayudas_.IniciarAlEntrar = !ayudas_.IniciarAlEntrar;  // the shortcut stays as it was
  programa_.ayudas = ayudas_;
  programa_.conservarAyudas = false;
  CargarCodigo(programa_.tabla, c.Codigo, programa_.archivos, programa_.carpeta);
  if (AplicarIntervalos) AplicarIntervalos();
  Cerrar();
  if (AplicarOpciones) AplicarOpciones();  // also restores the topmost state
}

void frmOpciones::cmdCancelar_Click() {
  Cerrar();
  DeshacerAlCancelar();
}

void frmOpciones::DeshacerAlCancelar() {
  const Configuracion& c = programa_.configuracion;
  if (IdiomaCambiado) CargarIdioma(programa_.idioma, programa_.archivos, programa_.Ruta(c.Idioma + ".lng"));
  if (RestaurarEncima) RestaurarEncima();
}

// Only the name is kept: code files are always read from the program's folder.
void frmOpciones::cmdCódigo_Click() {
  const std::optional<std::string> ruta = Kit().ElegirArchivo(*this, dlgCódigo);
  if (!ruta) return;
  txtCódigo.SetTexto(QuitarExtension(NombreDeArchivo(*ruta)));
}

void frmOpciones::cmdEditar_Click() {
  const std::string codigo = txtCódigo.Texto();
  if (codigo == kCodigoNoEditable) {
    const TextosIdioma& t = programa_.idioma;
    Kit().MostrarMensaje(this, t.Entrada(IdTexto::MensajeCodigoNoEditable), t.Entrada(IdTexto::MensajeTiemposPuntoRaya),
                         kMbOk | kMbExclamacion);
    return;
  }
  EjecutarYPosicionarPrograma(Kit(), programa_.escritorio, programa_.carpeta, "notepad.exe " + codigo + ".kel", -1,
                              -1, -1, -1);
}

// The picked file is read from wherever it lies; only its name is kept for
// OK to store.
void frmOpciones::cmdIdioma_Click() {
  const std::optional<std::string> ruta = Kit().ElegirArchivo(*this, dlgIdioma);
  if (!ruta) return;
  IdiomaElegido = QuitarExtension(NombreDeArchivo(*ruta));
  CargarIdioma(programa_.idioma, programa_.archivos, *ruta);
  TraducirfrmOpciones();
  IdiomaCambiado = true;
}

}  // namespace kelu
