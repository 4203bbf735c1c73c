// The switch keys on the in-memory desktop: a low-level hook the system may
// drop or not call, as Windows does (REGLAS-WINDOWS.md, section 2), and the
// raw-input witness that notices it.
#include "platform/headless/toolkit_headless.h"

namespace kelu {

void ToolkitHeadless::CapturarTeclas(int tecla, int teclaRaya, std::function<void(int, bool)> alPulsar) {
  if (tecla == 0) teclaRaya = 0;
  teclasCapturadas = {tecla, teclaRaya};
  tecla_ = tecla;
  teclaRaya_ = teclaRaya;
  alPulsar_ = tecla ? std::move(alPulsar) : nullptr;
  elevadaAvisada_ = 0;
  TomarCaptura();
}

void ToolkitHeadless::TomarCaptura() {
  const auto escaneo = [](int vk) { return vk == kCualquierTecla ? 0 : EscaneoDe(vk); };
  filtro_ = FiltroTeclas(tecla_, teclaRaya_, escaneo(tecla_), escaneo(teclaRaya_));
  capturaPerdida = tecla_ != 0 && ganchoRechazado;
  if (capturaPerdida) AvisarCaptura(EstadoCaptura::Fallida);
}

void ToolkitHeadless::Reanudar() {
  if (!filtro_.Activo()) return;
  TomarCaptura();
  if (!capturaPerdida) AvisarCaptura(EstadoCaptura::Reanudada);
}

int ToolkitHeadless::EscaneoDe(int vk) {
  if (vk >= 'A' && vk <= 'Z') {
    static const int kLetras[26] = {0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17, 0x24, 0x25, 0x26, 0x32,
                                    0x31, 0x18, 0x19, 0x10, 0x13, 0x1F, 0x14, 0x16, 0x2F, 0x11, 0x2D, 0x15, 0x2C};
    return kLetras[vk - 'A'];
  }
  switch (vk) {
    case 0x0D: return 0x1C;                      // Enter
    case 0x1B: return 0x01;                      // Esc
    case 0x20: return 0x39;                      // Space
    case 0x2D: return kEscaneoExtendido | 0x52;  // Insert
    case 0x60: return 0x52;                      // keypad 0
    case 0x77: return 0x42;                      // F8
    default: return 0;
  }
}

bool ToolkitHeadless::FrenteElevado() {
  auto* v = Buscar(activa);
  return v && v->elevada;
}

// The low-level hook is not called while the secure desktop or an elevated
// window has the input, nor once the system has dropped it.
bool ToolkitHeadless::TeclaGlobal(int vk, bool abajo, int escaneo) {
  if (escritorioSeguro) return false;
  if (escaneo < 0) escaneo = EscaneoDe(vk);
  const bool gancho = filtro_.Activo() && !capturaPerdida && !FrenteElevado();
  bool avisar = false;
  int tecla = 0;
  if (gancho && filtro_.Tomar(vk, escaneo, abajo, avisar, tecla)) {
    if (avisar && alPulsar_) {
      auto alPulsar = alPulsar_;  // the handler may stop the capture
      alPulsar(tecla, abajo);
    }
    return true;
  }
  if (auto* v = Buscar(activa)) ultimaEntrada = v->proceso;
  if (!gancho && filtro_.Interruptor(vk, escaneo)) Testigo();
  return false;
}

void ToolkitHeadless::Testigo() {
  if (FrenteElevado()) {
    if (elevadaAvisada_ == activa) return;
    elevadaAvisada_ = activa;
    AvisarCaptura(EstadoCaptura::VentanaElevada);
    return;
  }
  elevadaAvisada_ = 0;
  if (ganchoRechazado) return;  // told when it failed
  TomarCaptura();
  AvisarCaptura(EstadoCaptura::Reanudada);
}

void ToolkitHeadless::ClicEnVentana(Hwnd ventana) {
  if (!AlFrente(ventana)) return;
  ultimaEntrada = ProcesoDe(ventana);
  if (filtro_.Activo() && FrenteElevado()) Testigo();  // as the system's foreground event tells the backend
}

}  // namespace kelu
