// The portable toolkit's rules, driven through the in-memory backend.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/headless/toolkit_headless.h"
#include "tests/traza_prueba.h"

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

// A handler that throws ends at the guard of its own event, which reports
// it; the events after it run as ever, the throwing timer's next firing too.
TEST(Toolkit, WhatAHandlerThrowsStopsAtItsEventAndIsTraced) {
  ToolkitHeadless kit;
  prueba::TrazaDePrueba traza;
  std::vector<std::string> sucesos;
  Temporizador t(kit, 100, true);
  t.Timer = [&] {
    sucesos.push_back("timer " + std::to_string(t.Disparos()));
    if (t.Disparos() == 1) throw std::runtime_error("first firing");
  };
  kit.Encolar([] { throw std::runtime_error("queued"); });
  kit.Encolar([&] { sucesos.push_back("queued after"); });
  kit.ProcesarEventos();
  kit.Avanzar(200);
  EXPECT_EQ(sucesos, (std::vector<std::string>{"queued after", "timer 1", "timer 2"}));
  EXPECT_EQ(traza.Atrapado(), "evento: queued\nTimer: first firing\n");
}

}  // namespace
}  // namespace kelu
