"""Runs the real kelu.exe under Wine on a virtual X display and drives it
with real X input.

One Arnes per suite: one Xvfb, one Wine prefix. Each test starts the
programs it needs (Kelu, Objetivo) and the harness kills whatever is left
between tests. Every wait is a 50 ms poll with a deadline; when it runs out,
the error says what was last seen, and CasoE2E records the windows on
screen, the target's log, KELU's title and a screenshot.
"""

import atexit
import os
import re
import select
import shutil
import subprocess
import sys
import tempfile
import time
import unittest
from pathlib import Path

RAIZ = Path(__file__).resolve().parents[2]
SONDEO = 0.05
LOCALE = "C.UTF-8"
TWIPS_POR_PIXEL = 15  # Wine's default 96 DPI

# KELU's exit code when Windows gives it no window.
SIN_VENTANA = 3
# What Wine writes when a program gets no window because Wine's display
# driver could not reach the X server, or its desktop process did not start.
SIN_PANTALLA = "nodrv_CreateWindow"

# Holds and pauses of a person keying slowly but surely.
PUNTO = 0.25
RAYA = 0.75
ENTRE_SIMBOLOS = 0.15

AJUSTES_INICIALES = [
    ("Idioma", "Español"),
    ("Código", "Morse ampliado"),
    ("Ubicación", "Abajo"),
    ("Ajustar ancho", True),
    ("Siempre visible", True),
    ("Fijar puntero", True),
    ("Mostrar pulsaciones", True),
    ("Calcular en función del punto", True),
    ("Duración del punto", 25),
    ("Tolerancia punto", 10),
    ("Duración de la raya", 75),
    ("Tolerancia raya", 40),
    ("Tiempo entre letras", 200),
    ("Tolerancia entre letras", 0),
    ("Tiempo entre palabras", 0),
    ("Tolerancia entre palabras", 0),
]

# What most tests use: no pointer snapping onto the pad, the plain caption,
# and letters sent 0.6 s after the last symbol.
AJUSTES_RAPIDOS = {
    "Fijar puntero": False,
    "Mostrar pulsaciones": False,
    "Tiempo entre letras": 60,
}


def esperar(condicion, plazo, que, visto=None):
    """Polls condicion every 50 ms until it returns something true, and
    returns that. After plazo seconds fails with what, and with visto() or
    the last value seen."""
    limite = time.monotonic() + plazo
    while True:
        valor = condicion()
        if valor:
            return valor
        if time.monotonic() >= limite:
            ultimo = visto() if visto else valor
            raise AssertionError(f"waited {plazo:.1f} s for {que}; last seen: {ultimo!r}")
        time.sleep(SONDEO)


def durante(segundos, condicion):
    """Polls condicion for the given time; returns the first true value it
    gives, or None if it stayed false throughout."""
    limite = time.monotonic() + segundos
    while time.monotonic() < limite:
        valor = condicion()
        if valor:
            return valor
        time.sleep(SONDEO)
    return None


def escribir_ini(carpeta, cambios=None):
    """Writes kelu.ini as KELU writes it: quoted fields, CR LF,
    Windows-1252. cambios maps a field name ("Tiempo entre letras") to its
    value; booleans become True/False."""
    cambios = dict(cambios or {})
    desconocidos = set(cambios) - {clave for clave, _ in AJUSTES_INICIALES}
    if desconocidos:
        raise ValueError(f"unknown kelu.ini fields: {sorted(desconocidos)}")
    lineas = ["KELU (Sondavermo)", "Versión 1.0"]
    for clave, valor in AJUSTES_INICIALES:
        valor = cambios.get(clave, valor)
        if isinstance(valor, bool):
            valor = "True" if valor else "False"
        lineas.append(f"{clave}:{valor}")
    texto = "".join(f'"{linea}"\r\n' for linea in lineas)
    Path(carpeta, "kelu.ini").write_bytes(texto.encode("cp1252"))


def _sin_comillas(linea):
    if len(linea) >= 2 and linea[0] == '"' and linea[-1] == '"':
        return linea[1:-1]
    return linea


def decodificar(datos, ansi="cp1252"):
    """A text file of KELU's: UTF-8 when it begins with a byte-order mark,
    else the ANSI code page."""
    if datos.startswith(b"\xef\xbb\xbf"):
        return datos[3:].decode("utf-8")
    return datos.decode(ansi)


