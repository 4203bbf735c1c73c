// The simulated person: synthetic keyers press the real main window's pad
// through the in-memory toolkit and its manual clock, and what the target
// window receives is compared with the text they meant. Prints, per keyer,
// settings and language, the character error rate and the net characters
// per minute, then what the pace estimates do across a long pause and a
// spasm.
#include <algorithm>
#include <array>
#include <atomic>
#include <cctype>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include <fstream>
#include <sstream>

#include "keying/calibracion.h"
#include "keying/prediccion.h"
#include "platform/headless/toolkit_headless.h"
#include "platform/traza.h"
#include "platform/teclas.h"
#include "platform/utf8.h"
#include "startup/inicio.h"
#include "window/frm_kelu.h"

namespace kelu {
namespace {

// ---------------------------------------------------------------------------
// What the people key: everyday sentences, lower case, letters and spaces.

const std::vector<const char*> kFrasesEspanol = {
    "el sol de la mañana entra por la ventana y la casa despierta despacio",
    "mi abuela guardaba las cartas en una caja de madera junto a la cama",
    "el tren llegó tarde pero nadie en el andén parecía tener prisa",
    "los niños corren por la plaza mientras los mayores conversan a la sombra",
    "cuando llueve el camino del río se llena de barro y de ranas",
    "aprendí a leer con un libro viejo que tenía las páginas amarillas",
    "el pan recién hecho huele a domingo y a cocina de pueblo",
    "la biblioteca cierra a las ocho pero la luz del pasillo queda encendida",
    "en invierno subimos a la montaña a ver la nieve sobre los pinos",
    "mi vecino toca la guitarra cada tarde y el perro lo escucha tranquilo",
    "la carta decía que volvería en primavera con noticias del mar",
    "hay que regar las plantas del balcón antes de que apriete el calor",
};

const std::vector<const char*> kFrasesIngles = {
    "the morning light came through the kitchen window and warmed the table",
    "my grandmother kept her letters in a wooden box beside the bed",
    "the train was late but nobody on the platform seemed to mind",
    "children ran across the square while their parents talked in the shade",
    "after the rain the path along the river was full of mud and frogs",
    "i learned to read from an old book with yellow pages",
    "fresh bread smells of sunday mornings and of a village kitchen",
    "the library closes at eight but the hall light stays on all night",
    "in winter we climbed the hill to watch the snow settle on the pines",
    "my neighbour plays the guitar every evening and the dog listens quietly",
    "the letter said she would come back in spring with news of the sea",
    "the plants on the balcony need water before the heat of the day",
};

struct Lengua {
  const char* nombre;
  const char* archivoIdioma;
  const std::vector<const char*>* frases;
};
const Lengua kLenguas[] = {{"es", "Español.lng", &kFrasesEspanol}, {"en", "English.lng", &kFrasesIngles}};

int numSemillas = 25;  // a first argument asks for fewer, for a quick look
constexpr size_t kCaracteres = 400;

std::u32string Decodificar(std::string_view utf8) {
  std::u32string salida;
  for (size_t i = 0; i < utf8.size();) salida += DecodificarUtf8(utf8, i).value_or(U'?');
  return salida;
}

// Sentences drawn at random, one space between them, cut to `largo`.
std::u32string TextoDePrueba(const std::vector<const char*>& frases, uint32_t semilla, size_t largo) {
  std::mt19937 azar(semilla);
  std::uniform_int_distribution<size_t> cual(0, frases.size() - 1);
  std::u32string texto;
  while (texto.size() < largo) {
    if (!texto.empty()) texto += U' ';
    texto += Decodificar(frases[cual(azar)]);
  }
  texto.resize(largo);
  return texto;
}

// ---------------------------------------------------------------------------
// The keyers.

struct Perfil {
  const char* nombre;
  double puntoInicial, puntoFinal;  // the dot in ms, at the start and at the end of the run
  double razon;                     // dash / dot
  double variacion;                 // every duration times a factor drawn in [1 - v, 1 + v]
  double espasmos = 0;              // share of presses preceded by a spasm of 2 to 4 s
  double pausas = 0;                // share of gaps after a character that become a pause of 5 to 20 s
};

// The steady hand's dot is the default settings' own (25 cs, dash 75 cs):
// every difficulty but the one a profile names is the same for all.
const Perfil kPerfiles[] = {
    {"steady ±30 %", 250, 250, 3, 0.30},
    {"steady ±40 %", 250, 250, 3, 0.40},
    {"fatigue, dot 150 → 300 ms", 150, 300, 3, 0.20},
    {"warm-up, dot 300 → 120 ms", 300, 120, 3, 0.20},
    {"dash/dot 2.2", 250, 250, 2.2, 0.20},
    {"dash/dot 4.5", 250, 250, 4.5, 0.20},
    {"5 % spasms of 2–4 s", 250, 250, 3, 0.20, 0.05},
    {"10 % pauses of 5–20 s", 250, 250, 3, 0.20, 0, 0.10},
};

// A press held `sostener` ms, then `silencio` ms of silence.
struct Pulsacion {
  int sostener, silencio;
};

// One character as the person keys it. The last press's silence is the
// letter gap; `huecoPalabra` takes its place when the word gap ends the
// word instead of the space code. Once the gap is over, a person who still
// sees the letter pending on the pad waits for it and then `reaccion` ms.
struct Caracter {
  std::vector<Pulsacion> pulsaciones;
  int huecoPalabra = 0;
  int reaccion = 0;
};

class Tecleador {
 public:
  Tecleador(const Perfil& perfil, uint32_t semilla) : p_(perfil), azar_(semilla) {}

