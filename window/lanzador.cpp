#include "window/lanzador.h"

#include "platform/archivos.h"
#include "platform/paso.h"

namespace kelu {
namespace {

// "notepad.exe Morse ampliado.kel" gives "notepad.exe" and "Morse ampliado.kel";
// a name with blanks is fine as long as it ends in ".exe".
std::pair<std::string, std::string> SepararPrograma(const std::string& programa) {
  size_t corte = std::string::npos;
  for (size_t i = 0; i + 4 < programa.size() && corte == std::string::npos; ++i) {
    std::string cuatro = programa.substr(i, 4);
    for (char& c : cuatro) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    if (cuatro == ".exe" && programa[i + 4] == ' ') corte = i + 4;
  }
  if (corte == std::string::npos) corte = programa.find(' ');
  if (corte == std::string::npos) return {programa, ""};
  return {programa.substr(0, corte), programa.substr(corte + 1)};
}

}  // namespace

Hwnd BuscarVentanaDeProceso(Escritorio& escritorio, uint32_t proceso) {
  Hwnd w = 0;
  Paso([&] { w = escritorio.PrimeraVentana(); });
  while (w != 0) {
    bool es = false;
    // Hidden windows are skipped: a program's input-method and helper
    // windows are top-level too, and moving them would move nothing useful.
    Paso([&] { es = escritorio.Padre(w) == 0 && escritorio.EsVisible(w) && escritorio.ProcesoDe(w) == proceso; });
    if (es) return w;
    Hwnd siguiente = 0;
    Paso([&] { siguiente = escritorio.Relacionada(w, Relacion::Siguiente); });
    w = siguiente;
  }
  return 0;
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
