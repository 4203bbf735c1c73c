#include "config/idioma.h"

#include "platform/lector_campos.h"

namespace kelu {

void TextosIdioma::RestablecerAgregadas() {
  // The same texts as the shipped "Español.lng", for a file written before
  // these entries existed.
  static const char* const kAgregadas[kEntradas - kEntradasDiseno] = {
      "Windows no dejó que KELU escribiera en esa ventana. Suele ocurrir cuando pertenece a un programa "
      "con más privilegios (abierto como administrador): para escribir en ella abra KELU también como "
      "administrador.",
      "Otro programa ya usa la combinación CTRL+I. KELU funciona igual, pero CTRL+I no lo traerá al frente.",
      "KELU no puede guardar su configuración: no puede escribir ni en su propia carpeta ni en "
      "%APPDATA%\\KELU. Los cambios que haga se perderán al salir.",
      "Ay&udas...",
      "Ayudas al pulsar - KELU",
      "Mostrar el código y el tiempo en el recuadro",
      "Mostrar la tabla de códigos",
      "Tono mientras el botón está pulsado",
      "Sonido al escribir una letra o descartar un código",
      "Frecuencia del tono:",
      "Volumen:",
      "espacio",
      "EAOSRNIDLCTUMP",
      "Ca&librar...",
      "Calibración - KELU",
      "Pulse diez puntos cómodos en el recuadro.",
      "Ahora pulse diez rayas cómodas.",
      "Ahora marque «sos» tres veces, a su ritmo.",
      "Los puntos y las rayas quedan bien separados. Acepte para usar estos tiempos.",
      "Los puntos más largos llegan a las rayas más cortas: haga las rayas más lentas y empiece de nuevo.",
      "Punto %1 ± %2, raya %3 ± %4, entre letras %5 (centésimas de segundo)",
      "&Empezar de nuevo",
      "Pulsaciones: %1 de %2",
      "Seguir mi ritmo al pulsar",
      "Cerrar la letra en cuanto ningún código pueda seguir",
      "&Volver a mis tiempos",
      "Modo práctica (no escribe en ninguna ventana)",
      "Marque: %1",
      "¡Bien!",
      "Era %1",
      "punto",
      "raya",
      "%1: %2 cs, umbral %3 cs",
      "sol mar casa pan agua luz dos uno sí no hola",
      "&Pulsador...",
      "Pulsador - KELU",
      "Tecla como pulsador:",
      "Tecla para la raya:",
      "&Elegir...",
      "E&legir...",
      "Pulse ahora su pulsador (Esc: ninguno).",
      "ninguna",
      "Mantener delante la ventana de destino",
      "Ignorar pulsaciones de menos de:",
      "Ignorar pulsaciones tras soltar durante:",
      "Pausar o seguir con una pulsación de:",
      "Repetir la última tecla cada:",
      "En pausa",
      "desactivado",
      "La ventana de destino no está delante: letra descartada",
      "Windows no deja usar la tecla como pulsador",
      "El pulsador no llega a una ventana de administrador",
      "Iniciar KELU al iniciar sesión",
      "KELU no pudo guardar su configuración en %1: los cambios de esta sesión se pierden.",
      "Sugerir palabras mientras pulso",
      "Aprender las palabras que escribo",
      "&Olvidar mis palabras",
      "mantener",
      "Pulsar algo más que una raya elige la primera palabra",
  };
  for (int n = kEntradasDiseno + 1; n <= kEntradas; ++n) SetEntrada(n, kAgregadas[n - kEntradasDiseno - 1]);
}

void CargarIdioma(TextosIdioma& textos, const Archivos& archivos, const std::string& ruta) {
  std::optional<std::string> bytes = archivos.Leer(ruta);
  if (!bytes) return;
  textos.RestablecerAgregadas();
  LectorCampos lector = LectorCampos::DeArchivo(*bytes);
  for (int n = 1; n <= TextosIdioma::kEntradas; ++n) {
    std::optional<std::string> item = lector.Siguiente();
    if (!item) break;
    textos.SetEntrada(n, std::move(*item));
  }
}

// "%1", "%2", ... replaced by the texts given, in one pass: a text that
// holds "%2" itself stays as it is.
std::string Sustituir(const std::string& plantilla, std::initializer_list<std::string> valores) {
  std::string salida;
  for (size_t i = 0; i < plantilla.size(); ++i) {
    const size_t n = i + 1 < plantilla.size() ? static_cast<size_t>(plantilla[i + 1] - '1') : valores.size();
    if (plantilla[i] == '%' && n < valores.size()) {
      salida += *(valores.begin() + n);
      ++i;
    } else {
      salida += plantilla[i];
    }
  }
  return salida;
}

}  // namespace kelu
