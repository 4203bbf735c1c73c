// Files of the Windows build: paths arrive as UTF-8 and cross as UTF-16.
#include <windows.h>

#include <algorithm>
#include <string>

#include "platform/archivos.h"
#include "platform/utf16.h"

namespace kelu {
namespace {

// A path of MAX_PATH or more only opens with the prefix that lifts the limit;
// it is added only to full paths, which it leaves otherwise unchanged.
std::wstring RutaNativa(const std::string& ruta) {
  std::wstring nativa = Utf8AUtf16<wchar_t>(ruta);
  if (nativa.size() < MAX_PATH) return nativa;
  for (wchar_t& c : nativa)
    if (c == L'/') c = L'\\';
  if (nativa.size() > 2 && nativa[1] == L':' && nativa[2] == L'\\') return L"\\\\?\\" + nativa;
  if (nativa.rfind(L"\\\\", 0) == 0 && nativa.rfind(L"\\\\?\\", 0) != 0) return L"\\\\?\\UNC\\" + nativa.substr(2);
  return nativa;
}

class Manija {
 public:
  explicit Manija(HANDLE h) : h_(h) {}
  Manija(const Manija&) = delete;
  Manija& operator=(const Manija&) = delete;
  ~Manija() { Cerrar(); }
  bool Valida() const { return h_ != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return h_; }
  bool Cerrar() {
    if (!Valida()) return true;
    const bool bien = CloseHandle(h_) != FALSE;
    h_ = INVALID_HANDLE_VALUE;
    return bien;
  }

 private:
  HANDLE h_;
};

HANDLE AbrirLectura(const std::string& ruta) {
  // Others may read the file meanwhile; nobody may write it.
  return CreateFileW(RutaNativa(ruta).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

class ArchivosWin32 final : public Archivos {
 public:
  std::optional<std::string> Leer(const std::string& ruta) const override {
    Manija f(AbrirLectura(ruta));
    if (!f.Valida()) return std::nullopt;
    std::string bytes;
    char bloque[65536];
    for (;;) {
      DWORD leidos = 0;
      if (!ReadFile(f.Get(), bloque, sizeof bloque, &leidos, nullptr)) return std::nullopt;
      if (leidos == 0) return bytes;
      bytes.append(bloque, leidos);
    }
  }

  bool Abrible(const std::string& ruta) const override { return Manija(AbrirLectura(ruta)).Valida(); }

  bool Existe(const std::string& ruta) const override {
    const DWORD atributos = GetFileAttributesW(RutaNativa(ruta).c_str());
    return atributos != INVALID_FILE_ATTRIBUTES && !(atributos & FILE_ATTRIBUTE_DIRECTORY);
  }

  bool Escribir(const std::string& ruta, std::string_view bytes) override {
    Manija f(CreateFileW(RutaNativa(ruta).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                         nullptr));
    if (!f.Valida()) return false;
    while (!bytes.empty()) {
      const DWORD parte = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 30));
      DWORD escritos = 0;
      if (!WriteFile(f.Get(), bytes.data(), parte, &escritos, nullptr) || escritos == 0) return false;
      bytes.remove_prefix(escritos);
    }
    // On the disk before it replaces the earlier file.
    const bool enDisco = FlushFileBuffers(f.Get()) != FALSE;
    return f.Cerrar() && enDisco;
  }

  // A virus scanner, an indexer or a sync client may hold the file being
  // replaced for a moment after it was written; the move then fails with a
  // sharing violation or access denied, and succeeds a little later:
  // https://learn.microsoft.com/windows/win32/api/winbase/nf-winbase-movefileexw
  // A few short tries, only here: a write that fails is not held, it fails.
  bool Reemplazar(const std::string& desde, const std::string& hasta) override {
    const std::wstring origen = RutaNativa(desde), destino = RutaNativa(hasta);
    constexpr int kIntentos = 5;
    constexpr DWORD kPausaMs = 100;
    for (int intento = 1;; ++intento) {
      if (MoveFileExW(origen.c_str(), destino.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
      const DWORD error = GetLastError();
      if (intento == kIntentos || (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED)) return false;
      Sleep(kPausaMs);
    }
  }

  void Borrar(const std::string& ruta) override { DeleteFileW(RutaNativa(ruta).c_str()); }

  bool CrearCarpeta(const std::string& ruta) override {
    const std::wstring nativa = RutaNativa(ruta);
    if (CreateDirectoryW(nativa.c_str(), nullptr)) return true;
    const DWORD atributos = GetFileAttributesW(nativa.c_str());
    return atributos != INVALID_FILE_ATTRIBUTES && (atributos & FILE_ATTRIBUTE_DIRECTORY);
  }
};

}  // namespace

Archivos& ArchivosDelSistema() {
  static ArchivosWin32 archivos;
  return archivos;
}

}  // namespace kelu
