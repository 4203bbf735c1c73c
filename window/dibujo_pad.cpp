#include "window/dibujo_pad.h"

#include <algorithm>
#include <cmath>

namespace kelu {
namespace {

using enum ColorSistema;

// Points for a line of text `alto` twips high (a Verdana line is about 1.25
// of its size), in half points so that few fonts are ever made.
double PuntosPara(int alto) { return std::floor(alto / 20.0 / 1.25 * 2) / 2; }

Fuente Verdana(double puntos, bool negrita = false) { return Fuente{"Verdana", puntos, negrita}; }

// "•–•" for ".-.": the chart's way of writing a code.
std::string CodigoEscrito(const std::string& codigo) {
  std::string escrito;
  for (char c : codigo) escrito += c == '.' ? "\u2022" : c == '-' ? "\u2013" : std::string(1, c);
  return escrito;
}

class Lienzo {
 public:
  Lienzo(int ancho, int alto, const MedidaTexto& medir, double px)
      : ancho_(ancho), alto_(alto), medir_(medir), px_(px) {}

  std::vector<Trazo> trazos;

  void Codigo(const VistaPad& v, const Rectangulo& fila) {
    const bool activo = v.medidor.activo;
    // Glyph size as tall as the row; a long code in a narrow pad shrinks.
    struct Glifo {
      bool punto;
      ColorSistema color;
    };
    std::vector<Glifo> glifos;
    const ColorSistema tinta = v.sinSalida ? TextoGris : TextoVentana;
    for (char c : v.codigo) glifos.push_back({c == '.', tinta});
    // The element a release would add now, in the highlight colour.
    if (activo && v.medidor.daPunto) glifos.push_back({true, Resaltado});
    if (activo && v.medidor.daRaya) glifos.push_back({false, Resaltado});
    std::string texto = v.sinSalida ? "\u00d7" : !v.texto.empty() ? v.texto : v.codigo.empty() ? "" : "\u2026";
    if (glifos.empty()) return;

    auto anchoGlifos = [&](double g) {
      double total = 0;
      for (const Glifo& x : glifos) total += (x.punto ? g : 2.4 * g) + 0.45 * g;
      return total - 0.45 * g;
    };
    double g = fila.alto;
    auto anchoTexto = [&](double tam) {
      return texto.empty() ? 0.0 : 0.8 * tam + medir_(texto, Verdana(PuntosPara(static_cast<int>(tam)), true));
    };
    double escala = std::min(1.0, fila.ancho / (anchoGlifos(g) + anchoTexto(g)));
    if (escala < 0.75 && !texto.empty()) {  // the glyphs matter more than their text
      texto.clear();
      escala = std::min(1.0, fila.ancho / anchoGlifos(g));
    }
    g = std::floor(g * escala);
    // Measured again at the size chosen: text widths do not scale smoothly.
    while (g > px_ && anchoGlifos(g) + anchoTexto(g) > fila.ancho) g -= px_;
    if (g <= px_) return;

    double x = fila.izquierda;
    const int centro = fila.arriba + fila.alto / 2;
    for (const Glifo& glifo : glifos) {
      if (glifo.punto) {
        Agregar(Trazo::Forma::Elipse, {Redondo(x), Redondo(centro - g / 2), Redondo(g), Redondo(g)}, glifo.color);
        x += g;
      } else {
        const double grueso = std::max(std::round(g * 0.55), px_);
        Agregar(Trazo::Forma::Relleno,
                {Redondo(x), Redondo(centro - grueso / 2), Redondo(2.4 * g), Redondo(grueso)}, glifo.color);
        x += 2.4 * g;
      }
      x += 0.45 * g;
    }
    if (texto.empty()) return;
    x += 0.8 * g - 0.45 * g;
    const Fuente letra = Verdana(PuntosPara(static_cast<int>(g)), true);
    trazos.push_back({Trazo::Forma::Texto,
                      {Redondo(x), fila.arriba, medir_(texto, letra), fila.alto},
                      v.sinSalida ? TextoGris : TextoVentana, texto, letra});
  }

