#!/usr/bin/env python3
"""Idle cost under Wine: CPU time and wake-ups of kelu.exe during 60 s
without presses, side by side with a minimal Win32 window program over the
same 60 s on the same wineserver. Read from /proc of the Wine processes.
Wake-ups are counted as voluntary context switches of the process's
threads: an upper bound, since under Wine every call to the wineserver is
a wait of its own. The wineserver serves both; it is measured for 20 s with
the minimal window alone first, so that what KELU adds to it shows.
"""

import sys
import time

sys.dont_write_bytecode = True  # no __pycache__ in the source tree

import banco  # noqa: E402
from banco import Cifra

SEGUNDOS = 60
SOLO_MINIMA = 20
ASENTAR = 3


def observar(procesos, segundos):
    """CPU seconds and context switches of each process over some seconds."""
    antes = {n: (p.cpu(), p.despertares()) for n, p in procesos.items()}
    inicio = time.monotonic()
    time.sleep(segundos)
    despues = {n: (p.cpu(), p.despertares()) for n, p in procesos.items()}
    return antes, despues, time.monotonic() - inicio


def cifras_de(procesos, antes, despues, transcurrido, rotulo):
    cifras = []
    for nombre, proceso in procesos.items():
        cpu = (despues[nombre][0] - antes[nombre][0]) * 1000
        voluntarios = despues[nombre][1][0] - antes[nombre][1][0]
        involuntarios = despues[nombre][1][1] - antes[nombre][1][1]
        cifras.append(Cifra(
            f"{nombre}, {rotulo}",
            f"CPU {cpu:.0f} ms ({cpu / transcurrido / 10:.2f} %), "
            f"wake-ups <= {voluntarios / transcurrido:.1f}/s, "
            f"preempted {involuntarios / transcurrido:.2f}/s, {len(proceso.hilos())} threads",
            {"cpu_ms": cpu, "despertares": voluntarios, "involuntarios": involuntarios,
             "segundos": transcurrido}))
    return cifras


def medir(a):
    minima, _ = banco.iniciar_minima(a)
    time.sleep(ASENTAR)
    servidor = banco.Proceso(banco.wineserver_pid(a))
    solo = {"wineserver (minimal window alone)": servidor}
    cifras = cifras_de(solo, *observar(solo, SOLO_MINIMA), f"{SOLO_MINIMA} s idle")

    # The settings a person starts with (letter gap 2 s, no word gap).
    kelu = a.iniciar_kelu({})
    time.sleep(ASENTAR)
    procesos = {"kelu.exe": banco.Proceso(kelu.proceso.pid),
                "minimal window": banco.Proceso(minima.pid),
                "wineserver (both)": servidor}
    return cifras_de(procesos, *observar(procesos, SEGUNDOS), f"{SEGUNDOS} s idle") + cifras


if __name__ == "__main__":
    banco.principal("reposo", medir)
