"""The options dialog on the real kelu.exe: modal over the strip, timings
derived from a new dot and keyed with at once, OK refused for overlapping
dot and dash, the strip moved to the top, the language picked with the
open-file dialog (OK, Cancel, a file from elsewhere), help, the keying
aids dialog, and the calibration opened from it."""

import re
import shutil
import unittest
from pathlib import Path
from urllib.parse import unquote, urlparse

from arnes import (ENTRE_SIMBOLOS, TWIPS_POR_PIXEL, CasoE2E, Idioma, colores, durante, esperar,
                   ruta_windows)

# Wine's own open-file dialog, in the prefix's en-US.
TITULO_ABRIR = "Open"
ID_SI = 6
# The open-file dialog's controls, by their ids in every language: the folder
# list, the file name, the file types and the read-only box.
ID_CARPETA, ID_NOMBRE, ID_TIPOS, ID_SOLO_LECTURA = 1137, 1148, 1136, 1040


class Dialogo:
    """The options dialog of one running KELU, driven by mouse and keys."""

    def __init__(self, caso, kelu):
        self.caso, self.arnes, self.kelu = caso, caso.arnes, kelu
        self.espanol = kelu.idioma
        self.ingles = Idioma(kelu.carpeta / "English.lng")
        self.idioma = self.espanol  # the texts the dialog shows now
        self.ventana = None

    def abrir(self, principal=None):
        """Clicks Opciones (its text in the language principal, Spanish by
        default) and waits for the dialog; returns its Informe."""
        principal = principal or self.espanol
        boton = esperar(lambda: (i := self.kelu.informe()) and i.hija(principal[11]), 5,
                        f"the button {principal[11]!r}", lambda: self.kelu.informe().hijas)
        self.arnes.xdotool("mousemove", *boton["rect"].centro(), "click", 1)
        self.ventana = self.arnes.esperar_ventana(self.idioma[20])
        return self.informe()

    def informe(self):
        titulo = self.idioma[20]
        return esperar(lambda: (i := self.arnes.informe(titulo)) and i.hija(self.idioma[35]) and i,
                       5, f"the controls of {titulo!r}")

    def pulsar(self, entrada):
        """Clicks the control that shows language entry `entrada`."""
        informe = self.informe()
        control = informe.hija(self.idioma[entrada])
        self.caso.assertIsNotNone(control, f"no control {self.idioma[entrada]!r}: "
                                           f"{[h['texto'] for h in informe.hijas]}")
        self.arnes.xdotool("mousemove", *control["rect"].centro(), "click", 1)

    def cerrar(self, entrada):
        """OK (35) or Cancel (38); waits for the dialog to go."""
        titulo = self.idioma[20]
        self.pulsar(entrada)
        self.arnes.esperar_sin_ventana(titulo)

    def cajas(self, informe=None):
        """The eight timing boxes, row by row: below the code box, in the
        order they stand."""
        cajas = sorted((informe or self.informe()).de_clase("Edit"),
                       key=lambda h: (h["rect"].y, h["rect"].x))
        return cajas[1:]

    def tiempos(self):
        return [c["texto"] for c in self.cajas()]

    def escribir(self, caja, texto):
        """Replaces a box's text as a person would: click, select, type."""
        self.arnes.xdotool("mousemove", *caja["rect"].centro(), "click", 1)
        self.arnes.enfocar(self.ventana)
        self.arnes.teclas("End", "shift+Home")
        self.arnes.xdotool("type", "--delay", "30", texto)

    def elegir_idioma(self, archivo, comprobar=None):
        """Idioma, then the file typed into the open-file dialog; comprobar,
        if given, first looks at that dialog's Informe."""
        self.pulsar(37)
        abrir = self.arnes.esperar_ventana(TITULO_ABRIR)
        if comprobar:
            comprobar(esperar(lambda: self.arnes.informe(TITULO_ABRIR), 5, "the open-file dialog"))
        self.arnes.enfocar(abrir)
        self.arnes.xdotool("type", "--delay", "30", archivo)
        self.arnes.teclas("Return")
        self.arnes.esperar_sin_ventana(TITULO_ABRIR)


def textos_principales(kelu):
    return sorted(h["texto"] for h in kelu.informe().de_clase("Button"))


