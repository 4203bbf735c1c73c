// kelu_objetivo.exe: the window that end-to-end tests type into, plus two
// small helpers that look at other programs' windows from the Windows side,
// where X shows nothing (client area, topmost flag, list entries, focus).
//
//   kelu_objetivo.exe TITLE LOG          a window whose edit control logs
//                                        every character and key it gets
//                     (--colgado: its thread hangs; --herramienta: a tool window)
//   kelu_objetivo.exe --informe TITLE OUT  describes the visible top-level
//                                        window called TITLE into OUT
//   kelu_objetivo.exe --cerrar TITLE     posts WM_CLOSE to that window
//   kelu_objetivo.exe --ocultar TITLE    hides that window (SW_HIDE)
//   kelu_objetivo.exe --traer-ultima TITLE  brings to the front the window
//                                        called TITLE lowest in Z order
//   kelu_objetivo.exe --bloquear PATH LOG  opens PATH sharing nothing and
//                                        holds it until killed; logs "locked"
//   kelu_objetivo.exe --fin-de-sesion TITLE LOG  ends the session for the
//                                        program that owns that window
//   kelu_objetivo.exe --acp OUT          writes the ANSI and OEM code pages
//
// The log is UTF-8, one line per event ("ready", "char U+00F1", "key 0x0D",
// "mouse down MS"), written straight through so that a test reading it while
// the program runs sees every line at once.
#include <windows.h>

#include <cstdio>
#include <cstdlib>  // __argc, __wargv
#include <string>
#include <vector>

namespace {

HANDLE registro = INVALID_HANDLE_VALUE;
HWND edicion = nullptr;
WNDPROC procedimientoEdicion = nullptr;
wchar_t sustitutoAlto = 0;

std::string Utf8(const std::wstring& texto) {
  if (texto.empty()) return {};
  int n = WideCharToMultiByte(CP_UTF8, 0, texto.data(), static_cast<int>(texto.size()), nullptr, 0,
                              nullptr, nullptr);
  std::string salida(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, texto.data(), static_cast<int>(texto.size()), salida.data(), n,
                      nullptr, nullptr);
  return salida;
}

void Escribir(HANDLE archivo, const std::string& linea) {
  std::string conSalto = linea + "\n";
  DWORD escritos = 0;
  WriteFile(archivo, conSalto.data(), static_cast<DWORD>(conSalto.size()), &escritos, nullptr);
}

void Anotar(const char* formato, unsigned valor) {
  char linea[64];
  std::snprintf(linea, sizeof linea, formato, valor);
  Escribir(registro, linea);
}

// A character outside the BMP arrives as two WM_CHARs; log it as one.
void AnotarCaracter(wchar_t unidad) {
  if (unidad >= 0xD800 && unidad <= 0xDBFF) {
    sustitutoAlto = unidad;
    return;
  }
  unsigned punto = unidad;
  if (unidad >= 0xDC00 && unidad <= 0xDFFF && sustitutoAlto != 0)
    punto = 0x10000 + ((sustitutoAlto - 0xD800u) << 10) + (unidad - 0xDC00u);
  sustitutoAlto = 0;
  Anotar("char U+%04X", punto);
}

LRESULT CALLBACK ProcEdicion(HWND ventana, UINT mensaje, WPARAM w, LPARAM l) {
  switch (mensaje) {
    case WM_CHAR:
      AnotarCaracter(static_cast<wchar_t>(w));
      break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      Anotar("key 0x%02X", static_cast<unsigned>(w));
      break;
    // With the time the system stamped on the event, so that tests can
    // measure how long a press lasted as a Windows program sees it.
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:  // the edit class turns a quick second press into this
      Anotar("mouse down %u", static_cast<unsigned>(GetMessageTime()));
      break;
    case WM_LBUTTONUP:
      Anotar("mouse up %u", static_cast<unsigned>(GetMessageTime()));
      break;
  }
  return CallWindowProcW(procedimientoEdicion, ventana, mensaje, w, l);
}

LRESULT CALLBACK ProcVentana(HWND ventana, UINT mensaje, WPARAM w, LPARAM l) {
  switch (mensaje) {
    case WM_SIZE:
      if (edicion) MoveWindow(edicion, 0, 0, LOWORD(l), HIWORD(l), TRUE);
      return 0;
    case WM_SETFOCUS:
      if (edicion) SetFocus(edicion);
      return 0;
    case WM_CLOSE:
      DestroyWindow(ventana);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(ventana, mensaje, w, l);
}

int Objetivo(HINSTANCE instancia, const wchar_t* titulo, const wchar_t* rutaRegistro, bool colgado,
             bool herramienta) {
  registro = CreateFileW(rutaRegistro, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (registro == INVALID_HANDLE_VALUE) return 2;

  WNDCLASSW clase{};
  clase.lpfnWndProc = ProcVentana;
  clase.hInstance = instancia;
  clase.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  clase.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  clase.lpszClassName = L"KeluObjetivo";
  RegisterClassW(&clase);

  // High on the screen, clear of KELU's strip at the bottom: under Wine a
  // topmost window is not kept above others in X, so an overlap would take
  // the presses meant for KELU.
  HWND ventana = CreateWindowExW(herramienta ? WS_EX_TOOLWINDOW : 0, clase.lpszClassName, titulo, WS_OVERLAPPEDWINDOW, 200, 150, 640,
                                 400, nullptr, nullptr, instancia, nullptr);
  if (!ventana) return 3;
  edicion = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                            WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL |
                                ES_WANTRETURN,
                            0, 0, 0, 0, ventana, nullptr, instancia, nullptr);
  procedimientoEdicion = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(edicion, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ProcEdicion)));
  RECT cliente;
  GetClientRect(ventana, &cliente);
  MoveWindow(edicion, 0, 0, cliente.right, cliente.bottom, FALSE);