  // The held time against the bands: the bar fills in the highlight colour
  // while a release would give a dot or a dash, in grey otherwise; each
  // band carries the shape of what it gives.
  void Medidor(const MedidorPulsacion& m, const Rectangulo& fila) {
    auto x = [&](int ticks) {
      return fila.izquierda + Redondo(static_cast<double>(fila.ancho) * std::clamp(ticks, 0, m.escala) / m.escala);
    };
    const bool da = m.daPunto || m.daRaya || m.daPalabra;
    const int lleno = x(m.cuenta) - fila.izquierda;
    if (lleno > 0) Agregar(Trazo::Forma::Relleno, {fila.izquierda, fila.arriba, lleno, fila.alto}, da ? Resaltado : TextoGris);
    Agregar(Trazo::Forma::Marco, fila, TextoGris);
    for (const bool punto : {true, false}) {
      const BandaPulsacion& b = punto ? m.punto : m.raya;
      const int desde = x(b.desde), hasta = x(b.hasta);
      if (hasta - desde < 3 * px_) continue;
      Agregar(Trazo::Forma::Marco, {desde, fila.arriba, hasta - desde, fila.alto}, TextoVentana);
      const int centro = (desde + hasta) / 2;
      const ColorSistema color = x(m.cuenta) > centro ? (da ? TextoResaltado : Ventana) : TextoVentana;
      const int g = std::max(Redondo(fila.alto * 0.5), Redondo(px_));
      if (punto)
        Agregar(Trazo::Forma::Elipse, {centro - g / 2, fila.arriba + (fila.alto - g) / 2, g, g}, color);
      else
        Agregar(Trazo::Forma::Relleno,
                {std::max(centro - g, desde + Redondo(px_)), fila.arriba + (fila.alto - g / 2) / 2,
                 std::min(2 * g, hasta - desde - 2 * Redondo(px_)), std::max(g / 2, Redondo(px_))},
                color);
    }
  }

  // The time left before the gap closes: a solid bar for the letter, an
  // outline for the word, shrinking towards the left.
  void Cuenta(const CuentaAtras& c, const Rectangulo& fila) {
    if (c.totalMs <= 0) return;
    const int largo = Redondo(static_cast<double>(fila.ancho) * c.restanteMs / c.totalMs);
    const int alto = std::max(Redondo(fila.alto * 0.4), Redondo(2 * px_));
    if (largo < Redondo(px_)) return;
    Agregar(c.palabra ? Trazo::Forma::Marco : Trazo::Forma::Relleno,
            {fila.izquierda, fila.arriba + (fila.alto - alto) / 2, largo, alto}, TextoGris);
  }

  // One line of entries; those that do not fit are left out, from the end.
  void Tabla(const VistaPad& v, const Rectangulo& fila) {
    const double puntos = std::min(PuntosPara(fila.alto), 11.0);
    if (puntos < 6) return;
    const Fuente letra = Verdana(puntos), fuerte = Verdana(puntos, true);
    const int separacion = Redondo(puntos * 20);
    int x = fila.izquierda;
    // False once one does not fit: the rest are not even written out.
    auto poner = [&](const std::string& texto, const Fuente& fuente) {
      const int ancho = medir_(texto, fuente);
      if (x + ancho > fila.izquierda + fila.ancho) return false;
      trazos.push_back({Trazo::Forma::Texto, {x, fila.arriba, ancho, fila.alto}, TextoVentana, texto, fuente});
      x += ancho + separacion;
      return true;
    };
    if (!v.codigo.empty()) {
      for (const EntradaTablaPad* e : {&v.conPunto, &v.conRaya})
        if (!e->codigo.empty() &&
            !poner(CodigoEscrito(e->codigo.substr(v.codigo.size())) + " " + (e->texto.empty() ? "\u2026" : e->texto),
                   fuerte))
          return;
    }
    for (const EntradaTablaPad& e : v.tabla)
      if (!poner(e.texto + " " + CodigoEscrito(e.codigo), letra)) return;
  }