def leer_idioma(ruta):
    """The entries of a .lng file; entry n of the file is textos[n - 1]."""
    texto = decodificar(Path(ruta).read_bytes())
    return [_sin_comillas(linea) for linea in texto.split("\r\n")]


class Idioma:
    def __init__(self, ruta):
        self.textos = leer_idioma(ruta)

    def __getitem__(self, n):
        return self.textos[n - 1]


def leer_codigos(ruta):
    """Maps each text of a .kel file to its code: {"s": "...", "{ENTER}": ".-.-"}."""
    lineas = decodificar(Path(ruta).read_bytes()).split("\r\n")
    codigos = {}
    for linea in lineas[1:]:
        linea = _sin_comillas(linea)
        codigo, dos_puntos, texto = linea.partition(":")
        if dos_puntos and codigo and set(codigo) <= {".", "-"}:
            codigos.setdefault(texto, codigo)
    return codigos


def colores(ruta_png):
    salida = subprocess.run(["identify", "-format", "%k", str(ruta_png)], capture_output=True,
                            text=True, timeout=60, check=True)
    return int(salida.stdout.strip())


def _desescapar(texto):
    return re.sub(r"\\(.)", lambda m: {"t": "\t", "n": "\n", "r": "\r"}.get(m[1], m[1]), texto)


def _rect(texto):
    izquierda, arriba, derecha, abajo = (int(n) for n in texto.split(","))
    return Rect(izquierda, arriba, derecha - izquierda, abajo - arriba)


class Rect:
    def __init__(self, x, y, ancho, alto):
        self.x, self.y, self.ancho, self.alto = x, y, ancho, alto

    def centro(self):
        return self.x + self.ancho // 2, self.y + self.alto // 2

    def __eq__(self, otro):
        return vars(self) == vars(otro)

    def __repr__(self):
        return f"Rect(x={self.x}, y={self.y}, {self.ancho}x{self.alto})"


class Informe:
    """What Windows itself says about a top-level window (kelu_objetivo.exe
    --informe): rectangles in screen pixels, the topmost flag, the control
    that has the focus, the child controls and the entries of combo boxes."""

    def __init__(self, texto):
        self.ventana = None
        self.foco = {}
        self.hijas = []
        for linea in texto.splitlines():
            tipo, *campos = linea.split("\t")
            datos = {}
            for campo in campos:
                clave, _, valor = campo.partition("=")
                datos[clave] = _desescapar(valor)
            if tipo == "ventana":
                self.ventana = datos
                self.rect = _rect(datos["rect"])
                self.cliente = _rect(datos["cliente"])
                self.siempre_visible = datos["siempre_visible"] == "1"
                self.primer_plano = datos["primer_plano"] == "1"
            elif tipo == "foco":
                self.foco = datos
            elif tipo == "hija":
                datos["rect"] = _rect(datos["rect"])
                datos["elementos"] = []
                datos["seleccion"] = None
                self.hijas.append(datos)
            elif tipo in ("elemento", "seleccion"):
                combo = next(h for h in self.hijas if h["hwnd"] == datos["combo"])
                if tipo == "elemento":
                    combo["elementos"].append(datos["texto"])
                else:
                    combo["seleccion"] = int(datos["indice"])

    def de_clase(self, clase):
        return [h for h in self.hijas if h["clase"].lower() == clase.lower()]

    def hija(self, texto):
        """The first control whose text is texto ("&Salir"); None if none."""
        return next((h for h in self.hijas if h["texto"] == texto), None)

    def combo(self):
        combos = self.de_clase("ComboBox")
        return combos[0] if combos else None


