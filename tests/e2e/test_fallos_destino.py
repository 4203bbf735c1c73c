"""Targets that misbehave: a hung program as the target must not hang KELU."""

import time

from arnes import CasoE2E


class DestinoColgado(CasoE2E):

    def test_a_hung_target_does_not_stop_kelu_keying_into_another(self):
        sano = self.arnes.iniciar_objetivo()
        colgado = self.arnes.iniciar_objetivo("Colgado e2e", colgado=True)
        colgado_desde = time.monotonic()
        kelu = self.arnes.iniciar_kelu()
        kelu.elegir_destino(colgado.titulo)
        # A window counts as hung once it has answered nothing for 5 s (as
        # on Windows); then KELU neither waits for it nor types into it: it
        # drops the letter and says so.
        time.sleep(max(0.0, colgado_desde + 5.5 - time.monotonic()))
        kelu.teclear_texto("e")
        kelu.descartar_aviso(kelu.esperar_aviso())
        kelu.elegir_destino(sano.titulo)
        kelu.teclear_texto("s")
        self.assertEqual(sano.esperar_caracteres("s"), "s")
        kelu.teclear_texto("o")
        self.assertEqual(sano.esperar_caracteres("so"), "so")
