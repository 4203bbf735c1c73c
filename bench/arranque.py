#!/usr/bin/env python3
"""Start-up under Wine: from launching kelu.exe to its splash window being
visible and to its main window being visible, next to a minimal Win32
window program's launch to visible, in alternate rounds. A window counts as
visible when X maps it, seen by an xdotool poll (about 5-10 ms a look).
The wineserver is kept running by an anchor window throughout, so every
launch is a warm one; the splash stays 2 s by design.
"""

import shutil
import sys
import time

sys.dont_write_bytecode = True  # no __pycache__ in the source tree

import banco  # noqa: E402
from banco import Cifra, tres

RONDAS = 10
PLAZO = 30


def esperar_visibles(a, patron, condicion, inicio):
    """Polls the visible windows matching patron until condicion(list) is
    true; returns the seconds since inicio and the list."""
    limite = time.monotonic() + PLAZO
    while time.monotonic() < limite:
        ventanas = banco.ventanas_visibles(a, patron)
        if condicion(ventanas):
            return time.monotonic() - inicio, ventanas
    raise AssertionError(f"no window matching {patron} within {PLAZO} s: {a.listado()}")


def terminar(proceso):
    proceso.kill()  # KELU asks before closing; the start is all we time
    proceso.wait(30)


def medir(a):
    banco.iniciar_minima(a, "Ancla banco")
    carpeta = a.carpeta_de_prueba("arranque") / "kelu"
    shutil.copytree(banco.DIST, carpeta)
    banco.arnes.escribir_ini(carpeta)

    minima, splash, principal = [], [], []
    for ronda in range(RONDAS):
        inicio = time.monotonic()
        proceso = a.wine(banco.programa("ventana_minima"), "Minima arranque")
        segundos, _ = esperar_visibles(a, "^Minima arranque$", bool, inicio)
        minima.append(segundos * 1000)
        terminar(proceso)

        inicio = time.monotonic()
        proceso = a.wine("kelu.exe", carpeta=carpeta)
        segundos, ventanas = esperar_visibles(a, "^KELU$", bool, inicio)
        splash.append(segundos * 1000)
        primera = ventanas[0][0]
        # The main window is another X window: the splash is destroyed.
        segundos, _ = esperar_visibles(a, "^KELU$", lambda vs: any(v != primera for v, _ in vs),
                                       inicio)
        principal.append(segundos * 1000)
        terminar(proceso)
        banco.arnes.esperar(lambda: not banco.ventanas_visibles(a, "^KELU$"), 10,
                            "KELU's windows gone")

    entre = [p - s for p, s in zip(principal, splash)]
    return [
        Cifra("minimal window: launch -> visible", tres(minima, "{:.0f}", " ms"), {"ms": minima}),
        Cifra("kelu.exe: launch -> splash visible", tres(splash, "{:.0f}", " ms"), {"ms": splash}),
        Cifra("kelu.exe: launch -> main window visible", tres(principal, "{:.0f}", " ms"),
              {"ms": principal}),
        Cifra("kelu.exe: splash -> main window (2 s by design)", tres(entre, "{:.0f}", " ms")),
    ]


if __name__ == "__main__":
    banco.principal("arranque", medir)
