// Pictures from the program's resources, by number: a bitmap, or a GIF or
// PNG file kept whole (resource type GIF, PNG or RCDATA), decoded by GDI+.
#include <algorithm>

#include "platform/win32/interno_win32.h"

// GDI+'s headers use min and max unqualified; NOMINMAX removes the macros.
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <objidl.h>
#include <gdiplus.h>
#include <shlwapi.h>

namespace kelu::win32 {

namespace {

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

// The resource's bytes as a stream, for GDI+; null when it has none of these types.
IStream* FlujoDeRecurso(HINSTANCE instancia, int recurso) {
  const wchar_t* const tipos[] = {L"GIF", L"PNG", MAKEINTRESOURCEW(10)};  // 10: RT_RCDATA
  for (const wchar_t* tipo : tipos) {
    HRSRC hallado = FindResourceW(instancia, MAKEINTRESOURCEW(recurso), tipo);
    if (!hallado) continue;
    HGLOBAL cargado = LoadResource(instancia, hallado);
    const void* datos = cargado ? LockResource(cargado) : nullptr;
    const DWORD largo = SizeofResource(instancia, hallado);
    if (datos && largo) return SHCreateMemStream(static_cast<const BYTE*>(datos), largo);
  }
  return nullptr;
}

}  // namespace

Imagenes::~Imagenes() {
  for (auto& [recurso, cuadro] : cache_) {
    if (cuadro.mapa) DeleteObject(cuadro.mapa);
    if (cuadro.imagen) GdipDisposeImage(static_cast<GpImage*>(cuadro.imagen));
    if (cuadro.flujo) static_cast<IStream*>(cuadro.flujo)->Release();
  }
  if (gdiplus_) GdiplusShutdown(gdiplus_);
}

const Imagenes::Cuadro& Imagenes::Cargar(int recurso) {
  if (auto it = cache_.find(recurso); it != cache_.end()) return it->second;
  Cuadro& cuadro = cache_[recurso];
  cuadro.mapa = static_cast<HBITMAP>(
      LoadImageW(instancia_, MAKEINTRESOURCEW(recurso), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (cuadro.mapa) return cuadro;
  IStream* flujo = FlujoDeRecurso(instancia_, recurso);
  if (!flujo) return cuadro;
  if (!gdiplusIntentado_) {  // started only for a program that has such a picture
    gdiplusIntentado_ = true;
    GdiplusStartupInput entrada;
    if (GdiplusStartup(&gdiplus_, &entrada, nullptr) != Ok) gdiplus_ = 0;
  }
  GpImage* imagen = nullptr;
  if (gdiplus_ && GdipLoadImageFromStream(flujo, &imagen) == Ok) {
    cuadro.imagen = imagen;
    cuadro.flujo = flujo;
  } else {
    flujo->Release();
  }
  return cuadro;
}

void Imagenes::Dibujar(HDC dc, int recurso, const RECT& destino) {
  const Cuadro& cuadro = Cargar(recurso);
  const int ancho = destino.right - destino.left, alto = destino.bottom - destino.top;
  if (ancho <= 0 || alto <= 0) return;
  if (cuadro.mapa) {
    BITMAP info{};
    GetObjectW(cuadro.mapa, sizeof info, &info);
    HDC memoria = CreateCompatibleDC(dc);
    HGDIOBJ antes = SelectObject(memoria, cuadro.mapa);
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchBlt(dc, destino.left, destino.top, ancho, alto, memoria, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
    SelectObject(memoria, antes);
    DeleteDC(memoria);
  } else if (cuadro.imagen) {
    GpGraphics* grafico = nullptr;
    if (GdipCreateFromHDC(dc, &grafico) != Ok) return;
    GdipSetInterpolationMode(grafico, InterpolationModeHighQualityBicubic);
    GdipDrawImageRectI(grafico, static_cast<GpImage*>(cuadro.imagen), destino.left, destino.top, ancho, alto);
    GdipDeleteGraphics(grafico);
  }
}

}  // namespace kelu::win32
