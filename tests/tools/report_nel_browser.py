#!/usr/bin/env python3
# Opens reports of the scenario tool in headless chromium, lets the page's
# script run, and checks the page it leaves: the stations, signals and
# problems drawn and listed, problem links that carry their km and lead
# there, no two labels overlapping as the browser lays them out, and
# screenshots at desktop and phone width that are not blank.
#
#   report_nel_browser.py STRUMENTO CHROMIUM LAVORO CASO...
#
# Each CASO is name=route,train,directory,stations,signals,problems.
import html
import json
import os
import re
import shutil
import subprocess
import sys

# The PNG reader of the icon packer.
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'src', 'platform', 'win32',
                                'risorse'))
from impacchetta_ico import leggi_png  # noqa: E402

strumento, chromium, lavoro = sys.argv[1:4]
casi = sys.argv[4:]
errori = []


def errore(caso, testo):
    errori.append(caso + ': ' + testo)


def apri(url, *argomenti):
    # A fresh profile for every run, and nothing that reaches the network.
    profilo = os.path.join(lavoro, 'profilo-chromium')
    shutil.rmtree(profilo, ignore_errors=True)
    os.makedirs(profilo)
    comando = [chromium, '--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
               '--disable-background-networking', '--disable-component-update', '--disable-sync',
               '--user-data-dir=' + profilo, '--virtual-time-budget=10000'] + list(argomenti) + [url]
    r = subprocess.run(comando, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, timeout=180)
    shutil.rmtree(profilo, ignore_errors=True)
    return r.stdout.decode('utf-8', 'replace')


def attributi(dom, marcatore):
    m = re.search(r'<' + marcatore + r'[^>]*>', dom)
    if not m:
        return {}
    return {k: html.unescape(v) for k, v in re.findall(r'([\w-]+)="([^"]*)"', m.group(0))}


def non_vuota(caso, percorso, dove):
    w, h, righe = leggi_png(open(percorso, 'rb').read(), anche_rgb=True)
    bpp = len(righe[0]) // w
    colori, scuri = set(), 0
    for riga in righe[::4]:
        for x in range(0, w * bpp, 4 * bpp):
            px = riga[x:x + 3]
            colori.add(px)
            scuri += sum(px) < 600
    campioni = len(righe[::4]) * len(range(0, w * bpp, 4 * bpp))
    if len(colori) < 16 or scuri < campioni * 0.01:
        errore(caso, 'schermata %s quasi vuota: %d colori, %d punti scuri su %d' % (dove, len(colori), scuri, campioni))


for caso in casi:
    nome, resto = caso.split('=', 1)
    linea, treno, cartella, stazioni, segnali, problemi = resto.split(',')
    pagina = os.path.join(lavoro, nome + '.html')
    r = subprocess.run([strumento, 'report', '--route', linea, '--train', treno, '--in', cartella, '-o', pagina],
                       stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
    if r.returncode != 0:
        errore(nome, 'scenario report: ' + r.stdout.decode())
        continue
    sorgente = open(pagina, encoding='utf-8').read()
    dati = json.loads(re.search(r'<script type="application/json" id="dati">(.*?)</script>', sorgente, re.S).group(1))
    url = 'file://' + os.path.abspath(pagina)

    dom = apri(url, '--window-size=1280,900', '--dump-dom')
    b = attributi(dom, 'body')
    if b.get('data-pronto') != '1':
        errore(nome, 'lo script della pagina non ha finito')
        continue
    attesi = {'stazioni': stazioni, 'segnali': segnali}
    for cosa, quanti in attesi.items():
        for dove in ('pianta', 'profilo', 'tabella'):
            trovati = b.get('data-%s-%s' % (cosa, dove))
            if trovati != quanti:
                errore(nome, '%s in %s: %s, attesi %s' % (cosa, dove, trovati, quanti))
    if b.get('data-problemi-lista') != problemi:
        errore(nome, 'problemi nella lista: %s, attesi %s' % (b.get('data-problemi-lista'), problemi))
    # Every diagnostic the drawings mark: errors among the problems, warnings and notes among the warnings.
    posti = [i for i, p in enumerate(dati['problemi']) if p['metro'] is not None]
    for dove in ('pianta', 'profilo'):
        for lane, quali in (('problemi', lambda p: p['gravita'] == 'errore'),
                            ('avvertimenti', lambda p: p['gravita'] != 'errore')):
            attesi_qui = len([i for i in posti if quali(dati['problemi'][i])])
            if b.get('data-%s-%s' % (lane, dove)) != str(attesi_qui):
                errore(nome, '%s segnati in %s: %s, attesi %d' % (lane, dove, b.get('data-%s-%s' % (lane, dove)), attesi_qui))
    if b.get('data-sovrapposizioni') != '0':
        errore(nome, '%s etichette sovrapposte: %s' % (b.get('data-sovrapposizioni'), b.get('data-sovrapposte')))
    if int(b.get('data-etichette', '0')) < int(stazioni):
        errore(nome, 'solo %s etichette' % b.get('data-etichette'))
    for link in re.findall(r'<a [^>]*class="problema"[^>]*>', dom):
        a = dict(re.findall(r'([\w-]+)="([^"]*)"', link))
        if 'data-metro' in a and a.get('data-km') != '%.3f' % (int(a['data-metro']) / 1000):
            errore(nome, 'link senza il suo km: ' + link)

    # A problem named in the address is opened: the plan moves there and its source line shows.
    if posti:
        i = posti[-1]
        aperta = apri(url + '#problema-%d' % i, '--window-size=1280,900', '--dump-dom')
        km = 'km %.3f' % (dati['problemi'][i]['metro'] / 1000)
        if attributi(aperta, 'body').get('data-km') != km:
            errore(nome, 'il link del problema %d porta a %s, non a %s' % (i, attributi(aperta, 'body').get('data-km'), km))
        if attributi(aperta, 'svg [^>]*id="pianta"').get('viewBox') == attributi(dom, 'svg [^>]*id="pianta"').get('viewBox'):
            errore(nome, 'la pianta non si e\' spostata sul problema')
        if not re.search(r'<pre class="sorgente">', aperta):
            errore(nome, 'la riga del testo del problema non si vede')

    for dove, misura in (('desktop', '1280,900'), ('telefono', '390,844')):
        png = os.path.join(lavoro, '%s_%s.png' % (nome, dove))
        if os.path.exists(png):
            os.remove(png)
        apri(url, '--window-size=' + misura, '--hide-scrollbars', '--screenshot=' + png)
        if not os.path.exists(png):
            errore(nome, 'nessuna schermata ' + dove)
        else:
            non_vuota(nome, png, dove)

for e in errori:
    print(e)
print('%d casi, %d errori' % (len(casi), len(errori)))
sys.exit(1 if errori else 0)