def salir_con_si(caso, kelu, idioma):
    """Esc, then Yes to the question in the given language."""
    # A click on the strip's margin first: keys go to the active window.
    caso.arnes.xdotool("mousemove", kelu.cliente.x + 4, kelu.cliente.y + 4, "click", 1)
    caso.arnes.enfocar(kelu.ventana)
    caso.arnes.teclas("Escape")
    caso.arnes.esperar_ventana(idioma[14])
    pregunta = esperar(lambda: caso.arnes.informe(idioma[14]), 5, "the question")
    caso.assertIn(idioma[13], [h["texto"] for h in pregunta.de_clase("Static")])
    si = next(h for h in pregunta.de_clase("Button") if int(h["id"]) == ID_SI)
    caso.arnes.xdotool("mousemove", *si["rect"].centro(), "click", 1)
    caso.assertEqual(kelu.proceso.wait(15), 0)


def ajuste_guardado(kelu, clave):
    lineas = (kelu.carpeta / "kelu.ini").read_bytes().decode("cp1252").split("\r\n")
    return next(linea.strip('"').partition(":")[2] for linea in lineas
                if linea.startswith(f'"{clave}:'))


class Modal(CasoE2E):

    def test_while_open_the_strip_types_nothing_and_closing_gives_it_back(self):
        objetivo = self.arnes.iniciar_objetivo()
        kelu = self.arnes.iniciar_kelu()
        kelu.elegir_destino(objetivo.titulo)
        dialogo = Dialogo(self, kelu)
        titulo = kelu.idioma[20]

        def caja_de_cierre():
            self.assertTrue(self.arnes.cerrar(titulo))
            self.arnes.esperar_sin_ventana(titulo)

        def esc():
            self.arnes.enfocar(dialogo.ventana)
            self.arnes.teclas("Escape")
            self.arnes.esperar_sin_ventana(titulo)

        recibido = ""
        for forma, cerrar, letra in [("Cancel", lambda: dialogo.cerrar(38), "e"),
                                     ("close box", caja_de_cierre, "t"),
                                     ("Esc", esc, "i")]:
            with self.subTest(forma):
                informe = dialogo.abrir()
                self.assertEqual(self.arnes.nombre(dialogo.ventana), titulo)
                self.assertEqual(informe.foco.get("hwnd"), informe.hija(kelu.idioma[35])["hwnd"],
                                 f"the focus is not on {kelu.idioma[35]!r}: {informe.foco}")
                self.assertFalse(kelu.informe().siempre_visible,
                                 "KELU stayed topmost over the dialog")

                pregunta = "^" + re.escape(kelu.idioma[14]) + "$"
                if forma == "Cancel":
                    # "s" keyed on the strip, and more than twice the letter gap.
                    kelu.teclear_texto("s")
                    self.assertIsNone(durante(1.5, lambda: objetivo.caracteres() != recibido),
                                      "the strip typed under the dialog")
                    # Nor does the strip take a close request meanwhile.
                    self.assertTrue(self.arnes.cerrar(kelu.idioma[7]))
                    self.assertIsNone(durante(1.0, lambda: self.arnes.ventanas(pregunta)),
                                      "KELU asked to close under the dialog")

                cerrar()
                # Esc in the dialog is the dialog's, not the strip's.
                self.assertIsNone(durante(0.5, lambda: self.arnes.ventanas(pregunta)),
                                  "KELU asked to close after the dialog")
                esperar(lambda: kelu.informe().siempre_visible, 5, "KELU topmost again")
                kelu.teclear_texto(letra)
                recibido += letra
                self.assertEqual(objetivo.esperar_caracteres(recibido), recibido)


