#!/usr/bin/env python3
"""Draws the window icon, a honey pot, and writes it as the XPM array
pote_de_mel (40 x 40 pixels, 524 colours, two characters per pixel) into
res/pote_de_mel.xpm, next to this script.

The picture is drawn in true colour with 4 x 4 samples per pixel, then every
pixel takes the nearest of the 524 palette colours: "None" for the
background, the three light tones of the pot's label first, then warm honey
and amber tones from light to dark.

With --png FOLDER SIZE...: draws the same picture at each size instead, in
true colour with soft edges, and writes FOLDER/SIZExSIZE/zumbrel.png (the
desktop menu's icons)."""

import colorsys
import math
import os
import struct
import sys
import zlib

LADO = 40
AMOSTRAS = 4
CORES = 524
FIXAS = ["#D1B78A", "#D0BA8F", "#D7C190"]

# Key characters: printable ASCII without the blank (kept for "None"), the
# quote and the backslash (which would need escaping in C) and "?".
ALFABETO = ".+@#$%&*=-;>,')!~{]^/(_:<[}|`" + "0123456789" + \
    "abcdefghijklmnopqrstuvwxyz" + "ABCDEFGHIJKLMNOPQRSTUVWXYZ"


def chaves():
    saida = ["  "]
    i = 0
    while len(saida) < CORES:
        saida.append(ALFABETO[i % len(ALFABETO)] + ALFABETO[i // len(ALFABETO)])
        i += 1
    return saida


def hex_rgb(texto):
    return tuple(int(texto[k:k + 2], 16) for k in (1, 3, 5))


def paleta():
    """The 523 opaque colours: the fixed label tones, then a grid of warm
    hues (honey, amber, brown) over saturation and brightness."""
    cores = [hex_rgb(c) for c in FIXAS]
    vistas = set(cores)
    grade = []
    for v in range(12):
        valor = 1.0 - v * 0.072
        for s in range(8):
            saturacao = 0.22 + s * 0.11
            for h in range(7):
                matiz = (20 + h * 5) / 360.0
                r, g, b = colorsys.hsv_to_rgb(matiz, saturacao, valor)
                grade.append((round(r * 255), round(g * 255), round(b * 255)))
    for cor in grade:
        if len(cores) == CORES - 1:
            break
        if cor not in vistas:
            vistas.add(cor)
            cores.append(cor)
    assert len(cores) == CORES - 1, len(cores)
    return cores


def misturar(a, b, t):
    return tuple(a[k] + (b[k] - a[k]) * t for k in range(3))


def escurecer(cor, fator):
    return tuple(max(0.0, min(255.0, c * fator)) for c in cor)


MEL = (232, 164, 38)
MEL_ESCURO = (150, 84, 12)
BARRO = (196, 120, 52)
CONTORNO = (78, 42, 10)
ROTULO = (215, 193, 144)
TAMPA = (170, 104, 40)


def luz(nx, ny):
    """Brightness of a rounded surface with the light from the upper left."""
    nz = math.sqrt(max(0.0, 1.0 - nx * nx - ny * ny))
    lx, ly, lz = -0.5, -0.6, 0.62
    difusa = max(0.0, nx * lx + ny * ly + nz * lz)
    brilho = max(0.0, difusa) ** 18
    return 0.45 + 0.7 * difusa, brilho


def amostra(x, y):
    """Colour of the picture at (x, y), in pixels, or None outside it."""
    # Pot body: a wide ellipse.
    cx, cy, rx, ry = 20.0, 25.5, 15.0, 12.5
    dx, dy = (x - cx) / rx, (y - cy) / ry
    d_corpo = dx * dx + dy * dy
    # Neck and rim.
    no_pescoco = 12.5 <= x <= 27.5 and 10.5 <= y <= 15.5
    na_borda = 10.0 <= x <= 30.0 and 8.0 <= y <= 11.0
    # Lid: a low dome with a knob.
    tx, ty = (x - 20.0) / 10.5, (y - 8.0) / 4.2
    na_tampa = tx * tx + ty * ty <= 1.0 and y <= 8.0
    kx, ky = (x - 20.0) / 2.2, (y - 3.2) / 1.8
    no_pegador = kx * kx + ky * ky <= 1.0

    if no_pegador:
        fator, brilho = luz(kx * 0.8, ky * 0.8)
        return misturar(escurecer(TAMPA, fator), (255, 240, 200), brilho)
    if na_tampa:
        fator, brilho = luz(tx * 0.9, ty * 0.9)
        if tx * tx + ty * ty > 0.82:
            return escurecer(CONTORNO, 1.1)
        return misturar(escurecer(TAMPA, fator), (255, 235, 190), brilho)
    if na_borda:
        fator, _ = luz((x - 20.0) / 11.0, 0.0)
        if y >= 10.4 or x < 10.6 or x > 29.4:
            return CONTORNO
        return escurecer(BARRO, fator + 0.15)
    if d_corpo <= 1.0 or no_pescoco:
        if d_corpo > 0.86 and not no_pescoco:
            return CONTORNO
        if no_pescoco and (x < 13.3 or x > 26.7) and d_corpo > 0.7:
            return CONTORNO
        nx, ny = dx * 0.95, dy * 0.95
        fator, brilho = luz(nx, ny)
        base = BARRO
        # Honey running down from the rim in three drips.
        for px, comprimento in ((15.0, 19.0), (20.5, 23.5), (25.5, 17.5)):
            largura = 1.6 if y < comprimento - 1.5 else 1.6 * max(0.0, (comprimento - y) / 1.5) + 0.6
            if y <= comprimento and abs(x - px) <= largura:
                base = MEL
                break
        else:
            if y <= 15.5:
                base = MEL
        # The label: a light band across the belly.
        if 22.0 <= y <= 30.0 and 9.0 <= x <= 31.0 and base is BARRO:
            t = (y - 22.0) / 8.0
            rotulo = misturar(ROTULO, hex_rgb(FIXAS[1]), t)
            if 25.2 <= y <= 26.8 and 13.0 <= x <= 27.0:
                rotulo = MEL_ESCURO
            return misturar(escurecer(rotulo, 0.75 + 0.3 * fator), (255, 250, 230), brilho * 0.5)
        cor = escurecer(base, fator)
        return misturar(cor, (255, 244, 210), brilho)
    return None


def desenhar():
    pixels = []
    for py in range(LADO):
        linha = []
        for px in range(LADO):
            soma = [0.0, 0.0, 0.0]
            cobertas = 0
            for sy in range(AMOSTRAS):
                for sx in range(AMOSTRAS):
                    cor = amostra(px + (sx + 0.5) / AMOSTRAS, py + (sy + 0.5) / AMOSTRAS)
                    if cor is not None:
                        cobertas += 1
                        for k in range(3):
                            soma[k] += cor[k]
            if cobertas * 2 < AMOSTRAS * AMOSTRAS:
                linha.append(None)
            else:
                linha.append(tuple(c / cobertas for c in soma))
        pixels.append(linha)
    return pixels


def mais_proxima(cor, cores):
    melhor, distancia = 0, None
    for i, c in enumerate(cores):
        d = (2 * (c[0] - cor[0]) ** 2 + 4 * (c[1] - cor[1]) ** 2 + 3 * (c[2] - cor[2]) ** 2)
        if distancia is None or d < distancia:
            melhor, distancia = i, d
    return melhor


def main():
    cores = paleta()
    keys = chaves()
    assert len(set(keys)) == CORES
    assert all('"' not in k and "\\" not in k for k in keys)

    linhas = []
    for linha in desenhar():
        texto = ""
        for cor in linha:
            texto += keys[0] if cor is None else keys[1 + mais_proxima(cor, cores)]
        assert len(texto) == 2 * LADO
        linhas.append(texto)

    definidas = set(keys)
    for texto in linhas:
        for k in range(0, len(texto), 2):
            assert texto[k:k + 2] in definidas

    saida = ["/* XPM */", "/* The window icon: a honey pot. Written by res/gerar_icone.py. */",
             "const char* const pote_de_mel[] = {",
             '"%d %d %d 2",' % (LADO, LADO, CORES),
             '"  \\tc None",']
    for key, (r, g, b) in zip(keys[1:], cores):
        saida.append('"%s\\tc #%02X%02X%02X",' % (key, r, g, b))
    for i, texto in enumerate(linhas):
        saida.append('"%s"%s' % (texto, "," if i < len(linhas) - 1 else ""))
    saida.append("};")

    destino = os.path.join(os.path.dirname(os.path.abspath(__file__)), "pote_de_mel.xpm")
    with open(destino, "w") as arquivo:
        arquivo.write("\n".join(saida) + "\n")


def desenhar_rgba(lado):
    """The picture at LADO x LADO pixels, as rows of (r, g, b, a) bytes; the
    alpha is the share of the pixel's samples that fall on the pot."""
    amostras = max(2, min(6, 160 // lado))
    escala = LADO / lado
    linhas = []
    for py in range(lado):
        linha = bytearray()
        for px in range(lado):
            soma = [0.0, 0.0, 0.0]
            cobertas = 0
            for sy in range(amostras):
                for sx in range(amostras):
                    cor = amostra((px + (sx + 0.5) / amostras) * escala,
                                  (py + (sy + 0.5) / amostras) * escala)
                    if cor is not None:
                        cobertas += 1
                        for k in range(3):
                            soma[k] += cor[k]
            if cobertas == 0:
                linha += bytes(4)
            else:
                linha += bytes(min(255, round(c / cobertas)) for c in soma)
                linha.append(round(255 * cobertas / (amostras * amostras)))
        linhas.append(bytes(linha))
    return linhas


def png(lado, linhas):
    """A PNG file (8-bit RGBA, no interlace) of the rows."""
    def bloco(tipo, dados):
        return (struct.pack(">I", len(dados)) + tipo + dados +
                struct.pack(">I", zlib.crc32(tipo + dados) & 0xFFFFFFFF))
    cabecalho = struct.pack(">IIBBBBB", lado, lado, 8, 6, 0, 0, 0)
    cru = b"".join(b"\0" + linha for linha in linhas)
    return (b"\x89PNG\r\n\x1a\n" + bloco(b"IHDR", cabecalho) +
            bloco(b"IDAT", zlib.compress(cru, 9)) + bloco(b"IEND", b""))


def main_png(pasta, lados):
    for lado in lados:
        destino = os.path.join(pasta, "%dx%d" % (lado, lado))
        os.makedirs(destino, exist_ok=True)
        with open(os.path.join(destino, "zumbrel.png"), "wb") as arquivo:
            arquivo.write(png(lado, desenhar_rgba(lado)))


if __name__ == "__main__":
    if len(sys.argv) > 2 and sys.argv[1] == "--png":
        main_png(sys.argv[2], [int(a) for a in sys.argv[3:]])
    else:
        main()
