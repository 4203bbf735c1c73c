"""KELU's life from start to exit on the real kelu.exe: the splash and its
two seconds, the question before closing and the settings file written at
exit, the keys F2 and F6, Ctrl+I from another program, and a start without
the language file."""

import re
import subprocess
import time
import unittest

from arnes import (AJUSTES_RAPIDOS, TWIPS_POR_PIXEL, Arnes, CasoE2E, colores, durante,
                   escribir_ini, esperar)

PAGINA_WEB = "http://kelu.example.org/"
EDITOR = "Sin título - Bloc de notas"
ID_SI, ID_NO = 6, 7  # IDYES, IDNO: the same in every language


def ventanas_de_kelu(arnes):
    """X ids of KELU's visible windows, found by program rather than by
    title, so that they are found when their captions are empty."""
    salida = arnes.xdotool("search", "--onlyvisible", "--class", "kelu.exe")
    return [int(n) for n in salida.split()]


def puntero(arnes):
    valores = dict(linea.split("=", 1) for linea in
                   arnes.xdotool("getmouselocation", "--shell").split())
    return int(valores["X"]), int(valores["Y"])


def pixeles(arnes, x, y, ancho, alto):
    """The raw RGB bytes of a rectangle of the screen as it is now."""
    captura = subprocess.run(["import", "-window", "root", "-crop", f"{ancho}x{alto}+{x}+{y}",
                              "rgb:-"], env=arnes.entorno(), capture_output=True, timeout=60,
                             check=True)
    return captura.stdout


def centro_del_pad(kelu):
    """Where pointer fixing puts the pointer: the pad's centre, from where the
    system put the client area (the caption's height varies)."""
    c, tpp = kelu.cliente, TWIPS_POR_PIXEL
    ancho_pad, alto_pad = kelu.rect.ancho * tpp - 5950, kelu.rect.alto * tpp - 1000
    return (round(c.x + (5640 + ancho_pad / 2) / tpp),
            round(c.y + (240 + alto_pad / 2) / tpp))


class Pregunta:
    """The question KELU asks before it closes."""

    def __init__(self, caso, idioma):
        self.caso, self.arnes, self.idioma = caso, caso.arnes, idioma

    def esperar(self):
        """Waits for the box and checks it: prompt entry 13 under title entry
        14, Yes and No, and No (the safe answer) holding the focus."""
        titulo = self.idioma[14]
        self.arnes.esperar_ventana(titulo)
        informe = esperar(lambda: self.arnes.informe(titulo), 5, f"a report on {titulo!r}")
        textos = [h["texto"] for h in informe.de_clase("Static")]
        self.caso.assertIn(self.idioma[13], textos)
        botones = {int(h["id"]): h for h in informe.de_clase("Button")}
        self.caso.assertEqual(sorted(botones), [ID_SI, ID_NO], informe.hijas)
        self.caso.assertEqual(informe.foco.get("hwnd"), botones[ID_NO]["hwnd"],
                              f"the focus is not on No: {informe.foco}")
        return botones

    def responder(self, botones, boton):
        self.arnes.xdotool("mousemove", *botones[boton]["rect"].centro(), "click", 1)
        self.arnes.esperar_sin_ventana(self.idioma[14])


