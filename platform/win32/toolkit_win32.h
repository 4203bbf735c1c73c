// The real backend: the toolkit and the desktop on user32, gdi32, shell32
// and comdlg32. Its Windows types stay in its .cpp files, so this header can
// be included without <windows.h>.
#pragma once
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/escritorio.h"
#include "platform/toolkit.h"

namespace kelu {

namespace win32 {
struct Estado;
}

class ToolkitWin32 final : public Toolkit, public Escritorio {
 public:
  ToolkitWin32();
  ~ToolkitWin32() override;
  ToolkitWin32(const ToolkitWin32&) = delete;
  ToolkitWin32& operator=(const ToolkitWin32&) = delete;

  // --- Toolkit -------------------------------------------------------------
  void Crear(Ventana& ventana) override;
  void Destruir(Ventana& ventana) noexcept override;
  void MostrarVentana(Ventana& ventana, bool modal) override;
  void OcultarVentana(Ventana& ventana) noexcept override;
  void Enfocar(Control& control) override;
  void SiempreEncima(Ventana& ventana, bool encima) noexcept override;
  void SinActivar(Ventana& ventana, bool sinActivar) noexcept override;
  void CapturarClics(Ventana& ventana, std::function<void()> abajo, std::function<void()> arriba) noexcept override;
  bool SueltoFuera(Ventana& ventana) noexcept override;
  void CapturarTeclas(int tecla, int teclaRaya, std::function<void(int tecla, bool abajo)> alPulsar) override;
  void Programar(Temporizador& temporizador) noexcept override;
  void Olvidar(Temporizador& temporizador) noexcept override;
  void ProcesarEventos() noexcept override;
  void EsperarMensaje() override;
  bool RegistrarTeclaRapida(Ventana& ventana, int id, unsigned modificadores, int tecla) noexcept override;
  void LiberarTeclaRapida(Ventana& ventana, int id) noexcept override;
  bool TomarTeclaRapida(Ventana& ventana) noexcept override;
  Pantalla LeerPantalla(const Ventana& ventana) noexcept override;
  void FijarCursor(int x, int y) noexcept override;
  std::pair<int, int> CentroEnPantalla(const Control& control) noexcept override;
  int MostrarMensaje(Ventana* dueno, const std::string& texto, const std::string& titulo, int estilo) override;
  std::optional<std::string> ElegirArchivo(Ventana& dueno, const DialogoAbrir& dialogo) override;
  int AnchoTexto(const Ventana& ventana, const std::string& texto, const Fuente& fuente) noexcept override;
  int64_t Milisegundos() noexcept override;
  int64_t MomentoDeLaEntrada() noexcept override;
  void Tono(bool sonando, int frecuencia, int volumen) noexcept override;
  void SonarAviso(AvisoSonoro aviso, int volumen) noexcept override;
  bool PrimeraCopia() noexcept override;

  // --- Escritorio ----------------------------------------------------------
  Hwnd VentanaEscritorio() noexcept override;
  Hwnd Relacionada(Hwnd ventana, Relacion relacion) noexcept override;
  Hwnd PrimeraVentana() noexcept override;
  int LargoTitulo(Hwnd ventana) noexcept override;
  std::string Titulo(Hwnd ventana, int maximo) noexcept override;
  bool EsVisible(Hwnd ventana) noexcept override;
  Hwnd Padre(Hwnd ventana) noexcept override;
  uint32_t ProcesoDe(Hwnd ventana) noexcept override;
  bool Mover(Hwnd ventana, int x, int y, int ancho, int alto) noexcept override;
  bool Activar(Hwnd ventana) noexcept override;
  Hwnd VentanaAlFrente() noexcept override;
  uint32_t ProcesoPropio() noexcept override;
  bool Teclear(const std::vector<EventoTecla>& eventos) noexcept override;
  bool PuedeRecibirTeclas(Hwnd ventana) noexcept override;
  Arranque Iniciar(const std::string& ejecutable, const std::string& argumentos,
                   const std::string& carpetaTrabajo) noexcept override;
  void AbrirDocumento(Hwnd dueno, const std::string& documento) noexcept override;
  std::string CarpetaPrograma() noexcept override;
  std::string CarpetaDatosUsuario() noexcept override;
  bool InicioAlEntrar() noexcept override;
  bool PonerInicioAlEntrar(bool poner) noexcept override;

  // A control's own window, 0 for the windowless ones (labels, frames,
  // images) and for a window not created; for tests and diagnostics.
  static Hwnd HandleDe(const Control& control);
  // A left-button press (abajo) or release at a client point in twips,
  // delivered to the window's procedure as the system delivers it; for tests.
  static void EnviarPulsacion(Ventana& ventana, bool abajo, int x, int y);
  // Whether the taskbar shows a button for the window and Alt+Tab lists it,
  // by the rules of its styles; for tests.
  static bool EnBarraDeTareas(Hwnd ventana);
  // The switch key hook's own time per key event, since the program started.
  struct TiempoGancho {
    int64_t eventos = 0;
    double medioUs = 0, maximoUs = 0;
  };
  static TiempoGancho MedirGancho();
  // A key going down or up as a keyboard sends it (not marked as KELU's
  // own); for tests.
  static void EnviarTeclaSistema(int vk, bool abajo);

 private:
  std::unique_ptr<win32::Estado> estado_;
};

}  // namespace kelu