  // `progreso` from 0 (first character) to 1 (last): where fatigue or
  // warm-up has got to. Every draw happens whatever the outcome, so one
  // seed gives the same presses under every setting.
  Caracter Teclear(std::string_view codigo, double progreso) {
    const double punto = p_.puntoInicial + (p_.puntoFinal - p_.puntoInicial) * progreso;
    Caracter c;
    for (char elemento : codigo) {
      const bool espasmo = Uniforme(0, 1) < p_.espasmos;
      const Pulsacion involuntaria{Redondear(Uniforme(2000, 4000)), Variar(punto)};
      if (espasmo) c.pulsaciones.push_back(involuntaria);
      c.pulsaciones.push_back({Variar(elemento == '-' ? p_.razon * punto : punto), Variar(punto)});
    }
    const bool pausa = Uniforme(0, 1) < p_.pausas;
    const int larga = Redondear(Uniforme(5000, 20000));
    const int letra = Variar(3 * punto), palabra = Variar(7 * punto);
    c.pulsaciones.back().silencio = pausa ? larga : letra;
    c.huecoPalabra = pausa ? larga : palabra;
    c.reaccion = Redondear(Uniforme(200, 400));
    return c;
  }

 private:
  double Uniforme(double desde, double hasta) { return std::uniform_real_distribution<double>(desde, hasta)(azar_); }
  static int Redondear(double ms) { return std::max(1, static_cast<int>(std::lround(ms))); }
  int Variar(double ms) { return Redondear(ms * Uniforme(1 - p_.variacion, 1 + p_.variacion)); }

  Perfil p_;
  std::mt19937 azar_;
};

std::string CodigoDe(const TablaCodigo& tabla, char32_t caracter) {
  std::string texto;
  CodificarUtf8(caracter, texto);
  if (caracter == U' ') texto = "{ESPACIO}";
  for (const EntradaCodigo& e : tabla.entradas)
    if (e.Texto == texto) return e.Secuencia;
  return {};
}

// ---------------------------------------------------------------------------
// The real program, on the in-memory toolkit.

std::string CarpetaDatos() { return KELU_DATA_DIR; }

constexpr uint8_t kVkRetroceso = 0x08;  // Backspace

class Sesion {
 public:
  Sesion(const Lengua& lengua, const Configuracion& configuracion, const Ayudas& ayudas, bool conObjetivo) {
    kit.carpetaPrograma = CarpetaDatos();
    if (conObjetivo) objetivo = kit.AgregarVentana("Objetivo");
    programa = std::make_unique<Programa>(kit, kit, ArchivosDelSistema());
    programa->configuracion = configuracion;
    // The language's word list is the one beside its texts.
    const std::string idioma = lengua.archivoIdioma;
    programa->configuracion.Idioma = idioma.substr(0, idioma.size() - 4);
    programa->ayudas = ayudas;
    // Nothing is written into the shipped data folder at the close.
    programa->conservarConfiguracion = programa->conservarAyudas = true;
    programa->lugarConfiguracion.guardable = false;  // nor a learning file
    CargarIdioma(programa->idioma, ArchivosDelSistema(), programa->Ruta(lengua.archivoIdioma));
    f = std::make_unique<frmKelu>(*programa);
  }

  // Runs `cuerpo` while the main window is up and waiting, as the person
  // meets it, then closes the window.
  void EnMarcha(const std::function<void()>& cuerpo) {
    kit.Encolar([&] {
      if (objetivo) Elegir(objetivo);
      // The aids come into force as the options dialog's OK puts them.
      f->AplicarOpciones();
      cuerpo();
      f->Descargar();
    });
    f->Cargar();
    EsperarTeclaRapida(kit, *f, [&] { return f->Cargada(); });
  }

  void Pulsar(int sostener) {
    kit.BotonAbajo(*f, &f->fraClic);
    kit.Avanzar(sostener);
    kit.BotonArriba(*f, &f->fraClic);
  }