  ShowWindow(ventana, SW_SHOWNORMAL);
  UpdateWindow(ventana);
  SetForegroundWindow(ventana);
  SetFocus(edicion);
  Escribir(registro, "ready");
  // A hung program: its window stays on screen, its thread never answers.
  if (colgado) Sleep(INFINITE);

  MSG mensaje;
  while (GetMessageW(&mensaje, nullptr, 0, 0) > 0) {
    TranslateMessage(&mensaje);
    DispatchMessageW(&mensaje);
  }
  CloseHandle(registro);
  return static_cast<int>(mensaje.wParam);
}

// --- Helpers that describe or close another program's window. ---

struct Busqueda {
  const wchar_t* titulo;
  HWND encontrada;
};

std::wstring Titulo(HWND ventana) {
  wchar_t texto[1024] = L"";
  DWORD_PTR largo = 0;
  // WM_GETTEXT also reads controls whose text their program keeps itself.
  if (!SendMessageTimeoutW(ventana, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(texto),
                           SMTO_ABORTIFHUNG, 2000, &largo))
    GetWindowTextW(ventana, texto, 1024);
  return texto;
}

BOOL CALLBACK CompararTitulo(HWND ventana, LPARAM dato) {
  auto* busqueda = reinterpret_cast<Busqueda*>(dato);
  if (!IsWindowVisible(ventana) || Titulo(ventana) != busqueda->titulo) return TRUE;
  busqueda->encontrada = ventana;
  return FALSE;
}

HWND Buscar(const wchar_t* titulo) {
  Busqueda busqueda{titulo, nullptr};
  EnumWindows(CompararTitulo, reinterpret_cast<LPARAM>(&busqueda));
  return busqueda.encontrada;
}

// Texts go on one line: backslash, tab and line breaks are escaped.
std::string Escapar(const std::wstring& texto) {
  std::string salida;
  for (char c : Utf8(texto)) {
    if (c == '\\') salida += "\\\\";
    else if (c == '\t') salida += "\\t";
    else if (c == '\n') salida += "\\n";
    else if (c == '\r') salida += "\\r";
    else salida += c;
  }
  return salida;
}

std::string Clase(HWND ventana) {
  wchar_t nombre[256] = L"";
  GetClassNameW(ventana, nombre, 256);
  return Escapar(nombre);
}

std::string Rect(const RECT& r) {
  char texto[80];
  std::snprintf(texto, sizeof texto, "%ld,%ld,%ld,%ld", r.left, r.top, r.right, r.bottom);
  return texto;
}

std::string Hex(const void* valor) {
  char texto[32];
  std::snprintf(texto, sizeof texto, "0x%llx",
                static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(valor)));
  return texto;
}

struct Informe {
  HANDLE archivo;
  HWND foco;
};

