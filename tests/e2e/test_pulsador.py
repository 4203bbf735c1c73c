"""A key as the switch on the real kelu.exe: the Space key keys Morse while
the target window keeps the focus, and never reaches it; with F8 as the
dash key each press is a symbol by its key, whatever its length."""

import re
import time
import unittest

from arnes import ENTRE_SIMBOLOS, PUNTO, RAYA, CasoE2E, esperar

ENTRE_LETRAS = 0.9  # beyond the 0.6 s letter gap of AJUSTES_RAPIDOS


class TeclaComoPulsador(CasoE2E):

    def teclear_con_teclas(self, ayudas, texto, pulsacion):
        """Starts KELU with ayudas.ini, focuses the target and keys texto
        with key events only, all in one xdotool process; pulsacion gives
        (key, hold) for a symbol. Returns what the target got."""
        objetivo = self.arnes.iniciar_objetivo()
        kelu = self.arnes.iniciar_kelu(archivos={"ayudas.ini": ("\ufeff" + ayudas).encode("utf-8")})
        kelu.elegir_destino(objetivo.titulo)
        self.arnes.enfocar(objetivo.ventana)
        pasos = []
        for letra in texto:
            for simbolo in kelu.codigos[letra]:
                tecla, duracion = pulsacion(simbolo)
                pasos += ["keydown", tecla, "sleep", duracion, "keyup", tecla, "sleep", ENTRE_SIMBOLOS]
            pasos += ["sleep", ENTRE_LETRAS]
        self.arnes.xdotool(*pasos)
        objetivo.esperar_caracteres(texto)
        time.sleep(1.0)  # a stray key would have arrived by now
        return objetivo.caracteres()

    def test_sos_with_the_space_key_as_the_switch(self):
        recibido = self.teclear_con_teclas("TeclaPulsador=32\r\n", "sos",
                                           lambda s: ("space", PUNTO if s == "." else RAYA))
        self.assertEqual(recibido, "sos")

    def test_paris_with_two_switches(self):
        # Short presses only: the key, not the hold, makes the dash.
        # F8 rather than Return: choosing the target takes a Return.
        recibido = self.teclear_con_teclas("TeclaPulsador=32\r\nTeclaRaya=119\r\n", "paris",
                                           lambda s: ("space" if s == "." else "F8", 0.08))
        self.assertEqual(recibido, "paris")

    def test_with_a_switch_key_a_warning_waits_on_the_strip_not_in_a_box(self):
        # A box would wait for a key the hook swallows: the strip tells
        # instead, and the next press clears it.
        objetivo = self.arnes.iniciar_objetivo()
        kelu = self.arnes.iniciar_kelu(archivos={"ayudas.ini": "\ufeffTeclaPulsador=32\r\n".encode("utf-8")})
        self.arnes.enfocar(objetivo.ventana)
        self.arnes.xdotool("keydown", "space", "sleep", PUNTO, "keyup", "space")
        esperar(lambda: kelu.idioma[15] in kelu.titulo(), 5, "the no-target notice in KELU's title")
        self.assertEqual(self.arnes.ventanas("^" + re.escape(kelu.idioma[16]) + "$"), [], "no warning box")
        self.arnes.xdotool("keydown", "space", "sleep", 0.04, "keyup", "space")
        esperar(lambda: kelu.titulo() == kelu.idioma[7], 5, "the notice cleared by the next press")
        self.assertEqual(objetivo.caracteres(), "")


if __name__ == "__main__":
    unittest.main()
