// The settings record and its file "kelu.ini" in the program's folder.
#pragma once
#include <cstdint>
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

// Fills `c` from "kelu.ini" in `carpeta`, or with the defaults.
LecturaConfiguracion CargarConfiguracion(Configuracion& c, const Archivos& archivos, const std::string& carpeta);
// The eighteen lines of the file, as text files are written (BytesParaArchivo).
std::string TextoConfiguracion(const Configuracion& c);
// Writes the file without ever leaving a truncated one; false on failure.
[[nodiscard]] bool GuardarConfiguracion(const Configuracion& c, Archivos& archivos, const std::string& carpeta);

}  // namespace kelu
