#!/usr/bin/env python3
"""Packs square RGBA PNG images into one Windows icon (.ico).

    impacchetta_ico.py OUT.ico IMAGE.png...

Images up to 48 px go in as 32-bit bitmaps with their AND mask, which every
Windows reads; larger ones (256 px) stay PNG, as Windows Vista and later
expect. Only the standard library: the PNGs are the 8-bit RGBA,
non-interlaced kind rsvg-convert writes. The output depends on the pixels
only, so the same PNGs give the same bytes.
"""
import struct
import sys
import zlib


def leggi_png(dati, anche_rgb=False):
    """(width, height, rows of bytes) of an 8-bit RGBA PNG: 4 bytes a pixel,
    or with anche_rgb also of an RGB one, 3 bytes a pixel."""
    if dati[:8] != b'\x89PNG\r\n\x1a\n':
        raise ValueError('non e\' un PNG')
    pos, idat, w, canali = 8, b'', 0, 4
    while pos < len(dati):
        n, tipo = struct.unpack('>I4s', dati[pos:pos + 8])
        corpo = dati[pos + 8:pos + 8 + n]
        if tipo == b'IHDR':
            w, h, bit, colore, _, _, interlacciato = struct.unpack('>IIBBBBB', corpo)
            if anche_rgb and (bit, colore, interlacciato) == (8, 2, 0):
                canali = 3
            elif (bit, colore, interlacciato) != (8, 6, 0):
                raise ValueError('serve un PNG RGBA a 8 bit non interlacciato')
        elif tipo == b'IDAT':
            idat += corpo
        pos += 12 + n
    grezzi, passo = zlib.decompress(idat), canali * w
    righe, sopra = [], bytearray(passo)
    for y in range(h):
        inizio = y * (passo + 1)
        filtro, r = grezzi[inizio], bytearray(grezzi[inizio + 1:inizio + 1 + passo])
        for i in range(passo):
            a = r[i - canali] if i >= canali else 0
            b = sopra[i]
            c = sopra[i - canali] if i >= canali else 0
            if filtro == 1:
                r[i] = (r[i] + a) & 255
            elif filtro == 2:
                r[i] = (r[i] + b) & 255
            elif filtro == 3:
                r[i] = (r[i] + (a + b) // 2) & 255
            elif filtro == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                r[i] = (r[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        righe.append(bytes(r))
        sopra = r
    return w, h, righe


def bitmap(w, h, righe):
    """The icon image as a DIB: header, BGRA bottom-up, AND mask (1 = transparent)."""
    colori = b''.join(bytes(p for i in range(0, 4 * w, 4) for p in (r[i + 2], r[i + 1], r[i], r[i + 3]))
                      for r in reversed(righe))
    passo_maschera = (w + 31) // 32 * 4
    maschera = b''
    for r in reversed(righe):
        riga = bytearray(passo_maschera)
        for x in range(w):
            if r[4 * x + 3] == 0:
                riga[x // 8] |= 0x80 >> (x % 8)
        maschera += bytes(riga)
    intestazione = struct.pack('<IiiHHIIiiII', 40, w, 2 * h, 1, 32, 0, len(colori) + len(maschera), 0, 0, 0, 0)
    return intestazione + colori + maschera


def main(uscita, immagini):
    voci = []
    for percorso in immagini:
        dati = open(percorso, 'rb').read()
        w, h, righe = leggi_png(dati)
        if w != h or w > 256:
            raise ValueError(f'{percorso}: {w}x{h}, serve un quadrato fino a 256 px')
        voci.append((w, dati if w > 48 else bitmap(w, h, righe)))
    voci.sort()
    testa = struct.pack('<HHH', 0, 1, len(voci))
    posizione = len(testa) + 16 * len(voci)
    elenco, corpo = b'', b''
    for w, dati in voci:
        lato = 0 if w == 256 else w
        elenco += struct.pack('<BBBBHHII', lato, lato, 0, 0, 1, 32, len(dati), posizione + len(corpo))
        corpo += dati
    with open(uscita, 'wb') as f:
        f.write(testa + elenco + corpo)


if __name__ == '__main__':
    if len(sys.argv) < 3:
        sys.exit('uso: impacchetta_ico.py USCITA.ico IMMAGINE.png...')
    main(sys.argv[1], sys.argv[2:])