class Tiempos(CasoE2E):

    def test_timings_derived_from_a_new_dot_are_keyed_with_at_once(self):
        objetivo = self.arnes.iniciar_objetivo()
        kelu = self.arnes.iniciar_kelu()  # dot 25 +/- 10, derivation ticked
        kelu.elegir_destino(objetivo.titulo)
        dialogo = Dialogo(self, kelu)
        dialogo.abrir()
        self.assertEqual(dialogo.tiempos(), ["25", "10", "75", "40", "60", "0", "0", "0"])

        # Typing a dot unticks the box; ticking it again derives from 30.
        dialogo.escribir(dialogo.cajas()[0], "30")
        esperar(lambda: dialogo.tiempos()[0] == "30", 5, "the dot box to read 30",
                dialogo.tiempos)
        dialogo.pulsar(30)
        derivados = ["30", "10", "90", "50", "240", "0", "0", "0"]
        esperar(lambda: dialogo.tiempos() == derivados, 5, f"the derived times {derivados}",
                dialogo.tiempos)
        dialogo.cerrar(35)

        # 0.3 s is a dot both before and after; 1.25 s is a dash only with
        # the new 90 +/- 50, and the letter now waits 2.4 s instead of 0.6.
        x, y = kelu.punto_de_pulsacion()
        self.arnes.presionar(x, y, [0.30, 1.25], ENTRE_SIMBOLOS)
        self.assertIsNone(durante(1.5, objetivo.caracteres), "the letter came after the old gap")
        self.assertEqual(objetivo.esperar_caracteres("a", plazo=5), "a")

        dialogo.abrir()
        self.assertEqual(dialogo.tiempos(), derivados)
        dialogo.cerrar(38)

    def test_ok_refused_while_the_dot_band_reaches_into_the_dash_band(self):
        kelu = self.arnes.iniciar_kelu()  # dot 25 +/- 10, dash 75 +/- 40
        dialogo = Dialogo(self, kelu)
        dialogo.abrir()
        dialogo.pulsar(30)  # untick: the dash row can be edited
        # 25 + 10 > 75 - 41: the two bands share a count.
        dialogo.escribir(dialogo.cajas()[3], "41")
        esperar(lambda: dialogo.tiempos()[3] == "41", 5, "the dash tolerance 41",
                dialogo.tiempos)
        dialogo.pulsar(35)

        titulo = kelu.idioma[43]
        self.arnes.esperar_ventana(titulo)
        aviso = esperar(lambda: self.arnes.informe(titulo), 5, f"a report on {titulo!r}")
        self.assertIn(kelu.idioma[42], [h["texto"] for h in aviso.de_clase("Static")])
        boton = aviso.de_clase("Button")
        self.assertEqual(len(boton), 1, aviso.hijas)
        self.arnes.xdotool("mousemove", *boton[0]["rect"].centro(), "click", 1)
        self.arnes.esperar_sin_ventana(titulo)

        # Still open, nothing stored, and the dot box to correct has the focus.
        informe = dialogo.informe()
        self.assertEqual(informe.foco.get("hwnd"), dialogo.cajas(informe)[0]["hwnd"],
                         f"the focus is not in the dot box: {informe.foco}")
        dialogo.cerrar(38)
        dialogo.abrir()
        self.assertEqual(dialogo.tiempos(), ["25", "10", "75", "40", "60", "0", "0", "0"])
        dialogo.cerrar(38)


class Ubicacion(CasoE2E):

    def test_arriba_moves_the_strip_to_the_top_where_it_keys_on(self):
        objetivo = self.arnes.iniciar_objetivo()
        kelu = self.arnes.iniciar_kelu()  # at the bottom
        kelu.elegir_destino(objetivo.titulo)
        dialogo = Dialogo(self, kelu)
        combo = dialogo.abrir().combo()
        self.assertEqual(combo["elementos"], ["Abajo", "Arriba", "Libre"])
        self.arnes.xdotool("mousemove", *combo["rect"].centro(), "click", 1)
        self.arnes.teclas("Home", "Down", "Return")
        esperar(lambda: dialogo.informe().combo()["seleccion"] == 1, 5, "Arriba chosen",
                lambda: dialogo.informe().combo())
        dialogo.cerrar(35)

        ancho, _ = map(int, self.arnes.xdotool("getdisplaygeometry").split())
        informe = esperar(lambda: (i := kelu.informe()) and (i.rect.x, i.rect.y) == (0, 0) and i,
                          5, "the strip at the top", lambda: kelu.informe().rect)
        self.assertEqual((informe.rect.ancho, informe.rect.alto), (ancho, kelu.rect.alto))
        self.assertTrue(informe.siempre_visible)

        kelu.rect, kelu.cliente = informe.rect, informe.cliente
        kelu.teclear_texto("e")
        self.assertEqual(objetivo.esperar_caracteres("e"), "e")