  // The suggestions in the code's place, each word with the way to choose
  // it, the first on the highlight while a release would choose it. The
  // size shrinks until the first fits; those after it that do not are left out.
  void Sugerencias(const VistaPad& v, const Rectangulo& fila) {
    for (double puntos = PuntosPara(fila.alto); puntos >= 6; puntos -= 0.5) {
      const Fuente palabra = Verdana(puntos, true);
      const Fuente forma = Verdana(puntos);  // as large: the person reads it from afar too
      const int hueco = Redondo(puntos * 8), separacion = Redondo(puntos * 24), relleno = Redondo(puntos * 4);
      struct Item {
        std::string palabra, forma;
        int anchoPalabra, anchoForma, ancho;
        bool resaltado;
      };
      std::vector<Item> items;
      for (size_t i = 0; i < v.sugerencias.size(); ++i) {
        const SugerenciaPad& s = v.sugerencias[i];
        Item item{s.palabra, s.mantener ? v.mantener : CodigoEscrito(s.codigo), 0, 0, 0, i == 0 && v.medidor.daPalabra};
        item.anchoPalabra = medir_(item.palabra, palabra);
        item.anchoForma = medir_(item.forma, forma);
        item.ancho = item.anchoPalabra + hueco + item.anchoForma + 2 * relleno;
        items.push_back(std::move(item));
      }
      if (items.empty() || items[0].ancho > fila.ancho) continue;
      int x = fila.izquierda;
      for (const Item& item : items) {
        if (x + item.ancho > fila.izquierda + fila.ancho) break;
        if (item.resaltado) Agregar(Trazo::Forma::Relleno, {x, fila.arriba, item.ancho, fila.alto}, Resaltado);
        const ColorSistema tinta = item.resaltado ? TextoResaltado : TextoVentana;
        trazos.push_back({Trazo::Forma::Texto, {x + relleno, fila.arriba, item.anchoPalabra, fila.alto}, tinta,
                          item.palabra, palabra});
        trazos.push_back({Trazo::Forma::Texto,
                          {x + relleno + item.anchoPalabra + hueco, fila.arriba, item.anchoForma, fila.alto},
                          item.resaltado ? TextoResaltado : TextoGris, item.forma, forma});
        x += item.ancho + separacion;
      }
      return;
    }
  }

  // A notice in the code's place, as large as the row lets it be.
  void Aviso(const std::string& texto, const Rectangulo& fila) {
    for (double puntos = PuntosPara(fila.alto); puntos >= 6; puntos -= 0.5) {
      const Fuente letra = Verdana(puntos, true);
      const int ancho = medir_(texto, letra);
      if (ancho > fila.ancho) continue;
      trazos.push_back({Trazo::Forma::Texto, {fila.izquierda, fila.arriba, ancho, fila.alto}, TextoGris, texto, letra});
      return;
    }
  }
  // In practice, between letters, the letter to key stands large and grey
  // where its code will appear, with the code beside it when there is room.
  void Pista(const EntradaTablaPad& siguiente, const Rectangulo& fila) {
    const Fuente letra = Verdana(PuntosPara(fila.alto), true);
    for (const std::string& texto : {siguiente.texto + "  " + CodigoEscrito(siguiente.codigo), siguiente.texto}) {
      const int ancho = medir_(texto, letra);
      if (ancho > fila.ancho) continue;
      trazos.push_back({Trazo::Forma::Texto, {fila.izquierda, fila.arriba, ancho, fila.alto}, TextoGris, texto, letra});
      return;
    }
  }

  // What to key at the left, how the last letter went at the right. Short
  // of room, the last measures go first, then the verdict, then the hint.
  void Practica(const LineaPractica& p, const Rectangulo& fila) {
    const double puntos = std::min(PuntosPara(fila.alto), 11.0);
    if (puntos < 6) return;
    const Fuente letra = Verdana(puntos), fuerte = Verdana(puntos, true);
    const int separacion = Redondo(puntos * 20);
    const int relleno = Redondo(puntos * 6);  // around a verdict drawn on the highlight
    struct Item {
      std::string texto;
      const Fuente* fuente;
      bool resaltado = false;
      int ancho = 0;
    };
    auto medido = [&](std::string texto, const Fuente& f, bool resaltado = false) {
      Item item{std::move(texto), &f, resaltado, 0};
      item.ancho = medir_(item.texto, f) + (resaltado ? 2 * relleno : 0);
      return item;
    };
    auto poner = [&](const Item& item, int x) {
      const int dentro = item.resaltado ? relleno : 0;
      if (item.resaltado) Agregar(Trazo::Forma::Relleno, {x, fila.arriba, item.ancho, fila.alto}, Resaltado);
      trazos.push_back({Trazo::Forma::Texto, {x + dentro, fila.arriba, item.ancho - 2 * dentro, fila.alto},
                        item.resaltado ? TextoResaltado : TextoVentana, item.texto, *item.fuente});
    };
    std::vector<Item> izquierda, derecha;
    if (!p.marque.empty()) izquierda.push_back(medido(p.marque, fuerte));
    if (!p.siguiente.codigo.empty())
      izquierda.push_back(medido(p.siguiente.texto + " " + CodigoEscrito(p.siguiente.codigo), letra));
    if (!p.resultado.empty()) derecha.push_back(medido(p.resultado, fuerte, p.acierto));
    for (const std::string& m : p.medidas) derecha.push_back(medido(m, letra));
    auto ancho = [&](const std::vector<Item>& items) {
      int total = 0;
      for (const Item& item : items) total += item.ancho + separacion;
      return total;
    };
    const int fin = fila.izquierda + fila.ancho;
    while (!izquierda.empty() && fila.izquierda + ancho(izquierda) - separacion > fin) izquierda.pop_back();
    int x = fila.izquierda;
    for (const Item& item : izquierda) {
      poner(item, x);
      x += item.ancho + separacion;
    }
    while (!derecha.empty() && x + ancho(derecha) - separacion > fin) derecha.pop_back();
    x = fin - (ancho(derecha) - separacion);
    for (const Item& item : derecha) {
      poner(item, x);
      x += item.ancho + separacion;
    }
  }

