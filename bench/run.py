#!/usr/bin/env python3
"""Runs the benchmarks under Wine on one Xvfb and one Wine prefix of their
own, each after a clean slate, and closes with a summary of every figure.
Figures also go to build/bench/NAME.json.

  python3 bench/run.py [NAME ...]     (default: all, in the order below)
"""

import sys
import time

sys.dont_write_bytecode = True  # no __pycache__ in the source tree

import banco  # noqa: E402

import arranque
import fidelidad_wine
import latencia_letra
import memoria
import pulsando
import reposo
import resistencia

# The short ones first, the long soak last.
BANCOS = {
    "memoria": memoria,
    "arranque": arranque,
    "latencia_letra": latencia_letra,
    "reposo": reposo,
    "pulsando": pulsando,
    "fidelidad_wine": fidelidad_wine,
    "resistencia": resistencia,
}


def main():
    nombres = sys.argv[1:] or list(BANCOS)
    desconocidos = [n for n in nombres if n not in BANCOS]
    if desconocidos:
        print(f"unknown benchmarks {desconocidos}; known: {' '.join(BANCOS)}", file=sys.stderr)
        return 64
    inicio = time.monotonic()
    a = banco.arnes_banco()
    resultados, fallos = {}, []
    try:
        for nombre in nombres:
            print(f"--- {nombre}: {BANCOS[nombre].__doc__.split(':', 1)[0].strip()}", flush=True)
            comienzo = time.monotonic()
            a.limpiar()
            try:
                cifras = BANCOS[nombre].medir(a)
            except Exception as error:  # one failed benchmark must not hide the others
                fallos.append(nombre)
                try:
                    visto = a.diagnosticar()
                except Exception as otro:
                    visto = f"(no diagnosis: {otro})"
                print(f"  FAILED: {error}\n{visto}", flush=True)
                continue
            finally:
                a.limpiar()
            banco.informar(cifras)
            banco.guardar(nombre, cifras)
            resultados[nombre] = cifras
            print(f"  ({time.monotonic() - comienzo:.0f} s)", flush=True)
    finally:
        banco.detener()

    print(f"\n=== Summary ({time.monotonic() - inicio:.0f} s) ===")
    for nombre, cifras in resultados.items():
        print(nombre)
        banco.informar(cifras)
    for nombre in fallos:
        print(f"{nombre}: FAILED")
    return 1 if fallos else 0


if __name__ == "__main__":
    sys.exit(main())
