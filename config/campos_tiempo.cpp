#include "config/campos_tiempo.h"

#include <cmath>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

#include "platform/numeros.h"
#include "platform/paso.h"

namespace kelu {
namespace {

// The largest dot tolerance is half the dot; a dash lasts 3 dots and the
// letter gap 8.
constexpr double kMitad = 2, kRaya = 3, kEntreLetras = 8;

// The shortest form that reads back as the very same double, because the
// dash tolerance is computed from the dash read back from its box.
std::string TextoDerivado(double valor) {
  if (!std::isfinite(valor)) throw std::range_error("no number to write");
  return TextoDeNumero(valor);
}

}  // namespace

double NumeroDeCaja(const CajaTexto& caja) { return LeerNumero(caja.Texto()); }

CamposTiempo::CamposTiempo(Ventana& dialogo, const TextosIdioma& idioma, const bool& cargando, Casilla& calcular,
                           std::array<FilaTiempo, 4> filas)
    : dialogo_(dialogo), idioma_(idioma), cargando_(cargando), calcular_(calcular), filas_(filas) {
  for (FilaTiempo& fila : filas_)
    for (CajaTexto* caja : {&fila.tiempo, &fila.tolerancia})
      caja->GotFocus = [caja] { Paso([&] { caja->SeleccionarTodo(); }); };  // typing replaces the value
  filas_[0].tiempo.Change = [this] { Punto_Change(); };
  filas_[0].tolerancia.Change = [this] { Punto_Change(); };
  calcular_.Click = [this] { chkCalcular_Click(); };
}

void CamposTiempo::Llenar(const Configuracion& c) {
  for (const FilaTiempo& fila : filas_) {
    Paso([&] { fila.tiempo.SetTexto(std::to_string(c.*fila.ajusteTiempo)); });
    Paso([&] { fila.tolerancia.SetTexto(std::to_string(c.*fila.ajusteTolerancia)); });
  }
}

// A dot edited by hand no longer matches the derived rows.
void CamposTiempo::Punto_Change() {
  if (!cargando_) Paso([&] { calcular_.SetMarcada(false); });
}

void CamposTiempo::chkCalcular_Click() {
  if (!calcular_.Marcada()) {
    HabilitarDerivadas(true);
    return;
  }
  // At loading the box only shows the stored state: the rows hold the
  // stored values, nothing is derived and nothing is checked.
  if (!cargando_) {
    if (!PuntoAdmiteDerivar()) return;
    Derivar();
  }
  HabilitarDerivadas(false);
}

bool CamposTiempo::PuntoAdmiteDerivar() {
  const double punto = NumeroDeCaja(filas_[0].tiempo);
  if (punto <= 0) {
    Advertir(IdTexto::MensajePuntoCero, IdTexto::MensajeCalcularSegunPunto);
    Paso([&] { calcular_.SetMarcada(false); });
    Paso([&] { filas_[0].tiempo.SetFoco(); });
    return false;
  }
  if (punto / kMitad < NumeroDeCaja(filas_[0].tolerancia)) {
    Advertir(IdTexto::MensajeToleranciaPunto, IdTexto::MensajeCalcularSegunPunto);
    Paso([&] { calcular_.SetMarcada(false); });
    Paso([&] { filas_[0].tolerancia.SetFoco(); });
    return false;
  }
  return true;
}

void CamposTiempo::Derivar() {
  const double punto = NumeroDeCaja(filas_[0].tiempo);
  const double tolerancia = NumeroDeCaja(filas_[0].tolerancia);
  FilaTiempo& raya = filas_[1];
  Paso([&] { raya.tiempo.SetTexto(TextoDerivado(kRaya * punto)); });
  Paso([&] {
    const double duracionRaya = NumeroDeCaja(raya.tiempo);
    double toleranciaRaya = duracionRaya - (tolerancia + punto);
    // The dash band has to begin exactly where the dot band ends. With a
    // fractional dot the subtraction can round so that the OK check, which
    // subtracts again, sees the bands overlap by one unit in the last
    // place; the next double down closes that gap.
    for (int i = 0; i < 4 && punto + tolerancia > duracionRaya - toleranciaRaya; ++i)
      toleranciaRaya = std::nextafter(toleranciaRaya, -std::numeric_limits<double>::infinity());
    raya.tolerancia.SetTexto(TextoDerivado(toleranciaRaya));
  });
  Paso([&] { filas_[2].tiempo.SetTexto(TextoDerivado(kEntreLetras * punto)); });
  Paso([&] { filas_[2].tolerancia.SetTexto("0"); });
  Paso([&] { filas_[3].tiempo.SetTexto("0"); });
  Paso([&] { filas_[3].tolerancia.SetTexto("0"); });
}

void CamposTiempo::HabilitarDerivadas(bool habilitar) {
  for (size_t i = 1; i < filas_.size(); ++i)
    for (Control* c : {static_cast<Control*>(&filas_[i].etiqueta), static_cast<Control*>(&filas_[i].tiempo),
                       static_cast<Control*>(&filas_[i].tolerancia)})
      Paso([&] { c->SetHabilitado(habilitar); });
}

bool CamposTiempo::ComprobarAlAceptar() {
  const double punto = NumeroDeCaja(filas_[0].tiempo), tolerancia = NumeroDeCaja(filas_[0].tolerancia);
  const double raya = NumeroDeCaja(filas_[1].tiempo), toleranciaRaya = NumeroDeCaja(filas_[1].tolerancia);
  if (punto + tolerancia > raya - toleranciaRaya) {
    Advertir(IdTexto::MensajePuntoSobreRaya, IdTexto::MensajeTiemposPuntoRaya);
    Paso([&] { filas_[0].tiempo.SetFoco(); });
    return false;
  }
  return true;
}

void CamposTiempo::Guardar(Configuracion& c) const {
  auto guardar = [&c](const CajaTexto& caja, int16_t Configuracion::*ajuste) {
    if (std::optional<int16_t> valor = Redondear16(NumeroDeCaja(caja))) c.*ajuste = *valor;
  };
  for (const FilaTiempo& fila : filas_) {
    guardar(fila.tiempo, fila.ajusteTiempo);
    guardar(fila.tolerancia, fila.ajusteTolerancia);
  }
}

void CamposTiempo::TomarPropuesta(const PropuestaCalibracion& p) {
  if (!p.valida) return;
  // Unticked first, so that the rows the proposal fills are enabled and no
  // derivation overwrites them.
  Paso([&] { calcular_.SetMarcada(false); });
  // The letter closes after the pause proposed, not that pause less a tolerance.
  const std::pair<CajaTexto*, int> valores[] = {
      {&filas_[0].tiempo, p.DuracionPunto}, {&filas_[0].tolerancia, p.ToleranciaPunto},
      {&filas_[1].tiempo, p.DuracionRaya},  {&filas_[1].tolerancia, p.ToleranciaRaya},
      {&filas_[2].tiempo, p.TiempoEntreLetras}, {&filas_[2].tolerancia, 0}};
  for (const auto& valor : valores) Paso([&] { valor.first->SetTexto(std::to_string(valor.second)); });
}

void CamposTiempo::Advertir(IdTexto mensaje, IdTexto titulo) {
  Paso([&] {
    dialogo_.Kit().MostrarMensaje(&dialogo_, idioma_.Entrada(mensaje), idioma_.Entrada(titulo),
                                  kMbOk | kMbExclamacion);
  });
}

}  // namespace kelu
