// The in-memory backend the tests drive: a manual clock for the timers, a
// fake desktop of top-level windows, scripted answers for message boxes,
// file dialogs and program starts, and a record of everything KELU did.
#pragma once
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/escritorio.h"
#include "platform/filtro_teclas.h"
#include "platform/toolkit.h"

namespace kelu {

class ToolkitHeadless final : public Toolkit, public Escritorio {
 public:
  static constexpr uint32_t kProcesoKelu = 1;  // the process of KELU's own windows
  ToolkitHeadless();
  ~ToolkitHeadless() override;

  // --- The clock ---------------------------------------------------------
  // Runs every timer firing due within the next `ms` milliseconds, in time
  // order (ties in the order the timers were armed). Each firing, as each
  // queued event, is guarded as on screen: what it throws goes to the trace.
  void Avanzar(int64_t ms);
  int64_t Ahora() const { return ahora_; }

  // --- The user ----------------------------------------------------------
  // A left-button press and release over `sobre` (a label, or null for the
  // bare window), as a real press arrives: the captured handler first, then
  // the window's and the pressed label's own mouse events.
  void BotonAbajo(Ventana& ventana, Control* sobre = nullptr);
  void BotonArriba(Ventana& ventana, Control* sobre = nullptr);
  // During a press the pointer leaves the window, and the button comes up
  // over another one. As Windows routes it, only the window in front keeps
  // the mouse outside its area: it gets the release as one off its client
  // area; a window not in front gets nothing.
  // https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-setcapture
  void SacarRaton(Ventana& ventana);
  void SoltarFuera(Ventana& ventana);
  void MoverRaton(Ventana& ventana, Control* sobre = nullptr);
  void Tecla(Ventana& ventana, int codigo, ModificadorTecla shift = ModificadorTecla::Ninguno);  // through the key preview
  // A key going down or up anywhere on the desktop, as a keyboard hook sees
  // it; true when a switch capture swallowed it. `escaneo`: the key's scan
  // code (with kEscaneoExtendido), -1 for the one EscaneoDe gives its key.
  // Not swallowed, it is input to the process of the window in front.
  bool TeclaGlobal(int vk, bool abajo, int escaneo = -1);
  std::pair<int, int> teclasCapturadas;  // as last asked; {0, 0}: none
  // The scan code of a key on the test keyboard (a US layout with NumLock
  // on), as the backend derives it from the key chosen; 0 when unknown.
  static int EscaneoDe(int vk);
  // The person clicks another program's window: it comes to the front and
  // its process received the last input.
  void ClicEnVentana(Hwnd ventana);
  // The system drops the switch hook without a word (it answered once too
  // late): keys pass to the window in front, and the raw-input witness
  // sees them.
  void PerderCaptura() { capturaPerdida = true; }
  bool capturaPerdida = false;
  bool ganchoRechazado = false;  // the system refuses every hook (SetWindowsHookExW fails)
  // The secure desktop (a UAC prompt, the lock screen) has the input:
  // neither the hook nor the witness sees a key.
  bool escritorioSeguro = false;
  // The machine wakes from sleep, or the session is unlocked.
  void Reanudar();
  // The process that received the last input event, for the foreground
  // lock; KELU's at first, as the person has just started it.
  uint32_t ultimaEntrada = kProcesoKelu;
  void Cerrar(Ventana& ventana) { ventana.CierreDelSistema(); }  // the close box
  // A click on a drop-down list's arrow: its window comes to the front and
  // the focus moves to it, as with any press on a control, then it opens.
  void AbrirLista(Combo& combo);
  void PulsarTeclaRapida(Ventana& ventana) { teclaRapidaPendiente_[&ventana] = true; }
  // The Windows session ends: FinDeSesion runs once; the process would end.
  void TerminarSesion() {
    if (!sesionTerminada && FinDeSesion) FinDeSesion();
    sesionTerminada = true;
  }
  bool sesionTerminada = false;
  // An event that the next ProcesarEventos runs, as a posted message would.
  void Encolar(std::function<void()> evento) { pendientes_.push_back(std::move(evento)); }

