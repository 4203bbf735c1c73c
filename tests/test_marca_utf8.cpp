#include <gtest/gtest.h>

#include <functional>

#include "config/ayudas.h"
#include "config/configuracion.h"
#include "config/idioma.h"
#include "keying/tabla_codigo.h"
#include "tests/archivos_prueba.h"

namespace kelu {
namespace {

constexpr const char* kMarca = "\xEF\xBB\xBF";

// One reader of KELU's text files: the file it reads, the bytes around the
// text under test, and the text it hands out of that file.
struct Lector {
  const char* archivo;
  const char* antes;
  const char* despues;
  std::function<std::string(const std::string& carpeta)> leer;
};

const Lector kLectores[] = {
    {"kelu.ini", "\"KELU (Sondavermo)\"\r\n\"Versión 1.0\"\r\n\"Idioma:",
     "\"\r\n\"Código:c\"\r\n\"Ubicación:Abajo\"\r\n\"Ajustar ancho:True\"\r\n\"Siempre visible:True\"\r\n"
     "\"Fijar puntero:True\"\r\n\"Mostrar pulsaciones:True\"\r\n\"Calcular en función del punto:True\"\r\n"
     "\"Duración del punto:25\"\r\n\"Tolerancia punto:10\"\r\n\"Duración de la raya:75\"\r\n"
     "\"Tolerancia raya:40\"\r\n\"Tiempo entre letras:200\"\r\n\"Tolerancia entre letras:0\"\r\n"
     "\"Tiempo entre palabras:0\"\r\n\"Tolerancia entre palabras:0\"\r\n",
     [](const std::string& carpeta) {
       Configuracion c;
       CargarConfiguracion(c, ArchivosDelSistema(), carpeta);
       return c.Idioma;
     }},
    {"ayudas.ini", "", "\r\nTono=1\r\n",
     [](const std::string& carpeta) {
       Ayudas a;
       std::vector<std::string> lineas;
       CargarAyudas(a, lineas, ArchivosDelSistema(), carpeta);
       return lineas.empty() ? std::string() : lineas[0];
     }},
    {"x.lng", "", "\r\n",
     [](const std::string& carpeta) {
       TextosIdioma t;
       CargarIdioma(t, ArchivosDelSistema(), UnirRuta(carpeta, "x.lng"));
       return t.Entrada(IdTexto::PresentacionNombre);
     }},
    {"x.kel", "Códigos:1\r\n.:", "\r\n",
     [](const std::string& carpeta) {
       TablaCodigo tabla;
       std::string codigo = "x";
       CargarCodigo(tabla, codigo, ArchivosDelSistema(), carpeta);
       return TextoDeCodigo(tabla, ".");
     }},
};

}  // namespace

// Every reader decodes a file alike: UTF-8 behind the byte-order mark, the
// ANSI code page without it, and the ANSI code page too behind a mark that
// an editor added without converting the bytes.
TEST(MarcaUtf8, EveryReaderTakesBytesThatAreNotUtf8InTheAnsiCodePage) {
  struct Caso {
    const char* caso;
    bool marca;
    bool utf8;  // the whole file in UTF-8, else in the ANSI code page
  };
  for (const Lector& lector : kLectores) {
    for (const Caso& caso : {Caso{"utf8BehindTheMark", true, true}, Caso{"ansiWithoutTheMark", false, false},
                             Caso{"ansiBehindTheMark", true, false}}) {
      SCOPED_TRACE(std::string(lector.archivo) + " " + caso.caso);
      const std::string texto = std::string(lector.antes) + "Español" + lector.despues;
      prueba::CarpetaTemporal carpeta;
      carpeta.Escribir(lector.archivo, (caso.marca ? kMarca : "") + (caso.utf8 ? texto : *Utf8AAnsi(texto)));
      EXPECT_EQ(lector.leer(carpeta.Ruta()), "Español");
    }
  }
}

}  // namespace kelu