BOOL CALLBACK DescribirHija(HWND hija, LPARAM dato) {
  auto* informe = reinterpret_cast<Informe*>(dato);
  RECT r;
  GetWindowRect(hija, &r);
  std::string clase = Clase(hija);
  Escribir(informe->archivo, "hija\thwnd=" + Hex(hija) + "\tclase=" + clase + "\tid=" +
                                 std::to_string(GetDlgCtrlID(hija)) + "\tvisible=" +
                                 (IsWindowVisible(hija) ? "1" : "0") + "\tfoco=" + (hija == informe->foco ? "1" : "0") +
                                 "\trect=" + Rect(r) + "\ttexto=" + Escapar(Titulo(hija)));
  if (clase == "ComboBox") {
    LRESULT n = SendMessageW(hija, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < n; ++i) {
      LRESULT largo = SendMessageW(hija, CB_GETLBTEXTLEN, i, 0);
      if (largo < 0) continue;
      std::wstring texto(static_cast<size_t>(largo) + 1, L'\0');
      SendMessageW(hija, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(texto.data()));
      texto.resize(wcslen(texto.c_str()));
      Escribir(informe->archivo, "elemento\tcombo=" + Hex(hija) + "\ttexto=" + Escapar(texto));
    }
    Escribir(informe->archivo, "seleccion\tcombo=" + Hex(hija) + "\tindice=" +
                                   std::to_string(SendMessageW(hija, CB_GETCURSEL, 0, 0)));
  }
  return TRUE;
}