class Inicio(CasoE2E):

    def test_splash_shows_two_seconds_and_clicks_open_the_page_without_shortening_them(self):
        kelu = self.arnes.iniciar_kelu(esperar_principal=False)
        titulo = kelu.idioma[1]
        inicio = self.arnes.esperar_ventana(titulo, plazo=30)
        visto = time.monotonic()
        rect = self.arnes.geometria(inicio)
        esperar(lambda: colores(self.arnes.captura("inicio", inicio)) > 4, 1.5,
                "the splash painted")
        # Three clicks in one xdotool run, all well inside the two seconds.
        self.arnes.xdotool("mousemove", rect.x + 100, rect.y + 100, "click", 1, "sleep", 0.3,
                           "click", 1, "sleep", 0.3, "click", 1)
        self.assertIn(inicio, self.arnes.ventanas("^" + re.escape(titulo) + "$"),
                      "the splash closed on a click")

        # Centred, at its design size of 6585 x 3420 twips, no frame.
        ancho, alto = map(int, self.arnes.xdotool("getdisplaygeometry").split())
        self.assertAlmostEqual(rect.ancho, 6585 / TWIPS_POR_PIXEL, delta=1, msg=rect)
        self.assertAlmostEqual(rect.alto, 3420 / TWIPS_POR_PIXEL, delta=1, msg=rect)
        self.assertAlmostEqual(rect.x, (ancho - rect.ancho) / 2, delta=1, msg=rect)
        self.assertAlmostEqual(rect.y, (alto - rect.alto) / 2, delta=1, msg=rect)

        esperar(lambda: inicio not in self.arnes.ventanas(""), 10, "the splash to close",
                self.arnes.listado)
        mostrado = time.monotonic() - visto
        # Seen a little after it was created, gone two seconds after that.
        self.assertGreaterEqual(mostrado, 1.5, f"the splash closed early, after {mostrado:.2f} s")
        self.assertLessEqual(mostrado, 4.0, f"the splash stayed {mostrado:.2f} s")
        kelu.esperar_principal(plazo=10)
        ruta = self.arnes.captura("principal", kelu.ventana)
        self.assertGreater(colores(ruta), 4, ruta)

        esperar(lambda: len(self.arnes.paginas_abiertas()) >= 3, 10,
                "the web page to be opened three times", self.arnes.paginas_abiertas)
        self.assertEqual(self.arnes.paginas_abiertas(), [PAGINA_WEB] * 3)

    def test_without_language_nor_settings_file_it_runs_on_defaults_and_saves_them(self):
        kelu = self.arnes.iniciar_kelu(ajustes=None, esperar_principal=False,
                                       quitar=["Español.lng"])

        def inicio():
            ventanas = ventanas_de_kelu(self.arnes)
            return ventanas[0] if len(ventanas) == 1 else None

        ventana = esperar(inicio, 30, "the splash, found by program", self.arnes.listado)
        self.assertEqual(self.arnes.nombre(ventana), "")
        # Its version label still reads "1.0": see this picture.
        esperar(lambda: colores(self.arnes.captura("inicio-sin-idioma", ventana)) > 4, 1.5,
                "the splash painted")

        informe = kelu.esperar_principal(titulo="")
        self.assertEqual(self.arnes.nombre(kelu.ventana), "")
        self.assertEqual([h["texto"] for h in informe.de_clase("Button")], ["", ""])
        # The default placement: full width at the bottom.
        ancho, _ = map(int, self.arnes.xdotool("getdisplaygeometry").split())
        self.assertEqual((informe.rect.x, informe.rect.ancho), (0, ancho), informe.rect)

        # The question has no texts either; Alt+Y answers it all the same.
        self.arnes.enfocar(kelu.ventana)
        self.arnes.teclas("Escape")
        pregunta = esperar(lambda: [v for v in ventanas_de_kelu(self.arnes) if v != kelu.ventana],
                           10, "the question before closing", self.arnes.listado)
        self.assertEqual(self.arnes.nombre(pregunta[0]), "")
        self.arnes.enfocar(pregunta[0])
        self.arnes.teclas("alt+y")
        self.assertEqual(kelu.proceso.wait(15), 0)
        predeterminados = self.arnes.carpeta_de_prueba("predeterminados")
        escribir_ini(predeterminados)
        self.assertEqual((kelu.carpeta / "kelu.ini").read_bytes(),
                         (predeterminados / "kelu.ini").read_bytes())


class Cierre(CasoE2E):

    def test_esc_salir_and_close_box_all_ask_and_no_leaves_kelu_keying(self):
        objetivo = self.arnes.iniciar_objetivo()
        kelu = self.arnes.iniciar_kelu()
        escrito = (kelu.carpeta / "kelu.ini").stat().st_mtime_ns
        kelu.elegir_destino(objetivo.titulo)
        pregunta = Pregunta(self, kelu.idioma)
        salir = kelu.informe().hija(kelu.idioma[12])
        self.assertIsNotNone(salir, kelu.informe().hijas)

        def tecla(nombre):
            def pulsar():
                # Each letter typed brings the target to the front; keys go
                # to KELU again once it is clicked, as a person would.
                self.arnes.xdotool("mousemove", kelu.cliente.x + 4, kelu.cliente.y + 4,
                                   "click", 1)
                self.arnes.enfocar(kelu.ventana)
                self.arnes.teclas(nombre)
            return pulsar

        formas = [
            ("Esc", tecla("Escape"), "e"),
            ("Shift+Esc", tecla("shift+Escape"), "a"),  # the shift state is not looked at
            ("Salir", lambda: self.arnes.xdotool("mousemove", *salir["rect"].centro(),
                                                 "click", 1), "t"),
            ("close box", lambda: self.assertTrue(self.arnes.cerrar(kelu.idioma[7])), "i"),
        ]
        recibido = ""
        for forma, pedir, letra in formas:
            with self.subTest(forma):
                pedir()
                pregunta.responder(pregunta.esperar(), ID_NO)
                self.assertIsNone(kelu.proceso.poll(), "KELU ended although No was answered")
                self.assertEqual(kelu.informe().rect, kelu.rect)
                kelu.teclear_texto(letra)
                recibido += letra
                self.assertEqual(objetivo.esperar_caracteres(recibido), recibido)
        # Only the unload writes the settings.
        self.assertEqual((kelu.carpeta / "kelu.ini").stat().st_mtime_ns, escrito)


