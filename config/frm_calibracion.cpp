#include "config/frm_calibracion.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

#include "platform/medida_texto.h"

namespace kelu {
namespace {
constexpr Dialogo::Diseno kDiseno{"frmCalibracion", "Calibración - KELU", 7200, 6135, IdTexto::TituloCalibracion,
                                  {4080, 5520, 1335, 375}, {5625, 5520, 1335, 375}};

using enum ColorSistema;

// One element to key, and whether the pause before it ends a letter.
struct Elemento {
  bool raya = false;
  bool trasLetra = false;
};
using Fila = std::vector<Elemento>;

constexpr int kPuntos = 10, kRayas = 10, kRepeticiones = 3;
// Known to everyone, and it has both pauses: inside a letter and between two.
constexpr std::string_view kPalabra = "... --- ...";

Fila Repetido(bool raya, int veces) { return Fila(static_cast<size_t>(veces), Elemento{raya, false}); }

Fila Palabra() {
  Fila fila;
  bool trasLetra = false;
  for (char c : kPalabra) {
    if (c == ' ') {
      trasLetra = true;
      continue;
    }
    fila.push_back({c == '-', trasLetra});
    trasLetra = false;
  }
  return fila;
}

// What each step asks for, a line per row of the pad: the word once a row.
std::vector<Fila> Filas(frmCalibracion::Etapa etapa) {
  switch (etapa) {
    case frmCalibracion::Etapa::Puntos:
      return {Repetido(false, kPuntos)};
    case frmCalibracion::Etapa::Rayas:
      return {Repetido(true, kRayas)};
    default:
      return std::vector<Fila>(kRepeticiones, Palabra());
  }
}

int Total(const std::vector<Fila>& filas) {
  size_t n = 0;
  for (const Fila& f : filas) n += f.size();
  return static_cast<int>(n);
}

// The elements of the step as large glyphs: those keyed in the text colour,
// the next one highlighted, the rest grey.
std::vector<Trazo> DibujarSecuencia(const std::vector<Fila>& filas, int hechas, int ancho, int alto, double px) {
  // In glyph heights: a dot 1 wide, a dash 2.4; 0.6 between elements, 1.8 between letters.
  auto unidades = [](const Fila& fila) {
    double u = 0;
    for (size_t i = 0; i < fila.size(); ++i) u += (i ? (fila[i].trasLetra ? 1.8 : 0.6) : 0) + (fila[i].raya ? 2.4 : 1);
    return u;
  };
  double maximo = 0;
  for (const Fila& f : filas) maximo = std::max(maximo, unidades(f));
  const double n = static_cast<double>(filas.size());
  const double margen = std::max(4 * px, alto * 0.1);
  const double alturas = n + 0.8 * (n - 1);  // rows 0.8 of a glyph apart
  const double g = std::floor(std::min({(ancho - 2 * margen) / maximo, (alto - 2 * margen) / alturas, 24 * px}));
  if (maximo <= 0 || g < 2 * px) return {};

  std::vector<Trazo> trazos;
  double y = (alto - g * alturas) / 2;
  int k = 0;
  for (const Fila& fila : filas) {
    double x = (ancho - unidades(fila) * g) / 2;
    for (size_t i = 0; i < fila.size(); ++i, ++k) {
      if (i) x += (fila[i].trasLetra ? 1.8 : 0.6) * g;
      const ColorSistema color = k < hechas ? TextoVentana : k == hechas ? Resaltado : TextoGris;
      if (fila[i].raya) {
        trazos.push_back({Trazo::Forma::Relleno,
                          {Redondo(x), Redondo(y + 0.225 * g), Redondo(2.4 * g), Redondo(0.55 * g)}, color, {}, {}});
        x += 2.4 * g;
      } else {
        trazos.push_back({Trazo::Forma::Elipse, {Redondo(x), Redondo(y), Redondo(g), Redondo(g)}, color, {}, {}});
        x += g;
      }
    }
    y += 1.8 * g;
  }
  return trazos;
}

// The presses kept by the proposal lie between the shortest and the longest
// kept; the others are drawn grey.
struct Rango {
  int desde = 0, hasta = -1;
  bool Contiene(int v) const { return desde <= v && v <= hasta; }
};
Rango Conservados(const std::vector<int>& valores) {
  const std::vector<int> conservados = SinAtipicos(valores);
  if (conservados.empty()) return {};
  const auto [menor, mayor] = std::minmax_element(conservados.begin(), conservados.end());
  return {*menor, *mayor};
}

// The two clouds: each press a mark over its length, dots as round marks in
// the text colour, dashes as flat ones in the highlight colour, stacked
// where they fall together; below, the length in centiseconds; once a
// proposal stands, a dotted line where the dot band meets the dash band.
std::vector<Trazo> DibujarNubes(const std::vector<frmCalibracion::Pulsacion>& nube, const MuestrasCalibracion& m,
                                const PropuestaCalibracion& p, int ancho, int alto, const MedidaTexto& medir,
                                double px) {
  const Rango puntos = Conservados(m.puntos), rayas = Conservados(m.rayas);
  // The scale reaches past the longest press kept; outliers beyond it stand at its end.
  int largo = 0;
  for (const auto& pulsacion : nube)
    if ((pulsacion.raya ? rayas : puntos).Contiene(pulsacion.ms)) largo = std::max(largo, pulsacion.ms);
  const int escala = std::max(400, (largo * 5 / 4 + 99) / 100 * 100);
  const int anchoClase = 10 * std::max(1, (escala / 10 + 47) / 48);  // ms, at most 48 columns
  const int clases = (escala + anchoClase - 1) / anchoClase;
  const double columna = static_cast<double>(ancho) / clases;

  const Fuente letra{"Verdana", 7};
  const int altoTexto = Redondo(7 * 20 * 1.3);
  const int eje = alto - altoTexto - Redondo(3 * px);
  if (eje < 6 * px || columna < px) return {};

  std::vector<int> pilas(static_cast<size_t>(clases), 0);
  for (const auto& pulsacion : nube) ++pilas[static_cast<size_t>(std::min(pulsacion.ms / anchoClase, clases - 1))];
  const int pila = std::max(1, *std::max_element(pilas.begin(), pilas.end()));
  const double marca = std::max(px, std::min(columna * 0.8, (eje - px) / pila));

  std::vector<Trazo> trazos;
  std::fill(pilas.begin(), pilas.end(), 0);
  for (const auto& pulsacion : nube) {
    const int c = std::min(pulsacion.ms / anchoClase, clases - 1);
    const double y = eje - px - marca * ++pilas[static_cast<size_t>(c)];
    const bool conservada = (pulsacion.raya ? rayas : puntos).Contiene(pulsacion.ms);
    // A dash as wide as its column, a dot as round as the stack lets it be.
    const double w = pulsacion.raya ? columna * 0.8 : std::min(columna * 0.8, marca);
    const double x = c * columna + (columna - w) / 2;
    if (pulsacion.raya)
      trazos.push_back({Trazo::Forma::Relleno,
                        {Redondo(x), Redondo(y + marca * 0.2), Redondo(w), std::max(Redondo(px), Redondo(marca * 0.6))},
                        conservada ? Resaltado : TextoGris, {}, {}});
    else
      trazos.push_back({Trazo::Forma::Elipse, {Redondo(x), Redondo(y), Redondo(w), Redondo(std::min(w, marca * 0.9))},
                        conservada ? TextoVentana : TextoGris, {}, {}});
  }

  trazos.push_back({Trazo::Forma::Relleno, {0, eje, ancho, std::max(1, Redondo(px))}, TextoGris, {}, {}});
  auto xDe = [&](int ms) { return Redondo(static_cast<double>(ms) / anchoClase * columna); };
  // A step of round centiseconds that leaves room for six labels or so.
  int paso = 1000;
  for (int candidato : {5, 10, 20, 25, 50, 100, 200, 500})
    if (escala / 10 / candidato <= 6) {
      paso = candidato;
      break;
    }
  for (int cs = paso; cs * 10 <= escala; cs += paso) {
    const int x = xDe(cs * 10);
    trazos.push_back({Trazo::Forma::Relleno, {x, eje, std::max(1, Redondo(px)), Redondo(3 * px)}, TextoGris, {}, {}});
    const std::string texto = std::to_string(cs);
    const int w = medir(texto, letra);
    if (x + w / 2 > ancho) break;
    trazos.push_back({Trazo::Forma::Texto, {x - w / 2, alto - altoTexto, w, altoTexto}, TextoVentana, texto, letra});
  }
  if (p.valida) {
    const int x = xDe((p.DuracionPunto + p.ToleranciaPunto) * 10);
    const int trozo = Redondo(3 * px);
    for (int y = 0; y < eje; y += 2 * trozo)
      trazos.push_back(
          {Trazo::Forma::Relleno, {x, y, std::max(1, Redondo(px)), std::min(trozo, eje - y)}, TextoVentana, {}, {}});
  }
  return trazos;
}

}  // namespace

frmCalibracion::frmCalibracion(Programa& programa)
    : Dialogo(programa, kDiseno),
      // Narrower than the pad: Wine's word wrap was seen to drop a word
      // that ended right at this label's edge.
      lblInstruccion(*this, "lblInstruccion", {240, 240, 6480, 660}, kVerdana9,
                     "Pulse diez puntos cómodos en el recuadro."),
      fraPad(*this, "fraPad", {240, 960, 6720, 1800}, kVerdana9),
      lblProgreso(*this, "lblProgreso", {240, 2880, 6720, 255}, kVerdana9),
      picNubes(*this, "picNubes", {240, 3240, 6720, 1560}, kVerdana9),
      lblPropuesta(*this, "lblPropuesta", {240, 4920, 6720, 450}, kVerdana9),
      cmdEmpezar(*this, "cmdEmpezar", {240, 5520, 2535, 375}, kVerdana9, "&Empezar de nuevo"),
      motor(programa.toolkit, programa.configuracion, programa.tabla) {
  fraPad.borde = true;
  OrdenTab({&cmdAceptar, &cmdCancelar, &cmdEmpezar, &lblInstruccion, &fraPad, &lblProgreso, &picNubes,
            &lblPropuesta});
  Traducibles({{&cmdEmpezar, IdTexto::BotonEmpezarDeNuevo}});

  Load = [this] { Form_Load(); };
  Unload = [this] { Form_Unload(); };
  cmdEmpezar.Click = [this] { cmdEmpezar_Click(); };
  cmdAceptar.Click = [this] { cmdAceptar_Click(); };
}

void frmCalibracion::Form_Load() {
  Traducir();
  // The whole dialog but its buttons is the pad, as the strip is.
  Kit().CapturarClics(*this, [this] { Pad_Abajo(); }, [this] { Pad_Arriba(); });
  cmdEmpezar_Click();
}

// A press held while the dialog closes would leave the counter running.
void frmCalibracion::Form_Unload() {
  presionado_ = false;
  motor.SuspenderTemporizadores();
}

void frmCalibracion::cmdEmpezar_Click() {
  etapa_ = Etapa::Puntos;
  hechas_ = 0;
  muestras_ = {};
  nube_.clear();
  propuesta_ = {};
  motor.BorrarCodigo();
  Actualizar();
}

void frmCalibracion::cmdAceptar_Click() {
  if (!propuesta_.valida) return;
  if (Aceptar) Aceptar(propuesta_);
  Descargar();
}

// Once the steps are done, presses count for nothing.
void frmCalibracion::Pad_Abajo() {
  if (etapa_ == Etapa::Hecha) return;
  // The engine's letter gap runs from the last release: its elapsed time
  // is the pause, read before the press starts it afresh.
  pausaAntes_ = motor.Estado().letra.transcurridoMs;
  motor.BotonAbajo();
  presionado_ = true;
}

// A release without its press here (the dialog closed or opened while the
// button was held) is no press.
void frmCalibracion::Pad_Arriba() {
  if (!presionado_) return;
  presionado_ = false;
  motor.BotonArriba();
  Anotar(motor.Estado().cuenta * 10, pausaAntes_);
}

void frmCalibracion::Anotar(int ms, int64_t pausaAntes) {
  const std::vector<Fila> filas = Filas(etapa_);
  const size_t porFila = filas.front().size();
  const size_t i = static_cast<size_t>(hechas_);
  const Elemento e = filas[i / porFila][i % porFila];
  (e.raya ? muestras_.rayas : muestras_.puntos).push_back(ms);
  nube_.push_back({ms, e.raya});
  // Only the word has pauses worth measuring; the one before each
  // repetition is a word's.
  if (etapa_ == Etapa::Palabra && i % porFila != 0)
    (e.trasLetra ? muestras_.pausasLetras : muestras_.pausasInternas)
        .push_back(static_cast<int>(std::min<int64_t>(pausaAntes, 32767 * 10)));
  if (++hechas_ == Total(filas)) {
    hechas_ = 0;
    etapa_ = static_cast<Etapa>(static_cast<int>(etapa_) + 1);
    if (etapa_ == Etapa::Hecha) propuesta_ = ProponerTiempos(muestras_);
  }
  Actualizar();
}

void frmCalibracion::Actualizar() {
  const TextosIdioma& t = programa_.idioma;
  const bool hecha = etapa_ == Etapa::Hecha;
  const PropuestaCalibracion& p = propuesta_;
  const IdTexto instruccion = etapa_ == Etapa::Puntos    ? IdTexto::CalibracionPuntos
                            : etapa_ == Etapa::Rayas   ? IdTexto::CalibracionRayas
                            : etapa_ == Etapa::Palabra ? IdTexto::CalibracionSos
                            : p.valida                 ? IdTexto::CalibracionSeparados
                                                       : IdTexto::CalibracionSolapados;
  lblInstruccion.SetTexto(t.Entrada(instruccion));
  const std::vector<Fila> filas = Filas(hecha ? Etapa::Palabra : etapa_);
  using std::to_string;
  lblProgreso.SetTexto(hecha ? std::string()
                             : Sustituir(t.Entrada(IdTexto::CalibracionPulsaciones),
                                         {to_string(hechas_), to_string(Total(filas))}));
  lblPropuesta.SetTexto(hecha && p.valida
                            ? Sustituir(t.Entrada(IdTexto::CalibracionResumen),
                                        {to_string(p.DuracionPunto), to_string(p.ToleranciaPunto),
                                         to_string(p.DuracionRaya), to_string(p.ToleranciaRaya),
                                         to_string(p.TiempoEntreLetras)})
                            : std::string());
  cmdAceptar.SetHabilitado(hecha && p.valida);

  const double px = Kit().LeerPantalla(*this).twipsPorPixelX;
  const Rectangulo& pad = fraPad.Posicion();
  fraPad.SetDibujo(DibujarSecuencia(filas, hecha ? Total(filas) : hechas_, pad.ancho, pad.alto, px));
  const Rectangulo& nubes = picNubes.Posicion();
  const MedidaTexto medir = [this](const std::string& texto, const Fuente& fuente) {
    return Kit().AnchoTexto(*this, texto, fuente);
  };
  picNubes.SetDibujo(DibujarNubes(nube_, muestras_, p, nubes.ancho, nubes.alto, medir, px));
  if (hecha) (p.valida ? cmdAceptar : cmdEmpezar).SetFoco();
}

}  // namespace kelu
