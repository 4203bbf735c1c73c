// Long runs and hostile input: thousands of presses through the real forms,
// files that are huge, broken or in odd folders.
#include <gtest/gtest.h>

#include <random>

#include "platform/headless/toolkit_headless.h"
#include "startup/inicio.h"
#include "tests/archivos_prueba.h"
#include "window/frm_kelu.h"

namespace kelu {

// KELU with the default code file and settings, the target list's first
// window chosen.
class Resistencia : public ::testing::Test {
 protected:
  Resistencia() {
    kit.carpetaPrograma = programa.carpeta = carpeta.Ruta();
    carpeta.Escribir("Morse ampliado.kel",
                     *ArchivosDelSistema().Leer(UnirRuta(prueba::CarpetaDatos(), "Morse ampliado.kel")));
    programa.configuracion = ConfiguracionPredeterminada();
  }
  // `cuerpo` runs from the program's loop while the main window is up.
  void EnKelu(const std::function<void(frmKelu&)>& cuerpo) {
    frmKelu f(programa);
    kit.Encolar([&] {
      f.cboProcesos.SetFoco();
      f.cboProcesos.SetSeleccion(0);
      cuerpo(f);
      f.Descargar();
    });
    f.Cargar();
    EsperarTeclaRapida(kit, f, [&] { return f.Cargada(); });
  }

