#!/usr/bin/env python3
# Reads an SVG of the scenario tool with python's XML parser (so it checks
# that the file is well formed) and prints what the tests look at, as JSON:
# the view box, each drawn mark (data-genere) with its title and place, the
# legend's kinds (data-legenda) and places, and every text.
#
#   analizza_svg.py FILE.svg
import json
import re
import sys
import xml.etree.ElementTree as E

NS = '{http://www.w3.org/2000/svg}'
radice = E.parse(sys.argv[1]).getroot()


def luogo(g):
    for figlio in g:
        if figlio.tag == NS + 'circle':
            return float(figlio.get('cx')), float(figlio.get('cy'))
        if figlio.tag == NS + 'line':
            return ((float(figlio.get('x1')) + float(figlio.get('x2'))) / 2,
                    (float(figlio.get('y1')) + float(figlio.get('y2'))) / 2)
        if figlio.tag == NS + 'rect':
            return (float(figlio.get('x')) + float(figlio.get('width')) / 2,
                    float(figlio.get('y')) + float(figlio.get('height')) / 2)
        if figlio.tag == NS + 'path':
            numeri = re.findall(r'-?[0-9]+(?:\.[0-9]+)?', figlio.get('d'))
            return float(numeri[0]), float(numeri[1])
    return None


segni = []
for g in radice.iter():
    genere = g.get('data-genere')
    if genere is None:
        continue
    titolo = g.find(NS + 'title')
    segni.append({'genere': genere, 'titolo': titolo.text if titolo is not None else '', 'luogo': luogo(g)})
testi = [{'classe': t.get('class') or '', 'x': float(t.get('x')), 'y': float(t.get('y')),
          'corpo': float(t.get('font-size') or 16), 'neretto': t.get('font-weight') == 'bold',
          'ancora': t.get('text-anchor') or 'start', 'testo': ''.join(t.itertext())}
         for t in radice.iter(NS + 'text')]
print(json.dumps({
    'svg': radice.tag == NS + 'svg',
    'vista': [float(v) for v in (radice.get('viewBox') or '0 0 0 0').split()],
    'segni': segni,
    'legenda': [g.get('data-legenda') for g in radice.iter() if g.get('data-legenda') is not None],
    'legenda_luoghi': [luogo(g) for g in radice.iter() if g.get('data-legenda') is not None],
    'testi': testi,
}))
