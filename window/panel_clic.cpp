#include "window/panel_clic.h"

#include <algorithm>
#include <utility>

#include "keying/vista_pad.h"
#include "window/dibujo_pad.h"

namespace kelu {

namespace {
// A twentieth of a second: the countdown is meant to be glanced at.
constexpr int kIntervaloCuenta = 50;
}  // namespace

PanelClic::PanelClic(Programa& programa, const MotorPulsaciones& motor, const Entrega& entrega, Etiqueta& pad,
                     const Practica& practica, const PrediccionPalabras& prediccion)
    : tmrPanel(programa.toolkit, kIntervaloCuenta, false),
      programa_(programa),
      motor_(motor),
      entrega_(entrega),
      pad_(pad),
      practica_(practica),
      prediccion_(prediccion) {
  tmrPanel.recuperarAtrasos = false;
  tmrPanel.Timer = [this] { Actualizar(); };
}

void PanelClic::Actualizar() {
  const Ayudas& a = programa_.ayudas;
  Toolkit& kit = programa_.toolkit;
  // The hold that paused or resumed falls silent then, for the cue.
  const EstadoMotor motor = motor_.Estado();
  const bool presionado = motor.presionado && !motor.pausaConmutada;
  if (presionado != sonando_ && (a.Tono || sonando_)) {
    sonando_ = presionado;
    kit.Tono(sonando_, a.FrecuenciaTono, a.VolumenTono);
  }
  const std::vector<Sugerencia>& sugerencias = prediccion_.Mostradas();
  if (!a.MostrarCodigo && !a.TablaCodigos && !a.Practica && !motor.enPausa && avisoTira.empty() && sugerencias.empty()) {
    pad_.SetDibujo({});
    tmrPanel.SetHabilitado(false);
    return;
  }
  // Held, the counter ticks every 10 ms; every other tick is enough for
  // the eye, unless what a release would give has just changed.
  const int cuenta = motor.cuenta;
  const bool da[3] = {motor.punto.Contiene(cuenta), motor.raya.Contiene(cuenta),
                      motor.pulsacionLarga && motor.larga.Contiene(cuenta)};
  const bool cambio = !std::equal(da, da + 3, daba_);
  std::copy(da, da + 3, daba_);
  if (presionado && cuenta % 2 == 1 && !cambio) return;
  VistaPad vista = DescribirPad(motor, Entradas(), programa_.idioma, entrega_.Enviando());
  vista.aviso = avisoTira;
  PonerSugerencias(vista, sugerencias, programa_.tabla, prediccion_.PrimeraConPulsacionLarga(), programa_.idioma);
  const double px = kit.LeerPantalla(pad_.Padre()).twipsPorPixelX;
  const Rectangulo& r = pad_.Posicion();
  const LineaPractica linea = a.Practica ? practica_.Linea() : LineaPractica{};
  pad_.SetDibujo(DibujarPad(vista, r.ancho, r.alto, {a.MostrarCodigo, a.TablaCodigos},
                            [&](const std::string& t, const Fuente& f) { return Medir(t, f, px); }, px,
                            a.Practica ? &linea : nullptr));
  tmrPanel.SetHabilitado(a.MostrarCodigo && vista.cuenta.activa);
}

void PanelClic::SonarAviso(AvisoSonoro aviso) {
  if (programa_.ayudas.AvisosSonoros) programa_.toolkit.SonarAviso(aviso, programa_.ayudas.VolumenTono);
}

// Made again only when a code file was loaded or the language's word for
// the space changed, not at every tick of a press.
const std::vector<EntradaTablaPad>& PanelClic::Entradas() {
  const std::string& espacio = programa_.idioma.Entrada(IdTexto::NombreEspacio);
  if (entradasDe_ != programa_.tabla.carga || entradasEspacio_ != espacio) {
    entradas_ = EntradasPad(programa_.tabla, espacio);
    entradasDe_ = programa_.tabla.carga;
    entradasEspacio_ = espacio;
  }
  return entradas_;
}

// The chart's texts are the same from one redraw to the next.
int PanelClic::Medir(const std::string& texto, const Fuente& fuente, double twipsPorPixel) {
  auto clave = std::make_tuple(fuente.puntos, fuente.negrita, twipsPorPixel, texto);
  auto it = medidas_.find(clave);
  if (it != medidas_.end()) return it->second;
  if (medidas_.size() > 512) medidas_.clear();
  const int ancho = programa_.toolkit.AnchoTexto(pad_.Padre(), texto, fuente);
  medidas_.emplace(std::move(clave), ancho);
  return ancho;
}

}  // namespace kelu
