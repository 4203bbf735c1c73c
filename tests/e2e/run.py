#!/usr/bin/env python3
"""Runs KELU's end-to-end tests: every test_*.py beside this file, and
closes with "N passed, N failed". Each worker has an Xvfb and a Wine prefix
of its own and takes the next test class when it is done with one, the
longest first; a class's output is printed when the class is done.

  python3 tests/e2e/run.py --dist build/win/dist/kelu --objetivo build/win/kelu_objetivo.exe \\
      --artefactos build/win/e2e-artefactos [-k PATTERN] [-j WORKERS]
"""

import argparse
import io
import json
import multiprocessing
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


# Test modules that build the same files (the package in dist/): one worker
# runs them, one after the other.
JUNTOS = (("test_paquete", "test_instalador"),)
# Seconds a class takes when no earlier run was timed, per test.
POR_PRUEBA = 10.0


def pruebas(suite):
    """The test cases of a suite, in the order discovery found them."""
    for elemento in suite:
        if isinstance(elemento, unittest.TestSuite):
            yield from pruebas(elemento)
        else:
            yield elemento


def unidades(suite):
    """The suite cut into units of work: one per test class, but the
    modules of JUNTOS in one. A dict: unit name -> test ids."""
    juntos = {modulo: "+".join(grupo) for grupo in JUNTOS for modulo in grupo}
    resultado = {}
    for prueba in pruebas(suite):
        modulo, clase, _ = prueba.id().rsplit(".", 2)
        nombre = juntos.get(modulo, f"{modulo}.{clase}")
        resultado.setdefault(nombre, []).append(prueba.id())
    return resultado


def correr(suite, flujo):
    ejecutor = unittest.TextTestRunner(verbosity=2, resultclass=Resultado, stream=flujo)
    return ejecutor.run(suite)


def prefijo_de(args, indice):
    """Worker 0 keeps the given prefix; each other one has its own."""
    base = Path(args.prefijo) if args.prefijo else arnes.RAIZ / "build" / "wine-prefijo-e2e"
    return base if indice == 0 else base.parent / f"{base.name}-{indice + 1}"


def trabajador(indice, args, tareas, resultados):
    """Runs units from tareas until it gets None; puts (name, output, run,
    bad ids, skipped, seconds) to resultados per unit, and None at the end."""
    try:
        arnes.configurar(args.dist, args.objetivo, args.artefactos, prefijo_de(args, indice))
        arnes.CasoE2E.exigir_kelu = args.exigir_kelu
        cargador = unittest.TestLoader()
        while (tarea := tareas.get()) is not None:
            nombre, ids = tarea
            flujo = io.StringIO()
            inicio = time.monotonic()
            try:
                resultado = correr(cargador.loadTestsFromNames(ids), flujo)
                cuentas = (resultado.testsRun, sorted(resultado.malos), len(resultado.skipped))
            except Exception as error:  # noqa: BLE001 - a broken harness fails its unit
                flujo.write(f"\n{nombre}: the harness failed: {error!r}\n")
                cuentas = (len(ids), list(ids), 0)
            resultados.put((nombre, flujo.getvalue(), *cuentas, time.monotonic() - inicio))
    finally:
        arnes.detener_compartido()
        resultados.put(None)


def en_paralelo(args, suite, trabajadores):
    """Runs the suite's units on trabajadores workers; returns (run, bad
    ids, skipped)."""
    trozos = unidades(suite)
    tiempos_ruta = Path(args.artefactos) / "duraciones.json"
    try:
        tiempos = json.loads(tiempos_ruta.read_text())
    except (OSError, ValueError):
        tiempos = {}
    orden = sorted(trozos, key=lambda n: -tiempos.get(n, POR_PRUEBA * len(trozos[n])))
    contexto = multiprocessing.get_context("fork")
    tareas, resultados = contexto.Queue(), contexto.Queue()
    for nombre in orden:
        tareas.put((nombre, trozos[nombre]))
    procesos = [contexto.Process(target=trabajador, args=(i, args, tareas, resultados))
                for i in range(trabajadores)]
    for proceso in procesos:
        tareas.put(None)
        proceso.start()
    corridas = omitidas = 0
    malas = []
    hechos = set()
    vivos = len(procesos)
    while vivos:
        llegada = resultados.get()
        if llegada is None:
            vivos -= 1
            continue
        nombre, salida, corridas_, malas_, omitidas_, segundos = llegada
        sys.stdout.write(f"=== {nombre} ({segundos:.1f} s)\n{salida}")
        sys.stdout.flush()
        hechos.add(nombre)
        tiempos[nombre] = round(segundos, 1)
        corridas, malas, omitidas = corridas + corridas_, malas + malas_, omitidas + omitidas_
    for proceso in procesos:
        proceso.join()
    faltan = set(trozos) - hechos
    if faltan:  # a worker died: what it held counts as failed
        sys.stdout.write(f"never finished: {sorted(faltan)}\n")
        corridas += sum(len(trozos[n]) for n in faltan)
        malas += [i for n in sorted(faltan) for i in trozos[n]]
    try:
        tiempos_ruta.parent.mkdir(parents=True, exist_ok=True)
        tiempos_ruta.write_text(json.dumps(tiempos, indent=1, sort_keys=True))
    except OSError:
        pass
    return corridas, malas, omitidas



def solos(args, suite):
    """Runs a suite on one worker, the first worker's prefix."""
    arnes.configurar(args.dist, args.objetivo, args.artefactos, args.prefijo)
    arnes.CasoE2E.exigir_kelu = args.exigir_kelu
    try:
        return correr(suite, sys.stdout)
    finally:
        arnes.detener_compartido()


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
    opciones.add_argument("-j", dest="trabajadores", type=int, default=1,
                          help="workers, each on a display and a Wine prefix of its own")
    args = opciones.parse_args()

    # Failure screenshots of an earlier run would only mislead.
    for vieja in Path(args.artefactos).glob("*-final.png"):
        vieja.unlink()
    cargador = unittest.TestLoader()
    if args.patrones:
        cargador.testNamePatterns = [f"*{p}*" for p in args.patrones]
    suite = cargador.discover(str(AQUI), pattern="test_*.py", top_level_dir=str(AQUI))

    inicio = time.monotonic()
    if args.trabajadores > 1:
        corridas, malas, omitidos = en_paralelo(args, suite, args.trabajadores)
        fallidos = len(malas)
        if malas:
            # Two workers share two cores: a timed press can miss its band
            # while the other worker starts its programs. What failed there
            # runs once more alone, as on one worker; only what fails alone
            # fails the suite, and both are said.
            print(f"failed beside another worker, run again alone: {', '.join(malas)}")
            resultado = solos(args, cargador.loadTestsFromNames(malas))
            fallidos = len(resultado.malos)
            print(f"alone: {len(malas) - fallidos} of {len(malas)} passed")
    else:
        resultado = solos(args, suite)
        corridas, fallidos, omitidos = resultado.testsRun, len(resultado.malos), len(resultado.skipped)

    aprobados = corridas - fallidos - omitidos
    resumen = f"{aprobados} passed, {fallidos} failed"
    if omitidos:
        resumen += f", {omitidos} skipped"
    print(f"{resumen} ({time.monotonic() - inicio:.0f} s)")
    return 1 if fallidos or corridas == 0 else 0


if __name__ == "__main__":
    sys.exit(main())
