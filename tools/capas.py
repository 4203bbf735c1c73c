#!/usr/bin/env python3
"""The layers of the program, bottom to top, and a check that every #include
points down (or across, within one layer).

    python3 tools/capas.py           check; exit 1 with one line per broken rule
    python3 tools/capas.py --grafo   which folder includes which, as counts

A file's layer comes from its path: the first entry of CAPAS whose prefix it
starts with. Tests, benchmarks and the build's own files are not checked.
"""
import collections
import pathlib
import re
import sys

RAIZ = pathlib.Path(__file__).resolve().parent.parent

NOMBRES = {1: "platform", 2: "formats", 3: "engine", 4: "forms", 5: "start-up"}

# (path prefix, layer); the first prefix that matches wins.
CAPAS = [
    ("platform/", 1),
    ("config/configuracion", 2),
    ("config/ayudas", 2),
    ("config/idioma", 2),
    ("keying/tabla_codigo", 2),
    ("keying/cadena_teclas", 2),
    ("keying/", 3),
    ("window/", 4),
    ("config/", 4),
    ("startup/inicio", 5),
    ("startup/", 4),
]

# The bundled editor is a program of its own, built on the platform alone.
APARTE = {"tools/notepad/": ("platform/", "tools/notepad/")}

CARPETAS = ("platform", "config", "keying", "window", "startup", "tools/notepad")
FUENTES = (".h", ".cpp", ".rc")
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
# System headers that only the Win32 backend may see.
SOLO_WIN32 = re.compile(r"^(windows|windowsx|commctrl|commdlg|shellapi|shlobj|winuser|dwmapi|uxtheme)\.h$", re.I)


def capa(ruta):
    for prefijo, numero in CAPAS:
        if ruta.startswith(prefijo):
            return numero
    return None


def carpeta(ruta):
    partes = ruta.split("/")
    if partes[0] == "platform" and len(partes) > 2:
        return "/".join(partes[:2])
    if partes[0] == "tools":
        return "/".join(partes[:2])
    return partes[0]


def archivos():
    for nombre in CARPETAS:
        base = RAIZ / nombre
        if not base.is_dir():
            continue
        for f in sorted(base.rglob("*")):
            if f.suffix in FUENTES and f.is_file():
                yield f.relative_to(RAIZ).as_posix()


def includes(ruta):
    with open(RAIZ / ruta, encoding="utf-8", errors="replace") as f:
        for numero, linea in enumerate(f, 1):
            m = INCLUDE.match(linea)
            if m:
                yield numero, m.group(1) == "<", m.group(2)


def faltas():
    for ruta in archivos():
        aparte = next((v for k, v in APARTE.items() if ruta.startswith(k)), None)
        mia = capa(ruta)
        for linea, sistema, destino in includes(ruta):
            donde = f"{ruta}:{linea} includes {destino}"
            if sistema:
                if SOLO_WIN32.match(destino) and not ruta.startswith("platform/win32/") and aparte is None:
                    yield f"{donde}: only platform/win32/ includes Windows headers"
                continue
            if aparte is not None:
                if not destino.startswith(aparte):
                    yield f"{donde}: {ruta.split('/')[0]}/{ruta.split('/')[1]}/ may include only {', '.join(aparte)}"
                continue
            if destino.startswith(("platform/win32/", "platform/headless/")) and not destino.startswith(
                    carpeta(ruta) + "/"):
                yield f"{donde}: a backend's headers are its own; portable code sees platform/ only"
                continue
            suya = capa(destino)
            if pathlib.PurePosixPath(destino).name.startswith("frm_") and mia != 5 and \
                    pathlib.PurePosixPath(destino).stem != pathlib.PurePosixPath(ruta).stem:
                yield f"{donde}: a form sees no other form; start-up wires them together"
                continue
            if mia is None or suya is None:
                yield f"{donde}: no layer for {ruta if mia is None else destino} (add it to CAPAS in tools/capas.py)"
            elif suya > mia:
                yield (f"{donde}: layer {mia} ({NOMBRES[mia]}) may include only layers 1-{mia}, "
                       f"and {destino} is layer {suya} ({NOMBRES[suya]})")


def grafo():
    cuentas = collections.Counter()
    for ruta in archivos():
        for _, sistema, destino in includes(ruta):
            if not sistema and (RAIZ / destino).exists():
                a, b = carpeta(ruta), carpeta(destino)
                if a != b:
                    cuentas[(a, b)] += 1
    for (a, b), n in sorted(cuentas.items()):
        print(f"{a:18} -> {b:18} {n}")


def main():
    if "--grafo" in sys.argv[1:]:
        grafo()
        return 0
    lista = list(faltas())
    for falta in lista:
        print(f"wrong-way include: {falta}", file=sys.stderr)
    if lista:
        print(f"{len(lista)} include(s) break the layers (bottom to top: "
              + ", ".join(f"{k} {v}" for k, v in NOMBRES.items()) + ")", file=sys.stderr)
        return 1
    print("layers: every include points down")
    return 0


if __name__ == "__main__":
    sys.exit(main())
