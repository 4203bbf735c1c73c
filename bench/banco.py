"""What the benchmarks under Wine share, on top of the end-to-end harness
(tests/e2e/arnes.py): one Xvfb and one Wine prefix of their own, the
Windows bench programs, readings of a Wine process from /proc, and
min/median/max.

Every benchmark script has medir(arnes) -> list of Cifra, and runs alone
with `python3 bench/NAME.py`; bench/run.py runs them all on one harness.
"""

import atexit
import json
import os
import statistics
import subprocess
import sys
import time
from pathlib import Path

RAIZ = Path(__file__).resolve().parents[1]
sys.path.insert(0, str(RAIZ / "tests" / "e2e"))
sys.dont_write_bytecode = True  # no __pycache__ in the source tree

import arnes  # noqa: E402

WIN = Path(os.environ.get("KELU_BENCH_WIN", RAIZ / "build" / "win"))
NATIVO = Path(os.environ.get("KELU_BENCH_NATIVO", RAIZ / "build" / "native"))
DIST = WIN / "dist" / "kelu"
# Not the end-to-end tests' prefix: they may run at the same time.
PREFIJO = RAIZ / "build" / "wine-prefijo-bench"
ARTEFACTOS = RAIZ / "build" / "bench"
HZ = os.sysconf("SC_CLK_TCK")


def programa(nombre):
    """A Windows bench program of the Windows build (bench_NAME.exe)."""
    ruta = WIN / f"bench_{nombre}.exe"
    if not ruta.is_file():
        raise FileNotFoundError(f"{ruta} missing: build it with "
                                f"`cmake --build {WIN} --target bench_windows`")
    return ruta


# --- Figures -----------------------------------------------------------------

class Cifra:
    """One line of the summary: what was measured, and its value as text."""

    def __init__(self, nombre, valor, datos=None):
        self.nombre, self.valor, self.datos = nombre, valor, datos

    def __str__(self):
        return f"{self.nombre}: {self.valor}"


def tres(valores, formato="{:.1f}", unidad=""):
    """min / median / max of the values, as text."""
    valores = sorted(valores)
    if not valores:
        return "no samples"
    partes = [formato.format(v) + unidad for v in
              (valores[0], statistics.median(valores), valores[-1])]
    return f"min {partes[0]}  median {partes[1]}  max {partes[2]}  (n={len(valores)})"


def informar(cifras):
    for cifra in cifras:
        print(f"  {cifra}", flush=True)


def guardar(nombre, cifras):
    """Keeps the figures of a benchmark in build/bench/NAME.json."""
    ARTEFACTOS.mkdir(parents=True, exist_ok=True)
    datos = [{"nombre": c.nombre, "valor": c.valor, "datos": c.datos} for c in cifras]
    (ARTEFACTOS / f"{nombre}.json").write_text(json.dumps(datos, indent=1, ensure_ascii=False))


# --- The harness ---------------------------------------------------------------

_arnes = None


def arnes_banco():
    """The benchmarks' harness, started on first use and stopped at exit."""
    global _arnes
    if _arnes is None:
        _arnes = arnes.Arnes(DIST, WIN / "kelu_objetivo.exe", ARTEFACTOS, PREFIJO)
        atexit.register(detener)
        _arnes.iniciar()
    return _arnes


def detener():
    global _arnes
    if _arnes is not None:
        _arnes.detener()
        _arnes = None


def principal(nombre, medir):
    """Runs one benchmark alone: its own harness, figures printed and kept."""
    a = arnes_banco()
    inicio = time.monotonic()
    try:
        cifras = medir(a)
    finally:
        a.limpiar()
    print(f"{nombre} ({time.monotonic() - inicio:.0f} s)")
    informar(cifras)
    guardar(nombre, cifras)
    detener()


# --- Wine processes seen from Linux ----------------------------------------------