class Arnes:
    opciones_xvfb = ()  # more options for the X server

    def __init__(self, dist, objetivo, artefactos, prefijo=None):
        self.dist = Path(dist)
        self.objetivo = Path(objetivo)
        self.artefactos = Path(artefactos)
        # Absolute: Wine refuses a relative WINEPREFIX.
        self.prefijo = Path(prefijo or RAIZ / "build" / "wine-prefijo-e2e").resolve()
        self.xvfb = None
        self.display = None
        self.procesos = []  # Wine programs started since the last cleanup
        self.escena = []  # Kelu and Objetivo instances of the running test
        # The Unix locale Wine starts programs under; Wine takes its ANSI code
        # page from it. A test may change it; cleanup puts it back.
        self.locale = LOCALE
        self.temporal = Path(tempfile.mkdtemp(prefix="kelu-e2e-"))
        # Wine's winebrowser hands every web page and document to xdg-open;
        # this one only writes down what it was given, so that tests see
        # what the shell was asked to open and no real browser ever starts.
        self.paginas = self.temporal / "paginas.log"
        self.programas = self.temporal / "bin"
        self.programas.mkdir()
        xdg_open = self.programas / "xdg-open"
        xdg_open.write_text(f"#!/bin/sh\nprintf '%s\\n' \"$*\" >> '{self.paginas}'\n")
        xdg_open.chmod(0o755)

    # --- Display and prefix ---

    def iniciar(self):
        self.artefactos.mkdir(parents=True, exist_ok=True)
        self._iniciar_xvfb()
        preparar = subprocess.run([str(RAIZ / "tools" / "wine-ejecutar.sh"), "--preparar"],
                                  env=self.entorno(), capture_output=True, text=True,
                                  timeout=300)
        if preparar.returncode != 0:
            raise RuntimeError(f"Wine prefix {self.prefijo} not ready:\n{preparar.stderr}")

    def _iniciar_xvfb(self):
        # Xvfb chooses a free display itself and tells which through a pipe.
        lectura, escritura = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(escritura), "-screen", "0", "1280x1024x24",
             "-nolisten", "tcp", *self.opciones_xvfb],
            pass_fds=(escritura,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(escritura)
        numero = b""
        limite = time.monotonic() + 20
        while not numero.endswith(b"\n") and time.monotonic() < limite:
            listos, _, _ = select.select([lectura], [], [], 0.5)
            if listos:
                trozo = os.read(lectura, 16)
                if not trozo:
                    break
                numero += trozo
        os.close(lectura)
        if not numero.strip().isdigit():
            self.xvfb.kill()
            raise RuntimeError("Xvfb did not start")
        self.display = ":" + numero.decode().strip()

    def detener(self):
        if self.display:  # nothing was started when no test ran
            self.limpiar()
        if self.xvfb:
            self.xvfb.terminate()
            try:
                self.xvfb.wait(10)
            except subprocess.TimeoutExpired:
                self.xvfb.kill()
            self.xvfb = None
        shutil.rmtree(self.temporal, ignore_errors=True)

    def entorno(self):
        entorno = dict(os.environ)
        entorno.update({
            "DISPLAY": self.display,
            "KELU_WINEPREFIJO": str(self.prefijo),
            "WINEPREFIX": str(self.prefijo),
            # Only Wine's reasons for a window it could not make (no
            # desktop, no display driver) reach the programs' output.
            "WINEDEBUG": "-all,err+win,err+winediag",
            "WINEDLLOVERRIDES": "mscoree,mshtml=;winemenubuilder.exe=d",
            # Wine converts file names with the Unix locale ("Español.lng").
            "LC_ALL": self.locale,
            "PATH": f"{self.programas}:{entorno.get('PATH', os.defpath)}",
        })
        return entorno

    def paginas_abiertas(self):
        """What the shell was asked to open since the last cleanup, in
        order: addresses as given, documents as file:// addresses."""
        try:
            return self.paginas.read_text("utf-8", "replace").splitlines()
        except FileNotFoundError:
            return []

    def asociar_html(self):
        """Makes .html files open in the browser, as on any Windows with one:
        Wine's fresh prefix knows htmlfile but does not map .html to it."""
        subprocess.run(["wine", "reg", "add", r"HKLM\Software\Classes\.html", "/ve", "/d",
                        "htmlfile", "/f"], env=self.entorno(), capture_output=True, timeout=120,
                       check=True)

    def limpiar(self):
        """Ends every Windows program and releases keys and the button, so
        that nothing of one test reaches the next."""
        self.escena.clear()
        self.locale = LOCALE
        self.terminar_wine()
        self.paginas.unlink(missing_ok=True)
        if self.display:
            self.xdotool("keyup", "ctrl", "alt", "shift", comprobar=False)
            self.xdotool("mouseup", "1", comprobar=False)

    def terminar_wine(self):
        """Ends every Windows program and Wine's session with them."""
        subprocess.run(["wineserver", "-k"], env=self.entorno(), capture_output=True, timeout=30)
        subprocess.run(["wineserver", "-w"], env=self.entorno(), capture_output=True, timeout=30)
        for proceso in self.procesos:
            try:
                proceso.wait(10)
            except subprocess.TimeoutExpired:
                proceso.kill()
        self.procesos.clear()

    # --- Programs ---

    def wine(self, programa, *argumentos, carpeta=None, salida=None, entorno=None):
        """Starts a Windows program; its output goes to the file salida.
        entorno: variables to add to or change in Wine's environment."""
        destino = open(salida, "ab") if salida else subprocess.DEVNULL
        try:
            proceso = subprocess.Popen(["wine", str(programa), *map(str, argumentos)],
                                       cwd=carpeta, env={**self.entorno(), **(entorno or {})},
                                       stdin=subprocess.DEVNULL,
                                       stdout=destino, stderr=subprocess.STDOUT)
        finally:
            if salida:
                destino.close()
        self.procesos.append(proceso)
        return proceso

    def carpeta_de_prueba(self, nombre):
        carpeta = Path(tempfile.mkdtemp(prefix=re.sub(r"\W", "_", nombre)[-60:] + "-",
                                        dir=self.temporal))
        return carpeta

    def iniciar_objetivo(self, titulo="Zeta objetivo e2e", carpeta=None, colgado=False,
                         herramienta=False):
        objetivo = Objetivo(self, titulo, carpeta or self.carpeta_de_prueba("objetivo"), colgado,
                            herramienta)
        self.escena.append(objetivo)
        objetivo.iniciar()
        return objetivo

    def preparar_kelu(self, ajustes=AJUSTES_RAPIDOS, nombre="kelu", quitar=(), archivos=None):
        """Copies dist/kelu to a fresh folder, writes kelu.ini there (unless
        ajustes is None) and the files of archivos (name: bytes), removes the
        files named in quitar. Returns the Kelu, not started."""
        carpeta = self.carpeta_de_prueba(nombre) / "kelu"
        shutil.copytree(self.dist, carpeta)
        if ajustes is not None:
            escribir_ini(carpeta, ajustes)
        for archivo, datos in (archivos or {}).items():
            (carpeta / archivo).write_bytes(datos)
        for archivo in quitar:
            (carpeta / archivo).unlink()
        kelu = Kelu(self, carpeta)
        self.escena.append(kelu)
        return kelu

    def iniciar_kelu(self, ajustes=AJUSTES_RAPIDOS, esperar_principal=True, nombre="kelu",
                     quitar=(), archivos=None):
        """preparar_kelu, then starts kelu.exe from its folder."""
        kelu = self.preparar_kelu(ajustes, nombre, quitar, archivos)
        kelu.iniciar()
        if esperar_principal:
            kelu.esperar_principal()
        return kelu

    def informe(self, titulo):
        """Asks Windows about the visible top-level window called titulo;
        None when there is none."""
        salida = self.temporal / "informe.txt"
        salida.unlink(missing_ok=True)
        proceso = self.wine(self.objetivo, "--informe", titulo, ruta_windows(salida))
        proceso.wait(30)
        self.procesos.remove(proceso)
        texto = salida.read_text("utf-8") if salida.exists() else ""
        return Informe(texto) if texto.startswith("ventana") else None

    def cerrar(self, titulo):
        """Posts WM_CLOSE to the visible top-level window called titulo, as
        the system menu's Close does."""
        proceso = self.wine(self.objetivo, "--cerrar", titulo)
        proceso.wait(30)
        self.procesos.remove(proceso)
        return proceso.returncode == 0

    def ocultar(self, titulo):
        """Hides the visible top-level window called titulo (SW_HIDE): it
        lives on, unseen."""
        proceso = self.wine(self.objetivo, "--ocultar", titulo)
        proceso.wait(30)
        self.procesos.remove(proceso)
        return proceso.returncode == 0

    def traer_ultima(self, titulo):
        """Of the visible windows called titulo, brings the one lowest in Z
        order to the front: the one a search by title does not find."""
        proceso = self.wine(self.objetivo, "--traer-ultima", titulo)
        proceso.wait(30)
        self.procesos.remove(proceso)
        return proceso.returncode == 0

    def bloquear(self, ruta):
        """Another program opens the file with no sharing and holds it until
        the returned Bloqueo is released."""
        return Bloqueo(self, ruta)

    def fin_de_sesion(self, titulo):
        """Ends the Windows session for the program that owns the window
        titulo, as log-off does: WM_QUERYENDSESSION to each of its top-level
        windows, then WM_ENDSESSION. Returns the helper's log lines ("query
        HWND ANSWER", "end HWND ANSWER", "done")."""
        registro = self.temporal / "fin-de-sesion.log"
        registro.unlink(missing_ok=True)
        proceso = self.wine(self.objetivo, "--fin-de-sesion", titulo, ruta_windows(registro))
        try:
            proceso.wait(60)
        finally:
            if proceso.poll() is not None:
                self.procesos.remove(proceso)
        return registro.read_text("utf-8").splitlines() if registro.exists() else []

    def pagina_de_codigos(self):
        """The ANSI code page Wine gives programs under the current locale."""
        salida = self.temporal / "acp.txt"
        salida.unlink(missing_ok=True)
        proceso = self.wine(self.objetivo, "--acp", ruta_windows(salida))
        proceso.wait(60)
        self.procesos.remove(proceso)
        campos = dict(c.split(" ") for c in salida.read_text("utf-8").strip().split("\t"))
        return int(campos["acp"])

    # --- X ---

    def xdotool(self, *argumentos, comprobar=True):
        resultado = subprocess.run(["xdotool", *map(str, argumentos)], env=self.entorno(),
                                   capture_output=True, text=True, timeout=60)
        if comprobar and resultado.returncode != 0 and argumentos[0] != "search":
            raise RuntimeError(f"xdotool {' '.join(map(str, argumentos))}: {resultado.stderr}")
        return resultado.stdout

    def ventanas(self, patron):
        """X ids of the visible windows whose title matches the regex."""
        return [int(n) for n in self.xdotool("search", "--onlyvisible", "--name", patron).split()]

    def esperar_ventana(self, titulo, plazo=10):
        """Waits for a visible window with exactly this title; returns its X id."""
        patron = "^" + re.escape(titulo) + "$"
        ids = esperar(lambda: self.ventanas(patron), plazo, f"a window titled {titulo!r}",
                      self.listado)
        return ids[0]

    def esperar_sin_ventana(self, titulo, plazo=10):
        patron = "^" + re.escape(titulo) + "$"
        esperar(lambda: not self.ventanas(patron), plazo, f"no window titled {titulo!r}",
                self.listado)

    def nombre(self, ventana):
        return self.xdotool("getwindowname", ventana, comprobar=False).rstrip("\n")

    def geometria(self, ventana):
        salida = self.xdotool("getwindowgeometry", "--shell", ventana)
        valores = dict(linea.split("=", 1) for linea in salida.split())
        return Rect(int(valores["X"]), int(valores["Y"]), int(valores["WIDTH"]),
                    int(valores["HEIGHT"]))

    def presionar(self, x, y, duraciones, pausa=ENTRE_SIMBOLOS):
        """Presses the left button at screen point (x, y) once per duration
        (seconds), with pauses between, all in one xdotool process so that
        every hold and pause is exact."""
        pasos = ["mousemove", x, y]
        for i, duracion in enumerate(duraciones):
            if i:
                pasos += ["sleep", pausa]
            pasos += ["mousedown", 1, "sleep", duracion, "mouseup", 1]
        self.xdotool(*pasos)

    def enfocar(self, ventana):
        """Gives a window the X focus: keys from xdotool reach only that."""
        self.xdotool("windowfocus", "--sync", ventana)

    def teclas(self, *teclas):
        self.xdotool("key", "--delay", "30", *teclas)

    def listado(self):
        """The visible windows: id, geometry and title, one a line."""
        lineas = []
        for ventana in self.ventanas(""):
            try:
                nombre = self.nombre(ventana)
                if nombre:  # not the root nor Wine's nameless helpers
                    lineas.append(f"{ventana:#x} {self.geometria(ventana)} {nombre!r}")
            except RuntimeError:
                pass  # closed meanwhile
        return "\n".join(lineas) or "(none)"

    def captura(self, nombre, ventana="root"):
        """Saves a screenshot of the screen (or of one window) to the
        artefacts folder and returns its path."""
        ruta = self.artefactos / (re.sub(r"[^\w.-]", "_", nombre) + ".png")
        subprocess.run(["import", "-window", str(ventana), str(ruta)], env=self.entorno(),
                       capture_output=True, timeout=60, check=True)
        return ruta

    def pilas(self, *programas):
        """Where each thread of the named running programs stands, as Wine's
        debugger sees it: for a program that shows no window."""
        try:
            salida = subprocess.run(["winedbg", "--command", "bt all"], env=self.entorno(),
                                    capture_output=True, text=True, errors="replace", timeout=120).stdout
        except subprocess.TimeoutExpired:
            return "(Wine's debugger did not answer)"
        hilos = [h for h in salida.split("Backtracing for thread ")[1:]
                 if any(p in h.split("\n", 1)[0] for p in programas)]
        return "".join("thread " + "\n".join(h.splitlines()[:25]) + "\n" for h in hilos) or "(no threads)"

    def diagnosticar(self):
        """What a failing test saw, while its programs still run."""
        partes = ["visible windows:\n" + self.listado()]
        for elemento in self.escena:
            partes.append(elemento.diagnostico())
        return "\n".join(partes)


def ruta_windows(ruta):
    """The Windows name of a Unix path in the prefix (Z: is the root)."""
    return "Z:" + str(Path(ruta).resolve()).replace("/", "\\")


class Objetivo:
    """kelu_objetivo.exe: a window whose edit control logs what it gets."""

    def __init__(self, arnes, titulo, carpeta, colgado=False, herramienta=False):
        self.arnes = arnes
        self.titulo = titulo
        self.registro = Path(carpeta) / "objetivo.log"
        self.colgado = colgado  # the window stays, its thread never answers
        self.herramienta = herramienta  # a tool window (WS_EX_TOOLWINDOW)
        self.proceso = None
        self.ventana = None

    def iniciar(self):
        self.proceso = self.arnes.wine(self.arnes.objetivo, self.titulo,
                                       ruta_windows(self.registro),
                                       *(["--colgado"] if self.colgado else []),
                                       *(["--herramienta"] if self.herramienta else []))
        esperar(lambda: "ready" in self.lineas(), 30, "the target to log 'ready'",
                self.lineas)
        self.ventana = self.arnes.esperar_ventana(self.titulo)

    def lineas(self):
        try:
            return self.registro.read_text("utf-8").splitlines()
        except FileNotFoundError:
            return []

    def caracteres(self):
        """Every character received, in order, as one string."""
        return "".join(chr(int(linea[len("char U+"):], 16)) for linea in self.lineas()
                       if linea.startswith("char U+"))

    def teclas(self):
        """The virtual key codes of every key-down received, in order."""
        return [int(linea[len("key 0x"):], 16) for linea in self.lineas()
                if linea.startswith("key 0x")]

    def pulsaciones(self):
        """Durations in ms of the left-button presses the window received,
        from the times Windows stamped on the messages."""
        duraciones, abajo = [], None
        for linea in self.lineas():
            if linea.startswith("mouse down "):
                abajo = int(linea.split()[2])
            elif linea.startswith("mouse up ") and abajo is not None:
                duraciones.append(int(linea.split()[2]) - abajo)
                abajo = None
        return duraciones

    def esperar_caracteres(self, esperados, plazo=5):
        """Waits until at least as many characters arrived as expected and
        returns them all."""
        return esperar(lambda: len(self.caracteres()) >= len(esperados) and self.caracteres(),
                       plazo, f"the target to receive {esperados!r}", self.caracteres)

    def diagnostico(self):
        return f"target {self.titulo!r} log ({self.registro}):\n  " + \
            "\n  ".join(self.lineas() or ["(empty)"])


class Bloqueo:
    """kelu_objetivo.exe --bloquear: a file held open with no sharing."""

    def __init__(self, arnes, ruta):
        self.arnes = arnes
        self.registro = arnes.temporal / f"bloqueo-{Path(ruta).name}.log"
        self.registro.unlink(missing_ok=True)
        self.proceso = arnes.wine(arnes.objetivo, "--bloquear", ruta_windows(ruta),
                                  ruta_windows(self.registro))
        esperar(lambda: self._lineas(), 30, f"the lock on {ruta}")
        if self._lineas() != ["locked"]:
            raise RuntimeError(f"could not lock {ruta}: {self._lineas()}")

    def _lineas(self):
        try:
            return self.registro.read_text("utf-8").splitlines()
        except FileNotFoundError:
            return []

    def soltar(self):
        """Ends the holder; the system closes its handle."""
        self.proceso.kill()
        self.proceso.wait(10)


class Kelu:
    """A running kelu.exe in a folder of its own."""

    def __init__(self, arnes, carpeta):
        self.arnes = arnes
        self.carpeta = Path(carpeta)
        self.salida = self.carpeta.parent / "kelu.salida.txt"
        self.proceso = None
        self.entorno = None  # what iniciar added to Wine's environment
        self.inicio_salida = 0  # where this run's output starts
        self.ventana = None  # X id of the main window
        self.rect = None  # window and client area in screen pixels
        self.cliente = None
        # The shipped texts, also when a test took the file away from KELU.
        self.idioma = Idioma(arnes.dist / "Español.lng")
        self.codigos = leer_codigos(self.carpeta / "Morse ampliado.kel")

    def iniciar(self, entorno=None):
        """Starts kelu.exe in its folder; again once an earlier run ended."""
        self.ventana = self.rect = self.cliente = None
        self.entorno = entorno
        self.inicio_salida = self.salida.stat().st_size if self.salida.exists() else 0
        self.proceso = self.arnes.wine("kelu.exe", carpeta=self.carpeta, salida=self.salida,
                                       entorno=entorno)

    def salida_de_esta_vez(self):
        try:
            with open(self.salida, "rb") as f:
                f.seek(self.inicio_salida)
                return f.read().decode("utf-8", "replace")
        except FileNotFoundError:
            return ""

    def esperar_principal(self, plazo=30, titulo=None, otra_vez=True):
        """Waits for the main window: titled KELU (or titulo) and holding the
        target list (the splash window comes first). Returns its Informe.

        Now and then Wine's display driver fails to reach the X server as
        Wine starts; KELU then gets no window and ends with SIN_VENTANA, as
        it should. That is the machine's fault, not KELU's: when no other
        program of the test runs, it is said on stderr and KELU is started
        once more on a new Wine session."""
        titulo = self.idioma[7] if titulo is None else titulo

        patron = "^" + re.escape(titulo) + "$"
        anterior = []

        def principal():
            if self.proceso.poll() is not None:
                return "ended", None
            informe = self.arnes.informe(titulo) if self.arnes.ventanas(patron) else None
            if not informe or not informe.combo():
                return None
            # Laid out for good: the same place twice in a row. The X window
            # is the one with Windows' rectangle (Wine draws the frame
            # itself, so the X window is the whole window).
            estable = anterior and anterior[-1] == informe.rect
            anterior.append(informe.rect)
            ventanas = [v for v in self.arnes.ventanas(patron)
                        if self.arnes.geometria(v) == informe.rect]
            return (informe, ventanas[0]) if estable and ventanas else None

        informe, self.ventana = esperar(principal, plazo, "KELU's main window",
                                        lambda: f"{anterior[-3:]}\n{self.arnes.listado()}")
        if informe == "ended":
            self.ventana = None
            codigo, salida = self.proceso.poll(), self.salida_de_esta_vez()
            solo = all(p.poll() is not None for p in self.arnes.procesos)
            if otra_vez and solo and codigo == SIN_VENTANA and SIN_PANTALLA in salida:
                sys.stderr.write(f"\n    Wine's display driver or desktop failed; KELU ended with "
                                 f"{codigo}, and starts again on a new Wine session:\n{salida}")
                self.arnes.terminar_wine()
                self.iniciar(self.entorno)
                return self.esperar_principal(plazo, titulo, otra_vez=False)
            raise AssertionError(f"KELU ended with {codigo} before its main window showed")
        self.rect, self.cliente = informe.rect, informe.cliente
        return informe

    def titulo(self):
        return self.arnes.nombre(self.ventana)

    def informe(self):
        return self.arnes.informe(self.titulo())

    def combo(self):
        """The target list as Windows sees it now (None if not readable)."""
        informe = self.informe()
        return informe.combo() if informe else None

    def punto_de_pulsacion(self):
        """A point in the keying pad: near the right end of the client area,
        half-way down."""
        return self.cliente.x + self.cliente.ancho - 150, self.cliente.y + self.cliente.alto // 2

    def teclear(self, codigo, punto=PUNTO, raya=RAYA, pausa=ENTRE_SIMBOLOS):
        """Keys a code of dots and dashes on the pad."""
        self.arnes.presionar(*self.punto_de_pulsacion(),
                             [punto if simbolo == "." else raya for simbolo in codigo], pausa)

    def pulsar(self, segundos):
        self.arnes.presionar(*self.punto_de_pulsacion(), [segundos])

    def teclear_texto(self, texto):
        """Keys the code of a text of the code file ("s", "{ENTER}")."""
        self.teclear(self.codigos[texto])

    def elegir_destino(self, titulo, plazo=10):
        """Picks titulo in the list "Escribir en:" as a person would: a click
        opens it (and rebuilds it), then keys move to the entry and Return
        takes it."""
        combo = esperar(self.combo, plazo, "the target list", self.arnes.listado)
        self.arnes.xdotool("mousemove", *combo["rect"].centro(), "click", 1)

        def lista_con_titulo():
            combo = self.combo()
            return combo if combo and titulo in combo["elementos"] else None

        combo = esperar(lista_con_titulo, plazo, f"{titulo!r} in the target list", self.combo)
        indice = combo["elementos"].index(titulo)
        self.arnes.teclas("Home", *["Down"] * indice, "Return")
        esperar(lambda: (c := self.combo()) and c["seleccion"] == indice, plazo,
                f"entry {indice} ({titulo!r}) chosen", self.combo)

    def esperar_aviso(self, plazo=5):
        """Waits for the warning that no target is chosen (a message box
        titled entry 16) and returns its Informe."""
        titulo = self.idioma[16]
        self.arnes.esperar_ventana(titulo, plazo)
        return esperar(lambda: self.arnes.informe(titulo), 5, f"a report on {titulo!r}")

    def descartar_aviso(self, aviso):
        """Clicks the warning's only button and waits for the box to go."""
        botones = aviso.de_clase("Button")
        if len(botones) != 1:
            raise AssertionError(f"the warning has {len(botones)} buttons: {botones}")
        self.arnes.xdotool("mousemove", *botones[0]["rect"].centro(), "click", 1)
        self.arnes.esperar_sin_ventana(self.idioma[16])

    def diagnostico(self):
        try:
            salida = self.salida.read_text("utf-8", "replace")[-2000:]
        except FileNotFoundError:
            salida = ""
        titulo = self.titulo() if self.ventana else "(main window not found)"
        codigo = self.proceso.poll() if self.proceso else None
        estado = "running" if codigo is None else f"exited with {codigo}"
        texto = (f"KELU in {self.carpeta} ({estado}): title {titulo!r}\n"
                 f"  output: {salida or '(none)'}")
        if codigo is None and not self.ventana:
            texto += "\n" + self.arnes.pilas("kelu.exe", "explorer.exe")
        return texto


_compartido = None


def configurar(dist, objetivo, artefactos, prefijo=None):
    global _compartido
    _compartido = Arnes(dist, objetivo, artefactos, prefijo)
    return _compartido


def compartido():
    """The suite's harness, started on first use. Without run.py it is
    configured from KELU_E2E_DIST, KELU_E2E_OBJETIVO and KELU_E2E_ARTEFACTOS."""
    global _compartido
    if _compartido is None:
        configurar(os.environ.get("KELU_E2E_DIST", RAIZ / "build" / "win" / "dist" / "kelu"),
                   os.environ["KELU_E2E_OBJETIVO"],
                   os.environ.get("KELU_E2E_ARTEFACTOS", RAIZ / "build" / "e2e-artefactos"))
        atexit.register(detener_compartido)
    if _compartido.display is None:
        _compartido.iniciar()
    return _compartido


def detener_compartido():
    global _compartido
    if _compartido is not None:
        _compartido.detener()
        _compartido = None


class CasoE2E(unittest.TestCase):
    """Base of the end-to-end tests: a clean screen before each test, and
    on the way out a record of what the test saw (printed by run.py when the
    test failed)."""

    necesita_kelu = True
    exigir_kelu = False  # run.py sets it when the build should have made kelu.exe

    def setUp(self):
        self.arnes = compartido()
        if self.necesita_kelu and not (self.arnes.dist / "kelu.exe").is_file():
            mensaje = f"no kelu.exe in {self.arnes.dist}"
            if CasoE2E.exigir_kelu:
                self.fail(mensaje)
            self.skipTest(mensaje)
        self.arnes.limpiar()
        self.diagnostico = None
        self.captura_final = None

    def tearDown(self):
        try:
            nombre = self.id().rsplit(".", 2)[-1]
            self.captura_final = self.arnes.captura(nombre + "-final")
            self.diagnostico = (self.arnes.diagnosticar() +
                                f"\nscreenshot: {self.captura_final}")
        finally:
            self.arnes.limpiar()
