#include "window/lanzador.h"

#include "platform/archivos.h"
#include "platform/ascii.h"
#include "platform/paso.h"

namespace kelu {
namespace {

// "notepad.exe Morse ampliado.kel" gives "notepad.exe" and "Morse ampliado.kel";
// a name with blanks is fine as long as it ends in ".exe".
std::pair<std::string, std::string> SepararPrograma(const std::string& programa) {
  size_t corte = std::string::npos;
  for (size_t i = 0; i + 4 < programa.size() && corte == std::string::npos; ++i) {
    if (IgualesSinMayusculas(std::string_view(programa).substr(i, 4), ".exe") && programa[i + 4] == ' ')
      corte = i + 4;
  }
  if (corte == std::string::npos) corte = programa.find(' ');
  if (corte == std::string::npos) return {programa, ""};
  return {programa.substr(0, corte), programa.substr(corte + 1)};
}

}  // namespace

Hwnd BuscarVentanaDeProceso(Escritorio& escritorio, uint32_t proceso) {
  Hwnd primera = 0, hallada = 0;
  Paso([&] { primera = escritorio.PrimeraVentana(); });
  RecorrerVentanas(escritorio, primera, [&](Hwnd w) {
    bool es = false;
    // Hidden windows are skipped: a program's input-method and helper
    // windows are top-level too, and moving them would move nothing useful.
    Paso([&] { es = escritorio.Padre(w) == 0 && escritorio.EsVisible(w) && escritorio.ProcesoDe(w) == proceso; });
    if (es) hallada = w;
    return !es;
  });
  return hallada;
}

std::string EjecutarYPosicionarPrograma(Toolkit& toolkit, Escritorio& escritorio, const std::string& carpeta,
                                        const std::string& programa, int x, int y, int ancho, int alto,
                                        Hwnd* ventana) {
  if (ventana) *ventana = 0;
  std::string estado;
  uint32_t proceso = 0;
  Paso([&] {
    auto [ejecutable, argumentos] = SepararPrograma(programa);
    Arranque a = escritorio.Iniciar(UnirRuta(carpeta, ejecutable), argumentos, carpeta);
    if (a.resultado == Arranque::Resultado::NoEncontrado) estado = kRutaIncorrecta;
    if (a.resultado == Arranque::Resultado::Iniciado) proceso = a.proceso;
  });
  Paso([&] { toolkit.ProcesarEventos(); });
  if (proceso == 0) return estado + kNoSePudoEjecutar;
  estado = kEjecucionSatisfactoria;
  Hwnd h = BuscarVentanaDeProceso(escritorio, proceso);
  if (ventana) *ventana = h;
  if (h == 0) {
    estado = kNoSeEncontro;
  } else if (x >= 0 && y >= 0 && ancho >= 0 && alto >= 0) {
    bool movida = false;
    Paso([&] { movida = escritorio.Mover(h, x, y, ancho, alto); });
    if (!movida) estado = kNoSePudoMover;
  }
  return estado;
}

}  // namespace kelu
