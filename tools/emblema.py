#!/usr/bin/env python3
"""Draws KELU's emblem and writes the program's icon and splash logo.

    python3 tools/emblema.py OUTPUT_FOLDER

writes kelu.ico (16, 24, 32, 48 and 256 px), logo.bmp (150 x 150, 24-bit,
white background) and logo.png (the same picture, for the README).

The emblem is a light-blue key with a dark-blue outline holding a dot and a
dash. It is drawn from distance functions and smoothed by supersampling;
below 64 px its edges are put on whole pixels so that 16 px stays sharp.
Only the standard library is used and the output is the same on every run.
"""
import math
import os
import struct
import sys
import zlib

OSCURO = (13, 59, 140)     # outline, dot and dash
CLARO = (168, 216, 248)    # the key's face
BLANCO = (255, 255, 255)

TAMANOS_ICONO = (16, 24, 32, 48, 256)
LADO_LOGO = 150
MUESTRAS = 8               # per pixel side at the edges: 64 samples


def caja_redondeada(x, y, cx, cy, media_anchura, media_altura, radio):
    """Signed distance to a rounded rectangle: negative inside."""
    qx = abs(x - cx) - (media_anchura - radio)
    qy = abs(y - cy) - (media_altura - radio)
    fx, fy = max(qx, 0.0), max(qy, 0.0)
    # sqrt, not hypot: it is correctly rounded everywhere, so bytes never vary.
    return math.sqrt(fx * fx + fy * fy) + min(max(qx, qy), 0.0) - radio


class Emblema:
    """The emblem's shapes for a key of `lado` pixels whose corner is at (x0, y0)."""

    def __init__(self, x0, y0, lado):
        ajustar = round if lado < 64 else (lambda v: v)
        self.cx = x0 + lado / 2
        self.cy = y0 + lado / 2
        self.medio = lado / 2
        self.radio = lado * 0.22
        self.trazo = max(1, ajustar(lado / 16))
        # A dot, a gap of one dot and a dash of three, as Morse times them.
        punto = max(2, ajustar(lado * 0.14))
        izquierda = x0 + ajustar((lado - 5 * punto) / 2)
        arriba = y0 + ajustar((lado - punto) / 2)
        self.punto = punto
        # A round dot of two or three pixels reads as a cross: keep it squarer.
        self.esquina = punto / 2 if lado >= 64 else punto * 0.3
        self.marcas_y = arriba + punto / 2
        self.punto_x = izquierda + punto / 2
        self.raya_x = izquierda + 3.5 * punto

    def distancias(self, x, y):
        """(key outline, inner edge of the outline, dot, dash) signed distances."""
        borde = caja_redondeada(x, y, self.cx, self.cy, self.medio, self.medio, self.radio)
        mitad = self.punto / 2
        punto = caja_redondeada(x, y, self.punto_x, self.marcas_y, mitad, mitad, self.esquina)
        raya = caja_redondeada(x, y, self.raya_x, self.marcas_y, 3 * mitad, mitad, self.esquina)
        return borde, borde + self.trazo, punto, raya

    def color(self, x, y):
        """The colour at a point, or None outside the key."""
        borde, interior, punto, raya = self.distancias(x, y)
        if borde >= 0:
            return None
        if interior >= 0 or punto < 0 or raya < 0:
            return OSCURO
        return CLARO


