// Starting KELU when the person signs in: a shortcut named "KELU.lnk" in
// their own Startup folder, the same one the installer makes. No registry.
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <string>

#include "platform/win32/interno_win32.h"
#include "platform/win32/toolkit_win32.h"

namespace kelu {
namespace {

constexpr wchar_t kNombreAcceso[] = L"\\KELU.lnk";

// The shell's link object and the interfaces used on it, written out so
// that no uuid library is needed:
// https://learn.microsoft.com/windows/win32/shell/links
constexpr GUID kClaseAccesoDirecto = {0x00021401, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr GUID kInterfazAcceso = {0x000214F9, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr GUID kInterfazArchivo = {0x0000010B, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

// The shortcut's full path; empty when the system names no Startup folder.
std::wstring RutaAcceso() {
  wchar_t carpeta[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_STARTUP, nullptr, SHGFP_TYPE_CURRENT, carpeta))) return {};
  std::wstring ruta(carpeta);
  while (!ruta.empty() && ruta.back() == L'\\') ruta.pop_back();
  return ruta.empty() ? ruta : ruta + kNombreAcceso;
}

std::wstring EjecutablePropio() {
  std::wstring ruta(32768, L'\0');
  const DWORD n = GetModuleFileNameW(nullptr, ruta.data(), static_cast<DWORD>(ruta.size()));
  ruta.resize(n < ruta.size() ? n : 0);
  return ruta;
}

// CoCreateInstance from ole32, loaded only when a shortcut is made (as for
// the shell's documents, not at every start), on a thread with COM set up.
using CrearInstancia = HRESULT(WINAPI*)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*);
CrearInstancia CrearInstanciaCom() {
  static const CrearInstancia crear = []() -> CrearInstancia {
    HMODULE ole32 = LoadLibraryExW(L"ole32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!ole32) return nullptr;
    using Inicializar = HRESULT(WINAPI*)(LPVOID, DWORD);
    auto inicializar =
        reinterpret_cast<Inicializar>(reinterpret_cast<void (*)()>(GetProcAddress(ole32, "CoInitializeEx")));
    if (!inicializar || FAILED(inicializar(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) return nullptr;
    return reinterpret_cast<CrearInstancia>(reinterpret_cast<void (*)()>(GetProcAddress(ole32, "CoCreateInstance")));
  }();
  return crear;
}

bool CrearAcceso(const std::wstring& ruta, const std::wstring& ejecutable) {
  const CrearInstancia crear = CrearInstanciaCom();
  if (!crear || ejecutable.empty()) return false;
  IShellLinkW* acceso = nullptr;
  if (FAILED(crear(kClaseAccesoDirecto, nullptr, CLSCTX_INPROC_SERVER, kInterfazAcceso,
                   reinterpret_cast<void**>(&acceso))))
    return false;
  const std::wstring carpeta = ejecutable.substr(0, ejecutable.find_last_of(L'\\'));
  bool hecho = SUCCEEDED(acceso->SetPath(ejecutable.c_str())) &&
               SUCCEEDED(acceso->SetWorkingDirectory(carpeta.c_str()));
  IPersistFile* archivo = nullptr;
  if (hecho && SUCCEEDED(acceso->QueryInterface(kInterfazArchivo, reinterpret_cast<void**>(&archivo)))) {
    hecho = SUCCEEDED(archivo->Save(ruta.c_str(), TRUE));
    archivo->Release();
  } else {
    hecho = false;
  }
  acceso->Release();
  return hecho;
}

}  // namespace

bool ToolkitWin32::InicioAlEntrar() noexcept {
  const std::wstring ruta = RutaAcceso();
  return !ruta.empty() && GetFileAttributesW(ruta.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool ToolkitWin32::PonerInicioAlEntrar(bool poner) noexcept {
  const std::wstring ruta = RutaAcceso();
  if (ruta.empty()) return false;
  if (poner) return CrearAcceso(ruta, EjecutablePropio());
  return DeleteFileW(ruta.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND;
}

}  // namespace kelu
