"""The setup, in one Wine session: a silent install per user; KELU started
from the installed folder keys "sos" into its editor; its aids dialog takes
away and makes again the Startup shortcut; an upgrade over the running KELU
has it save and end, and keeps the person's settings and code files while
updating the shipped ones; a silent uninstall removes the program and keeps
the person's files, for a later install; asked to, it removes them too."""

import getpass
import shutil
import subprocess

import test_opciones
import test_paquete
from arnes import AJUSTES_RAPIDOS, RAIZ, CasoE2E, esperar

CLAVE = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\KELU"


class Instalador(CasoE2E):

    def setUp(self):
        super().setUp()
        usuario = self.arnes.prefijo / "drive_c" / "users" / getpass.getuser()
        self.carpeta = usuario / "AppData" / "Local" / "Programs" / "KELU"
        menu = usuario / "AppData" / "Roaming" / "Microsoft" / "Windows" / "Start Menu" / "Programs"
        # Wine names the Startup folder "StartUp".
        inicio = next((c for c in menu.glob("*") if c.name.lower() == "startup"), menu / "Startup")
        self.menu, self.inicio = menu / "KELU.lnk", inicio / "KELU.lnk"
        self.addCleanup(self.quitar_restos)

    def quitar_restos(self):
        """What a failed run left in the suite's shared prefix."""
        self.arnes.terminar_wine()
        shutil.rmtree(self.carpeta, ignore_errors=True)
        self.menu.unlink(missing_ok=True)
        self.inicio.unlink(missing_ok=True)
        self.arnes.wine("reg", "delete", CLAVE, "/f").wait(60)
        self.arnes.wine("reg", "delete", r"HKCU\Software\KELU", "/f").wait(60)

    def registrada(self):
        return self.arnes.wine("reg", "query", CLAVE).wait(60) == 0

    def instalar(self, setup, *opciones):
        self.assertEqual(self.arnes.wine(setup, "/S", *opciones).wait(120), 0)

    def desinstalar(self, *opciones):
        """A silent uninstall runs from a copy of itself: waits for it."""
        self.assertEqual(self.arnes.wine(self.carpeta / "desinstalar.exe", "/S", *opciones).wait(60), 0)
        esperar(lambda: not (self.carpeta / "desinstalar.exe").exists(), 30, "the uninstaller done")
        esperar(lambda: not self.registrada(), 30, "the uninstall entry gone")

    def aids_dialog_toggles_start_at_sign_in(self, kelu):
        """Options, Ayudas..., a click on the sign-in box, OK in both."""
        dialogo = test_opciones.Dialogo(self, kelu)
        dialogo.abrir()
        dialogo.pulsar(50)
        titulo = kelu.idioma[51]
        informe = test_opciones.informe_con(self, titulo, kelu.idioma[99])
        test_opciones.dentro_del_cliente(self, informe)
        self.arnes.xdotool("mousemove", *informe.hija(kelu.idioma[99])["rect"].centro(), "click", 1)
        self.arnes.xdotool("mousemove", *informe.hija(kelu.idioma[35])["rect"].centro(), "click", 1)
        self.arnes.esperar_sin_ventana(titulo)
        dialogo.cerrar(35)

    def test_installed_upgraded_and_removed_keeping_the_persons_files(self):
        salida = subprocess.run(["bash", str(RAIZ / "tools" / "empaquetar.sh"), str(self.arnes.dist.parent)],
                                capture_output=True, text=True, timeout=300)
        self.assertEqual(salida.returncode, 0, salida.stderr)
        setup = self.arnes.dist.parent / "kelu-1.0-setup.exe"
        self.instalar(setup)
        for archivo in ("kelu.exe", "notepad.exe", "Español.lng", "Morse ampliado.kel", "desinstalar.exe"):
            self.assertTrue((self.carpeta / archivo).is_file(), archivo)
        self.assertTrue(self.menu.is_file())
        self.assertTrue(self.inicio.is_file())  # chosen by default
        self.assertTrue(self.registrada())

        kelu = test_paquete.teclear_sos_en_su_editor(self, self.carpeta)

        # The box shows the installer's shortcut: turned off, it goes; on
        # again, KELU makes it.
        self.aids_dialog_toggles_start_at_sign_in(kelu)
        esperar(lambda: not self.inicio.exists(), 5, "the Startup shortcut removed")
        self.aids_dialog_toggles_start_at_sign_in(kelu)
        esperar(lambda: self.inicio.is_file(), 5, "the Startup shortcut made by KELU")
        self.assertEqual(self.inicio.read_bytes()[:4], b"L\0\0\0")  # a shell link

        # The person's own code file, their change to a shipped one, and a
        # shipped file gone missing.
        (self.carpeta / "mio.kel").write_bytes(b'"._:e"\r\n')
        morse = self.carpeta / "Morse ampliado.kel"
        editado = morse.read_bytes() + b'"........:x"\r\n'
        morse.write_bytes(editado)
        (self.carpeta / "English.lng").unlink()
        self.instalar(setup)  # over the running KELU
        self.assertEqual(kelu.proceso.wait(15), 0)  # it saved and ended, asking nothing
        for clave, valor in AJUSTES_RAPIDOS.items():
            esperado = ("True" if valor else "False") if isinstance(valor, bool) else str(valor)
            self.assertEqual(test_opciones.ajuste_guardado(kelu, clave), esperado, clave)
        self.assertEqual(morse.read_bytes(), editado)
        self.assertTrue((self.carpeta / "mio.kel").is_file())
        self.assertTrue((self.carpeta / "English.lng").is_file())
        self.assertTrue(self.inicio.is_file())  # the choice in force stays

        self.arnes.terminar_wine()  # the editor with "sos", which holds notepad.exe
        # A silent uninstall keeps the person's files, and a later install
        # still knows their changed code file; asked to, it removes all.
        self.desinstalar()
        self.assertEqual(sorted(p.name for p in self.carpeta.iterdir()),
                         ["Morse ampliado.kel", "ayudas.ini", "kelu.ini", "mio.kel"])
        self.assertFalse(self.menu.exists())
        self.assertFalse(self.inicio.exists())
        self.instalar(setup, "/INICIO=0")
        self.assertEqual(morse.read_bytes(), editado)
        self.assertFalse(self.inicio.exists())
        self.desinstalar("/CONSERVAR=0")
        self.assertFalse(self.carpeta.exists())
