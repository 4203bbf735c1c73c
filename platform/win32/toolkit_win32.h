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
  void Destruir(Ventana& ventana) override;
  void MostrarVentana(Ventana& ventana, bool modal) override;
  void OcultarVentana(Ventana& ventana) override;
  void Enfocar(Control& control) override;
  void SiempreEncima(Ventana& ventana, bool encima) override;
  void SinActivar(Ventana& ventana, bool sinActivar) override;
  void CapturarClics(Ventana& ventana, std::function<void()> abajo, std::function<void()> arriba) override;
  bool SueltoFuera(Ventana& ventana) override;
  void CapturarTeclas(int tecla, int teclaRaya, std::function<void(int tecla, bool abajo)> alPulsar) override;
  void Programar(Temporizador& temporizador) override;
  void Olvidar(Temporizador& temporizador) override;
  void ProcesarEventos() override;
  void EsperarMensaje() override;
  bool RegistrarTeclaRapida(Ventana& ventana, int id, unsigned modificadores, int tecla) override;
  void LiberarTeclaRapida(Ventana& ventana, int id) override;
  bool TomarTeclaRapida(Ventana& ventana) override;
  Pantalla LeerPantalla(const Ventana& ventana) override;
  void FijarCursor(int x, int y) override;
  std::pair<int, int> CentroEnPantalla(const Control& control) override;
  int MostrarMensaje(Ventana* dueno, const std::string& texto, const std::string& titulo, int estilo) override;
  std::optional<std::string> ElegirArchivo(Ventana& dueno, const DialogoAbrir& dialogo) override;
  int AnchoTexto(const Ventana& ventana, const std::string& texto, const Fuente& fuente) override;
  int64_t Milisegundos() override;
  void Tono(bool sonando, int frecuencia, int volumen) override;
  void SonarAviso(AvisoSonoro aviso, int volumen) override;
  bool PrimeraCopia() override;

  // --- Escritorio ----------------------------------------------------------
  Hwnd VentanaEscritorio() override;
  Hwnd Relacionada(Hwnd ventana, Relacion relacion) override;
  Hwnd PrimeraVentana() override;
  int LargoTitulo(Hwnd ventana) override;
  std::string Titulo(Hwnd ventana, int maximo) override;
  bool EsVisible(Hwnd ventana) override;
  Hwnd Padre(Hwnd ventana) override;
  uint32_t ProcesoDe(Hwnd ventana) override;
  bool Mover(Hwnd ventana, int x, int y, int ancho, int alto) override;
  bool Activar(Hwnd ventana) override;
  Hwnd VentanaAlFrente() override;
  uint32_t ProcesoPropio() override;
  bool Teclear(const std::vector<EventoTecla>& eventos) override;
  bool PuedeRecibirTeclas(Hwnd ventana) override;
  Arranque Iniciar(const std::string& ejecutable, const std::string& argumentos,
                   const std::string& carpetaTrabajo) override;
  void AbrirDocumento(Hwnd dueno, const std::string& documento) override;
  std::string CarpetaPrograma() override;
  std::string CarpetaDatosUsuario() override;
  bool InicioAlEntrar() override;
  bool PonerInicioAlEntrar(bool poner) override;

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
