#include "window/lanzador.h"

#include "platform/archivos.h"
#include "platform/ascii.h"
#include "platform/numeros.h"

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

Hwnd BuscarVentanaDeProceso(ServicioEscritorio& escritorio, uint32_t proceso) {
  Hwnd hallada = 0;
  RecorrerVentanas(escritorio, escritorio.PrimeraVentana(), [&](Hwnd w) {
    // Hidden windows are skipped: a program's input-method and helper
    // windows are top-level too, and moving them would move nothing useful.
    const bool es = escritorio.Padre(w) == 0 && escritorio.EsVisible(w) && escritorio.ProcesoDe(w) == proceso;
    if (es) hallada = w;
    return !es;
  });
  return hallada;
}

std::string EjecutarYPosicionarPrograma(ServicioBucle& bucle, Escritorio& escritorio, const std::string& carpeta,
                                        const std::string& programa, int x, int y, int ancho, int alto,
                                        Hwnd* ventana) {
  if (ventana) *ventana = 0;
  const auto [ejecutable, argumentos] = SepararPrograma(programa);
  const Arranque a = escritorio.Iniciar(UnirRuta(carpeta, ejecutable), argumentos, carpeta);
  bucle.ProcesarEventos();
  const uint32_t proceso = a.resultado == Arranque::Resultado::Iniciado ? a.proceso : 0;
  if (proceso == 0)
    return std::string(a.resultado == Arranque::Resultado::NoEncontrado ? kRutaIncorrecta : "") + kNoSePudoEjecutar;
  const Hwnd h = BuscarVentanaDeProceso(escritorio, proceso);
  if (ventana) *ventana = h;
  if (h == 0) return kNoSeEncontro;
  if (x >= 0 && y >= 0 && ancho >= 0 && alto >= 0 && !escritorio.Mover(h, x, y, ancho, alto)) return kNoSePudoMover;
  return kEjecucionSatisfactoria;
}

Rectangulo RectanguloBlocDeNotas(const std::string& ubicacion, const Pantalla& p, int altoVentana) {
  const Rectangulo a = AreaDeTrabajo(p);
  const int izquierda = RedondearPar(a.izquierda / p.twipsPorPixelX);
  const int ancho = RedondearPar(a.ancho / p.twipsPorPixelX);
  const int alto = RedondearPar((a.alto - altoVentana) / p.twipsPorPixelY - 30);
  if (ubicacion == "Abajo") return {izquierda, RedondearPar(a.arriba / p.twipsPorPixelY), ancho, alto};
  if (ubicacion == "Arriba") return {izquierda, RedondearPar((a.arriba + altoVentana) / p.twipsPorPixelY), ancho, alto};
  return {-1, -1, -1, -1};
}

}  // namespace kelu