  prueba::CarpetaTemporal carpeta;
  ToolkitHeadless kit;
  Programa programa{kit, kit, ArchivosDelSistema()};
};

TEST_F(Resistencia, TenThousandRandomPressesTypeExactlyWhatWasKeyed) {
  Hwnd objetivo = kit.AgregarVentana("Objetivo");
  EnKelu([&](frmKelu& f) {
    ASSERT_EQ(f.lista.HandleDestino(), objetivo);
    // Single letters and digits: what they type is what the target shows.
    std::vector<const EntradaCodigo*> letras;
    for (const EntradaCodigo& e : programa.tabla.entradas)
      if (e.Texto.size() == 1 && std::isalnum(static_cast<unsigned char>(e.Texto[0]))) letras.push_back(&e);
    ASSERT_GE(letras.size(), 36u);

    std::mt19937 azar(2024);
    auto entre = [&](int a, int b) { return std::uniform_int_distribution<int>(a, b)(azar); };
    std::string esperado;
    int pulsaciones = 0, ruido = 0;
    while (pulsaciones < 10000) {
      const EntradaCodigo& letra = *letras[static_cast<size_t>(entre(0, static_cast<int>(letras.size()) - 1))];
      for (char simbolo : letra.Secuencia) {
        if (entre(0, 9) == 0) {  // now and then a press too short for anything
          kit.BotonAbajo(f, &f.fraClic);
          kit.Avanzar(entre(0, 15) * 10 + 5);
          kit.BotonArriba(f, &f.fraClic);
          kit.Avanzar(entre(5, 190) * 10);
          ++pulsaciones;
          ++ruido;
        }
        int ticks = simbolo == '.' ? entre(16, 34) : entre(36, 114);
        kit.BotonAbajo(f, &f.fraClic);
        kit.Avanzar(ticks * 10 + 5);
        kit.BotonArriba(f, &f.fraClic);
        ASSERT_EQ(f.motor.Estado().cuenta, ticks);
        kit.Avanzar(entre(5, 190) * 10);  // below the 2 s letter gap
        ++pulsaciones;
      }
      kit.Avanzar(entre(2000, 3000));
      esperado += letra.Texto;
      ASSERT_TRUE(f.motor.CodigoActual().empty()) << "after " << pulsaciones << " presses";
      ASSERT_FALSE(f.motor.BotonPresionado());
      ASSERT_FALSE(f.entrega.Enviando());
      ASSERT_TRUE(f.motor.Estado().letra.enMarcha);
    }
    EXPECT_GT(ruido, 500);
    EXPECT_EQ(kit.Recibido(objetivo), esperado);
    EXPECT_TRUE(kit.mensajes.empty());
  });
}

TEST_F(Resistencia, ATargetClosedBeforeDeliveryGetsNothingAndNothingGoesElsewhere) {
  Hwnd otra = kit.AgregarVentana("Otra");
  Hwnd objetivo = kit.AgregarVentana("Objetivo");
  EnKelu([&](frmKelu& f) {
    ASSERT_EQ(f.lista.HandleDestino(), objetivo);
    for (int i = 0; i < 3; ++i) {
      kit.BotonAbajo(f, &f.fraClic);
      kit.Avanzar(255);
      kit.BotonArriba(f, &f.fraClic);
      kit.Avanzar(150);
    }
    kit.Avanzar(1855);  // the letter gap has activated the target
    ASSERT_TRUE(f.entrega.Enviando());
    kit.QuitarVentana(objetivo);
    kit.activa = otra;
    kit.Avanzar(10);
    EXPECT_EQ(kit.Recibido(otra), "");
    EXPECT_TRUE(f.motor.CodigoActual().empty());  // dropped, and the person told
    EXPECT_EQ(kit.mensajes.size(), 1u);
  });
}

TEST(ArchivosHostiles, HugeBrokenAndBinaryFilesLoadWhatTheyCan) {
  prueba::CarpetaTemporal carpeta;
  std::string enorme = "x:2\r\n.-:a\r\n";
  enorme.append(100u << 20, 'z');  // 100 MB of one endless line
  carpeta.Escribir("Enorme.kel", enorme);
  TablaCodigo tabla;
  std::string codigo = "Enorme";
  CargarCodigo(tabla, codigo, ArchivosDelSistema(), carpeta.Ruta());
  EXPECT_EQ(TextoDeCodigo(tabla, ".-"), "a");
  EXPECT_EQ(tabla.CantidadCodigos(), 2);

  std::string basura;
  std::mt19937 azar(7);
  for (int i = 0; i < 200000; ++i) basura += static_cast<char>(azar());
  carpeta.Escribir("Basura.lng", basura);
  TextosIdioma textos;
  CargarIdioma(textos, ArchivosDelSistema(), carpeta.En("Basura.lng"));
  for (int n = 1; n <= 46; ++n) textos.Entrada(static_cast<IdTexto>(n)).size();

  std::string ini;
  for (int i = 0; i < 10000; ++i) ini += "\"Línea " + std::to_string(i) + ":" + std::to_string(i) + "\"\n";
  carpeta.Escribir("kelu.ini", prueba::Ansi(ini));
  Configuracion c;
  CargarConfiguracion(c, ArchivosDelSistema(), carpeta.Ruta());
  EXPECT_EQ(c.Idioma, "2");  // positional: line 3
  EXPECT_EQ(c.DuracionPunto, 10);
  EXPECT_EQ(c.ToleranciaEntrePalabras, 17);
}

TEST(ArchivosHostiles, AFolderWithBlanksAndAccentsWorksEndToEnd) {
  std::filesystem::path nativa = std::filesystem::temp_directory_path() / "kelu Mis programas ñandú";
  std::filesystem::remove_all(nativa);
  std::filesystem::create_directories(nativa);
  std::u8string u8 = nativa.u8string();
  std::string ruta(u8.begin(), u8.end());
  for (char& ch : ruta)
    if (ch == '/') ch = '\\';
  Configuracion c = ConfiguracionPredeterminada();
  c.Codigo = "Código ñ";
  ASSERT_TRUE(GuardarConfiguracion(c, ArchivosDelSistema(), ruta));
  ASSERT_TRUE(ArchivosDelSistema().Escribir(UnirRuta(ruta, "Código ñ.kel"), prueba::Ansi("x:1\n.-:ñ\n")));
  Configuracion leida;
  CargarConfiguracion(leida, ArchivosDelSistema(), ruta);
  EXPECT_EQ(leida, c);
  TablaCodigo tabla;
  CargarCodigo(tabla, leida.Codigo, ArchivosDelSistema(), ruta);
  EXPECT_EQ(leida.Codigo, "Código ñ");
  EXPECT_EQ(TextoDeCodigo(tabla, ".-"), "ñ");
  std::filesystem::remove_all(nativa);
}

}  // namespace kelu