int DescribirVentana(const wchar_t* titulo, const wchar_t* rutaSalida) {
  HANDLE archivo = CreateFileW(rutaSalida, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
  if (archivo == INVALID_HANDLE_VALUE) return 2;
  HWND ventana = Buscar(titulo);
  if (!ventana) {
    Escribir(archivo, "ninguna");
    CloseHandle(archivo);
    return 1;
  }
  RECT r, cliente;
  GetWindowRect(ventana, &r);
  GetClientRect(ventana, &cliente);
  MapWindowPoints(ventana, nullptr, reinterpret_cast<POINT*>(&cliente), 2);
  LONG_PTR estiloExtendido = GetWindowLongPtrW(ventana, GWL_EXSTYLE);
  DWORD hilo = GetWindowThreadProcessId(ventana, nullptr);
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(hilo, &info);
  Escribir(archivo, "ventana\thwnd=" + Hex(ventana) + "\trect=" + Rect(r) + "\tcliente=" +
                        Rect(cliente) + "\tsiempre_visible=" +
                        ((estiloExtendido & WS_EX_TOPMOST) ? "1" : "0") + "\tprimer_plano=" +
                        (GetForegroundWindow() == ventana ? "1" : "0"));
  Escribir(archivo, "foco\thwnd=" + Hex(info.hwndFocus) + "\tclase=" +
                        (info.hwndFocus ? Clase(info.hwndFocus) : std::string()));
  Informe informe{archivo, info.hwndFocus};
  EnumChildWindows(ventana, DescribirHija, reinterpret_cast<LPARAM>(&informe));
  Escribir(archivo, "fin");
  CloseHandle(archivo);
  return 0;
}

int Cerrar(const wchar_t* titulo) {
  HWND ventana = Buscar(titulo);
  if (!ventana) return 1;
  return PostMessageW(ventana, WM_CLOSE, 0, 0) ? 0 : 1;
}

int Ocultar(const wchar_t* titulo) {
  HWND ventana = Buscar(titulo);
  if (!ventana) return 1;
  ShowWindow(ventana, SW_HIDE);
  return IsWindowVisible(ventana) ? 1 : 0;
}

BOOL CALLBACK TomarUltima(HWND ventana, LPARAM dato) {
  auto* busqueda = reinterpret_cast<Busqueda*>(dato);
  if (IsWindowVisible(ventana) && Titulo(ventana) == busqueda->titulo) busqueda->encontrada = ventana;
  return TRUE;
}

// Of two windows with one title, the one a search by title does not find.
int TraerUltima(const wchar_t* titulo) {
  Busqueda busqueda{titulo, nullptr};
  EnumWindows(TomarUltima, reinterpret_cast<LPARAM>(&busqueda));
  if (!busqueda.encontrada) return 1;
  SetForegroundWindow(busqueda.encontrada);
  // Another program's window comes forward when its own thread gets to it.
  for (int esperado = 0; GetForegroundWindow() != busqueda.encontrada; esperado += 50) {
    if (esperado >= 3000) return 1;
    Sleep(50);
  }
  return 0;
}

HANDLE AbrirRegistro(const wchar_t* ruta) {
  return CreateFileW(ruta, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Another program holding a file open with no sharing: every open of it by
// anyone else fails with a sharing violation while this runs.
int Bloquear(const wchar_t* ruta, const wchar_t* rutaRegistro) {
  HANDLE salida = AbrirRegistro(rutaRegistro);
  if (salida == INVALID_HANDLE_VALUE) return 2;
  HANDLE archivo = CreateFileW(ruta, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (archivo == INVALID_HANDLE_VALUE) {
    char linea[64];
    std::snprintf(linea, sizeof linea, "failed %lu", GetLastError());
    Escribir(salida, linea);
    return 3;
  }
  Escribir(salida, "locked");
  Sleep(INFINITE);
  return 0;
}

struct DelProceso {
  DWORD proceso;
  std::vector<HWND> ventanas;
};

BOOL CALLBACK ReunirDelProceso(HWND ventana, LPARAM dato) {
  auto* del = reinterpret_cast<DelProceso*>(dato);
  DWORD proceso = 0;
  GetWindowThreadProcessId(ventana, &proceso);
  if (proceso == del->proceso) del->ventanas.push_back(ventana);
  return TRUE;
}

// What the system does at log-off to one program: every top-level window of
// it, shown or hidden, is asked WM_QUERYENDSESSION; when all agree, each one
// is told WM_ENDSESSION. Logs "query HWND ANSWER" / "end HWND ANSWER", with
// "timeout" for a window that did not answer within five seconds.
int FinDeSesion(const wchar_t* titulo, const wchar_t* rutaRegistro) {
  HANDLE salida = AbrirRegistro(rutaRegistro);
  if (salida == INVALID_HANDLE_VALUE) return 2;
  HWND principal = Buscar(titulo);
  if (!principal) {
    Escribir(salida, "no window");
    return 1;
  }
  DelProceso del{0, {}};
  GetWindowThreadProcessId(principal, &del.proceso);
  EnumWindows(ReunirDelProceso, reinterpret_cast<LPARAM>(&del));

  auto enviar = [&](const char* nombre, UINT mensaje, WPARAM w) {
    bool todas = true;
    for (HWND ventana : del.ventanas) {
      DWORD_PTR respuesta = 0;
      bool respondio = SendMessageTimeoutW(ventana, mensaje, w, ENDSESSION_LOGOFF, SMTO_NORMAL, 5000,
                                           &respuesta) != 0;
      std::string linea = std::string(nombre) + " " + Hex(ventana) + " ";
      if (!respondio && !IsWindow(ventana)) linea += "gone";
      else linea += respondio ? std::to_string(respuesta) : "timeout";
      Escribir(salida, linea);
      if (IsWindow(ventana) && (!respondio || respuesta == 0)) todas = false;
    }
    return todas;
  };
  bool acepta = enviar("query", WM_QUERYENDSESSION, 0);
  enviar("end", WM_ENDSESSION, acepta ? TRUE : FALSE);
  Escribir(salida, "done");
  return acepta ? 0 : 1;
}

int CodigosDePagina(const wchar_t* rutaSalida) {
  HANDLE archivo = CreateFileW(rutaSalida, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
  if (archivo == INVALID_HANDLE_VALUE) return 2;
  Escribir(archivo, "acp " + std::to_string(GetACP()) + "\toem " + std::to_string(GetOEMCP()));
  CloseHandle(archivo);
  return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instancia, HINSTANCE, PWSTR, int) {
  int n = __argc;
  wchar_t** args = __wargv;
  if (n == 4 && std::wstring(args[1]) == L"--informe") return DescribirVentana(args[2], args[3]);
  if (n == 3 && std::wstring(args[1]) == L"--cerrar") return Cerrar(args[2]);
  if (n == 3 && std::wstring(args[1]) == L"--ocultar") return Ocultar(args[2]);
  if (n == 3 && std::wstring(args[1]) == L"--traer-ultima") return TraerUltima(args[2]);
  if (n == 4 && std::wstring(args[1]) == L"--bloquear") return Bloquear(args[2], args[3]);
  if (n == 4 && std::wstring(args[1]) == L"--fin-de-sesion") return FinDeSesion(args[2], args[3]);
  if (n == 3 && std::wstring(args[1]) == L"--acp") return CodigosDePagina(args[2]);
  if (n == 3) return Objetivo(instancia, args[1], args[2], false, false);
  if (n == 4 && std::wstring(args[3]) == L"--colgado") return Objetivo(instancia, args[1], args[2], true, false);
  if (n == 4 && std::wstring(args[3]) == L"--herramienta") return Objetivo(instancia, args[1], args[2], false, true);
  return 64;
}
