"""The keying pad's feedback on the real kelu.exe: the meter while the
button is held and the code with its letter after the release, at 96 and
144 DPI, in Spanish and English; keying with the tone and cues on where
Wine has no audio device; and practice, which types nothing."""

import subprocess
import time

from arnes import AJUSTES_RAPIDOS, CasoE2E, Idioma, durante, esperar

DPI_NORMAL = 96


def pixeles(ruta, x, y, ancho, alto):
    """The (r, g, b) of every pixel of a rectangle of a screenshot."""
    salida = subprocess.run(["convert", str(ruta), "+repage", "-crop", f"{ancho}x{alto}+{x}+{y}",
                             "-depth", "8", "txt:-"], capture_output=True, text=True, timeout=60,
                            check=True).stdout
    valores = []
    for linea in salida.splitlines()[1:]:
        rgb = linea.split("(", 1)[1].split(")", 1)[0].split(",")[:3]
        valores.append(tuple(int(float(v)) for v in rgb))
    return valores


def color_vivo(rgb):
    """The highlight colour of a theme: far from any grey."""
    return max(rgb) - min(rgb) > 80


def oscuro(rgb):
    return max(rgb) < 80


class PadConAyudas(CasoE2E):

    def fijar_dpi(self, dpi):
        for clave in (r"HKCU\Control Panel\Desktop", r"HKCC\Software\Fonts"):
            self.arnes.wine("reg", "add", clave, "/v", "LogPixels", "/t", "REG_DWORD", "/d", str(dpi),
                            "/f").wait(60)
        if dpi != DPI_NORMAL:
            self.addCleanup(self.fijar_dpi, DPI_NORMAL)

    def pad(self, kelu, dpi):
        """The keying pad's rectangle on the screen, in pixels."""
        tpp = 1440 / dpi
        c = kelu.cliente
        izquierda = c.x + round(5640 / tpp)
        return izquierda, c.y + round(240 / tpp), c.x + c.ancho - izquierda - round(20 / tpp), \
            round(850 / tpp)

    def test_pad_shows_meter_then_code_at_two_dpis_in_both_languages(self):
        for dpi, idioma in ((DPI_NORMAL, "Español"), (144, "English"), (DPI_NORMAL, "English"),
                            (144, "Español")):
            with self.subTest(dpi=dpi, idioma=idioma):
                self.arnes.limpiar()
                self.fijar_dpi(dpi)
                titulo = "KELU"
                kelu = self.arnes.iniciar_kelu({**AJUSTES_RAPIDOS, "Idioma": idioma,
                                                "Tiempo entre letras": 300})
                x, y, ancho, alto = self.pad(kelu, dpi)
                self.assertGreater(kelu.cliente.alto, 1850 / (1440 / dpi) * 0.6, "laid out at the DPI")
                nombre = f"pad-{dpi}-{idioma}"
                # Held into the dash band: the meter fills in the highlight colour.
                self.arnes.xdotool("mousemove", x + ancho - 20, y + alto // 2, "mousedown", 1,
                                   "sleep", 0.6)
                mitad = self.arnes.captura(nombre + "-pulsando", kelu.ventana)
                self.arnes.xdotool("mouseup", 1)
                vistos = pixeles(mitad, x - kelu.rect.x, y - kelu.rect.y, ancho, alto)
                self.assertTrue(any(color_vivo(p) for p in vistos), f"{mitad}: no meter")
                # Released: the dash in large dark glyphs, in the pad's top half.
                time.sleep(0.3)
                despues = self.arnes.captura(nombre + "-letra", kelu.ventana)
                arriba = pixeles(despues, x - kelu.rect.x, y - kelu.rect.y, ancho, alto // 2)
                self.assertGreater(sum(oscuro(p) for p in arriba), (alto // 3) ** 2, despues)
                self.assertFalse(any(color_vivo(p) for p in arriba), f"{despues}: meter left behind")
                self.assertEqual(kelu.titulo(), titulo)

    def test_keys_normally_with_tone_and_cues_on_and_no_audio_device(self):
        objetivo = self.arnes.iniciar_objetivo()
        aids = "\ufeffTono=1\r\nAvisosSonoros=1\r\nVolumenTono=100\r\n".encode("utf-8")
        kelu = self.arnes.iniciar_kelu(archivos={"ayudas.ini": aids})
        kelu.elegir_destino(objetivo.titulo)
        for hasta in ("s", "so", "sos"):
            kelu.teclear_texto(hasta[-1])
            self.assertEqual(objetivo.esperar_caracteres(hasta), hasta)
        esperar(lambda: not kelu.proceso.poll(), 1, "KELU still running")

    def test_practice_checks_the_first_letter_and_types_nothing(self):
        # With a target in Spanish, without one in English: neither gets a letter.
        for idioma, con_destino in (("Español", True), ("English", False)):
            with self.subTest(idioma=idioma):
                self.arnes.limpiar()
                textos = Idioma(self.arnes.dist / f"{idioma}.lng")
                objetivo = self.arnes.iniciar_objetivo()
                kelu = self.arnes.iniciar_kelu({**AJUSTES_RAPIDOS, "Idioma": idioma},
                                               archivos={"ayudas.ini": "\ufeffPractica=1\r\n".encode("utf-8")})
                if con_destino:
                    kelu.elegir_destino(objetivo.titulo)
                x, y, ancho, alto = self.pad(kelu, DPI_NORMAL)
                # The chart's row, where practice draws its line; a right
                # letter's verdict sits on the highlight colour.
                fila = (x - kelu.rect.x, y - kelu.rect.y + alto * 2 // 3, ancho, alto // 3 - 4)

                def veredicto_resaltado(nombre):
                    vistos = pixeles(self.arnes.captura(nombre, kelu.ventana), *fila)
                    return sum(color_vivo(p) for p in vistos) > 30

                self.assertFalse(veredicto_resaltado(f"practica-{idioma}-antes"))
                kelu.teclear(kelu.codigos[textos[59][0].lower()])
                esperar(lambda: veredicto_resaltado(f"practica-{idioma}-bien"), 5, "the verdict on the pad")
                self.assertFalse(durante(1, lambda: self.arnes.ventanas("^" + textos[16] + "$")),
                                 "a warning that no target is chosen")
                self.assertEqual(objetivo.caracteres(), "")
                self.assertEqual(kelu.titulo(), textos[7])
