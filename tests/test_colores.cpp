#include <gtest/gtest.h>

#include "platform/colores.h"

namespace kelu {
namespace {

using enum ColorSistema;

TEST(Colores, DesignedWhiteWithoutHighContrastTheSystemsPairsWithIt) {
  struct Caso {
    ParteFormulario parte;
    ParColores normal, contraste;
  };
  const Caso casos[] = {
      {ParteFormulario::Fondo, {Blanco, TextoVentana}, {Ventana, TextoVentana}},
      {ParteFormulario::EtiquetaInactiva, {Blanco, TextoGris}, {Ventana, TextoGris}},
      {ParteFormulario::Borde, {Blanco, Sombra}, {Ventana, TextoVentana}},
      {ParteFormulario::Boton, {Blanco, TextoVentana}, {CaraBoton, TextoBoton}},
      {ParteFormulario::Casilla, {Blanco, TextoVentana}, {Ventana, TextoVentana}},
  };
  for (const Caso& caso : casos) {
    SCOPED_TRACE(static_cast<int>(caso.parte));
    EXPECT_EQ(ColoresDe(caso.parte, false), caso.normal);
    EXPECT_EQ(ColoresDe(caso.parte, true), caso.contraste);
  }
}

}  // namespace
}  // namespace kelu
