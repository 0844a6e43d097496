#!/usr/bin/env python3
# Prints the advance widths of a TrueType face for the Windows-1252
# characters 0x20 to 0xFF, in thousandths of an em rounded up, for the tables
# of larghezza_testo.cpp:
#
#   genera_larghezze.py /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
#
# Reads the head, hhea, hmtx and cmap (format 4) tables with the standard
# library only.
import struct, sys
def tabelle(f):
    d = open(f,'rb').read()
    n = struct.unpack('>H', d[4:6])[0]
    t = {}
    for i in range(n):
        tag, _, off, ln = struct.unpack('>4sIII', d[12+16*i:28+16*i])
        t[tag.decode()] = (off, ln)
    return d, t
def larghezze(f):
    d, t = tabelle(f)
    upem = struct.unpack('>H', d[t['head'][0]+18:t['head'][0]+20])[0]
    nmet = struct.unpack('>H', d[t['hhea'][0]+34:t['hhea'][0]+36])[0]
    ho = t['hmtx'][0]
    adv = [struct.unpack('>H', d[ho+4*i:ho+4*i+2])[0] for i in range(nmet)]
    co = t['cmap'][0]
    nt = struct.unpack('>H', d[co+2:co+4])[0]
    cmap = {}
    for i in range(nt):
        pid, eid, off = struct.unpack('>HHI', d[co+4+8*i:co+12+8*i])
        so = co + off
        fmt = struct.unpack('>H', d[so:so+2])[0]
        if fmt == 4 and pid == 3 and eid == 1:
            segx2 = struct.unpack('>H', d[so+6:so+8])[0]; s = segx2//2
            ends = struct.unpack('>%dH' % s, d[so+14:so+14+segx2])
            starts = struct.unpack('>%dH' % s, d[so+16+segx2:so+16+2*segx2])
            deltas = struct.unpack('>%dh' % s, d[so+16+2*segx2:so+16+3*segx2])
            ro = so+16+3*segx2
            rangeo = struct.unpack('>%dH' % s, d[ro:ro+segx2])
            for k in range(s):
                for c in range(starts[k], ends[k]+1):
                    if c == 0xffff: continue
                    if rangeo[k] == 0: g = (c + deltas[k]) & 0xffff
                    else:
                        a = ro + 2*k + rangeo[k] + 2*(c-starts[k])
                        g = struct.unpack('>H', d[a:a+2])[0]
                        if g: g = (g + deltas[k]) & 0xffff
                    cmap[c] = g
    def w(c):
        g = cmap.get(c, 0)
        return adv[min(g, nmet-1)] * 1000 // upem + (1 if adv[min(g, nmet-1)] * 1000 % upem else 0)
    return w
cp = bytes(range(0x20, 0x100)).decode('cp1252', errors='replace')
w = larghezze(sys.argv[1])
print(', '.join(str(w(ord(ch))) for ch in cp))
