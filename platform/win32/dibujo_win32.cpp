// Labels, frames and images have no window of their own: their window draws
// them, so that a press on them reaches it (the keying pad is a label).
#include <algorithm>
#include <string>
#include <vector>

#include "platform/capas.h"
#include "platform/win32/interno_win32.h"
#include "platform/win32/toolkit_win32.h"

namespace kelu::win32 {

namespace {

Rectangulo ComoRectangulo(const RECT& r) { return Rectangulo{r.left, r.top, r.right - r.left, r.bottom - r.top}; }

UINT FormatoDe(const Etiqueta& etiqueta) {
  const UINT alineado = etiqueta.alineacion == Alineacion::Derecha ? DT_RIGHT
                        : etiqueta.alineacion == Alineacion::Centro ? DT_CENTER
                                                                    : DT_LEFT;
  // One line when it sizes itself to its text; otherwise it wraps at words.
  return alineado | (etiqueta.ajustarAlTexto ? DT_SINGLELINE : DT_WORDBREAK);
}

// A flat one-pixel line inside the area, as on the keying pad.
void Borde(HDC dc, RECT& area, const Estado& estado) {
  FrameRect(dc, &area, PincelDe(estado.Colores(ParteFormulario::Borde).texto));
  InflateRect(&area, -1, -1);
}

}  // namespace

void NativoVentana::Pintar() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  std::vector<NativoControl*> sinVentana;
  std::vector<Rectangulo> areas;
  for (NativoControl* c : controles)
    if (!c->hwnd && c->control.Visible()) {
      sinVentana.push_back(c);
      areas.push_back(ComoRectangulo(c->Area()));
    }
  for (size_t k : OrdenDeDibujo(areas)) {
    RECT area = sinVentana[k]->Area(), comun;
    if (IntersectRect(&comun, &area, &ps.rcPaint))
      sinVentana[k]->Dibujar(dc);
    else
      sinVentana[k]->pintada = area;
  }
  EndPaint(hwnd, &ps);
}

NativoControl* NativoVentana::SinVentanaEn(POINT p) const {
  // Disabled labels let presses through to the window, as hidden ones do.
  std::vector<NativoControl*> sinVentana;
  std::vector<Rectangulo> areas;
  for (NativoControl* c : controles)
    if (!c->hwnd && c->control.Visible() && c->control.Habilitado()) {
      sinVentana.push_back(c);
      areas.push_back(ComoRectangulo(c->Area()));
    }
  const int k = AreaEn(areas, OrdenDeDibujo(areas), p.x, p.y);
  return k < 0 ? nullptr : sinVentana[static_cast<size_t>(k)];
}

void NativoControl::Dibujar(HDC dc) {
  RECT area = Area();
  pintada = area;
  if (conDibujo) {
    DibujarTrazos(dc, area);
    return;
  }
  switch (control.Tipo()) {
    case TipoControl::Imagen:
      ventana.estado.imagenes.Dibujar(dc, static_cast<Imagen&>(control).recurso, area);
      return;
    case TipoControl::Marco:
      Borde(dc, area, ventana.estado);
      break;
    case TipoControl::Etiqueta:
      if (static_cast<Etiqueta&>(control).borde) Borde(dc, area, ventana.estado);
      break;
    default:
      return;
  }
  if (control.Texto().empty()) return;
  const std::wstring texto = Ancho(control.Texto());
  HGDIOBJ antes = SelectObject(dc, ventana.estado.fuentes.Obtener(control.Letra(), ventana.dpi));
  SetBkMode(dc, TRANSPARENT);
  const ParteFormulario parte = control.Habilitado() ? ParteFormulario::Fondo : ParteFormulario::EtiquetaInactiva;
  SetTextColor(dc, ColorDe(ventana.estado.Colores(parte).texto));
  const UINT formato = control.Tipo() == TipoControl::Etiqueta ? FormatoDe(static_cast<Etiqueta&>(control)) : DT_LEFT;
  DrawTextW(dc, texto.c_str(), static_cast<int>(texto.size()), &area, formato);
  SelectObject(dc, antes);
}