class Teclas(CasoE2E):

    def test_f2_toggles_pointer_fixing_and_yes_saves_it(self):
        kelu = self.arnes.iniciar_kelu()  # pointer fixing off
        centro = centro_del_pad(kelu)
        # The pointer label, drawn by the window itself.
        etiqueta = (kelu.cliente.x + 240 // TWIPS_POR_PIXEL,
                    kelu.cliente.y + 780 // TWIPS_POR_PIXEL,
                    2370 // TWIPS_POR_PIXEL, 195 // TWIPS_POR_PIXEL)
        libre = pixeles(self.arnes, *etiqueta)
        # Off the pad but over KELU: Wine learns where the pointer is only
        # from moves over its own windows, and skips a SetCursorPos to the
        # place it believes the pointer already is.
        lejos = [(kelu.cliente.x + x, kelu.cliente.y + 6) for x in (200, 220, 240)]

        # With or without Shift or Ctrl, F2 is F2.
        for vez, (tecla, fijar) in enumerate([("F2", True), ("shift+F2", False),
                                              ("ctrl+F2", True)]):
            with self.subTest(tecla):
                self.arnes.xdotool("mousemove", *lejos[vez])
                self.arnes.enfocar(kelu.ventana)
                self.arnes.teclas(tecla)
                if fijar:
                    esperar(lambda: (abs(puntero(self.arnes)[0] - centro[0]) <= 2 and
                                     abs(puntero(self.arnes)[1] - centro[1]) <= 2),
                            5, f"the pointer on the pad's centre {centro}",
                            lambda: puntero(self.arnes))
                    esperar(lambda: pixeles(self.arnes, *etiqueta) != libre, 5,
                            "the label to show the fixed-pointer text")
                else:
                    esperar(lambda: pixeles(self.arnes, *etiqueta) == libre, 5,
                            "the label to show the free-pointer text again")
                    movido = durante(1.0, lambda: puntero(self.arnes) != lejos[vez] and
                                     puntero(self.arnes))
                    self.assertIsNone(movido, "the pointer moved when fixing was turned off")

        # Three presses leave fixing on; the question and Yes save that.
        self.arnes.enfocar(kelu.ventana)
        self.arnes.teclas("Escape")
        pregunta = Pregunta(self, kelu.idioma)
        pregunta.responder(pregunta.esperar(), ID_SI)
        self.assertEqual(kelu.proceso.wait(15), 0)
        self.arnes.esperar_sin_ventana(kelu.idioma[7])
        esperado = self.arnes.carpeta_de_prueba("esperado")
        escribir_ini(esperado, {**AJUSTES_RAPIDOS, "Fijar puntero": True})
        guardado = (kelu.carpeta / "kelu.ini").read_bytes()
        # Line by line, so that a failure shows which setting differs.
        self.assertEqual(guardado.decode("cp1252").split("\r\n"),
                         (esperado / "kelu.ini").read_bytes().decode("cp1252").split("\r\n"))

    def test_f6_opens_the_editor_above_the_strip_and_makes_it_the_target(self):
        objetivo = self.arnes.iniciar_objetivo()
        kelu = self.arnes.iniciar_kelu()  # at the bottom of the screen
        kelu.elegir_destino(objetivo.titulo)
        self.arnes.enfocar(kelu.ventana)
        self.arnes.teclas("F6")
        self.arnes.esperar_ventana(EDITOR)

        ancho, alto = map(int, self.arnes.xdotool("getdisplaygeometry").split())
        alto_editor = alto - kelu.rect.alto - 30

        def colocado():
            informe = self.arnes.informe(EDITOR)
            r = informe.rect if informe else None
            return r and (r.x, r.y, r.ancho) == (0, 0, ancho) and abs(r.alto - alto_editor) <= 1

        esperar(colocado, 10, f"the editor at 0, 0, {ancho} wide, {alto_editor:.0f} high",
                lambda: self.arnes.informe(EDITOR) and self.arnes.informe(EDITOR).rect)

        def editor_elegido():
            c = kelu.combo()
            return c and 0 <= c["seleccion"] < len(c["elementos"]) and \
                c["elementos"][c["seleccion"]] == EDITOR and c

        combo = esperar(editor_elegido, 5, "the editor's entry of the rebuilt list chosen", kelu.combo)
        self.assertIn(objetivo.titulo, combo["elementos"])

        kelu.teclear_texto("s")
        esperar(lambda: [h["texto"] for h in self.arnes.informe(EDITOR).de_clase("Edit")] == ["s"],
                5, "'s' in the editor",
                lambda: [h["texto"] for h in self.arnes.informe(EDITOR).de_clase("Edit")])
        self.assertEqual(objetivo.caracteres(), "")

    def test_f6_with_the_strip_at_the_top_opens_the_editor_below_it(self):
        kelu = self.arnes.iniciar_kelu({**AJUSTES_RAPIDOS, "Ubicación": "Arriba"})
        self.assertEqual(kelu.rect.y, 0, kelu.rect)
        self.arnes.enfocar(kelu.ventana)
        self.arnes.teclas("F6")
        self.arnes.esperar_ventana(EDITOR)
        ancho, alto = map(int, self.arnes.xdotool("getdisplaygeometry").split())
        esperado = (0, kelu.rect.alto, ancho, alto - kelu.rect.alto - 30)

        def rect():
            informe = self.arnes.informe(EDITOR)
            r = informe and informe.rect
            return r and (r.x, r.y, r.ancho, r.alto)

        esperar(lambda: (r := rect()) and all(abs(a - b) <= 1 for a, b in zip(r, esperado)),
                10, f"the editor at {esperado}", rect)

    def test_ctrl_i_from_another_program_restores_kelu_minimized(self):
        objetivo = self.arnes.iniciar_objetivo()
        kelu = self.arnes.iniciar_kelu()
        # Minimize through the system menu, as a keyboard user would.
        antes = set(self.arnes.ventanas(""))
        self.arnes.enfocar(kelu.ventana)
        self.arnes.teclas("alt+space")
        esperar(lambda: set(self.arnes.ventanas("")) - antes, 5, "the system menu",
                self.arnes.listado)
        self.arnes.teclas("n")
        esperar(lambda: (i := kelu.informe()) and i.rect.alto < kelu.rect.alto, 5,
                "KELU minimized", lambda: kelu.informe() and kelu.informe().rect)

        self.arnes.enfocar(objetivo.ventana)
        self.arnes.teclas("ctrl+i")
        informe = esperar(lambda: (i := kelu.informe()) and i.rect == kelu.rect and i, 5,
                          "KELU restored to its place", lambda: kelu.informe().rect)
        esperar(lambda: kelu.informe().primer_plano, 5, "KELU in front")
        self.assertTrue(informe.siempre_visible)
        self.assertEqual(objetivo.caracteres(), "", "the hot key reached the other program")


class ArnesConBarra(Arnes):
    """A screen whose bottom 40 pixels a taskbar takes, as a window manager
    announces it (_NET_WORKAREA: x, y, width, height). Wine reads it when the
    prefix's desktop starts; without -noreset the server would drop the
    property as soon as xprop, its only client then, leaves."""
    opciones_xvfb = ("-noreset",)
    ALTO_UTIL = 1024 - 40

    def _iniciar_xvfb(self):
        super()._iniciar_xvfb()
        subprocess.run(["xprop", "-root", "-f", "_NET_WORKAREA", "32c", "-set", "_NET_WORKAREA",
                        f"0, 0, 1280, {self.ALTO_UTIL}"], env=self.entorno(), check=True, timeout=30)


class BarraDeTareas(CasoE2E):
    """On a harness of its own: a second display, on the suite's Wine prefix
    (the cleanup before each test ends Wine's session, so the desktop starts
    again on this display and reads its work area)."""
    propio = None

    @classmethod
    def tearDownClass(cls):
        if cls.propio:
            cls.propio.detener()
            cls.propio = None

    def setUp(self):
        super().setUp()
        if BarraDeTareas.propio is None:
            base = self.arnes
            BarraDeTareas.propio = ArnesConBarra(base.dist, base.objetivo, base.artefactos,
                                                 base.prefijo)
            BarraDeTareas.propio.iniciar()
        self.arnes = BarraDeTareas.propio
        self.arnes.limpiar()

    def test_abajo_keeps_the_strip_above_a_bottom_taskbar(self):
        kelu = self.arnes.iniciar_kelu()  # at the bottom, full width
        ancho, _ = map(int, self.arnes.xdotool("getdisplaygeometry").split())
        r = kelu.informe().rect
        self.assertEqual((r.x, r.ancho), (0, ancho), r)
        self.assertAlmostEqual(r.y, ArnesConBarra.ALTO_UTIL - r.alto - 500 / TWIPS_POR_PIXEL,
                               delta=2, msg=r)


if __name__ == "__main__":
    unittest.main()
