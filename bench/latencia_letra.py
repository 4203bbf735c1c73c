#!/usr/bin/env python3
"""Letter latency under Wine: from the moment the letter gap elapses to the
first character the target receives, on the real kelu.exe typing into
kelu_objetivo.exe.

The target logs no times of its own for characters, so both ends are host
times on one monotonic clock: the release is when the xdotool process that
pressed returns, the gap elapses at release + letter gap, and the arrival
is when a 1 ms poll sees the character line in the target's log. The
xdotool process returns a little after its release, so the figure is a
lower bound, short by at most that process's exit (printed as well). The
floor is KELU's 10 ms delivery timer, except with the target kept in front
(MantenerDestino), where a target still in front gets its letter at once.
"""

import os
import subprocess
import sys
import time

sys.dont_write_bytecode = True  # no __pycache__ in the source tree

import banco  # noqa: E402
from banco import Cifra, tres

LETRAS = 25
HUECO_CS = 20  # the letter gap in the settings file: 200 ms
PUNTO = 0.25
SONDEO = 0.001


def llegada(registro, desde, plazo=5.0):
    """Polls the log every millisecond for a character line after byte
    `desde`; returns the host time it was first seen and the time the log
    first grew (the key-down line comes before the character)."""
    limite = time.monotonic() + plazo
    crecio = None
    while time.monotonic() < limite:
        if os.stat(registro).st_size > desde:
            ahora = time.monotonic()
            crecio = crecio or ahora
            with open(registro, "rb") as archivo:
                archivo.seek(desde)
                if b"char U+" in archivo.read():
                    return ahora, crecio
        time.sleep(SONDEO)
    raise AssertionError(f"no character in {registro} within {plazo} s")


def salida_de_xdotool(a, veces=20):
    """How long a do-nothing xdotool process takes from start to return:
    the most its exit can add after the release."""
    tiempos = []
    for _ in range(veces):
        inicio = time.monotonic()
        subprocess.run(["xdotool", "sleep", "0"], env=a.entorno(), capture_output=True)
        tiempos.append((time.monotonic() - inicio) * 1000)
    return tiempos


def letras(a, mantener):
    """Keys LETRAS letters "e" and times each; with `mantener` KELU keeps the
    target in front (ayudas.ini), and the person goes back to the target
    after choosing it, as they would."""
    hueco = HUECO_CS / 100
    objetivo = a.iniciar_objetivo("Zeta objetivo banco")
    kelu = a.iniciar_kelu({**banco.arnes.AJUSTES_RAPIDOS, "Tiempo entre letras": HUECO_CS},
                          archivos={"ayudas.ini": b"MantenerDestino=%d\r\n" % mantener})
    kelu.elegir_destino(objetivo.titulo)
    if mantener:
        a.xdotool("mousemove", *a.geometria(objetivo.ventana).centro(), "click", 1)
        banco.arnes.esperar(lambda: a.informe(objetivo.titulo).primer_plano, 5,
                            "the target in front")
    x, y = kelu.punto_de_pulsacion()
    entorno = a.entorno()
    orden = ["xdotool", "mousemove", str(x), str(y), "mousedown", "1", "sleep", str(PUNTO),
             "mouseup", "1"]

    latencias, hasta_linea, sobrecarga = [], [], []
    for _ in range(LETRAS):
        desde = objetivo.registro.stat().st_size
        inicio = time.monotonic()
        subprocess.run(orden, env=entorno, capture_output=True, check=True)
        soltado = time.monotonic()
        visto, crecio = llegada(objetivo.registro, desde)
        latencias.append((visto - soltado - hueco) * 1000)
        hasta_linea.append((crecio - soltado - hueco) * 1000)
        sobrecarga.append((soltado - inicio - PUNTO) * 1000)
        time.sleep(0.3)  # the next press well clear of this letter
    recibidas = objetivo.caracteres()
    a.limpiar()
    return latencias, hasta_linea, sobrecarga, recibidas


def medir(a):
    cifras = []
    for mantener, como in ((False, ""), (True, ", target kept in front")):
        latencias, hasta_linea, sobrecarga, recibidas = letras(a, mantener)
        cifras += [
            Cifra("gap elapsed -> character logged by the target" + como,
                  tres(latencias, unidad=" ms"), {"ms": latencias}),
            Cifra("gap elapsed -> first log line (key-down)" + como,
                  tres(hasta_linea, unidad=" ms"), {"ms": hasta_linea}),
            Cifra("letters received as keyed" + como, f"{recibidas.count('e')} of {LETRAS}"
                  + ("" if recibidas == "e" * LETRAS else f" (got {recibidas!r})")),
            Cifra("xdotool press process beyond its hold" + como, tres(sobrecarga, unidad=" ms")),
        ]
    salida = salida_de_xdotool(a)
    return cifras + [
        Cifra("do-nothing xdotool process (bound on the release-time error)",
              tres(salida, unidad=" ms")),
    ]


if __name__ == "__main__":
    banco.principal("latencia_letra", medir)
