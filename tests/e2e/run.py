#!/usr/bin/env python3
"""Runs KELU's end-to-end tests: every test_*.py beside this file, on one
Xvfb and one Wine prefix, and closes with "N passed, N failed".

  python3 tests/e2e/run.py --dist build/win/dist/kelu --objetivo build/win/kelu_objetivo.exe \\
      --artefactos build/win/e2e-artefactos [-k PATTERN]
"""

import argparse
import sys
import time
import unittest
from pathlib import Path

AQUI = Path(__file__).resolve().parent
sys.path.insert(0, str(AQUI))
sys.dont_write_bytecode = True  # no __pycache__ in the source tree

import arnes  # noqa: E402


class Resultado(unittest.TextTestResult):
    """Prints what a failed test saw; keeps screenshots of failures only."""

    def __init__(self, *argumentos, **claves):
        super().__init__(*argumentos, **claves)
        self.malos = set()

    def addFailure(self, test, err):
        self.malos.add(test.id())
        super().addFailure(test, err)

    def addError(self, test, err):
        self.malos.add(test.id())
        super().addError(test, err)

    def addSubTest(self, test, subtest, err):
        if err is not None:
            self.malos.add(test.id())
        super().addSubTest(test, subtest, err)

    def startTest(self, test):
        self.inicio = time.monotonic()
        super().startTest(test)

    def stopTest(self, test):
        super().stopTest(test)
        if self.showAll:
            self.stream.writeln(f"    ({time.monotonic() - self.inicio:.1f} s)")
        captura = getattr(test, "captura_final", None)
        if test.id() in self.malos:
            diagnostico = getattr(test, "diagnostico", None)
            if diagnostico:
                self.stream.writeln(f"--- what {test.id()} saw:\n{diagnostico}\n---")
        elif captura:
            captura.unlink(missing_ok=True)


def main():
    opciones = argparse.ArgumentParser(description=__doc__,
                                       formatter_class=argparse.RawDescriptionHelpFormatter)
    opciones.add_argument("--dist", default=arnes.RAIZ / "build" / "win" / "dist" / "kelu",
                          help="folder with kelu.exe and its data files")
    opciones.add_argument("--objetivo", required=True, help="kelu_objetivo.exe")
    opciones.add_argument("--artefactos", default=arnes.RAIZ / "build" / "e2e-artefactos",
                          help="where screenshots go")
    opciones.add_argument("--prefijo", help="Wine prefix (default build/wine-prefijo-e2e)")
    opciones.add_argument("--exigir-kelu", action="store_true",
                          help="fail, rather than skip, the tests when kelu.exe is missing")
    opciones.add_argument("-k", dest="patrones", action="append",
                          help="run only tests whose name contains this (repeatable)")
    args = opciones.parse_args()

    # Failure screenshots of an earlier run would only mislead.
    for vieja in Path(args.artefactos).glob("*-final.png"):
        vieja.unlink()
    arnes.configurar(args.dist, args.objetivo, args.artefactos, args.prefijo)
    arnes.CasoE2E.exigir_kelu = args.exigir_kelu
    cargador = unittest.TestLoader()
    if args.patrones:
        cargador.testNamePatterns = [f"*{p}*" for p in args.patrones]
    suite = cargador.discover(str(AQUI), pattern="test_*.py", top_level_dir=str(AQUI))

    ejecutor = unittest.TextTestRunner(verbosity=2, resultclass=Resultado, stream=sys.stdout)
    try:
        resultado = ejecutor.run(suite)
    finally:
        arnes.detener_compartido()

    fallidos = len(resultado.malos)
    omitidos = len(resultado.skipped)
    aprobados = resultado.testsRun - fallidos - omitidos
    resumen = f"{aprobados} passed, {fallidos} failed"
    if omitidos:
        resumen += f", {omitidos} skipped"
    print(resumen)
    return 1 if fallidos or resultado.testsRun == 0 else 0


if __name__ == "__main__":
    sys.exit(main())
