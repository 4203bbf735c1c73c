// The system's modal boxes: a message with its buttons, and the choice of a file.
#pragma once
#include <optional>
#include <string>

namespace kelu {

class Ventana;

// Message-box styles and answers, as the system numbers them.
enum : int {
  kMbOk = 0, kMbSiNo = 4, kMbPregunta = 32, kMbExclamacion = 48, kMbSegundoBoton = 256,
  kIdOk = 1, kIdCancelar = 2, kIdSi = 6, kIdNo = 7,
};

struct DialogoAbrir {
  std::string descripcion;  // "Archivos de idioma (*.lng)"
  std::string patron;       // "*.lng"
  std::string nombreInicial;
  std::string carpetaInicial;
  bool ocultarSoloLectura = true;
};

// Each box runs its own loop while open, so the events of KELU's windows
// (their timers, the switch) go on being handled inside these calls.
class ServicioDialogos {
 public:
  virtual ~ServicioDialogos() = default;
  virtual int MostrarMensaje(Ventana* dueno, const std::string& texto, const std::string& titulo, int estilo) = 0;
  // The chosen file's full path, or nullopt when the user cancels.
  virtual std::optional<std::string> ElegirArchivo(Ventana& dueno, const DialogoAbrir& dialogo) = 0;
};

}  // namespace kelu
