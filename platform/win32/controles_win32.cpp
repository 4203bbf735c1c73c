// The controls that have a window of their own (buttons, drop-down lists,
// check boxes, text boxes): creation, the model's changes, and the user's.
// Labels, frames and images are drawn by their window (dibujo_win32.cpp).
#include "platform/win32/interno_win32.h"

#include <commctrl.h>

#include <algorithm>

namespace kelu::win32 {

namespace {

constexpr int kEntradasVisibles = 12;  // rows of a drop-down list when open

// Every child tells its window when it takes the focus, whatever its kind.
LRESULT CALLBACK ProcesarHijo(HWND hijo, UINT mensaje, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR datos) {
  if (mensaje == WM_NCDESTROY) {
    RemoveWindowSubclass(hijo, ProcesarHijo, 1);
    return DefSubclassProc(hijo, mensaje, wp, lp);
  }
  const LRESULT resultado = DefSubclassProc(hijo, mensaje, wp, lp);
  auto* nc = reinterpret_cast<NativoControl*>(datos);
  if (mensaje == WM_SETFOCUS && !nc->ventana.destruyendo) {
    nc->ventana.focoGuardado = hijo;
    Atender("GotFocus", [&] { nc->ventana.ventana.FocoDelSistema(&nc->control); });
  }
  return resultado;
}

std::wstring TextoDe(HWND ventana) {
  std::wstring texto(static_cast<size_t>(GetWindowTextLengthW(ventana)) + 1, L'\0');
  texto.resize(static_cast<size_t>(GetWindowTextW(ventana, texto.data(), static_cast<int>(texto.size()))));
  return texto;
}

}  // namespace

NativoControl::~NativoControl() {
  // A control that goes before its window (a form's controls go before the
  // form) leaves its window nothing that points to it.
  if (ventana.destruyendo) return;
  if (hwnd) RemoveWindowSubclass(hwnd, ProcesarHijo, 1);
  std::erase(ventana.controles, this);
}

RECT NativoControl::Area() const { return ventana.PixelesDe(control.Posicion()); }

bool NativoControl::Enfocable() const {
  return hwnd && control.Enfocable() && control.Habilitado() && control.Visible();
}

void NativoControl::Crear() {
  const wchar_t* clase = nullptr;
  DWORD estilo = WS_CHILD | WS_TABSTOP;
  switch (control.Tipo()) {
    case TipoControl::Boton:
      clase = L"BUTTON";
      estilo |= BS_NOTIFY | (static_cast<Boton&>(control).predeterminado ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
      break;
    case TipoControl::Combo:
      clase = L"COMBOBOX";
      estilo |= CBS_DROPDOWNLIST | WS_VSCROLL;
      break;
    case TipoControl::Casilla:
      clase = L"BUTTON";
      estilo |= BS_AUTOCHECKBOX;
      break;
    case TipoControl::CajaTexto:
      clase = L"EDIT";
      estilo |= WS_BORDER | ES_AUTOHSCROLL | (static_cast<CajaTexto&>(control).soloLectura ? ES_READONLY : 0);
      break;
    default:  // windowless: drawn by the window
      pintada = Area();
      ventana.Invalidar(pintada);
      return;
  }
  if (control.Visible()) estilo |= WS_VISIBLE;
  if (!control.Habilitado()) estilo |= WS_DISABLED;
  const RECT r = Area();
  const std::wstring texto = control.Tipo() == TipoControl::Combo ? std::wstring() : Ancho(control.Texto());
  aplicando = true;
  hwnd = CreateWindowExW(0, clase, texto.c_str(), estilo, r.left, r.top, r.right - r.left, r.bottom - r.top,
                         ventana.hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ventana.estado.instancia,
                         nullptr);
  aplicando = false;
  if (!hwnd) return;
  SetWindowSubclass(hwnd, ProcesarHijo, 1, reinterpret_cast<DWORD_PTR>(this));
  AplicarFuente();
  switch (control.Tipo()) {
    case TipoControl::Combo:
      SendMessageW(hwnd, CB_SETMINVISIBLE, kEntradasVisibles, 0);
      ReponerLista();
      Colocar();  // room for the open list, now that the font sets the rows' height
      break;
    case TipoControl::Casilla:
      Cambio(Propiedad::Valor);
      break;
    default:
      break;
  }
}

void NativoControl::AplicarFuente() {
  if (hwnd)
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(ventana.estado.fuentes.Obtener(control.Letra(), ventana.dpi)),
                 TRUE);
}

void NativoControl::Colocar() {
  if (!hwnd) {
    AreaCambiada();
    return;
  }
  const RECT r = Area();
  int alto = r.bottom - r.top;
  if (control.Tipo() == TipoControl::Combo) {
    // The model's height is the closed box; the window's includes the list.
    const int fila = static_cast<int>(SendMessageW(hwnd, CB_GETITEMHEIGHT, 0, 0));
    alto += kEntradasVisibles * (fila > 0 ? fila : alto) + 2;
  }
  SetWindowPos(hwnd, nullptr, r.left, r.top, r.right - r.left, alto, SWP_NOZORDER | SWP_NOACTIVATE);
}

void NativoControl::AreaCambiada() {
  ventana.Invalidar(pintada);
  pintada = Area();
  ventana.Invalidar(pintada);
}

void NativoControl::ReponerLista() {
  auto& combo = static_cast<Combo&>(control);
  SendMessageW(hwnd, WM_SETREDRAW, FALSE, 0);
  SendMessageW(hwnd, CB_RESETCONTENT, 0, 0);
  for (int i = 0; i < combo.Cantidad(); ++i)
    SendMessageW(hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Ancho(combo.Entrada(i)).c_str()));
  SendMessageW(hwnd, CB_SETCURSEL, static_cast<WPARAM>(combo.Seleccion()), 0);
  SendMessageW(hwnd, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(hwnd, nullptr, TRUE);
}

void NativoControl::Cambio(Propiedad propiedad) noexcept {
  if (ventana.destruyendo) return;
  switch (propiedad) {
    case Propiedad::Texto:
      if (hwnd) {
        if (control.Tipo() == TipoControl::Combo) break;
        aplicando = true;
        SetWindowTextW(hwnd, Ancho(control.Texto()).c_str());
        aplicando = false;
      } else {
        AjustarAlTexto();
        ventana.Invalidar(Area());
      }
      break;
    case Propiedad::Posicion:
      Colocar();
      break;
    // Repainted over its own ground, unerased: the pad changes many times
    // a second while the button is held.
    case Propiedad::Dibujo:
      conDibujo = true;
      if (!hwnd && ventana.hwnd && !IsRectEmpty(&pintada)) InvalidateRect(ventana.hwnd, &pintada, FALSE);
      break;
    case Propiedad::Habilitado:
    case Propiedad::Visible: {
      if (!hwnd) {
        AreaCambiada();
        break;
      }
      const bool teniaFoco = GetFocus() == hwnd;
      if (propiedad == Propiedad::Habilitado)
        EnableWindow(hwnd, control.Habilitado());
      else
        ShowWindow(hwnd, control.Visible() ? SW_SHOWNA : SW_HIDE);
      // A control that can no longer hold the focus passes it on, or the
      // keyboard would be left with nowhere to go.
      if (teniaFoco && !Enfocable()) {
        HWND siguiente = GetNextDlgTabItem(ventana.hwnd, hwnd, FALSE);
        SetFocus(siguiente && siguiente != hwnd ? siguiente : ventana.hwnd);
      }
      break;
    }
    case Propiedad::Lista:
      if (hwnd && control.Tipo() == TipoControl::Combo) ReponerLista();
      break;
    case Propiedad::Seleccion:
      if (!hwnd) break;
      if (control.Tipo() == TipoControl::Combo) {
        SendMessageW(hwnd, CB_SETCURSEL, static_cast<WPARAM>(static_cast<Combo&>(control).Seleccion()), 0);
      } else if (control.Tipo() == TipoControl::CajaTexto) {
        // The model counts bytes of UTF-8; the box counts UTF-16 units.
        auto& caja = static_cast<CajaTexto&>(control);
        const std::string& texto = caja.Texto();
        auto unidades = [&](int bytes) {
          const size_t n = static_cast<size_t>(std::max(bytes, 0));
          return static_cast<LPARAM>(UnidadesUtf16(std::string_view(texto).substr(0, std::min(n, texto.size()))));
        };
        SendMessageW(hwnd, EM_SETSEL, static_cast<WPARAM>(unidades(caja.inicioSeleccion)),
                     unidades(caja.inicioSeleccion + caja.largoSeleccion));
      }
      break;
    case Propiedad::Valor:
      if (hwnd && control.Tipo() == TipoControl::Casilla)
        SendMessageW(hwnd, BM_SETCHECK, static_cast<Casilla&>(control).Marcada() ? BST_CHECKED : BST_UNCHECKED, 0);
      break;
    case Propiedad::Estado:
      break;
  }
}

void NativoControl::Comando(WORD codigo) {
  switch (control.Tipo()) {
    case TipoControl::Boton:
      // With BS_NOTIFY a quick second click arrives as a double-click; it is
      // a click all the same.
      if ((codigo == BN_CLICKED || codigo == BN_DOUBLECLICKED) && control.Click) control.Click();
      break;
    case TipoControl::Casilla:
      if (codigo == BN_CLICKED) {
        const bool marcada = SendMessageW(hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
        static_cast<Casilla&>(control).SetMarcada(marcada);
      }
      break;
    case TipoControl::Combo:
      if (codigo == CBN_SELCHANGE) {
        const int i = static_cast<int>(SendMessageW(hwnd, CB_GETCURSEL, 0, 0));
        static_cast<Combo&>(control).SetSeleccion(i);
      }
      // Sent before the list shows, so entries set now are what opens:
      // https://learn.microsoft.com/windows/win32/controls/cbn-dropdown
      if (auto& combo = static_cast<Combo&>(control); codigo == CBN_DROPDOWN && combo.DropDown)
        combo.DropDown();
      break;
    case TipoControl::CajaTexto:
      if (codigo == EN_CHANGE && !aplicando) {
        std::string texto = Estrecho(TextoDe(hwnd));
        control.TextoDelUsuario(std::move(texto));
      }
      break;
    default:
      break;
  }
}

}  // namespace kelu::win32
