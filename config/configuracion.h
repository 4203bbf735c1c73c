// The settings record and its file "kelu.ini" in the program's folder.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "platform/archivos.h"
#include "platform/version.h"

namespace kelu {

// Timing values are whole centiseconds.
struct Configuracion {
  std::string Idioma;
  std::string Codigo;
  std::string Ubicacion;
  bool AjustarAncho = false;
  bool SiempreVisible = false;
  bool FijarPuntero = false;
  bool MostrarPulsaciones = false;
  bool CalcularSegunPunto = false;
  int16_t DuracionPunto = 0;
  int16_t ToleranciaPunto = 0;
  int16_t DuracionRaya = 0;
  int16_t ToleranciaRaya = 0;
  int16_t TiempoEntreLetras = 0;
  int16_t ToleranciaEntreLetras = 0;
  int16_t TiempoEntrePalabras = 0;
  int16_t ToleranciaEntrePalabras = 0;

  bool operator==(const Configuracion&) const = default;
};

Configuracion ConfiguracionPredeterminada();

inline constexpr const char* kArchivoConfiguracion = "kelu.ini";
inline constexpr int kVersionMayor = KELU_VERSION_MAYOR;
inline constexpr int kVersionMenor = KELU_VERSION_MENOR;

// What became of reading "kelu.ini".
enum class LecturaConfiguracion {
  Leida,
  Predeterminada,  // missing or malformed: the defaults
  Ilegible,        // there but unreadable (locked, no access): the defaults, and the file must be kept
};

// Where "kelu.ini" is read and where it is written.
struct LugarConfiguracion {
  std::string lectura, escritura;  // folders
  bool guardable = true;           // false: no folder takes it; nothing is saved
};
inline constexpr const char* kCarpetaDatosKelu = "KELU";  // in the person's data folder

// In "KELU" in the person's data folder (`datosUsuario`) for good once a
// "kelu.ini" is there, whatever the program's folder allows ("ayudas.ini"
// lives beside it); not guardable when that folder cannot be written then.
// Otherwise beside the program when its folder can be written, as always;
// else (unzipped under Program Files, a protected folder) written to the
// person's folder, created when needed, and read from the program's folder
// until the first save there. When neither can be written, read from the
// program's folder and not guardable.
LugarConfiguracion ElegirLugarConfiguracion(Archivos& archivos, const std::string& carpetaPrograma,
                                            const std::function<std::string()>& datosUsuario);

// Fills `c` from "kelu.ini" in `carpeta`, or with the defaults.
LecturaConfiguracion CargarConfiguracion(Configuracion& c, const Archivos& archivos, const std::string& carpeta);
// The eighteen lines of the file, as text files are written (BytesParaArchivo).
std::string TextoConfiguracion(const Configuracion& c);
// Writes the file without ever leaving a truncated one; false on failure.
[[nodiscard]] bool GuardarConfiguracion(const Configuracion& c, Archivos& archivos, const std::string& carpeta);

}  // namespace kelu