  // Waits in small steps until `listo`, for at most `limite` ms; whether
  // there was anything to wait for.
  bool EsperarA(const std::function<bool()>& listo, int limite = 15000) {
    if (listo()) return false;
    for (int ms = 0; ms < limite && !listo(); ms += 10) kit.Avanzar(10);
    return true;
  }

  bool LetraPendiente() const { return !f->motor.CodigoActual().empty(); }
  size_t Espacios() {
    const auto& r = kit.Buscar(objetivo)->recibido;
    return static_cast<size_t>(std::count_if(r.begin(), r.end(), [](const EventoTecla& e) {
      return e.tipo == TipoEvento::Caracter && e.caracter == U' ';
    }));
  }

  // What the target's text box would hold: characters as typed, Enter and
  // Tab as themselves, Backspace deleting; any other key as U+FFFD.
  std::u32string Recibido() {
    std::u32string texto;
    const auto& recibido = kit.Buscar(objetivo)->recibido;
    for (const EventoTecla& e : recibido) {
      if (e.tipo == TipoEvento::Caracter) texto += e.caracter;
      if (e.tipo != TipoEvento::TeclaVirtual) continue;
      if (e.vk == kVkRetroceso) {
        if (!texto.empty()) texto.pop_back();
      } else {
        texto += e.vk == kVkEnter ? U'\n' : e.vk == kVkTab ? U'\t' : U'\uFFFD';
      }
    }
    return texto;
  }

  ToolkitHeadless kit;
  Hwnd objetivo = 0;
  std::unique_ptr<Programa> programa;
  std::unique_ptr<frmKelu> f;

