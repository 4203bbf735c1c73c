"""Following the person's pace on the real kelu.exe: a hand that speeds up
from a 300 ms dot to a 150 ms one over three words is still read when the
pace is followed, and loses letters to the settings' fixed bands (the dot
band begins at 160 ms)."""

import time
import unittest

from arnes import AJUSTES_RAPIDOS, CasoE2E

TEXTO = "la sal es"
ENTRE_LETRAS = 0.9  # beyond the 0.6 s letter gap of AJUSTES_RAPIDOS


class SeguirElRitmo(CasoE2E):

    def teclear_acelerando(self, seguir):
        """Keys TEXTO with the dot shortening letter by letter from 300 ms
        down to 150 ms, reached at seven tenths of the way and kept; dashes
        of three dots, inner gaps of one. Returns what the target got."""
        objetivo = self.arnes.iniciar_objetivo()
        ayudas = f"\ufeffSeguirRitmo={int(seguir)}\r\n".encode("utf-8")
        kelu = self.arnes.iniciar_kelu(archivos={"ayudas.ini": ayudas})
        kelu.elegir_destino(objetivo.titulo)
        ultima = len(TEXTO) - 1
        for i, letra in enumerate(TEXTO):
            punto = max(0.15, 0.30 - 0.15 * i / (0.7 * ultima))
            codigo = kelu.codigos["{ESPACIO}" if letra == " " else letra]
            kelu.teclear(codigo, punto=punto, raya=3 * punto, pausa=punto)
            time.sleep(ENTRE_LETRAS)
        if seguir:
            return objetivo.esperar_caracteres(TEXTO)
        time.sleep(1.0)  # every letter had its gap and its delivery
        return objetivo.caracteres()

    def test_a_hand_that_speeds_up_is_read_when_the_pace_is_followed(self):
        self.assertEqual(self.teclear_acelerando(seguir=True), TEXTO)

    def test_the_same_hand_loses_letters_to_fixed_timing(self):
        self.assertNotEqual(self.teclear_acelerando(seguir=False), TEXTO)


if __name__ == "__main__":
    unittest.main()
