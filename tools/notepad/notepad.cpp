// The small text editor that ships beside kelu.exe as notepad.exe, so that
// KELU can open its own text files wherever it runs. One EDIT control does
// the editing; this file only loads, saves and asks before losing changes.
#include <windows.h>
#include <commdlg.h>

#include <iterator>
#include <string>
#include <string_view>

#include "platform/archivos.h"
#include "platform/utf16.h"
#include "platform/win32/ansi_win32.h"
#include "tools/notepad/texto_editor.h"

namespace {

using namespace kelu::editor;

enum : WORD { kGuardar = 100, kSalir, kDeshacer, kSeleccionarTodo };

constexpr wchar_t kClase[] = L"KeluBlocDeNotas";
constexpr wchar_t kPrograma[] = L"Bloc de notas";
// Files beyond this are not text a person edits here; the EDIT control
// would choke on them anyway.
constexpr LONGLONG kMayorArchivo = 256LL << 20;

HWND g_ventana = nullptr;
HWND g_texto = nullptr;
HFONT g_fuente = nullptr;
std::wstring g_ruta;  // full path; empty while untitled
bool g_utf8 = false;   // the file began with a UTF-8 byte-order mark

std::wstring Ancho(std::string_view utf8) { return kelu::Utf8AUtf16<wchar_t>(utf8); }
std::string Utf8(std::wstring_view texto) { return kelu::Utf16AUtf8(texto); }

std::wstring Nombre() {
  return g_ruta.empty() ? L"Sin título" : Ancho(NombreDeArchivo(Utf8(g_ruta)));
}

std::wstring MensajeDeError(DWORD error) {
  wchar_t* texto = nullptr;
  const DWORD n = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
      error, 0, reinterpret_cast<wchar_t*>(&texto), 0, nullptr);
  std::wstring salida = n ? std::wstring(texto, n) : L"Error " + std::to_wstring(error) + L".";
  LocalFree(texto);
  while (!salida.empty() && (salida.back() == L'\n' || salida.back() == L'\r')) salida.pop_back();
  return salida;
}

void AvisarError(const std::wstring& que, DWORD error) {
  MessageBoxW(g_ventana, (que + L"\n\n" + MensajeDeError(error)).c_str(), kPrograma, MB_OK | MB_ICONERROR);
}

