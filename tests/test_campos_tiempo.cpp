#include <gtest/gtest.h>

#include <cmath>

#include "config/frm_opciones.h"
#include "startup/inicio.h"
#include "platform/headless/toolkit_headless.h"
#include "platform/numeros.h"
#include "tests/archivos_prueba.h"
#include "window/frm_kelu.h"

namespace kelu {

// The options dialog opened over a main window that is never shown.
class Tiempos : public ::testing::Test {
 protected:
  Tiempos() {
    kit.carpetaPrograma = carpeta.Ruta();
    programa = std::make_unique<Programa>(kit, kit, ArchivosDelSistema());
    programa->configuracion = ConfiguracionPredeterminada();
    CargarIdioma(programa->idioma, ArchivosDelSistema(), UnirRuta(prueba::CarpetaDatos(), "Español.lng"));
    kelu = std::make_unique<frmKelu>(*programa);
    d = std::make_unique<frmOpciones>(*programa);
    ConectarFormularios(*kelu, *d);
  }
  void Abrir(bool calcular = false) {
    programa->configuracion.CalcularSegunPunto = calcular;
    kelu->cmdOpciones.Click();
  }
  void Punto(const std::string& punto, const std::string& tolerancia) {
    d->txtDuraciónPunto.TextoDelUsuario(punto);
    d->txtMásMenosPunto.TextoDelUsuario(tolerancia);
  }
  std::vector<std::string> Derivados() const {
    return {d->txtDuraciónRaya.Texto(),        d->txtMásMenosRaya.Texto(),
            d->txtDuraciónEntreLetras.Texto(), d->txtMásMenosEntreLetras.Texto(),
            d->txtDuraciónEntrePalabras.Texto(), d->txtMásMenosEntrePalabras.Texto()};
  }
  std::vector<Control*> FilasDerivadas() const {
    return {&d->lblDuraciónRaya, &d->txtDuraciónRaya, &d->txtMásMenosRaya, &d->lblDuraciónEntreLetras,
            &d->txtDuraciónEntreLetras, &d->txtMásMenosEntreLetras, &d->lblDuraciónEntrePalabras,
            &d->txtDuraciónEntrePalabras, &d->txtMásMenosEntrePalabras};
  }
  bool Habilitadas(bool valor) const {
    for (Control* c : FilasDerivadas())
      if (c->Habilitado() != valor) return false;
    return true;
  }
  const std::string& Mensaje(IdTexto i) const { return programa->idioma.Entrada(i); }