class Idiomas(CasoE2E):

    def test_english_picked_and_confirmed_translates_kelu_and_is_saved(self):
        kelu = self.arnes.iniciar_kelu()
        dialogo = Dialogo(self, kelu)
        dialogo.abrir()
        ruta = self.arnes.captura("opciones-es", dialogo.ventana)
        self.assertGreater(colores(ruta), 4, ruta)

        def selector(informe):
            controles = {(int(h["id"]), h["clase"].lower()): h for h in informe.hijas}
            self.assertEqual(controles[ID_CARPETA, "combobox"]["texto"], kelu.carpeta.name)
            self.assertEqual(controles[ID_NOMBRE, "edit"]["texto"], "*.lng")
            self.assertEqual(controles[ID_TIPOS, "combobox"]["elementos"],
                             ["Archivos de idioma (*.lng)"])
            self.assertEqual(controles[ID_SOLO_LECTURA, "button"]["visible"], "0")

        dialogo.elegir_idioma("English.lng", selector)
        # The dialog turns English at once; the strip waits for OK.
        ingles = dialogo.ingles
        dialogo.idioma = ingles
        informe = dialogo.informe()
        textos = {h["texto"] for h in informe.hijas}
        for entrada in (24, 26, 27, 28, 30, 35, 36, 37, 38):
            self.assertIn(ingles[entrada], textos)
        self.assertEqual(textos_principales(kelu), sorted([kelu.idioma[11], kelu.idioma[12]]))
        ruta = self.arnes.captura("opciones-en", dialogo.ventana)
        self.assertGreater(colores(ruta), 4, ruta)

        dialogo.cerrar(35)
        esperado = sorted([ingles[11], ingles[12]])
        esperar(lambda: textos_principales(kelu) == esperado, 5, f"the buttons {esperado}",
                lambda: textos_principales(kelu))
        self.arnes.captura("principal-en", kelu.ventana)
        salir_con_si(self, kelu, ingles)
        self.assertEqual(ajuste_guardado(kelu, "Idioma"), "English")

    def test_cancel_after_a_pick_keeps_spanish(self):
        kelu = self.arnes.iniciar_kelu()
        dialogo = Dialogo(self, kelu)
        dialogo.abrir()
        dialogo.elegir_idioma("English.lng")
        dialogo.idioma = dialogo.ingles
        dialogo.cerrar(38)

        # Nothing on the strip changed, and the texts are Spanish again.
        espanol = kelu.idioma
        self.assertEqual(textos_principales(kelu), sorted([espanol[11], espanol[12]]))
        dialogo.idioma = espanol
        informe = dialogo.abrir()
        self.assertIsNotNone(informe.hija(espanol[37]), [h["texto"] for h in informe.hijas])
        dialogo.cerrar(38)
        salir_con_si(self, kelu, espanol)
        self.assertEqual(ajuste_guardado(kelu, "Idioma"), "Español")

    def test_a_file_from_another_folder_is_read_there_and_named_up_to_its_first_dot(self):
        kelu = self.arnes.iniciar_kelu()
        otra = self.arnes.carpeta_de_prueba("otra") / "otra carpeta ñ"
        otra.mkdir()
        shutil.copyfile(kelu.carpeta / "English.lng", otra / "ingles.b.lng")
        dialogo = Dialogo(self, kelu)
        dialogo.abrir()
        dialogo.elegir_idioma(ruta_windows(otra / "ingles.b.lng"))
        dialogo.idioma = dialogo.ingles
        dialogo.cerrar(35)
        esperado = sorted([dialogo.ingles[11], dialogo.ingles[12]])
        esperar(lambda: textos_principales(kelu) == esperado, 5, f"the buttons {esperado}",
                lambda: textos_principales(kelu))
        salir_con_si(self, kelu, dialogo.ingles)
        self.assertEqual(ajuste_guardado(kelu, "Idioma"), "ingles")


