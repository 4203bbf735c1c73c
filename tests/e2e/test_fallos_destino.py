"""Targets that misbehave: a hung program as the target must not hang KELU."""

from arnes import CasoE2E


class DestinoColgado(CasoE2E):

    def test_a_hung_target_does_not_stop_kelu_keying_into_another(self):
        sano = self.arnes.iniciar_objetivo()
        colgado = self.arnes.iniciar_objetivo("Colgado e2e", colgado=True)
        kelu = self.arnes.iniciar_kelu()
        kelu.elegir_destino(colgado.titulo)
        # Under Wine a hung window's title cannot be read: KELU cannot tell
        # it from a vanished one, drops the letter and says so.
        kelu.teclear_texto("e")
        kelu.descartar_aviso(kelu.esperar_aviso())
        kelu.elegir_destino(sano.titulo)
        kelu.teclear_texto("s")
        self.assertEqual(sano.esperar_caracteres("s"), "s")
        kelu.teclear_texto("o")
        self.assertEqual(sano.esperar_caracteres("so"), "so")
