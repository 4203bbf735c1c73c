// recursos_proceso.exe TITLE: what Windows says about the program that owns
// the visible top-level window called TITLE, as one line on the standard
// output: "pid=N handles=N system_handles=N gdi=N user=N windows=N
// working_set=BYTES private=BYTES", -1 where the system does not answer.
// Wine answers 0 to GetProcessHandleCount and GetGuiResources, so the
// handles are also counted in the system-wide handle table, and the
// windows the process owns stand in for its user objects. The soak
// benchmark reads it before and after its presses. Built in the Windows
// build only.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

// The system-wide handle table (NtQuerySystemInformation, class 16).
struct EntradaManija {
  ULONG proceso;
  BYTE tipo;
  BYTE marcas;
  USHORT valor;
  PVOID objeto;
  ACCESS_MASK acceso;
};
struct TablaManijas {
  ULONG cantidad;
  EntradaManija entradas[1];
};
using ConsultarSistema = LONG(WINAPI*)(ULONG clase, PVOID datos, ULONG largo, PULONG devuelto);

long long ManijasEnLaTabla(DWORD pid) {
  auto consultar = reinterpret_cast<ConsultarSistema>(
      reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
  if (!consultar) return -1;
  std::vector<unsigned char> datos(1 << 16);
  for (int intento = 0; intento < 12; ++intento) {
    ULONG devuelto = 0;
    LONG estado = consultar(16, datos.data(), static_cast<ULONG>(datos.size()), &devuelto);
    if (estado == static_cast<LONG>(0xC0000004)) {  // too small: grow and ask again
      datos.resize(std::max<size_t>(datos.size() * 2, devuelto + 4096));
      continue;
    }
    if (estado < 0) return -1;
    const auto* tabla = reinterpret_cast<const TablaManijas*>(datos.data());
    long long n = 0;
    for (ULONG i = 0; i < tabla->cantidad; ++i)
      if (tabla->entradas[i].proceso == pid) ++n;
    return n;
  }
  return -1;
}

struct Conteo {
  DWORD pid;
  long long ventanas;
};

BOOL CALLBACK ContarHija(HWND ventana, LPARAM dato) {
  auto* conteo = reinterpret_cast<Conteo*>(dato);
  DWORD pid = 0;
  GetWindowThreadProcessId(ventana, &pid);
  if (pid == conteo->pid) ++conteo->ventanas;
  return TRUE;
}

BOOL CALLBACK ContarVentana(HWND ventana, LPARAM dato) {
  ContarHija(ventana, dato);
  EnumChildWindows(ventana, ContarHija, dato);
  return TRUE;
}

struct Busqueda {
  const char* titulo;
  HWND encontrada;
};

BOOL CALLBACK Comparar(HWND ventana, LPARAM dato) {
  auto* busqueda = reinterpret_cast<Busqueda*>(dato);
  char titulo[512] = "";
  if (!IsWindowVisible(ventana) || !GetWindowTextA(ventana, titulo, sizeof titulo)) return TRUE;
  if (std::strcmp(titulo, busqueda->titulo) != 0) return TRUE;
  busqueda->encontrada = ventana;
  return FALSE;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 64;
  Busqueda busqueda{argv[1], nullptr};
  EnumWindows(Comparar, reinterpret_cast<LPARAM>(&busqueda));
  if (!busqueda.encontrada) return 1;
  DWORD pid = 0;
  GetWindowThreadProcessId(busqueda.encontrada, &pid);
  HANDLE proceso = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
  if (!proceso) return 2;

  long long handles = -1, gdi = -1, user = -1, ws = -1, privada = -1;
  DWORD n = 0;
  if (GetProcessHandleCount(proceso, &n)) handles = n;
  // Zero is no answer: a live process with a window owns user objects.
  if (DWORD g = GetGuiResources(proceso, GR_GDIOBJECTS)) gdi = g;
  if (DWORD u = GetGuiResources(proceso, GR_USEROBJECTS)) user = u;
  PROCESS_MEMORY_COUNTERS_EX memoria{};
  memoria.cb = sizeof memoria;
  if (GetProcessMemoryInfo(proceso, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memoria), sizeof memoria)) {
    ws = static_cast<long long>(memoria.WorkingSetSize);
    privada = static_cast<long long>(memoria.PrivateUsage);
  }
  CloseHandle(proceso);
  // Message-only windows (the toolkit's timer window) are not top-level.
  Conteo conteo{pid, 0};
  EnumWindows(ContarVentana, reinterpret_cast<LPARAM>(&conteo));
  std::printf("pid=%lu handles=%lld system_handles=%lld gdi=%lld user=%lld windows=%lld working_set=%lld private=%lld\n",
              pid, handles, ManijasEnLaTabla(pid), gdi, user, conteo.ventanas, ws, privada);
  return 0;
}