 private:
  void Elegir(Hwnd ventana) {
    f->cboProcesos.SetFoco();
    for (int i = 0; i < f->cboProcesos.Cantidad(); ++i)
      if (f->lista.HandlesVentanas[static_cast<size_t>(i)] == ventana) f->cboProcesos.SetSeleccion(i);
  }
};

Ayudas AyudasSinDibujo() {
  Ayudas a;
  a.MostrarCodigo = a.TablaCodigos = false;  // no pad to draw: the simulation runs faster, the keying is the same
  return a;
}

// ---------------------------------------------------------------------------
// Calibration, keyed by the same person before the run: ten dots, ten
// dashes, "sos" three times. The presses as the engine counted them, the
// pauses as the clock saw them.

std::optional<PropuestaCalibracion> Calibrar(const Perfil& perfil, uint32_t semilla, const Lengua& lengua,
                                             const TablaCodigo& tabla) {
  Tecleador persona(perfil, semilla);
  std::vector<std::pair<std::string, int>> pasos;  // code, phase: 0 dots, 1 dashes, 2 the word
  for (int i = 0; i < 10; ++i) pasos.push_back({".", 0});
  for (int i = 0; i < 10; ++i) pasos.push_back({"-", 1});
  for (int i = 0; i < 3; ++i)
    for (char letra : std::string("sos")) pasos.push_back({CodigoDe(tabla, static_cast<char32_t>(letra)), 2});

  MuestrasCalibracion m;
  Sesion s(lengua, ConfiguracionPredeterminada(), AyudasSinDibujo(), false);
  s.EnMarcha([&] {
    for (size_t i = 0; i < pasos.size(); ++i) {
      const auto& [codigo, fase] = pasos[i];
      const Caracter c = persona.Teclear(codigo, 0);
      const bool finDePalabra = fase == 2 && i % 3 == 1;  // "sos" begins at 20: its last "s" at 22, 25, 28
      for (size_t k = 0; k < c.pulsaciones.size(); ++k) {
        s.Pulsar(c.pulsaciones[k].sostener);
        const int medida = s.f->motor.Estado().cuenta * 10;
        if (fase == 0) m.puntos.push_back(medida);
        if (fase == 1) m.rayas.push_back(medida);
        const bool ultima = k + 1 == c.pulsaciones.size();
        const int silencio = ultima && finDePalabra ? c.huecoPalabra : c.pulsaciones[k].silencio;
        if (fase == 2 && !ultima) m.pausasInternas.push_back(silencio);
        if (fase == 2 && ultima && !finDePalabra) m.pausasLetras.push_back(silencio);
        s.kit.Avanzar(silencio);
      }
    }
  });
  PropuestaCalibracion p = ProponerTiempos(m);
  if (!p.valida) return std::nullopt;
  return p;
}

// ---------------------------------------------------------------------------
// One run: a person keys a text into the target under one setting.

enum class Ajuste { Predeterminado, Calibrado, SeguirRitmo, SeguirRitmoLetrasAntes };
const char* const kAjustes[] = {"default settings", "calibrated (fixed)", "pace followed",
                                "pace followed + letters sooner"};
constexpr int kNumAjustes = 4;

size_t Distancia(const std::u32string& a, const std::u32string& b) {
  std::vector<size_t> fila(b.size() + 1);
  for (size_t j = 0; j <= b.size(); ++j) fila[j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    size_t diagonal = fila[0];
    fila[0] = i;
    for (size_t j = 1; j <= b.size(); ++j) {
      const size_t arriba = fila[j];
      fila[j] = std::min({fila[j] + 1, fila[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = arriba;
    }
  }
  return fila[b.size()];
}

struct Medida {
  size_t enviados = 0, distancia = 0;
  int64_t ms = 0;
  int calibracionesFallidas = 0;
  size_t palabras = 0, palabrasPorSilencio = 0;  // words ended, and of them by the word gap
  Medida& operator+=(const Medida& o) {
    enviados += o.enviados;
    palabras += o.palabras;
    palabrasPorSilencio += o.palabrasPorSilencio;
    distancia += o.distancia;
    ms += o.ms;
    calibracionesFallidas += o.calibracionesFallidas;
    return *this;
  }
};

// How the simulated person chooses a suggestion (with --texto).
enum class Eleccion { Ninguna, Codigos, PulsacionLarga };
const std::u32string* textoDado = nullptr;  // --texto, else the built-in sentences


bool EsLetraTexto(char32_t c) { return (c < 0x80 && std::isalpha(static_cast<int>(c))) || (c >= 0xC0 && c <= 0x24F); }

Medida Correr(const Perfil& perfil, Ajuste ajuste, const Lengua& lengua, int semilla, const TablaCodigo& tabla,
              Eleccion eleccion = Eleccion::Ninguna) {
  const int indiceLengua = &lengua == &kLenguas[0] ? 0 : 1;
  const std::u32string texto = textoDado ? *textoDado : TextoDePrueba(*lengua.frases, 7919u * static_cast<uint32_t>(semilla) + 17u * indiceLengua,
                                             kCaracteres);
  std::mt19937 miradas(static_cast<uint32_t>(semilla) * 2654435761u);
  const uint32_t semillaPersona = 104729u * static_cast<uint32_t>(semilla) + 31u * indiceLengua +
                                  static_cast<uint32_t>(&perfil - kPerfiles);
  Tecleador persona(perfil, semillaPersona);
  std::vector<Caracter> plan;
  for (size_t i = 0; i < texto.size(); ++i)
    plan.push_back(persona.Teclear(CodigoDe(tabla, texto[i]), static_cast<double>(i) / (texto.size() - 1)));

  Medida medida;
  Configuracion c = ConfiguracionPredeterminada();
  Ayudas a = AyudasSinDibujo();
  if (ajuste == Ajuste::Calibrado) {
    if (auto p = Calibrar(perfil, semillaPersona ^ 0x5bd1e995u, lengua, tabla)) {
      c.DuracionPunto = p->DuracionPunto;
      c.ToleranciaPunto = p->ToleranciaPunto;
      c.DuracionRaya = p->DuracionRaya;
      c.ToleranciaRaya = p->ToleranciaRaya;
      c.TiempoEntreLetras = p->TiempoEntreLetras;
      c.ToleranciaEntreLetras = 0;
    } else {
      medida.calibracionesFallidas = 1;  // told to key again; the run keeps the defaults
    }
  }
  a.SeguirRitmo = ajuste == Ajuste::SeguirRitmo || ajuste == Ajuste::SeguirRitmoLetrasAntes;
  a.LetrasAntes = ajuste == Ajuste::SeguirRitmoLetrasAntes;
  a.Prediccion = eleccion != Eleccion::Ninguna;
  a.PulsacionLargaElige = eleccion == Eleccion::PulsacionLarga;

  Sesion s(lengua, c, a, true);
  s.EnMarcha([&] {
    const int64_t inicio = s.kit.Ahora();
    bool espacioPorSilencio = false;
    for (size_t i = 0; i < texto.size(); ++i) {
      if (espacioPorSilencio) {  // the word gap typed this space
        espacioPorSilencio = false;
        continue;
      }
      if (eleccion != Eleccion::Ninguna) {
        // The person reads the pad, and chooses the word they mean when it is there.
        const std::vector<Sugerencia> sugerencias = s.f->prediccion.Mostradas();
        if (!sugerencias.empty()) s.kit.Avanzar(std::uniform_int_distribution<int>(300, 600)(miradas));
        size_t fin = i;
        while (fin < texto.size() && EsLetraTexto(texto[fin])) ++fin;
        std::string meta;
        for (size_t k = i; k < fin; ++k) CodificarUtf8(texto[k], meta);
        meta += fin < texto.size() && texto[fin] == U' ' ? " " : "#";
        int elegida = -1;
        for (int k = 0; k < static_cast<int>(sugerencias.size()); ++k)
          if (sugerencias[k].resto == meta) elegida = k;
        if (elegida >= 0) {
          const double avance = static_cast<double>(i) / (texto.size() - 1);
          if (eleccion == Eleccion::PulsacionLarga && elegida == 0) {
            // Held until the meter shows the word chosen, and let go a reaction later.
            s.EsperarA([&] { return !s.f->entrega.Enviando(); });
            s.Pulsar((s.f->motor.Estado().larga.desde + 1) * 10 + persona.Teclear("-", avance).reaccion);
          } else {
            const Caracter car = persona.Teclear(CodigoDeTexto(tabla, kElegirPalabra[elegida]), avance);
            for (size_t k = 0; k + 1 < car.pulsaciones.size(); ++k) {
              s.Pulsar(car.pulsaciones[k].sostener);
              s.kit.Avanzar(car.pulsaciones[k].silencio);
            }
            s.Pulsar(car.pulsaciones.back().sostener);
            s.kit.Avanzar(car.pulsaciones.back().silencio);
          }
          const Caracter despues = persona.Teclear("-", avance);
          if (s.EsperarA([&] { return !s.LetraPendiente() && !s.f->entrega.Enviando(); })) s.kit.Avanzar(despues.reaccion);
          i = fin;  // its space too
          continue;
        }
      }
      const Caracter& car = plan[i];
      const size_t espacios = s.Espacios();
      for (size_t k = 0; k + 1 < car.pulsaciones.size(); ++k) {
        s.Pulsar(car.pulsaciones[k].sostener);
        s.kit.Avanzar(car.pulsaciones[k].silencio);
      }
      s.Pulsar(car.pulsaciones.back().sostener);
      // With a word gap in force (the pad counts it down) a word ends with
      // that silence; without one, with the space code.
      espacioPorSilencio = i + 1 < texto.size() && texto[i + 1] == U' ' && texto[i] != U' ' &&
                           s.f->motor.Estado().palabra.intervaloMs > 0;
      if (i + 1 < texto.size() && texto[i + 1] == U' ' && texto[i] != U' ') {
        ++medida.palabras;
        medida.palabrasPorSilencio += espacioPorSilencio;
      }
      s.kit.Avanzar(espacioPorSilencio ? car.huecoPalabra : car.pulsaciones.back().silencio);
      // The word gap counts from the letter's arrival: no space can come
      // before the letter has, nor while the button was down.
      const bool espero = s.EsperarA([&] {
        return !s.LetraPendiente() && (!espacioPorSilencio || s.Espacios() > espacios);
      });
      if (espero) s.kit.Avanzar(car.reaccion);
    }
    medida.ms = s.kit.Ahora() - inicio;
    medida.enviados = texto.size();
    medida.distancia = Distancia(s.Recibido(), texto);
  });
  return medida;
}

// ---------------------------------------------------------------------------
// The pace estimates across a 20 s pause and a 3 s spasm, read from the aids
// the engine keeps them in, after settling on an exact hand.

struct Estimaciones {
  int punto, raya, hueco;
};

double CambioRelativo(const Estimaciones& antes, const Estimaciones& despues) {
  auto r = [](int a, int d) { return a > 0 ? std::abs(d - a) / static_cast<double>(a) : 0.0; };
  return std::max({r(antes.punto, despues.punto), r(antes.raya, despues.raya), r(antes.hueco, despues.hueco)});
}

void Seguridad(const TablaCodigo& tabla) {
  Ayudas a = AyudasSinDibujo();
  a.SeguirRitmo = true;
  Sesion s(kLenguas[0], ConfiguracionPredeterminada(), a, true);
  double cambioPausa = -1, cambioEspasmo = -1;
  bool aprendido = false;
  s.EnMarcha([&] {
    const Ayudas& vivas = s.programa->ayudas;
    auto leer = [&] { return Estimaciones{vivas.RitmoPunto, vivas.RitmoRaya, vivas.RitmoHueco}; };
    // An exact hand: dot 250, dash 750, inner gap 250, letter gap 750 ms.
    auto letra = [&](char32_t caracter, int antesMs) {
      s.kit.Avanzar(antesMs);
      const std::string codigo = CodigoDe(tabla, caracter);
      for (size_t k = 0; k < codigo.size(); ++k) {
        if (k) s.kit.Avanzar(250);
        s.Pulsar(codigo[k] == '-' ? 750 : 250);
      }
      s.kit.Avanzar(750);
      s.EsperarA([&] { return !s.LetraPendiente(); });
    };
    for (char32_t c : std::u32string(U"paris paris paris")) letra(c, 0);
    const Estimaciones asentadas = leer();
    aprendido = asentadas.punto > 0 && asentadas.raya > 0;
    letra(U'a', 20000);
    cambioPausa = CambioRelativo(asentadas, leer());
    const Estimaciones antesEspasmo = leer();
    s.Pulsar(3000);
    letra(U'e', 250);
    cambioEspasmo = CambioRelativo(antesEspasmo, leer());
  });
  if (!aprendido) {
    std::printf("Pace estimates: not observable (the aids hold no learned dot or dash while keying).\n");
    return;
  }
  std::printf("Pace estimates, largest relative change of dot, dash or inner gap after settling on an exact hand:\n");
  std::printf("- across a 20 s pause (then \"a\" keyed exactly): %.1f %%\n", 100 * cambioPausa);
  std::printf("- across a 3 s spasm (then \"e\" keyed exactly): %.1f %%\n", 100 * cambioEspasmo);
}


// ---------------------------------------------------------------------------
// Cold start: a hand far from the settings keys its first characters with
// the pace followed and nothing learned yet, and the same hand, same seeds,
// with its own pace saved before (warm). Words end with the space code (the
// default settings have no word gap).

struct ManoFria {
  Perfil perfil;
  int deriva;  // characters over which the dot goes from its start to its end (0: none)
};
const ManoFria kManosFrias[] = {
    {{"dot 150 ms (0.6 × the settings), ±20 %", 150, 150, 3, 0.20}, 0},
    {{"dot 400 ms (1.6 × the settings), ±20 %", 400, 400, 3, 0.20}, 0},
    {{"dot 150 ms, ±30 %", 150, 150, 3, 0.30}, 0},
    {{"dot 400 ms, ±30 %", 400, 400, 3, 0.30}, 0},
    {{"dot 300 → 110 ms over 10 letters, ±20 %", 300, 110, 3, 0.20}, 10},
};
constexpr size_t kPrimeros = 10, kCaracteresFrio = 30;

struct Tramos {
  size_t distancia = 0, enviados = 0;       // over the first kCaracteresFrio characters
  int64_t msPrimeros = 0, msResto = 0;      // keying the first kPrimeros, then the rest
  Tramos& operator+=(const Tramos& o) {
    distancia += o.distancia;
    enviados += o.enviados;
    msPrimeros += o.msPrimeros;
    msResto += o.msResto;
    return *this;
  }
};

Tramos CorrerEnFrio(const ManoFria& mano, bool caliente, const Lengua& lengua, int semilla, const TablaCodigo& tabla) {
  const int indiceLengua = &lengua == &kLenguas[0] ? 0 : 1;
  const std::u32string texto =
      TextoDePrueba(*lengua.frases, 7919u * static_cast<uint32_t>(semilla) + 17u * indiceLengua, kCaracteresFrio);
  Tecleador persona(mano.perfil, 104729u * static_cast<uint32_t>(semilla) + 31u * indiceLengua +
                                     static_cast<uint32_t>(&mano - kManosFrias));
  std::vector<Caracter> plan;
  for (size_t i = 0; i < texto.size(); ++i) {
    const double progreso = mano.deriva ? std::min(1.0, static_cast<double>(i) / mano.deriva) : 0;
    plan.push_back(persona.Teclear(CodigoDe(tabla, texto[i]), progreso));
  }
  Ayudas a = AyudasSinDibujo();
  a.SeguirRitmo = true;
  if (caliente) {  // the pace the hand starts with, as learned in an earlier session
    a.RitmoPunto = static_cast<int>(mano.perfil.puntoInicial);
    a.RitmoRaya = static_cast<int>(mano.perfil.razon * mano.perfil.puntoInicial);
    a.RitmoHueco = static_cast<int>(mano.perfil.puntoInicial);
  }
  Tramos t;
  Sesion s(lengua, ConfiguracionPredeterminada(), a, true);
  s.EnMarcha([&] {
    const int64_t inicio = s.kit.Ahora();
    for (size_t i = 0; i < texto.size(); ++i) {
      const Caracter& car = plan[i];
      for (const Pulsacion& p : car.pulsaciones) {
        s.Pulsar(p.sostener);
        s.kit.Avanzar(p.silencio);
      }
      if (s.EsperarA([&] { return !s.LetraPendiente(); })) s.kit.Avanzar(car.reaccion);
      if (i + 1 == kPrimeros) t.msPrimeros = s.kit.Ahora() - inicio;
    }
    t.msResto = s.kit.Ahora() - inicio - t.msPrimeros;
    s.kit.Avanzar(100);  // the last letter's delivery
    t.enviados = texto.size();
    t.distancia = Distancia(s.Recibido(), texto);
  });
  return t;
}

void ArranqueEnFrio(const TablaCodigo& tabla) {
  std::printf("\nCold start, %d seeds × %zu characters per language (es and en together); net characters per minute"
              " use the CER of all %zu:\n\n",
              numSemillas, kCaracteresFrio, kCaracteresFrio);
  std::printf("| hand | CER, first %zu: cold / warm | net CPM, first %zu: cold / warm | net CPM, %zu–%zu: cold / warm |"
              " cold / warm, %zu–%zu |\n|---|---|---|---|---|\n",
              kCaracteresFrio, kPrimeros, kPrimeros + 1, kCaracteresFrio, kPrimeros + 1, kCaracteresFrio);
  // Every run on its own, on two threads; then summed per hand and start.
  const size_t porMano = 2 * std::size(kLenguas) * static_cast<size_t>(numSemillas);
  std::vector<Tramos> corridas(std::size(kManosFrias) * porMano);
  std::atomic<size_t> siguiente{0};
  auto trabajar = [&] {
    for (size_t i; (i = siguiente++) < corridas.size();) {
      const size_t k = i % porMano;
      corridas[i] = CorrerEnFrio(kManosFrias[i / porMano], k % 2, kLenguas[k / 2 % std::size(kLenguas)],
                                 static_cast<int>(k / 2 / std::size(kLenguas)), tabla);
    }
  };
  std::thread otro(trabajar);
  trabajar();
  otro.join();
  for (size_t m = 0; m < std::size(kManosFrias); ++m) {
    const ManoFria& mano = kManosFrias[m];
    Tramos t[2];
    for (size_t k = 0; k < porMano; ++k) t[k % 2] += corridas[m * porMano + k];
    double cer[2], primeros[2], resto[2];
    for (int k = 0; k < 2; ++k) {
      cer[k] = static_cast<double>(t[k].distancia) / t[k].enviados;
      const double vueltas = static_cast<double>(t[k].enviados) / kCaracteresFrio;
      primeros[k] = vueltas * kPrimeros / (t[k].msPrimeros / 60000.0) * (1 - cer[k]);
      resto[k] = vueltas * (kCaracteresFrio - kPrimeros) / (t[k].msResto / 60000.0) * (1 - cer[k]);
    }
    std::printf("| %s | %.1f %% / %.1f %% | %.1f / %.1f | %.1f / %.1f | %.0f %% |\n", mano.perfil.nombre, 100 * cer[0],
                100 * cer[1], primeros[0], primeros[1], resto[0], resto[1], 100 * resto[0] / resto[1]);
  }
}

// --texto FILE --idioma es|en: every keyer, pace followed, keys that text
// letter by letter, then choosing suggestions by codes or by a long press.
int MedirPrediccion(const std::string& ruta, const std::string& idioma) {
  TablaCodigo tabla;
  std::string codigo = ConfiguracionPredeterminada().Codigo;
  CargarCodigo(tabla, codigo, ArchivosDelSistema(), CarpetaDatos());
  std::ifstream f(ruta, std::ios::binary);
  std::stringstream bytes;
  bytes << f.rdbuf();
  std::u32string texto;
  for (char32_t c : Decodificar(bytes.str())) {
    if (c == U'\n' || c == U'\r' || c == U'\t') c = U' ';
    if (c == U' ' && (texto.empty() || texto.back() == U' ')) continue;
    if (!CodigoDe(tabla, c).empty()) texto += c;
  }
  texto.resize(std::min(texto.size(), kCaracteres * 3));
  textoDado = &texto;
  const Lengua& lengua = kLenguas[idioma == "en" ? 1 : 0];
  std::printf("%s, %zu characters, pace followed, %d seeds; each cell: CER %% / net characters per minute\n\n",
              ruta.c_str(), texto.size(), numSemillas);
  std::printf("| keyer | letters only | codes ...-. .--.. -.-.. | long press, .--.. -.-.. |\n|---|---|---|---|\n");
  for (const Perfil& perfil : kPerfiles) {
    std::printf("| %s |", perfil.nombre);
    for (Eleccion e : {Eleccion::Ninguna, Eleccion::Codigos, Eleccion::PulsacionLarga}) {
      Medida m;
      for (int semilla = 0; semilla < numSemillas; ++semilla)
        m += Correr(perfil, Ajuste::SeguirRitmo, lengua, semilla, tabla, e);
      const double cer = static_cast<double>(m.distancia) / m.enviados;
      std::printf(" %.1f %% / %.1f |", 100 * cer, std::max(0.0, m.enviados / (m.ms / 60000.0) * (1 - cer)));
    }
    std::printf("\n");
  }
  return 0;
}

}  // namespace
}  // namespace kelu

// What the guards caught, from every thread.
std::atomic<int> gAtrapados{0};

int main(int argc, char** argv) {
  using namespace kelu;
  PonerTraza([](const char*, const char*) noexcept { ++gAtrapados; });
  std::string rutaTexto, idioma = "es";
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::string(argv[i]) == "--texto") rutaTexto = argv[i + 1];
    if (std::string(argv[i]) == "--idioma") idioma = argv[i + 1];
  }
  if (!rutaTexto.empty()) {
    numSemillas = 3;
    return MedirPrediccion(rutaTexto, idioma);
  }
  if (argc > 1) numSemillas = std::max(1, std::atoi(argv[1]));
  const auto comienzo = std::chrono::steady_clock::now();
  TablaCodigo tabla;
  std::string codigo = ConfiguracionPredeterminada().Codigo;
  CargarCodigo(tabla, codigo, ArchivosDelSistema(), CarpetaDatos());
  for (const Lengua& lengua : kLenguas)
    for (const char* frase : *lengua.frases)
      for (char32_t caracter : Decodificar(frase))
        if (CodigoDe(tabla, caracter).empty()) {
          std::fprintf(stderr, "\"%s\" has no code for a character of: %s\n", codigo.c_str(), frase);
          return 1;
        }

