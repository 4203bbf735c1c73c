"""Characters reach the target as the keys of its keyboard layout, so that
programs which read keys rather than characters get them."""

import unittest

from arnes import CasoE2E

# None of them VK_PACKET (0xE7), as a character sent as itself would be.
VK_SHIFT, VK_SPACE, VK_S, VK_OEM_2 = 0x10, 0x20, 0x53, 0xBF


class TeclasReales(CasoE2E):

    def test_letter_space_and_shifted_symbol_arrive_as_keys(self):
        # Wine on Xvfb gives every program the US layout: ? is Shift+/.
        objetivo = self.arnes.iniciar_objetivo()
        kelu = self.arnes.iniciar_kelu()
        kelu.elegir_destino(objetivo.titulo)
        for texto, hasta in (("s", "s"), ("{ESPACIO}", "s "), ("?", "s ?")):
            kelu.teclear_texto(texto)
            self.assertEqual(objetivo.esperar_caracteres(hasta), hasta)
        self.assertEqual([hex(t) for t in objetivo.teclas()],
                         [hex(t) for t in (VK_S, VK_SPACE, VK_SHIFT, VK_OEM_2)])


if __name__ == "__main__":
    unittest.main()