class Ayuda(CasoE2E):

    def test_help_opens_the_page_of_the_language_in_force(self):
        self.arnes.asociar_html()
        kelu = self.arnes.iniciar_kelu()
        # English texts under a name that has no help page.
        shutil.copyfile(kelu.carpeta / "English.lng", kelu.carpeta / "Deutsch.lng")
        dialogo = Dialogo(self, kelu)

        def pagina_abierta():
            paginas = esperar(self.arnes.paginas_abiertas, 10, "the shell to open a page")
            self.assertEqual(len(paginas), 1, paginas)
            direccion = urlparse(paginas[0])
            self.assertEqual(direccion.scheme, "file", paginas)
            return Path(unquote(direccion.path)).resolve()

        dialogo.abrir()
        dialogo.pulsar(36)
        self.assertEqual(pagina_abierta(), (kelu.carpeta / "kelu_español.html").resolve())
        # The dialog stays usable beside the page.
        dialogo.elegir_idioma("English.lng")
        dialogo.idioma = dialogo.ingles
        dialogo.cerrar(35)

        self.arnes.paginas.unlink()
        dialogo.abrir(principal=dialogo.ingles)
        dialogo.pulsar(36)
        self.assertEqual(pagina_abierta(), (kelu.carpeta / "kelu_English.html").resolve())

        # A language without a page of its own gets the Spanish one.
        dialogo.elegir_idioma("Deutsch.lng")
        dialogo.cerrar(35)
        self.arnes.paginas.unlink()
        dialogo.abrir(principal=dialogo.ingles)
        dialogo.pulsar(36)
        self.assertEqual(pagina_abierta(), (kelu.carpeta / "kelu_español.html").resolve())
        dialogo.cerrar(38)


class AyudasAlPulsar(CasoE2E):

    def test_keying_aids_set_in_their_dialog_are_saved_beside_the_settings(self):
        # Written by hand: a comment, and a volume the list does not offer.
        kelu = self.arnes.iniciar_kelu(archivos={"ayudas.ini": b"; hecho a mano\r\nVolumenTono=75\r\n"})
        dialogo = Dialogo(self, kelu)
        dialogo.abrir()
        dialogo.pulsar(50)
        titulo = kelu.idioma[51]
        ventana = self.arnes.esperar_ventana(titulo)
        informe = esperar(lambda: (i := self.arnes.informe(titulo)) and i.hija(kelu.idioma[35]) and i,
                          5, f"the controls of {titulo!r}")
        ruta = self.arnes.captura("ayudas-es", ventana)
        self.assertGreater(colores(ruta), 4, ruta)
        for entrada in (52, 53, 54, 55, 38):  # labels are drawn by the dialog itself
            self.assertIsNotNone(informe.hija(kelu.idioma[entrada]), [h["texto"] for h in informe.hijas])
        # Nothing reaches out of the dialog's client area.
        c = informe.cliente
        for h in informe.hijas:
            r = h["rect"]
            self.assertTrue(c.x <= r.x and r.x + r.ancho <= c.x + c.ancho and
                            c.y <= r.y and r.y + r.alto <= c.y + c.alto, (h["texto"], r, c))
        frecuencia, volumen = sorted(informe.de_clase("ComboBox"), key=lambda h: h["rect"].y)
        self.assertEqual(frecuencia["elementos"], [f"{f} Hz" for f in (400, 500, 600, 700, 800, 900, 1000, 1200)])
        self.assertEqual(frecuencia["seleccion"], 3)
        self.assertEqual(volumen["elementos"][volumen["seleccion"]], "75 %")

        self.arnes.xdotool("mousemove", *informe.hija(kelu.idioma[54])["rect"].centro(), "click", 1)
        self.arnes.xdotool("mousemove", *frecuencia["rect"].centro(), "click", 1)
        self.arnes.teclas("Home", *["Down"] * 6, "Return")

        def combo_frecuencia():
            return sorted(self.arnes.informe(titulo).de_clase("ComboBox"), key=lambda h: h["rect"].y)[0]

        esperar(lambda: combo_frecuencia()["seleccion"] == 6, 5, "1000 Hz chosen", combo_frecuencia)
        self.arnes.xdotool("mousemove", *informe.hija(kelu.idioma[35])["rect"].centro(), "click", 1)
        self.arnes.esperar_sin_ventana(titulo)
        dialogo.cerrar(35)
        salir_con_si(self, kelu, kelu.idioma)
        self.assertEqual((kelu.carpeta / "ayudas.ini").read_bytes(),
                         b"\xef\xbb\xbf; hecho a mano\r\nVolumenTono=75\r\nMostrarCodigo=1\r\nTablaCodigos=1\r\n"
                         b"Tono=1\r\nAvisosSonoros=0\r\nFrecuenciaTono=1000\r\nSeguirRitmo=0\r\n"
                         b"LetrasAntes=0\r\nPractica=0\r\nRitmoPunto=0\r\nRitmoRaya=0\r\nRitmoHueco=0\r\n"
                         b"TeclaPulsador=0\r\nTeclaRaya=0\r\nMantenerDestino=0\r\nPulsacionMinima=0\r\n"
                         b"EsperaTrasSoltar=0\r\nPausaPorPulsacion=0\r\nRepeticionMs=150\r\n"
                         b"Prediccion=0\r\nAprenderPalabras=1\r\nPulsacionLargaElige=1\r\n")


