#include "keying/vista_pad.h"

#include <algorithm>
#include <string_view>
#include <unordered_set>

#include "platform/ascii.h"

namespace kelu {
namespace {


// "ENTER" as "Enter"; names of one character stand for that character.
std::string NombreDeTecla(std::string nombre, const std::string& espacio) {
  if (nombre.size() == 1) return nombre;
  if (IgualesSinMayusculas(nombre, "ESPACIO")) return espacio;
  for (size_t i = 1; i < nombre.size(); ++i) nombre[i] = MinusculaAscii(nombre[i]);
  return nombre;
}

bool Empieza(const std::string& codigo, const std::string& prefijo) {
  return codigo.size() > prefijo.size() && codigo.compare(0, prefijo.size(), prefijo) == 0;
}

void Medidor(MedidorPulsacion& m, const EstadoMotor& motor) {
  m.activo = motor.presionado;
  m.cuenta = motor.cuenta;
  m.punto = motor.punto;
  m.raya = motor.raya;
  if (motor.pulsacionLarga) m.larga = motor.larga;
  // A fifth beyond the farther band, so that "too long" has room to show.
  const int fin = std::max({m.punto.hasta, m.raya.hasta, m.larga.hasta, 1});
  m.escala = fin + std::max(fin / 5, 1);
  m.daPunto = m.punto.Contiene(m.cuenta);
  m.daRaya = m.raya.Contiene(m.cuenta);
  m.daPalabra = m.activo && motor.pulsacionLarga && m.larga.Contiene(m.cuenta);
}

// The gap that will close next, from its timer: a gap that has fired once
// has done its work.
void Cuenta(CuentaAtras& cuenta, const HuecoMotor& h, bool palabra) {
  if (!h.enMarcha || h.intervaloMs <= 0 || h.disparos > 0) return;
  cuenta.activa = true;
  cuenta.palabra = palabra;
  cuenta.totalMs = h.intervaloMs;
  cuenta.restanteMs = static_cast<int>(std::clamp<int64_t>(h.intervaloMs - h.transcurridoMs, 0, h.intervaloMs));
}

}  // namespace

std::string TextoLegible(const std::string& texto, const std::string& espacio) {
  if (texto == " ") return espacio;
  std::string legible;
  for (size_t i = 0; i < texto.size(); ++i) {
    const size_t cierre = texto[i] == '{' ? texto.find('}', i + 2) : std::string::npos;
    if (cierre == std::string::npos) {
      legible += texto[i];
      continue;
    }
    if (!legible.empty()) legible += ' ';
    legible += NombreDeTecla(texto.substr(i + 1, cierre - i - 1), espacio);
    i = cierre;
  }
  return legible;
}

std::vector<EntradaTablaPad> EntradasPad(const TablaCodigo& tabla, const std::string& espacio) {
  std::vector<EntradaTablaPad> todas;
  todas.reserve(tabla.entradas.size());
  std::unordered_set<std::string_view> vistos;
  for (const EntradaCodigo& e : tabla.entradas)
    if (!e.Secuencia.empty() && !e.Texto.empty() && vistos.insert(e.Secuencia).second)
      todas.push_back({e.Secuencia, TextoLegible(e.Texto, espacio)});
  return todas;
}

VistaPad DescribirPad(const EstadoMotor& motor, const TablaCodigo& tabla, const TextosIdioma& idioma, bool entregando) {
  return DescribirPad(motor, EntradasPad(tabla, idioma.Entrada(IdTexto::NombreEspacio)), idioma, entregando);
}

// The bands come from the engine, which knows whether the settings' or the
// person's pace are in force.
VistaPad DescribirPad(const EstadoMotor& motor, const std::vector<EntradaTablaPad>& todas, const TextosIdioma& idioma,
                      bool entregando) {
  VistaPad v;
  if (motor.enPausa) v.pausa = idioma.Entrada(IdTexto::EnPausa);
  v.codigo = motor.codigo;
  Medidor(v.medidor, motor);
  // While a letter is on its way no gap is counting towards anything.
  if (!v.medidor.activo && !entregando)
    Cuenta(v.cuenta, v.codigo.empty() ? motor.palabra : motor.letra, v.codigo.empty());

  if (v.codigo.empty()) {
    for (char letra : idioma.Entrada(IdTexto::LetrasFrecuentes)) {
      auto e = std::find_if(todas.begin(), todas.end(), [&](const EntradaTablaPad& x) {
        return IgualesSinMayusculas(x.texto, std::string_view(&letra, 1));
      });
      if (e != todas.end()) v.tabla.push_back(*e);
    }
    return v;
  }
  for (const EntradaTablaPad& e : todas) {
    if (e.codigo == v.codigo) v.texto = e.texto;
    if (e.codigo == v.codigo + '.') v.conPunto = e;
    if (e.codigo == v.codigo + '-') v.conRaya = e;
  }
  // Shortest first, the table's order among equals.
  size_t largo = 0;
  for (const EntradaTablaPad& e : todas) largo = std::max(largo, e.codigo.size());
  for (size_t n = v.codigo.size() + 2; n <= largo; ++n)
    for (const EntradaTablaPad& e : todas)
      if (e.codigo.size() == n && Empieza(e.codigo, v.codigo)) v.tabla.push_back(e);
  // A one-step extension with no text of its own still leads somewhere.
  auto lleva = [&](const std::string& siguiente) {
    return std::any_of(todas.begin(), todas.end(), [&](const EntradaTablaPad& e) {
      return e.codigo == siguiente || Empieza(e.codigo, siguiente);
    });
  };
  if (v.conPunto.codigo.empty() && lleva(v.codigo + '.')) v.conPunto.codigo = v.codigo + '.';
  if (v.conRaya.codigo.empty() && lleva(v.codigo + '-')) v.conRaya.codigo = v.codigo + '-';
  v.sinSalida = v.texto.empty() && !lleva(v.codigo);
  return v;
}

void PonerSugerencias(VistaPad& v, const std::vector<Sugerencia>& sugerencias, const TablaCodigo& tabla,
                      bool primeraLarga, const TextosIdioma& idioma) {
  v.mantener = idioma.Entrada(IdTexto::PrediccionMantener);
  for (size_t i = 0; i < sugerencias.size() && i < kSugerenciasMax; ++i) {
    SugerenciaPad s{sugerencias[i].palabra, CodigoDeTexto(tabla, kElegirPalabra[i]), i == 0 && primeraLarga};
    if (s.mantener || !s.codigo.empty()) v.sugerencias.push_back(std::move(s));
  }
  // Held past the dash band, a press chooses only when there is a word to choose.
  if (v.sugerencias.empty() || !v.sugerencias[0].mantener) {
    v.medidor.daPalabra = false;
    v.medidor.larga = {};
  }
}

}  // namespace kelu
