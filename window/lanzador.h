// Starts a program from a folder, finds its window and moves it.
#pragma once
#include <cstdint>
#include <string>

#include "platform/escritorio.h"
#include "platform/toolkit.h"

namespace kelu {

inline constexpr const char* kEjecucionSatisfactoria = "Ejecución satisfactoria";
inline constexpr const char* kNoSePudoMover = "No se pudo mover la ventana";
inline constexpr const char* kNoSeEncontro = "No se encontró la ventana";
inline constexpr const char* kRutaIncorrecta = "Ruta o nombre de archivo incorrecto. ";
inline constexpr const char* kNoSePudoEjecutar = "No se pudo ejecutar la aplicación";

// `programa` is an executable's name, optionally followed by a blank and its
// arguments. It is started from `carpeta`, with `carpeta` as its working
// folder; its window is then looked for once and, unless a placement value
// is negative, moved to (x, y, ancho, alto) in pixels. Returns a status text;
// `ventana`, when given, receives the window found (0 for none).
std::string EjecutarYPosicionarPrograma(ServicioBucle& bucle, Escritorio& escritorio, const std::string& carpeta,
                                        const std::string& programa, int x, int y, int ancho, int alto,
                                        Hwnd* ventana = nullptr);

// Turns "Abajo"/"Arriba"/other placement into the editor's rectangle in
// pixels beside a main window `altoVentana` twips high, in the work area;
// -1s mean "leave it".
Rectangulo RectanguloBlocDeNotas(const std::string& ubicacion, const Pantalla& pantalla, int altoVentana);

// The first visible top-level window without a parent owned by the process.
Hwnd BuscarVentanaDeProceso(ServicioEscritorio& escritorio, uint32_t proceso);

}  // namespace kelu