// Windows 10's per-window DPI where there is one; the screen's before it.
UINT DpiDe(HWND ventana) {
  using GetDpiForWindowF = UINT(WINAPI*)(HWND);
  static const auto por_ventana = reinterpret_cast<GetDpiForWindowF>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (por_ventana) {
    if (const UINT dpi = por_ventana(ventana)) return dpi;
  }
  HDC pantalla = GetDC(nullptr);
  const int dpi = GetDeviceCaps(pantalla, LOGPIXELSY);
  ReleaseDC(nullptr, pantalla);
  return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

void PonerFuente(UINT dpi) {
  HFONT nueva = CreateFontW(-MulDiv(10, static_cast<int>(dpi), 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                            DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                            FIXED_PITCH | FF_MODERN, L"Consolas");
  if (!nueva) return;
  SendMessageW(g_texto, WM_SETFONT, reinterpret_cast<WPARAM>(nueva), TRUE);
  if (g_fuente) DeleteObject(g_fuente);
  g_fuente = nueva;
}

void PonerTitulo() { SetWindowTextW(g_ventana, Ancho(TituloDeVentana(Utf8(g_ruta))).c_str()); }

// The file's ANSI bytes; false with the system's error when it cannot be read.
bool LeerBytes(const std::wstring& ruta, std::string& bytes, DWORD& error) {
  HANDLE archivo = CreateFileW(ruta.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (archivo == INVALID_HANDLE_VALUE) {
    error = GetLastError();
    return false;
  }
  LARGE_INTEGER largo{};
  bool bien = GetFileSizeEx(archivo, &largo) != 0;
  if (bien && largo.QuadPart > kMayorArchivo) {
    SetLastError(ERROR_FILE_TOO_LARGE);
    bien = false;
  }
  if (bien) {
    bytes.resize(static_cast<size_t>(largo.QuadPart));
    DWORD leidos = 0;
    bien = bytes.empty() || ReadFile(archivo, bytes.data(), static_cast<DWORD>(bytes.size()), &leidos, nullptr);
    bytes.resize(leidos);
  }
  error = bien ? ERROR_SUCCESS : GetLastError();
  CloseHandle(archivo);
  return bien;
}

// A temporary file beside the target, then one replace, so that a failure
// half way never leaves the file cut short.
bool EscribirBytes(const std::wstring& ruta, const std::string& bytes, DWORD& error) {
  const size_t barra = ruta.find_last_of(L"\\/");
  const std::wstring carpeta = barra == std::wstring::npos ? L"." : ruta.substr(0, barra + 1);
  wchar_t temporal[MAX_PATH];
  if (!GetTempFileNameW(carpeta.c_str(), L"kel", 0, temporal)) {
    error = GetLastError();
    return false;
  }
  HANDLE archivo =
      CreateFileW(temporal, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  bool bien = archivo != INVALID_HANDLE_VALUE;
  if (bien) {
    DWORD escritos = 0;
    bien = (bytes.empty() ||
            (WriteFile(archivo, bytes.data(), static_cast<DWORD>(bytes.size()), &escritos, nullptr) &&
             escritos == bytes.size())) &&
           FlushFileBuffers(archivo);
    error = GetLastError();
    CloseHandle(archivo);
  } else {
    error = GetLastError();
  }
  if (bien) {
    bien = MoveFileExW(temporal, ruta.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    if (!bien) error = GetLastError();
  }
  if (!bien) DeleteFileW(temporal);
  return bien;
}

bool Abrir(const std::wstring& ruta) {
  std::string bytes;
  DWORD error = ERROR_SUCCESS;
  if (!LeerBytes(ruta, bytes, error)) {
    // A file that is not there yet is made by the first save.
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return true;
    AvisarError(L"No se puede abrir «" + Nombre() + L"».", error);
    return false;
  }
  bytes = ConFinesCrLf(bytes);
  // KELU's rule for its text files: UTF-8 behind a byte-order mark, else
  // the ANSI code page. A UTF-8 file is saved as UTF-8 again.
  const kelu::TextoDeArchivo archivo = kelu::DecodificacionDe(bytes);
  g_utf8 = !archivo.ansi;
  const std::wstring texto = g_utf8 ? Ancho(archivo.texto) : kelu::AnsiAUtf16(archivo.texto);
  SetWindowTextW(g_texto, texto.c_str());
  return true;
}

bool ElegirRuta() {
  wchar_t ruta[MAX_PATH] = L"";
  OPENFILENAMEW datos{};
  datos.lStructSize = sizeof datos;
  datos.hwndOwner = g_ventana;
  datos.lpstrFilter = L"Archivos de texto (*.txt)\0*.txt\0Todos los archivos (*.*)\0*.*\0";
  datos.lpstrFile = ruta;
  datos.nMaxFile = MAX_PATH;
  datos.lpstrDefExt = L"txt";
  datos.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
  if (!GetSaveFileNameW(&datos)) return false;
  g_ruta = ruta;
  return true;
}

bool Guardar() {
  if (g_ruta.empty() && !ElegirRuta()) return false;
  std::wstring texto(GetWindowTextLengthW(g_texto) + 1, L'\0');
  texto.resize(GetWindowTextW(g_texto, texto.data(), static_cast<int>(texto.size())));
  std::string bytes;
  if (g_utf8) {
    bytes = std::string(kelu::kMarcaUtf8) + Utf8(texto);
  } else if (!texto.empty()) {
    bool perdidos = false;
    bytes = kelu::Utf16AAnsi(texto, &perdidos);
    if (perdidos &&
        MessageBoxW(g_ventana,
                    L"Algunos caracteres no caben en la codificación ANSI de este equipo y se perderán.\n\n"
                    L"¿Guardar de todos modos?",
                    kPrograma, MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) != IDYES) {
      return false;
    }
  }
  DWORD error = ERROR_SUCCESS;
  if (!EscribirBytes(g_ruta, ConFinesCrLf(bytes), error)) {
    AvisarError(L"No se puede guardar «" + Nombre() + L"».", error);
    return false;
  }
  SendMessageW(g_texto, EM_SETMODIFY, FALSE, 0);
  PonerTitulo();
  return true;
}

// True when the window may go: nothing changed, or the person chose.
bool PuedeCerrar() {
  if (!SendMessageW(g_texto, EM_GETMODIFY, 0, 0)) return true;
  const std::wstring pregunta = L"¿Desea guardar los cambios de «" + Nombre() + L"»?";
  switch (MessageBoxW(g_ventana, pregunta.c_str(), kPrograma, MB_YESNOCANCEL | MB_ICONWARNING)) {
    case IDYES:
      return Guardar();
    case IDNO:
      return true;
    default:
      return false;
  }
}

HMENU CrearMenu() {
  HMENU archivo = CreatePopupMenu();
  AppendMenuW(archivo, MF_STRING, kGuardar, L"&Guardar\tCtrl+S");
  AppendMenuW(archivo, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(archivo, MF_STRING, kSalir, L"&Salir");
  HMENU edicion = CreatePopupMenu();
  AppendMenuW(edicion, MF_STRING, kDeshacer, L"&Deshacer\tCtrl+Z");
  AppendMenuW(edicion, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(edicion, MF_STRING, kSeleccionarTodo, L"Seleccionar &todo\tCtrl+A");
  HMENU barra = CreateMenu();
  AppendMenuW(barra, MF_POPUP, reinterpret_cast<UINT_PTR>(archivo), L"&Archivo");
  AppendMenuW(barra, MF_POPUP, reinterpret_cast<UINT_PTR>(edicion), L"&Edición");
  return barra;
}

HACCEL CrearAtajos() {
  ACCEL atajos[] = {
      {FVIRTKEY | FCONTROL, 'S', kGuardar},
      {FVIRTKEY | FCONTROL, 'Z', kDeshacer},
      {FVIRTKEY | FCONTROL, 'A', kSeleccionarTodo},
  };
  return CreateAcceleratorTableW(atajos, static_cast<int>(std::size(atajos)));
}

LRESULT CALLBACK Procedimiento(HWND ventana, UINT mensaje, WPARAM w, LPARAM l) {
  switch (mensaje) {
    case WM_CREATE:
      g_ventana = ventana;
      g_texto = CreateWindowExW(0, L"EDIT", L"",
                                WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE |
                                    ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_NOHIDESEL,
                                0, 0, 0, 0, ventana, nullptr, reinterpret_cast<CREATESTRUCTW*>(l)->hInstance,
                                nullptr);
      if (!g_texto) return -1;
      SendMessageW(g_texto, EM_SETLIMITTEXT, 0, 0);
      PonerFuente(DpiDe(ventana));
      return 0;
    case WM_SIZE:
      MoveWindow(g_texto, 0, 0, LOWORD(l), HIWORD(l), TRUE);
      return 0;
    case WM_SETFOCUS:
      SetFocus(g_texto);
      return 0;
    case WM_INITMENUPOPUP:
      EnableMenuItem(reinterpret_cast<HMENU>(w), kDeshacer,
                     SendMessageW(g_texto, EM_CANUNDO, 0, 0) ? MF_ENABLED : MF_GRAYED);
      return 0;
    case WM_COMMAND:
      switch (LOWORD(w)) {
        case kGuardar:
          Guardar();
          return 0;
        case kSalir:
          SendMessageW(ventana, WM_CLOSE, 0, 0);
          return 0;
        case kDeshacer:
          SendMessageW(g_texto, EM_UNDO, 0, 0);
          return 0;
        case kSeleccionarTodo:
          SendMessageW(g_texto, EM_SETSEL, 0, -1);
          return 0;
      }
      break;
    case WM_DPICHANGED: {
      const RECT* sugerido = reinterpret_cast<const RECT*>(l);
      SetWindowPos(ventana, nullptr, sugerido->left, sugerido->top, sugerido->right - sugerido->left,
                   sugerido->bottom - sugerido->top, SWP_NOZORDER | SWP_NOACTIVATE);
      PonerFuente(HIWORD(w));
      return 0;
    }
    case WM_QUERYENDSESSION:
      return PuedeCerrar();
    case WM_CLOSE:
      if (PuedeCerrar()) DestroyWindow(ventana);
      return 0;
    case WM_DESTROY:
      if (g_fuente) DeleteObject(g_fuente);
      g_fuente = nullptr;
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(ventana, mensaje, w, l);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instancia, HINSTANCE, LPSTR, int mostrar) {
  WNDCLASSEXW clase{};
  clase.cbSize = sizeof clase;
  clase.lpfnWndProc = Procedimiento;
  clase.hInstance = instancia;
  clase.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
  clase.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  clase.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  clase.lpszClassName = kClase;
  if (!RegisterClassExW(&clase)) return 1;

  // Taken as a whole: a name with blanks needs no quotes.
  const std::string argumento = ArchivoDeLineaDeOrdenes(Utf8(GetCommandLineW()));
  if (!argumento.empty()) {
    const std::wstring relativa = Ancho(argumento);
    const DWORD n = GetFullPathNameW(relativa.c_str(), 0, nullptr, nullptr);
    std::wstring completa(n, L'\0');
    const DWORD escrito = n ? GetFullPathNameW(relativa.c_str(), n, completa.data(), nullptr) : 0;
    g_ruta = escrito && escrito < n ? completa.substr(0, escrito) : relativa;
  }

  HWND ventana = CreateWindowExW(0, kClase, L"", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, nullptr, CrearMenu(), instancia, nullptr);
  if (!ventana) return 1;
  if (!g_ruta.empty() && !Abrir(g_ruta)) g_ruta.clear();  // never save over a file it could not read
  PonerTitulo();
  ShowWindow(ventana, mostrar);
  UpdateWindow(ventana);

  HACCEL atajos = CrearAtajos();
  MSG mensaje;
  while (GetMessageW(&mensaje, nullptr, 0, 0) > 0) {
    if (TranslateAcceleratorW(ventana, atajos, &mensaje)) continue;
    TranslateMessage(&mensaje);
    DispatchMessageW(&mensaje);
  }
  DestroyAcceleratorTable(atajos);
  return static_cast<int>(mensaje.wParam);
}
