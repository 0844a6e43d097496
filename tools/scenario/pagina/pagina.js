// The report page's script: builds the problem list and the tables from the
// data in the page, lets the plan be zoomed and dragged, and keeps the plan
// and the profile on one km. It also writes into the page, for the tests,
// what it drew and how many labels overlap.
(function () {
  'use strict';
  var dati = JSON.parse(document.getElementById('dati').textContent);
  var pianta = document.getElementById('pianta');
  var profilo = document.getElementById('profilo');
  var riquadroProfilo = document.getElementById('riquadro-profilo');
  var scrittaKm = document.getElementById('km');
  var SVG = 'http://www.w3.org/2000/svg';
  var inizio = performance.now();

  function elemento(tag, attributi, testo) {
    var e = document.createElement(tag);
    for (var k in attributi) e.setAttribute(k, attributi[k]);
    if (testo !== undefined) e.textContent = testo;
    return e;
  }
  function km(m) { return 'km ' + (m / 1000).toFixed(3); }
  function inSvg(svg, ev) {
    var p = svg.createSVGPoint();
    p.x = ev.clientX;
    p.y = ev.clientY;
    return p.matrixTransform(svg.getScreenCTM().inverse());
  }

  // The plan: the drawn track's points with their metres.
  var traccia = dati.pianta ? dati.pianta.traccia : [];
  var intera = dati.pianta ? dati.pianta.vista.slice() : null;
  var vista = intera ? intera.slice() : null;
  var segnoPianta = null;

  function mostraVista() { pianta.setAttribute('viewBox', vista.join(' ')); }

  function puntoDelMetro(m) {
    var a = 0, b = traccia.length - 1;
    if (b < 0) return null;
    if (m <= traccia[0][0]) return traccia[0];
    if (m >= traccia[b][0]) return traccia[b];
    while (b - a > 1) {
      var c = (a + b) >> 1;
      if (traccia[c][0] <= m) a = c; else b = c;
    }
    var p = traccia[a], q = traccia[b], t = (m - p[0]) / (q[0] - p[0]);
    return [m, p[1] + (q[1] - p[1]) * t, p[2] + (q[2] - p[2]) * t];
  }

  // The metre of the track nearest to a point, and how far it is.
  function metroVicino(x, y) {
    var meglio = Infinity, metro = 0;
    for (var i = 0; i + 1 < traccia.length; i++) {
      var p = traccia[i], q = traccia[i + 1];
      var dx = q[1] - p[1], dy = q[2] - p[2], l2 = dx * dx + dy * dy;
      var t = l2 > 0 ? Math.max(0, Math.min(1, ((x - p[1]) * dx + (y - p[2]) * dy) / l2)) : 0;
      var ex = p[1] + t * dx - x, ey = p[2] + t * dy - y, d = ex * ex + ey * ey;
      if (d < meglio) { meglio = d; metro = p[0] + t * (q[0] - p[0]); }
    }
    return { metro: metro, distanza: Math.sqrt(meglio) };
  }

  // One km for both drawings.
  var lineaProfilo = null;
  function cursore(m, da) {
    scrittaKm.textContent = km(m);
    if (segnoPianta) {
      var p = puntoDelMetro(m);
      segnoPianta.setAttribute('cx', p[1]);
      segnoPianta.setAttribute('cy', p[2]);
      segnoPianta.setAttribute('r', vista[2] / 60);
      segnoPianta.setAttribute('stroke-width', vista[2] / 250);
      segnoPianta.style.display = '';
    }
    if (lineaProfilo) {
      var x = dati.profilo.x0 + m * dati.profilo.pixel_per_metro;
      lineaProfilo.setAttribute('x1', x);
      lineaProfilo.setAttribute('x2', x);
      lineaProfilo.style.display = '';
      var sinistra = riquadroProfilo.scrollLeft, larghezza = riquadroProfilo.clientWidth;
      if (da !== 'profilo' && (x < sinistra + 40 || x > sinistra + larghezza - 40))
        riquadroProfilo.scrollLeft = x - larghezza / 2;
    }
  }

  // Brings a metre into view in both drawings, the plan zoomed in on it.
  function vai(m) {
    if (vista && traccia.length) {
      var p = puntoDelMetro(m), w = intera[2] / 6, h = intera[3] / 6;
      vista = [p[1] - w / 2, p[2] - h / 2, w, h];
      mostraVista();
    }
    if (lineaProfilo) {
      var x = dati.profilo.x0 + m * dati.profilo.pixel_per_metro;
      riquadroProfilo.scrollLeft = x - riquadroProfilo.clientWidth / 2;
    }
    cursore(m, 'vai');
    document.getElementById('sezione-vista').scrollIntoView({ block: 'start' });
  }

  if (pianta && vista) {
    segnoPianta = document.createElementNS(SVG, 'circle');
    segnoPianta.setAttribute('id', 'cursore-pianta');
    segnoPianta.setAttribute('fill', 'none');
    segnoPianta.setAttribute('stroke', '#17becf');
    segnoPianta.style.display = 'none';
    pianta.appendChild(segnoPianta);
    // Zooms by f around (x, y), within 1/400 and twice the whole view.
    var ingrandisci = function (f, x, y) {
      var w = Math.max(intera[2] / 400, Math.min(intera[2] * 2, vista[2] * f));
      f = w / vista[2];
      vista = [x - (x - vista[0]) * f, y - (y - vista[1]) * f, vista[2] * f, vista[3] * f];
      mostraVista();
    };
    pianta.addEventListener('wheel', function (ev) {
      ev.preventDefault();
      var p = inSvg(pianta, ev);
      ingrandisci(ev.deltaY < 0 ? 0.8 : 1.25, p.x, p.y);
    }, { passive: false });
    // Buttons for screens without a wheel.
    [['piu', 0.5], ['meno', 2]].forEach(function (b) {
      document.getElementById('zoom-' + b[0]).addEventListener('click', function () {
        ingrandisci(b[1], vista[0] + vista[2] / 2, vista[1] + vista[3] / 2);
      });
    });
    var presa = null;
    pianta.addEventListener('pointerdown', function (ev) {
      presa = { x: ev.clientX, y: ev.clientY, vista: vista.slice(), scala: 1 / pianta.getScreenCTM().a };
      pianta.setPointerCapture(ev.pointerId);
      pianta.classList.add('trascina');
    });
    pianta.addEventListener('pointermove', function (ev) {
      if (presa) {
        vista[0] = presa.vista[0] - (ev.clientX - presa.x) * presa.scala;
        vista[1] = presa.vista[1] - (ev.clientY - presa.y) * presa.scala;
        mostraVista();
        return;
      }
      var p = inSvg(pianta, ev), v = metroVicino(p.x, p.y);
      if (v.distanza * pianta.getScreenCTM().a < 40) cursore(v.metro, 'pianta');
    });
    // After a drag the profile follows to the km of the track at the view's centre.
    var lascia = function () {
      if (!presa) return;
      presa = null;
      pianta.classList.remove('trascina');
      var v = metroVicino(vista[0] + vista[2] / 2, vista[1] + vista[3] / 2);
      if (v.distanza < vista[2] / 2) cursore(v.metro, 'pianta');
    };
    pianta.addEventListener('pointerup', lascia);
    pianta.addEventListener('pointercancel', lascia);
    document.getElementById('vista-intera').addEventListener('click', function () {
      vista = intera.slice();
      mostraVista();
    });
  }

  if (profilo && dati.profilo) {
    lineaProfilo = document.createElementNS(SVG, 'line');
    lineaProfilo.setAttribute('id', 'cursore-profilo');
    lineaProfilo.setAttribute('y1', dati.profilo.cima);
    lineaProfilo.setAttribute('y2', dati.profilo.fondo);
    lineaProfilo.setAttribute('stroke', '#17becf');
    lineaProfilo.setAttribute('stroke-width', '1.5');
    lineaProfilo.style.display = 'none';
    lineaProfilo.style.pointerEvents = 'none';
    profilo.appendChild(lineaProfilo);
    profilo.addEventListener('pointermove', function (ev) {
      var p = inSvg(profilo, ev);
      var m = (p.x - dati.profilo.x0) / dati.profilo.pixel_per_metro;
      cursore(Math.max(0, Math.min(dati.ultimo_metro, m)), 'profilo');
    });
  }

  // The problems, each leading to its place and showing its source line.
  var lista = document.getElementById('problemi');
  if (lista) {
    document.getElementById('nessun-problema').hidden = dati.problemi.length > 0;
    dati.problemi.forEach(function (p, i) {
      var li = elemento('li', { 'class': p.gravita });
      var a = elemento('a', { href: '#problema-' + i, 'class': 'problema', 'data-indice': i }, p.testo);
      if (p.metro !== null) {
        a.setAttribute('data-metro', p.metro);
        a.setAttribute('data-km', (p.metro / 1000).toFixed(3));
      }
      li.appendChild(a);
      if (p.suggerimento) li.appendChild(elemento('div', { 'class': 'suggerimento' }, 'suggerimento: ' + p.suggerimento));
      var sorgente = null;
      if (p.riga) {
        var rientro = p.colonna ? p.testo_riga.slice(0, p.colonna - 1).replace(/[^\t]/g, ' ') + '^' : '';
        sorgente = elemento('pre', { 'class': 'sorgente' }, p.testo_riga + (rientro ? '\n' + rientro : ''));
        sorgente.hidden = true;
        li.appendChild(sorgente);
      }
      a.addEventListener('click', function (ev) {
        ev.preventDefault();
        history.replaceState(null, '', '#problema-' + i);
        if (sorgente) sorgente.hidden = false;
        if (p.metro !== null) vai(p.metro);
      });
      lista.appendChild(li);
    });
  }


  function tabella(colonne, righe) {
    var t = elemento('table'), testa = elemento('tr'), corpo = elemento('tbody');
    colonne.forEach(function (c) { testa.appendChild(elemento('th', {}, c)); });
    t.appendChild(elemento('thead')).appendChild(testa);
    righe.forEach(function (r) {
      var tr = elemento('tr');
      r.celle.forEach(function (c) { tr.appendChild(elemento('td', {}, c === null ? '' : String(c))); });
      if (r.metro !== undefined) {
        tr.setAttribute('data-metro', r.metro);
        tr.addEventListener('click', function () { vai(r.metro); });
      }
      corpo.appendChild(tr);
    });
    t.appendChild(corpo);
    var s = elemento('div', { 'class': 'scorre' });
    s.appendChild(t);
    return s;
  }

  document.getElementById('valori').appendChild(tabella(['voce', 'dove', 'valore'], dati.valori.map(function (v) {
    return { celle: [v.voce, v.dove, v.valore] };
  })));
  var tabelle = document.getElementById('tabelle');
  dati.tabelle.forEach(function (t) {
    if (!t.righe.length) return;
    var s = elemento('section', { id: 'tabella-' + t.id });
    s.appendChild(elemento('h2', {}, t.titolo + ' (' + t.righe.length + ')'));
    s.appendChild(tabella(t.colonne, t.righe));
    tabelle.appendChild(s);
  });

  // Labels whose boxes overlap, as the browser lays them out; the first few
  // pairs are named for whoever reads a failing test.
  var coppie = [];
  // Measured with the drawing at its own size: a browser sizes text boxes
  // at the scale it shows them, and a drawing shrunk to the window would
  // swell them.
  function sovrapposizioni(svg) {
    if (!svg) return 0;
    var stile = svg.getAttribute('style');
    var vb = svg.viewBox.baseVal;
    svg.setAttribute('style', 'width:' + vb.width + 'px;height:' + vb.height + 'px;max-width:none;max-height:none');
    var r = [].map.call(svg.querySelectorAll('text.etichetta'), function (t) {
      var b = t.getBBox();
      return { x: b.x, y: b.y, w: b.width, h: b.height, testo: t.textContent };
    });
    if (stile === null) svg.removeAttribute('style'); else svg.setAttribute('style', stile);
    r.sort(function (a, b) { return a.x - b.x; });
    var n = 0;
    for (var i = 0; i < r.length; i++)
      for (var j = i + 1; j < r.length && r[j].x < r[i].x + r[i].w; j++)
        if (r[j].y < r[i].y + r[i].h && r[i].y < r[j].y + r[j].h) {
          n++;
          if (coppie.length < 5) coppie.push(r[i].testo + ' / ' + r[j].testo);
        }
    return n;
  }
  function conta(radice, selettore) { return radice ? radice.querySelectorAll(selettore).length : 0; }
  var b = document.body.dataset;
  b.stazioniPianta = conta(pianta, '[data-genere="stazione"]');
  b.stazioniProfilo = conta(profilo, '[data-genere="stazione"]');
  b.stazioniTabella = conta(document.getElementById('tabella-stazioni'), 'tbody tr');
  b.segnaliPianta = conta(pianta, '[data-genere="segnale"]');
  b.segnaliProfilo = conta(profilo, '[data-genere="segnale"]');
  b.segnaliTabella = conta(document.getElementById('tabella-segnali'), 'tbody tr');
  b.problemiLista = conta(lista, 'a.problema');
  b.problemiPianta = conta(pianta, '[data-genere="problema"]');
  b.problemiProfilo = conta(profilo, '[data-genere="problema"]');
  b.avvertimentiPianta = conta(pianta, '[data-genere="avvertimento"]');
  b.avvertimentiProfilo = conta(profilo, '[data-genere="avvertimento"]');
  b.etichette = conta(pianta, 'text.etichetta') + conta(profilo, 'text.etichetta');
  b.sovrapposizioni = sovrapposizioni(pianta) + sovrapposizioni(profilo);
  b.sovrapposte = coppie.join('; ');

  // A problem named in the address (#problema-N) is opened as if clicked.
  var chiesto = /^#problema-(\d+)$/.exec(location.hash);
  if (chiesto && lista) {
    var link = lista.querySelector('a[data-indice="' + chiesto[1] + '"]');
    if (link) link.click();
  }

  b.km = scrittaKm.textContent;
  // How long the page took to be ready, for the benchmark.
  b.msScript = Math.round(performance.now() - inizio);
  b.msPronto = Math.round(performance.now());
  b.pronto = '1';
})();
