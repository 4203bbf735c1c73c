// The portable toolkit's rules, driven through the in-memory backend.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/headless/toolkit_headless.h"

namespace kelu {
namespace {

TEST(Toolkit, ALabelIsClickedOnlyWhenTheButtonGoesDownAndUpOverIt) {
  ToolkitHeadless kit;
  Ventana v(kit, "frmPrueba", "Prueba", 3000, 1000);
  Etiqueta uno(v, "uno", {0, 0, 1000, 1000}, Fuente{});
  Etiqueta dos(v, "dos", {1000, 0, 1000, 1000}, Fuente{});
  std::vector<std::string> sucesos;
  for (Etiqueta* e : {&uno, &dos}) {
    e->MouseUp = [&sucesos, e](const EventoRaton&) { sucesos.push_back(e->Nombre() + ".up"); };
    e->Click = [&sucesos, e] { sucesos.push_back(e->Nombre() + ".click"); };
  }
  v.Click = [&sucesos] { sucesos.push_back("v.click"); };
  v.Cargar();

  struct Caso {
    Control *abajo, *arriba;
    std::vector<std::string> esperado;
  } casos[] = {
      {&uno, &dos, {"uno.up"}},
      {&uno, nullptr, {"uno.up"}},
      {nullptr, &dos, {}},
      {&dos, &dos, {"dos.up", "dos.click"}},
      {nullptr, nullptr, {"v.click"}},
  };
  for (const Caso& c : casos) {
    sucesos.clear();
    kit.BotonAbajo(v, c.abajo);
    kit.BotonArriba(v, c.arriba);
    EXPECT_EQ(sucesos, c.esperado) << (c.abajo ? c.abajo->Nombre() : "v") << " -> "
                                   << (c.arriba ? c.arriba->Nombre() : "v");
  }
}

}  // namespace
}  // namespace kelu
