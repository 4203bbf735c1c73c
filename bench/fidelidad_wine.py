#!/usr/bin/env python3
"""Press fidelity under Wine: real presses held from 100 ms to 3 s on a
real window, counted in firings of a 10 ms toolkit timer exactly as the
keying engine counts them (bench_contador_pulsaciones.exe). Prints the
count error, count - held_ms / 10, with held_ms from the times Windows
stamped on the button messages; then the headless simulation of a 15.6 ms
system tick with and without catch-up, for comparison.
"""

import math
import random
import subprocess
import sys
import time

sys.dont_write_bytecode = True  # no __pycache__ in the source tree

import banco  # noqa: E402
from banco import Cifra, tres

PULSACIONES = 100
MAS_CORTA, MAS_LARGA = 0.1, 3.0
PAUSA = 0.15
TITULO = "Contador de pulsaciones banco"


def duraciones():
    """Holds spread evenly on a log scale (short presses are what keying
    is made of), in a fixed shuffled order."""
    paso = math.log(MAS_LARGA / MAS_CORTA) / (PULSACIONES - 1)
    lista = [round(MAS_CORTA * math.exp(i * paso), 3) for i in range(PULSACIONES)]
    random.Random(2024).shuffle(lista)
    return lista


def simulacion():
    """The lines of the headless simulation, if the native build has it."""
    ruta = banco.NATIVO / "bench_fidelidad_pulsacion"
    if not ruta.is_file():
        return [Cifra("headless simulation", f"not built ({ruta})")]
    salida = subprocess.run([str(ruta)], capture_output=True, text=True, timeout=120).stdout
    cifras, tick = [], ""
    for linea in salida.splitlines():
        if linea.startswith("system tick"):
            tick = linea.split("tick", 1)[1].strip()
        elif linea.strip():
            nombre, _, valor = linea.strip().partition("  min")
            cifras.append(Cifra(f"simulated {tick} tick, {nombre.strip()}",
                                " ".join(("min" + valor).split()).replace(" median", "  median")
                                .replace(" max", "  max").replace(" (n", "  (n")))
    return cifras


def medir(a):
    carpeta = a.carpeta_de_prueba("fidelidad")
    registro = carpeta / "pulsaciones.log"
    a.wine(banco.programa("contador_pulsaciones"), TITULO, banco.arnes.ruta_windows(registro))
    ventana = a.esperar_ventana(TITULO, plazo=30)
    banco.arnes.esperar(lambda: registro.exists() and "ready" in registro.read_text(), 10,
                        "the counter to log 'ready'")
    geometria = a.geometria(ventana)
    x, y = geometria.ancho // 2, geometria.alto // 2

    pedidas = duraciones()
    for segundos in pedidas:
        # One process per press: its hold is exact.
        a.xdotool("mousemove", "--window", ventana, x, y, "mousedown", 1, "sleep", segundos,
                  "mouseup", 1)
        time.sleep(PAUSA)
    banco.arnes.esperar(lambda: len(registro.read_text().split("\n")) >= PULSACIONES + 2, 10,
                        f"{PULSACIONES} presses logged")
    filas = [linea.split() for linea in registro.read_text().splitlines()[1:] if linea.strip()]
    cuentas = [int(f[0]) for f in filas]
    retenidas = [int(f[1]) for f in filas]
    contador = [float(f[2]) for f in filas]

    errores = [c - r / 10 for c, r in zip(cuentas, retenidas)]
    errores_contador = [c - q / 10 for c, q in zip(cuentas, contador)]
    desvio = [r - p * 1000 for r, p in zip(retenidas, pedidas)]
    fuera = sum(1 for e in errores if not -1 <= e <= 1)
    cifras = [
        Cifra("Wine, count - held_ms/10 (message times)", tres(errores, "{:+.1f}"),
              {"errores": errores}),
        Cifra("Wine, count - held/10 (performance counter at hand-over)",
              tres(errores_contador, "{:+.2f}"), {"errores": errores_contador}),
        Cifra("Wine, presses off by more than one firing", f"{fuera} of {len(errores)}"),
        Cifra("Wine, held_ms - asked hold (xdotool)", tres(desvio, "{:+.0f}", " ms"),
              {"desvio": desvio}),
    ]
    return cifras + simulacion()


if __name__ == "__main__":
    banco.principal("fidelidad_wine", medir)
