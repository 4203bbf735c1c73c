"""KELU on the real kelu.exe when the world around it misbehaves: a target
that vanished or hides, a code file with an empty code, settings and code
files another program holds locked, a code page without ñ, the splash
closed by hand and the session ending under the options dialog."""

import re
import unittest

from arnes import AJUSTES_RAPIDOS, SIN_VENTANA, CasoE2E, decodificar, durante, esperar
from test_ciclo import ID_SI, ventanas_de_kelu


def lineas_ini(carpeta, ansi="cp1252"):
    return decodificar((carpeta / "kelu.ini").read_bytes(), ansi).split("\r\n")


class ConductaSegura(CasoE2E):

    def salir_con_si(self, kelu):
        """Esc, then Yes to the question; KELU must end with exit code 0.
        Returns the question's texts."""
        # A letter typed brought the target to the front: a click gives KELU
        # the keys again, off the keying pad.
        self.arnes.xdotool("mousemove", kelu.cliente.x + 4, kelu.cliente.y + 4, "click", 1)
        self.arnes.enfocar(kelu.ventana)
        self.arnes.teclas("Escape")
        titulo = kelu.idioma[14]
        self.arnes.esperar_ventana(titulo)
        pregunta = esperar(lambda: self.arnes.informe(titulo), 5, f"a report on {titulo!r}")
        si = next(h for h in pregunta.de_clase("Button") if int(h["id"]) == ID_SI)
        self.arnes.xdotool("mousemove", *si["rect"].centro(), "click", 1)
        self.assertEqual(kelu.proceso.wait(15), 0)
        return [h["texto"] for h in pregunta.de_clase("Static")]

    def assertAvisoSinDestino(self, kelu, aviso):
        self.assertIn(kelu.idioma[15], [h["texto"] for h in aviso.de_clase("Static")])

    def assertUnSoloAviso(self, kelu):
        """No second warning follows the dismissed one: three letter gaps
        pass without it."""
        otro = durante(2.0, lambda: self.arnes.ventanas("^" + re.escape(kelu.idioma[16]) + "$"))
        self.assertIsNone(otro, "a second warning followed the first")

    # --- The target ---

    def test_vanished_target_drops_the_letter_with_one_warning(self):
        objetivo = self.arnes.iniciar_objetivo()
        kelu = self.arnes.iniciar_kelu()
        kelu.elegir_destino(objetivo.titulo)
        self.assertTrue(self.arnes.cerrar(objetivo.titulo))
        self.arnes.esperar_sin_ventana(objetivo.titulo)
        # Already open: the list is filled when it takes the focus, which
        # the warning gives it.
        nuevo = self.arnes.iniciar_objetivo("Zeta nuevo e2e")

        kelu.teclear_texto("e")
        aviso = kelu.esperar_aviso()
        self.assertAvisoSinDestino(kelu, aviso)
        kelu.descartar_aviso(aviso)
        self.assertUnSoloAviso(kelu)
        esperar(lambda: (i := kelu.informe()) and i.foco.get("clase", "").lower() == "combobox",
                5, "the focus on the target list", lambda: kelu.informe().foco)

        kelu.elegir_destino(nuevo.titulo)
        kelu.teclear_texto("t")
        self.assertEqual(nuevo.esperar_caracteres("t"), "t")

    def test_hidden_target_types_nothing_and_enter_does_not_open_the_options(self):
        objetivo = self.arnes.iniciar_objetivo()
        kelu = self.arnes.iniciar_kelu()
        kelu.elegir_destino(objetivo.titulo)
        self.assertTrue(self.arnes.ocultar(objetivo.titulo))
        self.arnes.esperar_sin_ventana(objetivo.titulo)

        kelu.teclear_texto("{ENTER}")
        # Whatever KELU shows first: the warning, not the options dialog.
        nuevas = esperar(lambda: [v for v in ventanas_de_kelu(self.arnes) if v != kelu.ventana],
                         5, "a window of KELU's besides the main one", self.arnes.listado)
        self.assertEqual([self.arnes.nombre(v) for v in nuevas], [kelu.idioma[16]])
        self.assertAvisoSinDestino(kelu, kelu.esperar_aviso())
        otra = durante(1.0, lambda: [self.arnes.nombre(v) for v in ventanas_de_kelu(self.arnes)
                                     if v not in nuevas and v != kelu.ventana])
        self.assertIsNone(otra, "KELU opened another window")
        self.assertEqual([l for l in objetivo.lineas() if l != "ready"], [],
                         "the hidden target received input")

    # --- Files ---

    def test_empty_code_in_the_code_file_types_nothing_on_its_own(self):
        tabla = ["Códigos:3", "...:s", '":x"', "-:t"]
        archivo = "".join(linea + "\r\n" for linea in tabla).encode("cp1252")
        objetivo = self.arnes.iniciar_objetivo()
        kelu = self.arnes.iniciar_kelu({**AJUSTES_RAPIDOS, "Código": "prueba"},
                                       archivos={"prueba.kel": archivo})
        kelu.elegir_destino(objetivo.titulo)
        # Three letter gaps of 0.6 s with no press.
        self.assertIsNone(durante(2.0, objetivo.caracteres), "typed with no press")
        kelu.teclear("...")
        self.assertEqual(objetivo.esperar_caracteres("s"), "s")

    def test_locked_settings_file_is_left_as_it_was(self):
        kelu = self.arnes.preparar_kelu({**AJUSTES_RAPIDOS, "Ubicación": "Arriba"})
        escrito = lineas_ini(kelu.carpeta)
        bloqueo = self.arnes.bloquear(kelu.carpeta / "kelu.ini")
        kelu.iniciar()
        kelu.esperar_principal()
        # Unread: the default place, at the bottom, not at the top.
        self.assertGreater(kelu.rect.y, 0, kelu.rect)
        bloqueo.soltar()
        self.salir_con_si(kelu)
        self.assertEqual(lineas_ini(kelu.carpeta), escrito)

    def test_locked_code_file_keys_with_the_fallback_and_keeps_its_name(self):
        objetivo = self.arnes.iniciar_objetivo()
        kelu = self.arnes.preparar_kelu()
        bloqueo = self.arnes.bloquear(kelu.carpeta / "Morse ampliado.kel")
        kelu.iniciar()
        kelu.esperar_principal()
        kelu.elegir_destino(objetivo.titulo)
        kelu.teclear("...")  # s in the fallback table too
        self.assertEqual(objetivo.esperar_caracteres("s"), "s")
        bloqueo.soltar()
        self.salir_con_si(kelu)
        self.assertIn('"Código:Morse ampliado"', lineas_ini(kelu.carpeta))

    def test_language_name_survives_a_code_page_without_its_letters(self):
        self.arnes.locale = "ru_RU.UTF-8"
        self.assertEqual(self.arnes.pagina_de_codigos(), 1251,
                         "no code page 1251 under ru_RU.UTF-8: is that locale generated? "
                         "(tools/instalar-dependencias.sh)")
        kelu = self.arnes.iniciar_kelu(ajustes=None)
        self.salir_con_si(kelu)
        self.assertIn('"Idioma:Español"', lineas_ini(kelu.carpeta, "cp1251"))

        kelu.iniciar()
        informe = kelu.esperar_principal()
        self.assertIsNotNone(informe.hija(kelu.idioma[11]),
                             [h["texto"] for h in informe.de_clase("Button")])
        # The shipped texts read the same on this code page: "¿Desea salir
        # de KELU?", not "їDesea...".
        self.assertIn(kelu.idioma[13], self.salir_con_si(kelu))

    # --- Start and end ---

    def test_splash_closed_by_hand_still_leads_to_the_main_window(self):
        kelu = self.arnes.iniciar_kelu(esperar_principal=False)
        self.arnes.esperar_ventana(kelu.idioma[1], plazo=30)
        self.assertTrue(self.arnes.cerrar(kelu.idioma[1]))
        kelu.esperar_principal(plazo=10)

    def test_without_a_desktop_kelu_ends_instead_of_running_unseen(self):
        # Wine's desktop process kept from starting: no window can be made.
        kelu = self.arnes.preparar_kelu()
        escrito = lineas_ini(kelu.carpeta)
        sin_escritorio = self.arnes.entorno()["WINEDLLOVERRIDES"] + ";explorer.exe=d"
        kelu.iniciar(entorno={"WINEDLLOVERRIDES": sin_escritorio})
        codigo = esperar(lambda: kelu.proceso.poll(), 30, "KELU to end", kelu.diagnostico)
        self.assertEqual(codigo, SIN_VENTANA)
        self.assertEqual(lineas_ini(kelu.carpeta), escrito)

    def test_session_end_under_the_options_dialog_ends_kelu_without_asking(self):
        kelu = self.arnes.iniciar_kelu()
        escrito = lineas_ini(kelu.carpeta)
        opciones = kelu.informe().hija(kelu.idioma[11])
        self.assertIsNotNone(opciones, kelu.informe().hijas)
        self.arnes.xdotool("mousemove", *opciones["rect"].centro(), "click", 1)
        self.arnes.esperar_ventana(kelu.idioma[20])

        respuestas = self.arnes.fin_de_sesion(kelu.idioma[7])
        self.assertFalse(self.arnes.ventanas("^" + re.escape(kelu.idioma[14]) + "$"),
                         f"the close question came up; the session end got {respuestas}")
        self.assertEqual([r for r in respuestas if r.startswith("query") and
                          r.split()[-1] in ("0", "timeout")], [], respuestas)
        self.assertEqual(kelu.proceso.wait(10), 0)
        self.assertEqual(lineas_ini(kelu.carpeta), escrito)


if __name__ == "__main__":
    unittest.main()
