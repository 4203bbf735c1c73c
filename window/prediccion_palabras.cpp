#include "window/prediccion_palabras.h"

#include <cmath>
#include <utility>

namespace kelu {
namespace {
// A way the table does not offer costs more than any word saves.
constexpr int kSinManera = 1000;
}  // namespace

std::string ArchivoAprendidas(const std::string& idioma) { return "aprendidas-" + idioma + ".pal"; }

PrediccionPalabras::PrediccionPalabras(Programa& programa, MotorPulsaciones& motor, Entrega& entrega)
    : programa_(programa), motor_(motor), entrega_(entrega) {
  entrega_.Tecleado = [this](const std::string& cadena, const std::vector<EventoTecla>& eventos) {
    Tecleado(cadena, eventos);
  };
}

bool PrediccionPalabras::Activa() const {
  return programa_.ayudas.Prediccion && !programa_.ayudas.Practica && idiomaCargado_.has_value();
}

bool PrediccionPalabras::TomarLetra(const std::string& codigo) {
  const std::string texto = TextoDeCodigo(programa_.tabla, codigo);
  for (int i = 0; i < kSugerenciasMax; ++i)
    if (texto == kElegirPalabra[i]) {
      motor_.BorrarCodigo();
      Elegir(i);
      return true;
    }
  if (texto != kDeshacerPalabra) return false;
  motor_.BorrarCodigo();
  Deshacer();
  return true;
}

void PrediccionPalabras::Soltar() {
  if (Descartada) Descartada(AvisoSonoro::Descartada);
  if (Cambio) Cambio();
}

void PrediccionPalabras::Elegir(int i) {
  if (!Activa() || i < 0 || i >= static_cast<int>(mostradas_.size())) return Soltar();
  // Letters only and a space: a key string that types itself.
  encargo_ = Encargo{false, i, mostradas_[i].resto};
  entrega_.EntregarTexto(encargo_->cadena);
}

void PrediccionPalabras::Deshacer() {
  const int teclas = Activa() ? prediccion_.PorDeshacer() : 0;
  if (teclas == 0) return Soltar();
  encargo_ = Encargo{true, teclas, "{BS " + std::to_string(teclas) + "}"};
  entrega_.EntregarTexto(encargo_->cadena);
}

// A choice counts once the target has its keys; anything else typed is
// followed key by key.
void PrediccionPalabras::Tecleado(const std::string& cadena, const std::vector<EventoTecla>& eventos) {
  if (!idiomaCargado_) return;
  const std::optional<Encargo> encargo = std::exchange(encargo_, std::nullopt);
  if (encargo && encargo->cadena == cadena) {
    if (encargo->deshacer) (void)prediccion_.Deshacer();
    else (void)prediccion_.Elegir(encargo->indice);
  } else {
    prediccion_.Tecleado(eventos);
  }
  cambiosSinGuardar_ = cambiosSinGuardar_ || prediccion_.aprender;
  Recalcular();
}

void PrediccionPalabras::NuevaPalabra() {
  prediccion_.NuevaPalabra();
  Recalcular();
}

// The cost of each way to choose: the table's code for the place, and for
// the first a press held into the long band, when that is on and cheaper.
void PrediccionPalabras::Recalcular() {
  // The code the pad shows for each place.
  std::array<int, kSugerenciasMax> costes;
  for (int i = 0; i < kSugerenciasMax; ++i) {
    const std::string codigo = CodigoDeTexto(programa_.tabla, kElegirPalabra[i]);
    costes[i] = codigo.empty() ? kSinManera : UnidadesDeCodigo(codigo);
  }
  const EstadoMotor estado = motor_.Estado();
  const double punto = std::max(1.0, (estado.punto.desde + estado.punto.hasta) / 2.0);
  const int larga = static_cast<int>(std::ceil(estado.larga.desde / punto)) + 1;
  // Shown as the way when the engine takes it, whichever is cheaper.
  primeraLarga_ = programa_.ayudas.Prediccion && programa_.ayudas.PulsacionLargaElige;
  if (primeraLarga_) costes[0] = std::min(costes[0], larga);
  prediccion_.costeElegir = costes;
  // Off, nothing is learned: the person did not ask KELU to keep their words.
  prediccion_.aprender = Activa() && programa_.ayudas.AprenderPalabras;
  std::vector<Sugerencia> nuevas = Activa() ? prediccion_.Sugerencias() : std::vector<Sugerencia>{};
  if (nuevas == mostradas_) return;
  mostradas_ = std::move(nuevas);
  if (Cambio) Cambio();
}

void PrediccionPalabras::CargarLista() {
  const Configuracion& c = programa_.configuracion;
  const std::string clave = c.Idioma + "\n" + c.Codigo;
  if (idiomaCargado_ == clave) return;
  if (idiomaCargado_) (void)Guardar();  // the learning of the language left
  ListaPalabras lista;
  if (std::optional<std::string> texto = programa_.archivos.Leer(programa_.Ruta(c.Idioma + ".pal")))
    lista = LeerListaPalabras(*texto);
  prediccion_ = Prediccion(std::move(lista), CostesLetras(programa_.tabla));
  const std::string ruta = UnirRuta(programa_.CarpetaLecturaConfiguracion(), ArchivoAprendidas(c.Idioma));
  if (std::optional<std::string> aprendidas = programa_.archivos.Leer(ruta)) prediccion_.CargarAprendidas(*aprendidas);
  // There but unreadable: the person's words are kept as they are.
  conservarAprendidas_ = programa_.archivos.Existe(ruta) && !programa_.archivos.Abrible(ruta);
  idiomaCargado_ = clave;
  idioma_ = c.Idioma;
  cambiosSinGuardar_ = false;
}

void PrediccionPalabras::Aplicar() {
  Ayudas& a = programa_.ayudas;
  // Read when first needed, and again for another language or code table.
  if (a.Prediccion || idiomaCargado_) CargarLista();
  if (a.OlvidarPalabras) {
    a.OlvidarPalabras = false;
    Olvidar();
  }
  Recalcular();
}

void PrediccionPalabras::Olvidar() {
  if (idiomaCargado_) prediccion_.OlvidarAprendidas();
  conservarAprendidas_ = false;
  cambiosSinGuardar_ = false;
  if (!programa_.lugarConfiguracion.guardable) return;
  // Forgotten on the disk at once: the file holds what the person typed.
  const std::string ruta = UnirRuta(programa_.CarpetaEscrituraConfiguracion(), ArchivoAprendidas(programa_.configuracion.Idioma));
  if (programa_.archivos.Existe(ruta) && !EscribirSinRiesgo(programa_.archivos, ruta, "")) cambiosSinGuardar_ = true;
}

bool PrediccionPalabras::Guardar() {
  if (!idiomaCargado_ || !cambiosSinGuardar_ || conservarAprendidas_ || !programa_.lugarConfiguracion.guardable)
    return true;
  const std::string ruta = UnirRuta(programa_.CarpetaEscrituraConfiguracion(), ArchivoAprendidas(idioma_));
  if (!GuardarAprendidas(programa_.archivos, ruta, prediccion_)) return false;
  cambiosSinGuardar_ = false;
  return true;
}

}  // namespace kelu