 private:
  void Agregar(Trazo::Forma forma, Rectangulo area, ColorSistema color) {
    area.ancho = std::min(area.ancho, ancho_ - area.izquierda);
    area.alto = std::min(area.alto, alto_ - area.arriba);
    if (area.ancho > 0 && area.alto > 0) trazos.push_back({forma, area, color, {}, {}});
  }
  int ancho_, alto_;
  const MedidaTexto& medir_;
  double px_;
};

}  // namespace

std::vector<Trazo> DibujarPad(const VistaPad& vista, int ancho, int alto, PartesPad partes, const MedidaTexto& medir,
                              double px, const LineaPractica* practica) {
  Lienzo lienzo(ancho, alto, medir, px);
  const int margen = std::max(static_cast<int>(std::lround(3 * px)), alto * 8 / 100);
  const int separacion = std::max(static_cast<int>(std::lround(px)), alto * 4 / 100);
  const int interior = ancho - 2 * margen;
  if (interior <= 0) return {};
  // Rows, top down: the code a third of the height or more, the meter, the chart.
  const Rectangulo codigo{margen, margen, interior, (alto + 2) / 3};
  const Rectangulo medidor{margen, codigo.arriba + codigo.alto + separacion, interior,
                           std::max(static_cast<int>(std::lround(3 * px)), alto * 18 / 100)};
  const int arribaTabla = medidor.arriba + medidor.alto + separacion;
  const Rectangulo tabla{margen, arribaTabla, interior, alto - margen - arribaTabla};
  // Paused, the pad says so whatever the parts shown, and the meter follows
  // the hold that will resume; a notice for the person shows the same way.
  if (!vista.pausa.empty() || !vista.aviso.empty()) {
    lienzo.Aviso(vista.aviso.empty() ? vista.pausa : vista.aviso, codigo);
    if (vista.medidor.activo) lienzo.Medidor(vista.medidor, medidor);
    return std::move(lienzo.trazos);
  }
  // With nothing pending, the suggestions stand where the code will; held
  // past the dash band, the press shows the word it will choose.
  const bool sugerencias =
      !vista.sugerencias.empty() && vista.codigo.empty() && (!vista.medidor.activo || vista.medidor.daPalabra);
  if (sugerencias) lienzo.Sugerencias(vista, codigo);
  if (partes.codigo) {
    if (!sugerencias) lienzo.Codigo(vista, codigo);
    if (vista.medidor.activo)
      lienzo.Medidor(vista.medidor, medidor);
    else if (vista.cuenta.activa)
      lienzo.Cuenta(vista.cuenta, medidor);
  }
  if (practica && vista.codigo.empty() && !vista.medidor.activo && !practica->siguiente.texto.empty())
    lienzo.Pista(practica->siguiente, codigo);
  if (tabla.alto > 0) {
    if (practica)
      lienzo.Practica(*practica, tabla);
    else if (partes.tabla)
      lienzo.Tabla(vista, tabla);
  }
  return std::move(lienzo.trazos);
}

}  // namespace kelu
