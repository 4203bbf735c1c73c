// The interface texts: the 46 entries of the design read from a language
// file, and the entries added after them.
#pragma once
#include <array>
#include <initializer_list>
#include <string>

#include "platform/archivos.h"

namespace kelu {

// The entries by name, in the order of the language files (read by position,
// so a number never changes): 1 to 46 the design's, then those added after.
enum class IdTexto : int {
  PresentacionNombre = 1,
  PresentacionMarca = 2,
  PresentacionLema = 3,
  PresentacionVersion = 4,
  PresentacionGratuita = 5,
  PresentacionProyecto = 6,
  TituloKelu = 7,
  EtiquetaEscribirEn = 8,
  AyudaFijarPuntero = 9,
  AyudaBlocDeNotas = 10,
  BotonOpciones = 11,
  BotonSalir = 12,
  PreguntaSalir = 13,
  TituloSalir = 14,
  AvisoSinDestino = 15,
  TituloSinDestino = 16,
  AyudaLiberarPuntero = 17,
  EcoTitulo = 18,
  EcoIgual = 19,
  TituloOpciones = 20,
  EtiquetaCodigo = 21,
  BotonElegir = 22,
  BotonEditar = 23,
  BotonAjustarAncho = 24,
  EtiquetaUbicacion = 25,
  OpcionSiempreVisible = 26,
  OpcionFijarPuntero = 27,
  OpcionEcoTitulo = 28,
  EtiquetaPunto = 29,
  OpcionCalcularTiempos = 30,
  EtiquetaRaya = 31,
  EtiquetaEntreLetras = 32,
  EtiquetaEntrePalabras = 33,
  NotaCeroSinUso = 34,
  BotonAceptar = 35,
  BotonAyuda = 36,
  BotonIdioma = 37,
  BotonCancelar = 38,
  MensajePuntoCero = 39,
  MensajeCalcularSegunPunto = 40,
  MensajeToleranciaPunto = 41,
  MensajePuntoSobreRaya = 42,
  MensajeTiemposPuntoRaya = 43,
  MensajeCodigoNoEditable = 44,
  MensajeNoSeAbrio = 45,
  TituloAviso = 46,
  AvisoEscrituraRechazada = 47,
  AvisoCtrlIOcupada = 48,
  AvisoSinGuardado = 49,
  BotonAyudas = 50,
  TituloAyudas = 51,
  OpcionCodigoEnRecuadro = 52,
  OpcionTablaCodigos = 53,
  OpcionTonoPulsado = 54,
  OpcionSonidoLetra = 55,
  EtiquetaFrecuenciaTono = 56,
  EtiquetaVolumen = 57,
  NombreEspacio = 58,
  LetrasFrecuentes = 59,
  BotonCalibrar = 60,
  TituloCalibracion = 61,
  CalibracionPuntos = 62,
  CalibracionRayas = 63,
  CalibracionSos = 64,
  CalibracionSeparados = 65,
  CalibracionSolapados = 66,
  CalibracionResumen = 67,
  BotonEmpezarDeNuevo = 68,
  CalibracionPulsaciones = 69,
  OpcionSeguirRitmo = 70,
  OpcionCerrarTemprano = 71,
  BotonVolverAMisTiempos = 72,
  OpcionPractica = 73,
  PracticaMarque = 74,
  PracticaBien = 75,
  PracticaEra = 76,
  PracticaPunto = 77,
  PracticaRaya = 78,
  PracticaMedida = 79,
  PracticaPalabras = 80,
  BotonPulsador = 81,
  TituloPulsador = 82,
  EtiquetaTeclaPulsador = 83,
  EtiquetaTeclaRaya = 84,
  BotonElegirTecla = 85,
  BotonElegirTeclaRaya = 86,
  PulsadorPulseAhora = 87,
  TeclaNinguna = 88,
  OpcionMantenerDestino = 89,
  EtiquetaIgnorarCortas = 90,
  EtiquetaIgnorarTrasSoltar = 91,
  EtiquetaPausarCon = 92,
  EtiquetaRepetirTecla = 93,
  EnPausa = 94,
  Desactivado = 95,
  DestinoNoDelante = 96,
  GanchoFallido = 97,
  VentanaElevada = 98,
  IniciarAlEntrar = 99,
  GuardadoFallido = 100,
  OpcionPrediccion = 101,
  OpcionAprenderPalabras = 102,
  BotonOlvidarPalabras = 103,
  PrediccionMantener = 104,
  OpcionPulsacionLargaElige = 105,
};

class TextosIdioma {
 public:
  static constexpr int kEntradasDiseno = 46;
  // 47 KELU cannot type into the window in front; 48 Ctrl+I is another
  // program's; 49 the settings cannot be saved anywhere; 50 to 57 the aids
  // dialog and its button; 58 the pad's name for the space; 59 the
  // language's most frequent letters, for the pad's chart.
  // 60 to 69 the calibration dialog; 70 to 72 following the pace; 73 to 80
  // practice (80: its words).
  // 81 to 95 the switch: its dialog, the choice of keys, the safety
  // settings, and the pause.
  // 96 to 98 the switch key's notices on the strip: the target not in
  // front, the key refused by Windows, an administrator's window in front.
  // 99 starting KELU at sign-in. 100 a save failed (where: %1).
  // Then word prediction: the aids dialog's two boxes and its button to
  // forget the words learned, and the pad's word after the first suggestion
  // for the long press that chooses it; the aids dialog's box for that
  // long press.
  static constexpr int kEntradas = 105;
  TextosIdioma() { RestablecerAgregadas(); }
  // Entry n, 1 to kEntradas; entries 1 to 46 are empty until a language
  // file has given them.
  const std::string& Entrada(IdTexto t) const { return entradas_.at(static_cast<size_t>(t) - 1); }
  void SetEntrada(int n, std::string texto) { entradas_.at(static_cast<size_t>(n - 1)) = std::move(texto); }
  // The entries after the design's back to their built-in Spanish texts.
  void RestablecerAgregadas();

 private:
  std::array<std::string, kEntradas> entradas_;
};
static_assert(static_cast<int>(IdTexto::OpcionPulsacionLargaElige) == TextosIdioma::kEntradas, "one name per entry");
static_assert(static_cast<int>(IdTexto::TituloAviso) == TextosIdioma::kEntradasDiseno);

// Reads the file at `ruta` into `textos`. Each entry changes only when its
// item could be read, so a short file keeps the later entries of the design
// as they were and a missing file changes nothing; the entries after the
// design's that a file lacks take their built-in texts.
void CargarIdioma(TextosIdioma& textos, const Archivos& archivos, const std::string& ruta);

// "%1", "%2", ... of an entry replaced by the texts given, in one pass: a
// text that holds "%2" itself stays as it is.
std::string Sustituir(const std::string& plantilla, std::initializer_list<std::string> valores);

}  // namespace kelu