  // --- Scripted answers and records ----------------------------------------
  struct MensajeMostrado {
    std::string texto, titulo;
    int estilo;
  };
  std::vector<MensajeMostrado> mensajes;
  std::deque<int> respuestas;  // answers in order; default: OK or Yes
  std::function<void()> duranteMensaje;  // runs while a box is open (its own loop)
  std::vector<DialogoAbrir> dialogos;
  std::deque<std::optional<std::string>> archivosElegidos;  // nullopt: Cancel
  std::optional<std::pair<int, int>> cursor;
  std::map<const Ventana*, bool> encima;
  std::map<const Ventana*, bool> sinActivar;
  int ventanasPosibles = -1;  // how many more windows the system creates; -1: any number
  struct TeclaRapida {
    int id;
    unsigned modificadores;
    int tecla;
  };
  std::map<const Ventana*, std::vector<TeclaRapida>> teclasRapidas;
  bool teclaRapidaAjena = false;  // another program owns every combination
  struct Inicio {
    std::string ejecutable, argumentos, carpeta;
  };
  std::vector<Inicio> inicios;
  std::function<Arranque(const Inicio&)> alIniciar;  // default: file not found
  std::vector<std::string> documentosAbiertos;
  Pantalla pantalla{15360, 11520, 15, 15, {0, 0, 15360, 11520}};
  std::string carpetaPrograma = "C:\\kelu";
  std::string carpetaDatosUsuario;  // none by default
  bool inicioAlEntrar = false;        // the Startup shortcut is there
  bool inicioAlEntrarPosible = true;  // false: making or removing it fails

  // --- The fake desktop (index 0 is the top of the Z order) -----------------
  struct VentanaFalsa {
    Hwnd handle = 0;
    std::string titulo;
    bool visible = true;
    Hwnd padre = 0;
    uint32_t proceso = 0;
    Rectangulo rect;  // pixels
    std::vector<EventoTecla> recibido;  // what was typed while it was active
    const Ventana* propia = nullptr;    // one of KELU's own windows
    bool elevada = false;               // its program runs at a higher integrity level
    Hwnd dueno = 0;                     // the window that owns it (a dialog's), 0: none
  };
  Hwnd AgregarVentana(std::string titulo, bool visible = true, uint32_t proceso = 1000);
  void QuitarVentana(Hwnd handle);
  VentanaFalsa* Buscar(Hwnd handle);
  std::vector<VentanaFalsa> escritorio;
  Hwnd activa = 0;
  bool rechazarActivacion = false;  // the system refuses every activation
  bool insercionIncompleta = false;  // the system takes fewer key events than sent, and none arrives
  // What the window received, written as DescribirEventos writes it.
  std::string Recibido(Hwnd handle);

  // --- The Windows session: other processes of KELU ------------------------
  // Toolkits that share one Sesion are processes of KELU in one session;
  // the first to ask holds the session's mark until its toolkit goes, and a
  // later one's request reaches it as a posted message would.
  struct Sesion {
    ToolkitHeadless* primera = nullptr;
  };
  std::shared_ptr<Sesion> sesion = std::make_shared<Sesion>();

  // --- Toolkit -------------------------------------------------------------
  void Crear(Ventana& ventana) override;
  void Destruir(Ventana& ventana) noexcept override;
  void MostrarVentana(Ventana& ventana, bool modal) override;
  void OcultarVentana(Ventana& ventana) noexcept override;
  void Enfocar(Control& control) override;
  void SiempreEncima(Ventana& ventana, bool valor) noexcept override { encima[&ventana] = valor; }
  void SinActivar(Ventana& ventana, bool valor) noexcept override { sinActivar[&ventana] = valor; }
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
  Pantalla LeerPantalla(const Ventana&) noexcept override { return pantalla; }
  void FijarCursor(int x, int y) noexcept override { cursor = {x, y}; }
  std::pair<int, int> CentroEnPantalla(const Control& control) noexcept override;
  int MostrarMensaje(Ventana* dueno, const std::string& texto, const std::string& titulo, int estilo) override;
  std::optional<std::string> ElegirArchivo(Ventana& dueno, const DialogoAbrir& dialogo) override;
  // Every character as wide as 0.6 of the font's size: enough to test a layout.
  int AnchoTexto(const Ventana&, const std::string& texto, const Fuente& fuente) noexcept override;
  int64_t Milisegundos() noexcept override { return ahora_; }
  int64_t MomentoDeLaEntrada() noexcept override { return ahora_ - retrasoEntrada; }
  // How long before it is handled the next press or release happened: a
  // busy machine's lateness.
  int64_t retrasoEntrada = 0;
  bool PrimeraCopia() noexcept override;
  void Tono(bool sonando, int frecuencia, int volumen) noexcept override {
    sonidos.push_back({sonando ? "tono" : "silencio", frecuencia, volumen});
  }
  void SonarAviso(AvisoSonoro aviso, int volumen) noexcept override {
    sonidos.push_back({aviso == AvisoSonoro::Letra        ? "letra"
                        : aviso == AvisoSonoro::Descartada ? "descartada"
                                                           : "pausa",
                        0, volumen});
  }
  struct Sonido {
    std::string que;
    int frecuencia, volumen;
  };
  std::vector<Sonido> sonidos;