  struct Trabajo {
    int perfil, ajuste, lengua, semilla;
  };
  std::vector<Trabajo> trabajos;
  // The slowest first (the default letter gap), so the threads end together.
  for (int a = 0; a < kNumAjustes; ++a)
    for (int p = 0; p < static_cast<int>(std::size(kPerfiles)); ++p)
      for (int l = 0; l < 2; ++l)
        for (int s = 0; s < numSemillas; ++s) trabajos.push_back({p, a, l, s});
  std::vector<Medida> medidas(trabajos.size());
  std::atomic<size_t> siguiente{0};
  auto trabajar = [&] {
    for (size_t i; (i = siguiente++) < trabajos.size();) {
      const Trabajo& t = trabajos[i];
      medidas[i] = Correr(kPerfiles[t.perfil], static_cast<Ajuste>(t.ajuste), kLenguas[t.lengua], t.semilla, tabla);
    }
  };
  std::vector<std::thread> hilos;
  const unsigned numHilos = std::max(1u, std::min(2u, std::thread::hardware_concurrency()));
  for (unsigned i = 0; i < numHilos; ++i) hilos.emplace_back(trabajar);
  for (std::thread& h : hilos) h.join();

  const size_t numPerfiles = std::size(kPerfiles);
  std::vector<Medida> total(numPerfiles * kNumAjustes * 2);
  for (size_t i = 0; i < trabajos.size(); ++i) {
    const Trabajo& t = trabajos[i];
    total[(static_cast<size_t>(t.perfil) * kNumAjustes + t.ajuste) * 2 + t.lengua] += medidas[i];
  }

