"""The harness itself, against the target program alone: when these fail,
the machine (Xvfb, Wine, xdotool) is at fault, not KELU."""

import unittest

from arnes import CasoE2E, colores, esperar


class ArnesConObjetivo(CasoE2E):
    necesita_kelu = False

    def test_keys_typed_into_the_target_are_logged_in_order(self):
        objetivo = self.arnes.iniciar_objetivo()
        self.arnes.enfocar(objetivo.ventana)
        self.arnes.xdotool("type", "--delay", "30", "sos")
        self.arnes.teclas("Return", "BackSpace", "shift+a")
        self.assertEqual(objetivo.esperar_caracteres("sos\r\bA"), "sos\r\bA")
        # Shift comes down first; Return and Backspace arrive as the keys.
        self.assertEqual(objetivo.teclas(), [0x53, 0x4F, 0x53, 0x0D, 0x08, 0x10, 0x41])

    def test_holds_reach_windows_with_their_length(self):
        objetivo = self.arnes.iniciar_objetivo()
        edicion = self.arnes.informe(objetivo.titulo).de_clase("Edit")[0]["rect"]
        self.arnes.presionar(*edicion.centro(), [0.25, 0.75, 0.08])
        duraciones = esperar(lambda: len(objetivo.pulsaciones()) >= 3 and objetivo.pulsaciones(),
                             5, "three presses in the target's log", objetivo.lineas)
        for pedida, medida in zip([250, 750, 80], duraciones):
            self.assertAlmostEqual(medida, pedida, delta=20, msg=f"presses {duraciones} ms")

    def test_report_matches_x_and_close_ends_the_program(self):
        objetivo = self.arnes.iniciar_objetivo()
        informe = self.arnes.informe(objetivo.titulo)
        # Wine draws the frame itself: the X window is the whole window.
        self.assertEqual(informe.rect, self.arnes.geometria(objetivo.ventana))
        self.assertFalse(informe.siempre_visible)
        self.assertEqual(informe.foco["clase"].lower(), "edit")
        self.assertIsNone(self.arnes.informe("No such window e2e"))

        self.assertTrue(self.arnes.cerrar(objetivo.titulo))
        self.arnes.esperar_sin_ventana(objetivo.titulo)
        self.assertEqual(objetivo.proceso.wait(10), 0)

    def test_screenshot_shows_more_than_a_blank_screen(self):
        objetivo = self.arnes.iniciar_objetivo()
        ruta = self.arnes.captura("objetivo", objetivo.ventana)
        self.assertGreater(colores(ruta), 4, ruta)


if __name__ == "__main__":
    unittest.main()