// Ground, border and marks go to a bitmap first and reach the screen in one
// copy, so nothing flickers at the pad's rate of change.
void NativoControl::DibujarTrazos(HDC dc, const RECT& area) {
  const int ancho = area.right - area.left, alto = area.bottom - area.top;
  if (ancho <= 0 || alto <= 0) return;
  HDC memoria = CreateCompatibleDC(dc);
  HBITMAP mapa = memoria ? CreateCompatibleBitmap(dc, ancho, alto) : nullptr;
  HDC destino = mapa ? memoria : dc;
  HGDIOBJ mapaAntes = mapa ? SelectObject(memoria, mapa) : nullptr;
  const int dx = mapa ? area.left : 0, dy = mapa ? area.top : 0;
  RECT local{area.left - dx, area.top - dy, area.right - dx, area.bottom - dy};
  const Estado& e = ventana.estado;
  FillRect(destino, &local, PincelDe(e.Colores(ParteFormulario::Fondo).fondo));
  if (static_cast<Etiqueta&>(control).borde) {
    RECT linea = local;
    Borde(destino, linea, e);
  }
  SetBkMode(destino, TRANSPARENT);
  HGDIOBJ plumaAntes = SelectObject(destino, GetStockObject(NULL_PEN));
  for (const Trazo& t : static_cast<Etiqueta&>(control).Dibujo()) {
    RECT r{local.left + ventana.Px(t.area.izquierda), local.top + ventana.Px(t.area.arriba), 0, 0};
    r.right = r.left + std::max(1, ventana.Px(t.area.ancho));
    r.bottom = r.top + std::max(1, ventana.Px(t.area.alto));
    switch (t.forma) {
      case Trazo::Forma::Relleno:
        FillRect(destino, &r, PincelDe(t.color));
        break;
      case Trazo::Forma::Marco:
        FrameRect(destino, &r, PincelDe(t.color));
        break;
      case Trazo::Forma::Elipse: {
        HGDIOBJ antes = SelectObject(destino, PincelDe(t.color));
        Ellipse(destino, r.left, r.top, r.right + 1, r.bottom + 1);  // the null pen draws one pixel short
        SelectObject(destino, antes);
        break;
      }
      case Trazo::Forma::Texto: {
        const std::wstring texto = Ancho(t.texto);
        HGDIOBJ antes = SelectObject(destino, ventana.estado.fuentes.Obtener(t.fuente, ventana.dpi));
        SetTextColor(destino, ColorDe(t.color));
        DrawTextW(destino, texto.c_str(), static_cast<int>(texto.size()), &r,
                  DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
        SelectObject(destino, antes);
        break;
      }
    }
  }
  SelectObject(destino, plumaAntes);
  if (mapa) {
    BitBlt(dc, area.left, area.top, ancho, alto, memoria, 0, 0, SRCCOPY);
    SelectObject(memoria, mapaAntes);
    DeleteObject(mapa);
  }
  if (memoria) DeleteDC(memoria);
}

void NativoControl::AjustarAlTexto() {
  if (control.Tipo() != TipoControl::Etiqueta || !static_cast<Etiqueta&>(control).ajustarAlTexto) return;
  auto& etiqueta = static_cast<Etiqueta&>(control);
  const std::wstring texto = Ancho(control.Texto());
  HDC dc = GetDC(ventana.hwnd);
  if (!dc) return;
  HGDIOBJ antes = SelectObject(dc, ventana.estado.fuentes.Obtener(control.Letra(), ventana.dpi));
  RECT medida{0, 0, 0, 0};
  DrawTextW(dc, texto.c_str(), static_cast<int>(texto.size()), &medida, DT_CALCRECT | FormatoDe(etiqueta));
  SelectObject(dc, antes);
  ReleaseDC(ventana.hwnd, dc);
  const int bordes = etiqueta.borde ? 2 : 0;
  const Rectangulo nuevo = kelu::AjustarAlTexto(control.Posicion(), ventana.Tw(medida.right + bordes),
                                                ventana.Tw(medida.bottom + bordes), etiqueta.alineacion);
  control.SetPosicion(nuevo);
}

}  // namespace kelu::win32

namespace kelu {

int ToolkitWin32::AnchoTexto(const Ventana& ventana, const std::string& texto, const Fuente& fuente) noexcept {
  const win32::NativoVentana* nv = win32::NativoDe(ventana);
  if (!nv || !nv->hwnd) return 0;
  HDC dc = GetDC(nv->hwnd);
  if (!dc) return 0;
  HGDIOBJ antes = SelectObject(dc, nv->estado.fuentes.Obtener(fuente, nv->dpi));
  const std::wstring ancho = win32::Ancho(texto);
  SIZE medida{0, 0};
  GetTextExtentPoint32W(dc, ancho.c_str(), static_cast<int>(ancho.size()), &medida);
  SelectObject(dc, antes);
  ReleaseDC(nv->hwnd, dc);
  return nv->Tw(medida.cx);
}

}  // namespace kelu