def informe_con(caso, titulo, texto):
    """The Informe of the window titulo once it shows a control texto."""
    return esperar(lambda: (i := caso.arnes.informe(titulo)) and i.hija(texto) and i, 5,
                   f"the controls of {titulo!r}")


def dentro_del_cliente(caso, informe):
    c = informe.cliente
    for h in informe.hijas:
        r = h["rect"]
        caso.assertTrue(c.x <= r.x and r.x + r.ancho <= c.x + c.ancho and
                        c.y <= r.y and r.y + r.alto <= c.y + c.alto, (h["texto"], r, c))


class Calibracion(CasoE2E):

    def test_a_calibration_keyed_on_its_pad_becomes_the_settings_and_types_nothing(self):
        objetivo = self.arnes.iniciar_objetivo()
        kelu = self.arnes.iniciar_kelu()  # dot 25 +/- 10, dash 75 +/- 40
        kelu.elegir_destino(objetivo.titulo)
        idioma = kelu.idioma
        dialogo = Dialogo(self, kelu)
        dialogo.abrir()
        dialogo.pulsar(50)
        ayudas = informe_con(self, idioma[51], idioma[60])
        self.arnes.xdotool("mousemove", *ayudas.hija(idioma[60])["rect"].centro(), "click", 1)
        ventana = self.arnes.esperar_ventana(idioma[61])
        informe = informe_con(self, idioma[61], idioma[68])
        dentro_del_cliente(self, informe)

        # Ten dots of 15 ticks, ten dashes of 45 (held half a tick more, so
        # that no tick falls on the release), then "sos" three times with
        # 150 ms pauses inside a letter and 450 ms between letters; one
        # xdotool process keeps every hold and pause exact.
        c = informe.cliente
        pad = (c.x + (240 + 6720 // 2) // TWIPS_POR_PIXEL, c.y + (960 + 1800 // 2) // TWIPS_POR_PIXEL)
        pasos = ["mousemove", *pad]
        pulsaciones = [(0.2, 0.155)] * 10 + [(0.2, 0.455)] * 10
        for _ in range(3):
            pausa = 0.8
            for simbolo in "... --- ...":
                if simbolo == " ":
                    pausa = 0.45
                    continue
                pulsaciones.append((pausa, 0.155 if simbolo == "." else 0.455))
                pausa = 0.15
        for pausa, duracion in pulsaciones:
            pasos += ["sleep", pausa, "mousedown", 1, "sleep", duracion, "mouseup", 1]
        self.arnes.xdotool(*pasos)
        ruta = self.arnes.captura("calibracion-es", ventana)
        self.assertGreater(colores(ruta), 4, ruta)

        # Accept closes the calibration only when it proposes something.
        self.arnes.xdotool("mousemove", *informe.hija(idioma[35])["rect"].centro(), "click", 1)
        self.arnes.esperar_sin_ventana(idioma[61])
        self.arnes.xdotool("mousemove", *ayudas.hija(idioma[35])["rect"].centro(), "click", 1)
        self.arnes.esperar_sin_ventana(idioma[51])
        tiempos = dialogo.tiempos()
        self.assertEqual(tiempos[:4], ["16", "10", "69", "43"])
        self.assertIn(tiempos[4], ("25", "26", "27"))  # between a 150 ms and a 450 ms pause
        self.assertEqual(tiempos[5], "0")
        dialogo.cerrar(35)
        self.assertEqual(objetivo.caracteres(), "")
        salir_con_si(self, kelu, idioma)
        self.assertEqual(ajuste_guardado(kelu, "Duración del punto"), "16")
        self.assertEqual(ajuste_guardado(kelu, "Calcular en función del punto"), "False")

if __name__ == "__main__":
    unittest.main()