  prueba::CarpetaTemporal carpeta;
  ToolkitHeadless kit;
  std::unique_ptr<Programa> programa;
  std::unique_ptr<frmKelu> kelu;
  std::unique_ptr<frmOpciones> d;
};

TEST_F(Tiempos, TickingDerivesFromTheDotAndTypingInTheDotUnticks) {
  Abrir();
  EXPECT_TRUE(Habilitadas(true));
  Punto("25", "10");
  d->chkCalcularDuracionesSegúnElPunto.SetMarcada(true);
  EXPECT_EQ(Derivados(), (std::vector<std::string>{"75", "40", "200", "0", "0", "0"}));
  EXPECT_TRUE(Habilitadas(false));
  EXPECT_TRUE(d->txtDuraciónPunto.Habilitado() && d->lblMasMenos2.Habilitado() && d->lblCero.Habilitado());

  d->txtDuraciónPunto.TextoDelUsuario("7");
  EXPECT_FALSE(d->chkCalcularDuracionesSegúnElPunto.Marcada());
  EXPECT_TRUE(Habilitadas(true));
  EXPECT_EQ(Derivados()[0], "75");  // the derived texts stay
  Punto("7", "3");  // 3 is not more than 3.5
  d->chkCalcularDuracionesSegúnElPunto.SetMarcada(true);
  EXPECT_EQ(Derivados(), (std::vector<std::string>{"21", "11", "56", "0", "0", "0"}));
  EXPECT_TRUE(kit.mensajes.empty());
}

TEST_F(Tiempos, ATickIsRefusedForADotOfNothingOrAToleranceAboveHalf) {
  Abrir();
  Punto("30", "15");
  d->chkCalcularDuracionesSegúnElPunto.SetMarcada(true);
  EXPECT_TRUE(d->chkCalcularDuracionesSegúnElPunto.Marcada());
  EXPECT_TRUE(kit.mensajes.empty());

  Punto("30", "16");
  d->txtDuraciónRaya.TextoDelUsuario("99");
  d->chkCalcularDuracionesSegúnElPunto.SetMarcada(true);
  ASSERT_EQ(kit.mensajes.size(), 1u);
  EXPECT_EQ(kit.mensajes[0].texto, Mensaje(IdTexto::MensajeToleranciaPunto));
  EXPECT_EQ(kit.mensajes[0].titulo, Mensaje(IdTexto::MensajeCalcularSegunPunto));
  EXPECT_EQ(kit.mensajes[0].estilo, kMbOk | kMbExclamacion);
  EXPECT_FALSE(d->chkCalcularDuracionesSegúnElPunto.Marcada());
  EXPECT_EQ(d->ConFoco(), &d->txtMásMenosPunto);
  EXPECT_TRUE(Habilitadas(true));
  EXPECT_EQ(d->txtDuraciónRaya.Texto(), "99");

  for (const char* punto : {"", "0", "-5", "abc", "  - 0.0"}) {
    kit.mensajes.clear();
    Punto(punto, "0");
    d->chkCalcularDuracionesSegúnElPunto.SetMarcada(true);
    ASSERT_EQ(kit.mensajes.size(), 1u) << punto;
    EXPECT_EQ(kit.mensajes[0].texto, Mensaje(IdTexto::MensajePuntoCero));
    EXPECT_EQ(kit.mensajes[0].titulo, Mensaje(IdTexto::MensajeCalcularSegunPunto));
    EXPECT_FALSE(d->chkCalcularDuracionesSegúnElPunto.Marcada());
    EXPECT_EQ(d->ConFoco(), &d->txtDuraciónPunto);
  }
}

// Values derived from a fractional dot read back exactly, and the dash band
// still begins where the dot band ends, even where plain rounding would
// leave the two overlapping by the last bit (0.1 ± 0.01 is such a case).
TEST_F(Tiempos, FractionalDotsDeriveExactValuesThatPassOk) {
  for (auto [p, t] : std::vector<std::pair<const char*, const char*>>{
           {"0.1", "0.01"}, {"0.4", "0.07"}, {"2.5", "0.4"}, {"33.3", "16.65"}, {"7.25", "-1.5"}}) {
    Abrir();
    Punto(p, t);
    d->chkCalcularDuracionesSegúnElPunto.SetMarcada(true);
    const double punto = LeerNumero(p), tolerancia = LeerNumero(t);
    EXPECT_EQ(LeerNumero(d->txtDuraciónRaya.Texto()), 3 * punto) << p;
    EXPECT_EQ(LeerNumero(d->txtDuraciónEntreLetras.Texto()), 8 * punto) << p;
    const double u = LeerNumero(d->txtMásMenosRaya.Texto());
    EXPECT_NEAR(u, 3 * punto - (tolerancia + punto), 1e-12) << p;
    d->cmdAceptar.Click();
    EXPECT_TRUE(kit.mensajes.empty()) << p << " ± " << t;
    EXPECT_FALSE(d->Cargada());
  }
}

// Three and eight dots past the doubles: those boxes keep their text, and
// every other row is still derived.
TEST_F(Tiempos, ADotPastTheDoublesDerivesEveryRowButThoseItCannotWrite) {
  Abrir();
  for (CajaTexto* caja : {&d->txtMásMenosEntreLetras, &d->txtDuraciónEntrePalabras, &d->txtMásMenosEntrePalabras})
    caja->TextoDelUsuario("9");
  Punto("1e308", "0");
  d->chkCalcularDuracionesSegúnElPunto.SetMarcada(true);
  EXPECT_EQ(Derivados(), (std::vector<std::string>{"75", TextoDeNumero(75 - 1e308), "200", "0", "0", "0"}));
  EXPECT_TRUE(Habilitadas(false));
  EXPECT_TRUE(kit.mensajes.empty());
}

TEST_F(Tiempos, OkComparesBeforeRoundingAndStoresHalvesToEven) {
  Abrir();
  Punto("3.5", "1.5");
  d->txtDuraciónRaya.TextoDelUsuario("6.5");
  d->txtMásMenosRaya.TextoDelUsuario("1.5");  // 5 is not more than 5
  d->txtDuraciónEntreLetras.TextoDelUsuario("12.5");
  d->txtMásMenosEntreLetras.TextoDelUsuario("13.5");
  d->txtDuraciónEntrePalabras.TextoDelUsuario("40000");
  d->txtMásMenosEntrePalabras.TextoDelUsuario(" -3 cs");
  d->cmdAceptar.Click();
  EXPECT_TRUE(kit.mensajes.empty());
  const Configuracion& c = programa->configuracion;
  EXPECT_EQ(c.DuracionPunto, 4);
  EXPECT_EQ(c.ToleranciaPunto, 2);
  EXPECT_EQ(c.DuracionRaya, 6);
  EXPECT_EQ(c.ToleranciaRaya, 2);
  EXPECT_EQ(c.TiempoEntreLetras, 12);
  EXPECT_EQ(c.ToleranciaEntreLetras, 14);
  EXPECT_EQ(c.TiempoEntrePalabras, 0);  // 40000 does not fit: kept
  EXPECT_EQ(c.ToleranciaEntrePalabras, -3);
}

TEST_F(Tiempos, LoadingTickedShowsTheStoredValuesWithoutCheckingOrDeriving) {
  Configuracion& c = programa->configuracion;
  c.DuracionPunto = 30;
  c.ToleranciaPunto = 20;  // more than half: a tick by hand would be refused
  c.DuracionRaya = 100;
  Abrir(true);
  EXPECT_TRUE(kit.mensajes.empty());
  EXPECT_TRUE(d->chkCalcularDuracionesSegúnElPunto.Marcada());
  EXPECT_TRUE(Habilitadas(false));
  EXPECT_EQ(d->txtMásMenosPunto.Texto(), "20");
  EXPECT_EQ(Derivados(), (std::vector<std::string>{"100", "40", "200", "0", "0", "0"}));
  d->cmdCancelar.Click();

  Abrir(false);  // the next opening starts unticked with every row enabled
  EXPECT_FALSE(d->chkCalcularDuracionesSegúnElPunto.Marcada());
  EXPECT_TRUE(Habilitadas(true));
}

TEST_F(Tiempos, FocusSelectsTheWholeText) {
  Abrir();
  d->txtDuraciónEntreLetras.SetFoco();
  EXPECT_EQ(d->txtDuraciónEntreLetras.inicioSeleccion, 0);
  EXPECT_EQ(d->txtDuraciónEntreLetras.largoSeleccion, 3);
}

}  // namespace kelu
