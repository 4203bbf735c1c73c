// Pictures from the program's resources, by number: bitmaps, drawn
// stretched with halftoning so the logo stays smooth at any size.
#include "platform/win32/interno_win32.h"

namespace kelu::win32 {

Imagenes::~Imagenes() {
  for (auto& [recurso, mapa] : cache_)
    if (mapa) DeleteObject(mapa);
}

HBITMAP Imagenes::Cargar(int recurso) {
  if (auto it = cache_.find(recurso); it != cache_.end()) return it->second;
  HBITMAP mapa = static_cast<HBITMAP>(
      LoadImageW(instancia_, MAKEINTRESOURCEW(recurso), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  cache_[recurso] = mapa;  // also a missing one, so it is looked for once
  return mapa;
}

void Imagenes::Dibujar(HDC dc, int recurso, const RECT& destino) {
  HBITMAP mapa = Cargar(recurso);
  const int ancho = destino.right - destino.left, alto = destino.bottom - destino.top;
  if (!mapa || ancho <= 0 || alto <= 0) return;
  BITMAP info{};
  GetObjectW(mapa, sizeof info, &info);
  HDC memoria = CreateCompatibleDC(dc);
  HGDIOBJ antes = SelectObject(memoria, mapa);
  SetStretchBltMode(dc, HALFTONE);
  SetBrushOrgEx(dc, 0, 0, nullptr);
  StretchBlt(dc, destino.left, destino.top, ancho, alto, memoria, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
  SelectObject(memoria, antes);
  DeleteDC(memoria);
}

}  // namespace kelu::win32