class Proceso:
    """A Wine process by its Linux pid. `wine prog.exe` becomes the Windows
    process itself, so the pid of the Popen is the one to read."""

    def __init__(self, pid):
        self.pid = pid

    def _estado(self, tarea=None):
        ruta = f"/proc/{self.pid}/task/{tarea}/status" if tarea else f"/proc/{self.pid}/status"
        campos = {}
        with open(ruta) as archivo:
            for linea in archivo:
                clave, _, valor = linea.partition(":")
                campos[clave] = valor.strip()
        return campos

    def cpu(self):
        """User plus system CPU seconds of all its threads so far."""
        with open(f"/proc/{self.pid}/stat") as archivo:
            campos = archivo.read().rsplit(")", 1)[1].split()
        return (int(campos[11]) + int(campos[12])) / HZ  # utime, stime

    def hilos(self):
        return os.listdir(f"/proc/{self.pid}/task")

    def despertares(self):
        """Context switches of all its threads so far: each voluntary one is
        a wait that ended in a wake-up."""
        voluntarios = involuntarios = 0
        for tarea in self.hilos():
            try:
                campos = self._estado(tarea)
            except FileNotFoundError:
                continue  # the thread ended meanwhile
            voluntarios += int(campos["voluntary_ctxt_switches"])
            involuntarios += int(campos["nonvoluntary_ctxt_switches"])
        return voluntarios, involuntarios

    def memoria_kb(self):
        """VmRSS, RssAnon and VmHWM in kB, and Pss from smaps_rollup."""
        campos = self._estado()
        datos = {c: int(campos[c].split()[0]) for c in ("VmRSS", "RssAnon", "RssFile", "VmHWM")}
        try:
            with open(f"/proc/{self.pid}/smaps_rollup") as archivo:
                for linea in archivo:
                    if linea.startswith("Pss:"):
                        datos["Pss"] = int(linea.split()[1])
        except OSError:
            pass
        return datos

    def vivo(self):
        return os.path.exists(f"/proc/{self.pid}")


def wineserver_pid(a):
    """The Linux pid of the prefix's wineserver (None if not running)."""
    for entrada in os.listdir("/proc"):
        if not entrada.isdigit():
            continue
        try:
            with open(f"/proc/{entrada}/comm") as archivo:
                if not archivo.read().startswith("wineserver"):
                    continue
            with open(f"/proc/{entrada}/environ", "rb") as archivo:
                if f"WINEPREFIX={a.prefijo}".encode() in archivo.read().split(b"\0"):
                    return int(entrada)
        except OSError:
            continue
    return None


def recursos(a, titulo):
    """What Windows says about the owner of the window titled titulo
    (bench_recursos_proceso.exe): a dict of integers, -1 for no answer."""
    resultado = subprocess.run(["wine", str(programa("recursos_proceso")), titulo],
                               env=a.entorno(), capture_output=True, text=True, timeout=60)
    linea = resultado.stdout.strip().splitlines()
    if resultado.returncode != 0 or not linea:
        return {}
    return {clave: int(valor) for clave, valor in
            (campo.split("=", 1) for campo in linea[-1].split())}


def iniciar_minima(a, titulo="Ventana minima banco"):
    """Starts bench_ventana_minima.exe; returns its Popen and X window."""
    proceso = a.wine(programa("ventana_minima"), titulo)
    return proceso, a.esperar_ventana(titulo, plazo=30)


def ventanas_visibles(a, patron):
    """(id, Rect) of every visible window whose title matches, in one
    xdotool process, so that the poll is as quick as a process start."""
    salida = a.xdotool("search", "--onlyvisible", "--name", patron,
                       "getwindowgeometry", "--shell", "%@", comprobar=False)
    ventanas, actual = [], {}
    for linea in salida.split():
        clave, _, valor = linea.partition("=")
        actual[clave] = int(valor) if valor.lstrip("-").isdigit() else valor
        if clave == "SCREEN":
            ventanas.append((actual["WINDOW"], arnes.Rect(actual["X"], actual["Y"],
                                                          actual["WIDTH"], actual["HEIGHT"])))
            actual = {}
    return ventanas
