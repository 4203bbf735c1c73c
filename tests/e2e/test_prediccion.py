"""Word prediction on the real kelu.exe: a word offered on the pad after
its first letter, chosen by its code and by the long press, taken back by
the undo code, and learned in the file beside kelu.ini at the session end."""

from arnes import CasoE2E, esperar
from test_pad import oscuro, pixeles

AYUDAS = "\ufeffPrediccion=1\r\n".encode("utf-8")
PALABRAS = b"hola 100\nhora 60\n"


class PrediccionEnElPad(CasoE2E):

    def test_a_word_offered_on_the_pad_is_chosen_taken_back_and_learned(self):
        objetivo = self.arnes.iniciar_objetivo()
        kelu = self.arnes.iniciar_kelu(archivos={"ayudas.ini": AYUDAS, "Español.pal": PALABRAS})
        kelu.elegir_destino(objetivo.titulo)
        # The code row of the pad: the top third of its client area.
        c = kelu.cliente
        x, y = c.x + 5640 // 15, c.y + 240 // 15
        fila = (x - kelu.rect.x, y - kelu.rect.y + 4, c.x + c.ancho - x - 8, 850 // 15 // 3)

        def tinta(nombre):
            return sum(oscuro(p) for p in pixeles(self.arnes.captura(nombre, kelu.ventana), *fila))

        vacio = tinta("prediccion-antes")
        kelu.teclear_texto("h")
        self.assertEqual(objetivo.esperar_caracteres("h"), "h")
        esperar(lambda: tinta("prediccion-ofrecida") > vacio + 100, 5, "the words offered on the pad")

        kelu.teclear(kelu.codigos["{PALABRA1}"])
        self.assertEqual(objetivo.esperar_caracteres("hola "), "hola ")
        kelu.teclear(kelu.codigos["{DESHACERPALABRA}"])
        self.assertEqual(objetivo.esperar_caracteres("hola \b\b\b\b"), "hola \b\b\b\b")
        # Held just past the dash band (1.15 to 1.55 s here), one press chooses the first word.
        kelu.pulsar(1.35)
        self.assertEqual(objetivo.esperar_caracteres("hola \b\b\b\bola "), "hola \b\b\b\bola ")

        self.arnes.fin_de_sesion(kelu.idioma[7])
        esperar(lambda: kelu.proceso.poll() is not None, 15, "KELU ended with the session")
        self.assertEqual((kelu.carpeta / "aprendidas-Español.pal").read_bytes(), b"hola 1\n")
