"""The window the person chose, and only it, on the real kelu.exe: two
windows with one title, a list that must not go stale while the focus stays
on it, and one KELU per session."""

import time
import unittest

from arnes import CasoE2E, Kelu, esperar


class DosVentanasDeUnTitulo(CasoE2E):

    def test_the_letter_goes_to_the_window_chosen_not_its_twin_in_front(self):
        otra = self.arnes.iniciar_objetivo("Gemela e2e")
        elegida = self.arnes.iniciar_objetivo("Gemela e2e")  # higher: the one the list offers
        kelu = self.arnes.iniciar_kelu()
        kelu.elegir_destino("Gemela e2e")
        # The other one to the front: now the first of that title in Z order.
        self.assertTrue(self.arnes.traer_ultima("Gemela e2e"))
        kelu.teclear_texto("s")
        self.assertEqual(elegida.esperar_caracteres("s"), "s")
        self.assertEqual(otra.caracteres(), "")


class ListaAlAbrirse(CasoE2E):

    def test_a_window_opened_after_the_warning_is_offered_when_the_list_opens(self):
        kelu = self.arnes.iniciar_kelu()
        kelu.teclear_texto("e")  # no target: the warning, then the focus on the list
        kelu.descartar_aviso(kelu.esperar_aviso())
        esperar(lambda: (i := kelu.informe()) and i.foco.get("clase", "").lower() == "combobox",
                5, "the focus on the target list", lambda: kelu.informe().foco)
        nueva = self.arnes.iniciar_objetivo("Zeta tardía e2e")
        # The click opens the list; the focus was there already.
        self.arnes.xdotool("mousemove", *kelu.combo()["rect"].centro(), "click", 1)
        esperar(lambda: (c := kelu.combo()) and nueva.titulo in c["elementos"], 5,
                f"{nueva.titulo!r} in the open list", kelu.combo)


class UnaCopiaPorSesion(CasoE2E):

    def test_a_second_start_brings_the_first_forward_and_ends_at_once(self):
        kelu = self.arnes.iniciar_kelu()
        objetivo = self.arnes.iniciar_objetivo()  # takes the front from KELU
        esperar(lambda: self.arnes.informe(objetivo.titulo).primer_plano, 5, "the target in front")
        ini = (kelu.carpeta / "kelu.ini").read_bytes()

        segunda = Kelu(self.arnes, kelu.carpeta)
        segunda.iniciar()
        inicio = time.monotonic()
        codigo = esperar(lambda: (c := segunda.proceso.poll()) is not None and (c,), 15,
                         "the second kelu.exe to end", self.arnes.listado)[0]
        print(f"\n    second start ended with {codigo} after {time.monotonic() - inicio:.1f} s")
        self.assertEqual(codigo, 0)
        esperar(lambda: kelu.informe().primer_plano, 5, "the first KELU in front")
        self.assertEqual(len(self.arnes.ventanas("^" + kelu.idioma[7] + "$")), 1)
        self.assertIsNone(kelu.proceso.poll())
        self.assertEqual((kelu.carpeta / "kelu.ini").read_bytes(), ini)
        self.assertFalse((kelu.carpeta / "ayudas.ini").exists())


if __name__ == "__main__":
    unittest.main()
