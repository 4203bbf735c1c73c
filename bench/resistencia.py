#!/usr/bin/env python3
"""Soak under Wine: 500 real presses on kelu.exe, letters of random dots
and dashes with random holds inside each band and random gaps, typed into
kelu_objetivo.exe. Samples kelu.exe's resident memory (from /proc) and what
Windows says about it (bench_recursos_proceso.exe: handles in the system's
handle table, windows it owns, working set) at the start, every 100
presses, and at the end.

Timings are set fast so that 500 presses fit in about three minutes: dot
8 ± 4 ticks, dash 20 ± 6, letter gap 250 ms.
"""

import random
import sys
import time

sys.dont_write_bytecode = True  # no __pycache__ in the source tree

import banco  # noqa: E402
from banco import Cifra

PULSACIONES = 500
AJUSTES = {
    **banco.arnes.AJUSTES_RAPIDOS,
    "Mostrar pulsaciones": True,  # the echo in the title: more of the program at work
    "Duración del punto": 8, "Tolerancia punto": 4,      # counts 5..11 exclusive
    "Duración de la raya": 20, "Tolerancia raya": 6,     # counts 14..26 exclusive
    "Tiempo entre letras": 25,
}
# Holds well inside the bands, leaving room for a count one firing short.
PUNTO = (0.070, 0.095)
RAYA = (0.170, 0.230)
ENTRE_SIMBOLOS = (0.05, 0.10)
ENTRE_LETRAS = (0.30, 0.45)  # after the xdotool process returns; the gap is 0.25 s
LETRAS = "abcdefghijklmnopqrstuvwxyz0123456789"


def muestra(a, kelu, pulsaciones):
    datos = {"pulsaciones": pulsaciones, **banco.Proceso(kelu.proceso.pid).memoria_kb()}
    datos.update(banco.recursos(a, kelu.titulo()))
    return datos


def medir(a):
    azar = random.Random(7)
    objetivo = a.iniciar_objetivo("Zeta objetivo banco")
    kelu = a.iniciar_kelu(AJUSTES)
    kelu.elegir_destino(objetivo.titulo)
    x, y = kelu.punto_de_pulsacion()
    muestras = [muestra(a, kelu, 0)]

    esperado, hechas, inicio = "", 0, time.monotonic()
    while hechas < PULSACIONES:
        letra = azar.choice(LETRAS)
        codigo = kelu.codigos[letra]
        pasos = ["mousemove", x, y]
        for i, simbolo in enumerate(codigo):
            if i:
                pasos += ["sleep", round(azar.uniform(*ENTRE_SIMBOLOS), 3)]
            pasos += ["mousedown", 1, "sleep",
                      round(azar.uniform(*(PUNTO if simbolo == "." else RAYA)), 3), "mouseup", 1]
        a.xdotool(*pasos)
        antes = hechas
        hechas += len(codigo)
        esperado += letra
        time.sleep(azar.uniform(*ENTRE_LETRAS))
        if hechas // 100 > antes // 100 and hechas < PULSACIONES:
            muestras.append(muestra(a, kelu, hechas))
    duracion = time.monotonic() - inicio

    recibido = banco.arnes.durante(
        5, lambda: objetivo.caracteres() if len(objetivo.caracteres()) >= len(esperado) else None)
    recibido = recibido or objetivo.caracteres()
    time.sleep(1)
    muestras.append(muestra(a, kelu, hechas))
    primera, ultima = muestras[0], muestras[-1]
    aciertos = sum(1 for e, r in zip(esperado, recibido) if e == r)

    def serie(clave, escala=1, formato="{:.0f}"):
        return " ".join(formato.format(m[clave] / escala) if m.get(clave, -1) >= 0 else "n/a"
                        for m in muestras)

    def cambio(clave, escala=1, unidad=""):
        if primera.get(clave, -1) < 0 or ultima.get(clave, -1) < 0:
            return "not measurable"
        delta = ultima[clave] - primera[clave]
        if escala == 1:
            return f"{primera[clave]} -> {ultima[clave]} ({delta:+d})"
        return (f"{primera[clave] / escala:.1f}{unidad} -> {ultima[clave] / escala:.1f}{unidad} "
                f"({delta:+d} kB)")

    return [
        Cifra("presses / letters / time", f"{hechas} presses, {len(esperado)} letters, {duracion:.0f} s"),
        Cifra("letters received as keyed", f"{aciertos} of {len(esperado)}"
              + ("" if recibido == esperado else f" (received {len(recibido)} characters)")),
        Cifra("VmRSS start -> end", cambio("VmRSS", 1024, " MB"), {"muestras": muestras}),
        Cifra("RssAnon start -> end", cambio("RssAnon", 1024, " MB")),
        Cifra("handles in the system handle table, start -> end", cambio("system_handles")),
        Cifra("windows owned, start -> end", cambio("windows")),
        Cifra("GetProcessHandleCount / GetGuiResources under Wine",
              "not measurable (Wine answers 0)" if primera.get("handles", -1) <= 0
              and primera.get("gdi", -1) < 0 else f"handles {cambio('handles')}, "
              f"GDI {cambio('gdi')}, USER {cambio('user')}"),
        Cifra("samples every 100 presses, VmRSS MB", serie("VmRSS", 1024, "{:.1f}")),
        Cifra("samples every 100 presses, system-table handles", serie("system_handles")),
    ]


if __name__ == "__main__":
    banco.principal("resistencia", medir)
