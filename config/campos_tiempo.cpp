#include "config/campos_tiempo.h"

#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <utility>

#include "platform/numeros.h"

namespace kelu {
namespace {

// The largest dot tolerance is half the dot; a dash lasts 3 dots and the
// letter gap 8.
constexpr double kMitad = 2, kRaya = 3, kEntreLetras = 8;

// The shortest form that reads back as the very same double, because the
// dash tolerance is computed from the dash read back from its box; none for
// a value past the doubles (a dot typed as 1e308), whose box then keeps its text.
std::optional<std::string> TextoDerivado(double valor) {
  if (!std::isfinite(valor)) return std::nullopt;
  return TextoDeNumero(valor);
}

}  // namespace

double NumeroDeCaja(const CajaTexto& caja) { return LeerNumero(caja.Texto()); }

CamposTiempo::CamposTiempo(Ventana& dialogo, const TextosIdioma& idioma, const bool& cargando, Casilla& calcular,
                           std::array<FilaTiempo, 4> filas)
    : dialogo_(dialogo), idioma_(idioma), cargando_(cargando), calcular_(calcular), filas_(filas) {
  for (FilaTiempo& fila : filas_)
    for (CajaTexto* caja : {&fila.tiempo, &fila.tolerancia})
      caja->GotFocus = [caja] { caja->SeleccionarTodo(); };  // typing replaces the value
  filas_[0].tiempo.Change = [this] { Punto_Change(); };
  filas_[0].tolerancia.Change = [this] { Punto_Change(); };
  calcular_.Click = [this] { chkCalcular_Click(); };
}

void CamposTiempo::Llenar(const Configuracion& c) {
  for (const FilaTiempo& fila : filas_) {
    fila.tiempo.SetTexto(std::to_string(c.*fila.ajusteTiempo));
    fila.tolerancia.SetTexto(std::to_string(c.*fila.ajusteTolerancia));
  }
}

// A dot edited by hand no longer matches the derived rows.
void CamposTiempo::Punto_Change() {
  if (!cargando_) calcular_.SetMarcada(false);
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
    calcular_.SetMarcada(false);
    filas_[0].tiempo.SetFoco();
    return false;
  }
  if (punto / kMitad < NumeroDeCaja(filas_[0].tolerancia)) {
    Advertir(IdTexto::MensajeToleranciaPunto, IdTexto::MensajeCalcularSegunPunto);
    calcular_.SetMarcada(false);
    filas_[0].tolerancia.SetFoco();
    return false;
  }
  return true;
}

void CamposTiempo::Derivar() {
  const double punto = NumeroDeCaja(filas_[0].tiempo);
  const double tolerancia = NumeroDeCaja(filas_[0].tolerancia);
  FilaTiempo& raya = filas_[1];
  if (auto texto = TextoDerivado(kRaya * punto)) raya.tiempo.SetTexto(*texto);
  const double duracionRaya = NumeroDeCaja(raya.tiempo);
  double toleranciaRaya = duracionRaya - (tolerancia + punto);
  // The dash band has to begin exactly where the dot band ends. With a
  // fractional dot the subtraction can round so that the OK check, which
  // subtracts again, sees the bands overlap by one unit in the last
  // place; the next double down closes that gap.
  for (int i = 0; i < 4 && punto + tolerancia > duracionRaya - toleranciaRaya; ++i)
    toleranciaRaya = std::nextafter(toleranciaRaya, -std::numeric_limits<double>::infinity());
  if (auto texto = TextoDerivado(toleranciaRaya)) raya.tolerancia.SetTexto(*texto);
  if (auto texto = TextoDerivado(kEntreLetras * punto)) filas_[2].tiempo.SetTexto(*texto);
  filas_[2].tolerancia.SetTexto("0");
  filas_[3].tiempo.SetTexto("0");
  filas_[3].tolerancia.SetTexto("0");
}

void CamposTiempo::HabilitarDerivadas(bool habilitar) {
  for (size_t i = 1; i < filas_.size(); ++i)
    for (Control* c : {static_cast<Control*>(&filas_[i].etiqueta), static_cast<Control*>(&filas_[i].tiempo),
                       static_cast<Control*>(&filas_[i].tolerancia)})
      c->SetHabilitado(habilitar);
}

bool CamposTiempo::ComprobarAlAceptar() {
  const double punto = NumeroDeCaja(filas_[0].tiempo), tolerancia = NumeroDeCaja(filas_[0].tolerancia);
  const double raya = NumeroDeCaja(filas_[1].tiempo), toleranciaRaya = NumeroDeCaja(filas_[1].tolerancia);
  if (punto + tolerancia > raya - toleranciaRaya) {
    Advertir(IdTexto::MensajePuntoSobreRaya, IdTexto::MensajeTiemposPuntoRaya);
    filas_[0].tiempo.SetFoco();
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
  calcular_.SetMarcada(false);
  // The letter closes after the pause proposed, not that pause less a tolerance.
  const std::pair<CajaTexto*, int> valores[] = {
      {&filas_[0].tiempo, p.DuracionPunto}, {&filas_[0].tolerancia, p.ToleranciaPunto},
      {&filas_[1].tiempo, p.DuracionRaya},  {&filas_[1].tolerancia, p.ToleranciaRaya},
      {&filas_[2].tiempo, p.TiempoEntreLetras}, {&filas_[2].tolerancia, 0}};
  for (const auto& [caja, valor] : valores) caja->SetTexto(std::to_string(valor));
}

void CamposTiempo::Advertir(IdTexto mensaje, IdTexto titulo) {
  dialogo_.Kit().MostrarMensaje(&dialogo_, idioma_.Entrada(mensaje), idioma_.Entrada(titulo), kMbOk | kMbExclamacion);
}

}  // namespace kelu