def pintar(ancho, alto, emblema):
    """Rows of (r, g, b, a) pixels, colours not premultiplied."""
    filas = []
    paso = 1.0 / MUESTRAS
    for j in range(alto):
        fila = []
        for i in range(ancho):
            cx, cy = i + 0.5, j + 0.5
            # A pixel far from every edge is one colour: no need to sample it.
            if min(abs(d) for d in emblema.distancias(cx, cy)) > 0.75:
                c = emblema.color(cx, cy)
                fila.append((0, 0, 0, 0) if c is None else c + (255,))
                continue
            dentro = 0
            suma = [0, 0, 0]
            for sj in range(MUESTRAS):
                for si in range(MUESTRAS):
                    c = emblema.color(i + (si + 0.5) * paso, j + (sj + 0.5) * paso)
                    if c is not None:
                        dentro += 1
                        suma[0] += c[0]
                        suma[1] += c[1]
                        suma[2] += c[2]
            if dentro == 0:
                fila.append((0, 0, 0, 0))
            else:
                fila.append(tuple((s + dentro // 2) // dentro for s in suma)
                            + ((dentro * 255 + MUESTRAS * MUESTRAS // 2) // (MUESTRAS * MUESTRAS),))
        filas.append(fila)
    return filas


def sobre_blanco(filas):
    """The picture laid on white: rows of (r, g, b)."""
    def mezcla(r, g, b, a):
        return tuple((c * a + f * (255 - a) + 127) // 255 for c, f in zip((r, g, b), BLANCO))
    return [[mezcla(*p) for p in fila] for fila in filas]


def icono_de_lado(lado):
    margen = lado // 32
    return pintar(lado, lado, Emblema(margen, margen, lado - 2 * margen))


def logo():
    lado = 112  # a white margin: the splash's credit line runs close below the logo
    margen = (LADO_LOGO - lado) // 2
    return sobre_blanco(pintar(LADO_LOGO, LADO_LOGO, Emblema(margen, margen, lado)))


def png(filas, con_alfa):
    alto, ancho = len(filas), len(filas[0])
    crudo = bytearray()
    for fila in filas:
        crudo.append(0)  # no filter
        for p in fila:
            crudo.extend(p if con_alfa else p[:3])

    def trozo(tipo, datos):
        return (struct.pack('>I', len(datos)) + tipo + datos
                + struct.pack('>I', zlib.crc32(tipo + datos) & 0xFFFFFFFF))

    cabecera = struct.pack('>IIBBBBB', ancho, alto, 8, 6 if con_alfa else 2, 0, 0, 0)
    return (b'\x89PNG\r\n\x1a\n' + trozo(b'IHDR', cabecera)
            + trozo(b'IDAT', zlib.compress(bytes(crudo), 9)) + trozo(b'IEND', b''))


def imagen_de_icono(filas):
    """A 32-bit icon image: BGRA bottom up, then the 1-bit mask of the clear pixels."""
    lado = len(filas)
    linea_mascara = (lado + 31) // 32 * 4
    colores = bytearray()
    mascara = bytearray()
    for fila in reversed(filas):
        bits = bytearray(linea_mascara)
        for i, (r, g, b, a) in enumerate(fila):
            colores.extend((b, g, r, a))
            if a == 0:
                bits[i // 8] |= 0x80 >> (i % 8)
        mascara.extend(bits)
    cabecera = struct.pack('<IiiHHIIiiII', 40, lado, 2 * lado, 1, 32, 0,
                           len(colores) + len(mascara), 0, 0, 0, 0)
    return cabecera + bytes(colores) + bytes(mascara)


def ico(imagenes):
    """imagenes: (side, bytes) pairs; sides of 256 are written as 0."""
    cabecera = struct.pack('<HHH', 0, 1, len(imagenes))
    posicion = len(cabecera) + 16 * len(imagenes)
    entradas = b''
    for lado, datos in imagenes:
        entradas += struct.pack('<BBBBHHII', lado % 256, lado % 256, 0, 0, 1, 32, len(datos), posicion)
        posicion += len(datos)
    return cabecera + entradas + b''.join(datos for _, datos in imagenes)


def bmp(filas):
    """A 24-bit bottom-up BMP."""
    alto, ancho = len(filas), len(filas[0])
    relleno = (-3 * ancho) % 4
    datos = bytearray()
    for fila in reversed(filas):
        for r, g, b in fila:
            datos.extend((b, g, r))
        datos.extend(bytes(relleno))
    info = struct.pack('<IiiHHIIiiII', 40, ancho, alto, 1, 24, 0, len(datos), 2835, 2835, 0, 0)
    cabecera = struct.pack('<2sIHHI', b'BM', 14 + len(info) + len(datos), 0, 0, 14 + len(info))
    return cabecera + info + bytes(datos)


def main(argumentos):
    if len(argumentos) != 1:
        sys.stderr.write('use: emblema.py OUTPUT_FOLDER\n')
        return 2
    carpeta = argumentos[0]
    os.makedirs(carpeta, exist_ok=True)
    imagenes = []
    for lado in TAMANOS_ICONO:
        filas = icono_de_lado(lado)
        # The big one as PNG keeps the file small; every Windows since Vista reads it.
        imagenes.append((lado, png(filas, True) if lado >= 256 else imagen_de_icono(filas)))
    pintado = logo()
    for nombre, datos in (('kelu.ico', ico(imagenes)), ('logo.bmp', bmp(pintado)),
                          ('logo.png', png(pintado, False))):
        with open(os.path.join(carpeta, nombre), 'wb') as archivo:
            archivo.write(datos)
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