  // --- Escritorio ----------------------------------------------------------
  Hwnd VentanaEscritorio() noexcept override { return kEscritorio; }
  Hwnd Relacionada(Hwnd ventana, Relacion relacion) noexcept override;
  Hwnd PrimeraVentana() noexcept override { return escritorio.empty() ? 0 : escritorio.front().handle; }
  int LargoTitulo(Hwnd ventana) noexcept override;
  std::string Titulo(Hwnd ventana, int maximo) noexcept override;
  bool EsVisible(Hwnd ventana) noexcept override;
  Hwnd Padre(Hwnd ventana) noexcept override;
  uint32_t ProcesoDe(Hwnd ventana) noexcept override;
  bool Mover(Hwnd ventana, int x, int y, int ancho, int alto) noexcept override;
  bool Activar(Hwnd ventana) noexcept override;
  Hwnd VentanaAlFrente() noexcept override { return activa; }
  uint32_t ProcesoPropio() noexcept override { return kProcesoKelu; }
  bool Teclear(const std::vector<EventoTecla>& eventos) noexcept override;
  bool PuedeRecibirTeclas(Hwnd ventana) noexcept override;
  Arranque Iniciar(const std::string& ejecutable, const std::string& argumentos,
                   const std::string& carpetaTrabajo) noexcept override;
  void AbrirDocumento(Hwnd, const std::string& documento) noexcept override { documentosAbiertos.push_back(documento); }
  std::string CarpetaPrograma() noexcept override { return carpetaPrograma; }
  std::string CarpetaDatosUsuario() noexcept override { return carpetaDatosUsuario; }
  bool InicioAlEntrar() noexcept override { return inicioAlEntrar; }
  bool PonerInicioAlEntrar(bool poner) noexcept override {
    if (!inicioAlEntrarPosible) return false;
    inicioAlEntrar = poner;
    return true;
  }

 private:
  static constexpr Hwnd kEscritorio = 1;
  struct Reloj {
    int64_t vence;   // when it fires next
    uint64_t orden;  // arming order, for ties
  };
  bool SiguienteDisparo(int64_t limite, Temporizador*& cual, int64_t& cuando);
  bool AlFrente(Hwnd ventana);  // to the top of the Z order, and active
  std::map<Temporizador*, Reloj> relojes_;
  uint64_t armados_ = 0;
  int64_t ahora_ = 0;
  Hwnd proximoHandle_ = 0x100;
  std::map<const Ventana*, std::pair<std::function<void()>, std::function<void()>>> capturas_;
  FiltroTeclas filtro_;
  int tecla_ = 0, teclaRaya_ = 0;
  Hwnd elevadaAvisada_ = 0;  // the elevated window in front last told of
  void TomarCaptura();       // installs the hook, its keys all up
  void Testigo();            // the witness saw a switch key the hook did not take
  bool FrenteElevado();
  void AvisarCaptura(EstadoCaptura estado) {
    if (CapturaCambiada) CapturaCambiada(estado);
  }
  std::function<void(int, bool)> alPulsar_;
  std::map<const Ventana*, bool> teclaRapidaPendiente_;
  std::map<const Ventana*, PulsacionIzquierda> pulsaciones_;
  void Soltar(Ventana& ventana, Control* sobre, bool dentro);
  bool botonAbajo_ = false;               // the left button, as the system knows it
  const Ventana* bajoPuntero_ = nullptr;  // KELU's window under the pointer, if any
  std::deque<std::function<void()>> pendientes_;
};

}  // namespace kelu
