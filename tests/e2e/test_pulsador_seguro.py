"""The switch's safety on the real kelu.exe: a stray 10 ms press with a
20 ms minimum press neither keys nor holds the letter open, and a long hold
pauses keying at the moment it passes its time, so that nothing keyed
meanwhile is typed, until another such hold resumes; and the repeat code
types the last letter again and again until the next press."""

import time
import unittest

from arnes import CasoE2E, durante, esperar

PAUSA = 2.0  # s, as written to ayudas.ini below


class PulsadorSeguro(CasoE2E):

    def test_a_stray_press_is_ignored_and_a_long_hold_pauses_and_resumes(self):
        objetivo = self.arnes.iniciar_objetivo()
        # Tone and cues on: with no audio device under Wine every opening
        # fails, and the pause cue and the letters after it, each past the
        # one-second pause after a failure, try the device again on its
        # own thread while keying goes on.
        ayudas = (f"\ufeffPulsacionMinima=20\r\nPausaPorPulsacion={int(PAUSA * 1000)}\r\n"
                  "Tono=1\r\nAvisosSonoros=1\r\n").encode("utf-8")
        kelu = self.arnes.iniciar_kelu(archivos={"ayudas.ini": ayudas})
        kelu.elegir_destino(objetivo.titulo)
        x, y = kelu.punto_de_pulsacion()

        # A dot, a stray touch 0.45 s later, a dot 0.35 s after that. The
        # letter gap is 0.6 s: had the stray press counted, it would have
        # held the letter open and the two dots would make "i".
        self.arnes.xdotool("mousemove", x, y,
                           "mousedown", 1, "sleep", 0.25, "mouseup", 1, "sleep", 0.45,
                           "mousedown", 1, "sleep", 0.01, "mouseup", 1, "sleep", 0.35,
                           "mousedown", 1, "sleep", 0.25, "mouseup", 1)
        self.assertEqual(objetivo.esperar_caracteres("ee"), "ee")

        titulo, en_pausa = kelu.idioma[7], f"{kelu.idioma[7]} - {kelu.idioma[94]}"

        def mantener(esperado, antes=()):
            """Presses the holds of antes, then holds the button past PAUSA:
            the title changes before the release."""
            pasos = []
            for segundos in antes:
                pasos += ["mousedown", 1, "sleep", segundos, "mouseup", 1, "sleep", 0.15]
            self.arnes.xdotool("mousemove", x, y, *pasos, "mousedown", 1)
            try:
                esperar(lambda: kelu.titulo() == esperado, PAUSA + 3, f"the title {esperado!r}",
                        kelu.titulo)
            finally:
                self.arnes.xdotool("mouseup", 1)

        mantener(en_pausa, antes=(0.25, 0.25))  # the two dots are dropped
        kelu.teclear_texto("s")
        kelu.teclear_texto("t")
        self.assertIsNone(durante(1.5, lambda: objetivo.caracteres() != "ee" or None),
                          "something was typed while paused")
        self.assertEqual(kelu.titulo(), en_pausa)
        mantener(titulo)
        kelu.teclear_texto("t")
        self.assertEqual(objetivo.esperar_caracteres("eet"), "eet")

    def test_the_repeat_code_repeats_the_last_letter_until_the_next_press(self):
        objetivo = self.arnes.iniciar_objetivo()
        kelu = self.arnes.iniciar_kelu(archivos={"ayudas.ini": b"RepeticionMs=200\r\n"})
        kelu.elegir_destino(objetivo.titulo)
        kelu.teclear_texto("c")
        objetivo.esperar_caracteres("c")
        kelu.teclear_texto("{REPETIR}")
        # At once, then every 200 ms: five or more within about a second.
        esperar(lambda: len(objetivo.caracteres()) >= 6 or None, 5, "the letter repeated",
                objetivo.caracteres)
        kelu.teclear_texto("e")  # its press stops the repeat; its letter follows
        esperar(lambda: objetivo.caracteres().endswith("e") or None, 5, "the next letter",
                objetivo.caracteres)
        hasta = objetivo.caracteres()
        self.assertEqual(set(hasta[:-1]), {"c"}, hasta)
        self.assertIsNone(durante(1.0, lambda: objetivo.caracteres() != hasta or None),
                          "the repeat went on after the next press")


if __name__ == "__main__":
    unittest.main()