  std::printf("%d seeds × %zu characters per keyer and language; each cell: CER %% / net characters per minute\n\n",
              numSemillas, kCaracteres);
  std::printf("| keyer | text |");
  for (const char* a : kAjustes) std::printf(" %s |", a);
  std::printf("\n|---|---|---|---|---|---|\n");
  int fallidas = 0;
  for (size_t p = 0; p < numPerfiles; ++p)
    for (int l = 0; l < 2; ++l) {
      std::printf("| %s | %s |", kPerfiles[p].nombre, kLenguas[l].nombre);
      for (int a = 0; a < kNumAjustes; ++a) {
        const Medida& m = total[(p * kNumAjustes + a) * 2 + l];
        const double cer = static_cast<double>(m.distancia) / m.enviados;
        const double cpm = m.enviados / (m.ms / 60000.0);
        std::printf(" %.1f %% / %.1f |", 100 * cer, std::max(0.0, cpm * (1 - cer)));
        fallidas += m.calibracionesFallidas;
      }
      std::printf("\n");
    }
  std::printf("\nWords ended by the word gap (else keyed with the space code):");
  for (int a = 0; a < kNumAjustes; ++a) {
    Medida m;
    for (size_t p = 0; p < numPerfiles; ++p)
      for (int l = 0; l < 2; ++l) m += total[(p * kNumAjustes + a) * 2 + l];
    std::printf("%s %s %.0f %%", a ? ";" : "", kAjustes[a], 100.0 * m.palabrasPorSilencio / m.palabras);
  }
  std::printf("\nCalibrations that proposed nothing (dots and dashes overlap; the defaults kept): %d of %d\n", fallidas,
              static_cast<int>(numPerfiles) * 2 * numSemillas);
  Seguridad(tabla);
  ArranqueEnFrio(tabla);
  const double segundos = std::chrono::duration<double>(std::chrono::steady_clock::now() - comienzo).count();
  std::printf("Steps that failed and were skipped: %d; wall time %.1f s on %u threads\n", gAtrapados.load(),
              segundos, numHilos);
  return 0;
}
