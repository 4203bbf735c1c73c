#include <gtest/gtest.h>

#include <optional>

#include "config/ayudas.h"
#include "tests/archivos_prueba.h"

namespace kelu {
namespace {

constexpr const char* kBom = "\xEF\xBB\xBF";

// A file as found, what is read from it, and the file once the volume is
// changed to 55 and it is saved again.
struct CasoAyudas {
  const char* caso;
  std::optional<std::string> archivo;  // nullopt: no file
  bool bloqueado;
  LecturaConfiguracion lectura;
  Ayudas leidas;
  std::string guardado;
  friend void PrintTo(const CasoAyudas& c, std::ostream* os) { *os << c.caso; }
};

Ayudas Con(bool codigo, bool tabla, bool tono, bool avisos, int frecuencia, int volumen, bool prediccion = false,
          bool aprender = true) {
  Ayudas a{codigo, tabla, tono, avisos, frecuencia, volumen};
  a.Prediccion = prediccion;
  a.AprenderPalabras = aprender;
  return a;
}

class ArchivoAyudas : public ::testing::TestWithParam<CasoAyudas> {};

TEST_P(ArchivoAyudas, ReadsByKeyAndRewritesKeepingEveryOtherLineInPlace) {
  const CasoAyudas& p = GetParam();
  prueba::CarpetaTemporal carpeta;
  prueba::ArchivosConFallos archivos;
  if (p.archivo) carpeta.Escribir("ayudas.ini", *p.archivo);
  if (p.bloqueado) archivos.ilegibles.insert(carpeta.En("ayudas.ini"));

  Ayudas a = Con(false, false, true, true, 1000, 90);  // whatever was there before is forgotten
  std::vector<std::string> lineas = {"vieja"};
  EXPECT_EQ(CargarAyudas(a, lineas, archivos, carpeta.Ruta()), p.lectura);
  EXPECT_EQ(a, p.leidas);

  a.VolumenTono = 55;
  archivos.ilegibles.clear();
  ASSERT_TRUE(GuardarAyudas(a, lineas, archivos, carpeta.Ruta()));
  EXPECT_EQ(carpeta.Leer("ayudas.ini"), p.guardado);
  EXPECT_FALSE(carpeta.Existe("ayudas.ini.tmp"));
  Ayudas otra;
  EXPECT_EQ(CargarAyudas(otra, lineas, archivos, carpeta.Ruta()), LecturaConfiguracion::Leida);
  EXPECT_EQ(otra, a);
}

INSTANTIATE_TEST_SUITE_P(
    Ayudas, ArchivoAyudas,
    ::testing::Values(
        CasoAyudas{"missingFile", std::nullopt, false, LecturaConfiguracion::Predeterminada, Ayudas{},
                   std::string(kBom) + "MostrarCodigo=1\r\nTablaCodigos=1\r\nTono=0\r\nAvisosSonoros=0\r\n"
                                       "FrecuenciaTono=700\r\nVolumenTono=55\r\n"
                                       "SeguirRitmo=0\r\nLetrasAntes=0\r\nPractica=0\r\nRitmoPunto=0\r\nRitmoRaya=0\r\nRitmoHueco=0\r\n"
                                       "TeclaPulsador=0\r\nTeclaRaya=0\r\nMantenerDestino=0\r\nPulsacionMinima=0\r\nEsperaTrasSoltar=0\r\nPausaPorPulsacion=0\r\nRepeticionMs=150\r\n"
                                       "Prediccion=0\r\nAprenderPalabras=1\r\nPulsacionLargaElige=1\r\n"},
        CasoAyudas{"lockedFile", "Tono=1\r\n", true, LecturaConfiguracion::Ilegible, Ayudas{},
                   std::string(kBom) + "MostrarCodigo=1\r\nTablaCodigos=1\r\nTono=0\r\nAvisosSonoros=0\r\n"
                                       "FrecuenciaTono=700\r\nVolumenTono=55\r\n"
                                       "SeguirRitmo=0\r\nLetrasAntes=0\r\nPractica=0\r\nRitmoPunto=0\r\nRitmoRaya=0\r\nRitmoHueco=0\r\n"
                                       "TeclaPulsador=0\r\nTeclaRaya=0\r\nMantenerDestino=0\r\nPulsacionMinima=0\r\nEsperaTrasSoltar=0\r\nPausaPorPulsacion=0\r\nRepeticionMs=150\r\n"
                                       "Prediccion=0\r\nAprenderPalabras=1\r\nPulsacionLargaElige=1\r\n"},
        // No mark: the ANSI code page, as every KELU text file; LF ends, no
        // end on the last line, keys in any order and any case.
        CasoAyudas{"ansiLfAnyOrder",
                   "; mi configuraci\xF3n\n volumentono = 80\nClaveFutura=x\n\nTono=1\nFrecuenciaTono=1200\n"
                   "aprenderpalabras=0\nPrediccion=1",
                   false, LecturaConfiguracion::Leida, Con(true, true, true, false, 1200, 80, true, false),
                   std::string(kBom) + "; mi configuración\r\nVolumenTono=55\r\nClaveFutura=x\r\n\r\nTono=1\r\n"
                                       "FrecuenciaTono=1200\r\nAprenderPalabras=0\r\nPrediccion=1\r\n"
                                       "MostrarCodigo=1\r\nTablaCodigos=1\r\nAvisosSonoros=0\r\n"
                                       "SeguirRitmo=0\r\nLetrasAntes=0\r\nPractica=0\r\nRitmoPunto=0\r\nRitmoRaya=0\r\nRitmoHueco=0\r\n"
                                       "TeclaPulsador=0\r\nTeclaRaya=0\r\nMantenerDestino=0\r\nPulsacionMinima=0\r\nEsperaTrasSoltar=0\r\nPausaPorPulsacion=0\r\nRepeticionMs=150\r\n"
                                       "PulsacionLargaElige=1\r\n"},
        CasoAyudas{"utf8MalformedValuesTakeTheirDefaults",
                   std::string(kBom) + "MostrarCodigo=0\r\nTablaCodigos=sí\r\nTono=2\r\nAvisosSonoros=1\r\n"
                                       "FrecuenciaTono=150\r\nVolumenTono=-5\r\n# Ñandú\r\n",
                   false, LecturaConfiguracion::Leida, Con(false, true, false, true, 700, 30),
                   std::string(kBom) + "MostrarCodigo=0\r\nTablaCodigos=1\r\nTono=0\r\nAvisosSonoros=1\r\n"
                                       "FrecuenciaTono=700\r\nVolumenTono=55\r\n# Ñandú\r\n"
                                       "SeguirRitmo=0\r\nLetrasAntes=0\r\nPractica=0\r\nRitmoPunto=0\r\nRitmoRaya=0\r\nRitmoHueco=0\r\n"
                                       "TeclaPulsador=0\r\nTeclaRaya=0\r\nMantenerDestino=0\r\nPulsacionMinima=0\r\nEsperaTrasSoltar=0\r\nPausaPorPulsacion=0\r\nRepeticionMs=150\r\n"
                                       "Prediccion=0\r\nAprenderPalabras=1\r\nPulsacionLargaElige=1\r\n"},
        // A key twice: the last line counts; the rewrite keeps the first place only.
        CasoAyudas{"aKeyTwice", "VolumenTono=10\r\nFrecuenciaTono=2000\r\nVolumenTono=100\r\n", false,
                   LecturaConfiguracion::Leida, Con(true, true, false, false, 2000, 100),
                   std::string(kBom) + "VolumenTono=55\r\nFrecuenciaTono=2000\r\nMostrarCodigo=1\r\nTablaCodigos=1\r\n"
                                       "Tono=0\r\nAvisosSonoros=0\r\n"
                                       "SeguirRitmo=0\r\nLetrasAntes=0\r\nPractica=0\r\nRitmoPunto=0\r\nRitmoRaya=0\r\nRitmoHueco=0\r\n"
                                       "TeclaPulsador=0\r\nTeclaRaya=0\r\nMantenerDestino=0\r\nPulsacionMinima=0\r\nEsperaTrasSoltar=0\r\nPausaPorPulsacion=0\r\nRepeticionMs=150\r\n"
                                       "Prediccion=0\r\nAprenderPalabras=1\r\nPulsacionLargaElige=1\r\n"}),
    [](const auto& caso) { return std::string(caso.param.caso); });

}  // namespace
}  // namespace kelu
