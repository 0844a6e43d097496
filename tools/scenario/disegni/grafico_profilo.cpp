#include "disegni/grafico_profilo.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "disegni/disegno.h"
#include "svg/etichette.h"

namespace scenario::strumenti {
namespace {

constexpr double sinistra = 74, destra = 30, margine = 20;
// The axis grows with the line, within these bounds: a 1 km line and a
// 1000 km one both fill a screen or a few.
constexpr double pixel_per_km = 10, larghezza_minima = 1000, larghezza_massima = 10000;
constexpr double riga_segni = 14;
constexpr double alt_velocita = 130, alt_pendenza = 90, alt_montagna = 12;
constexpr StileTesto stile_margine{9, false, "#555555"};
constexpr StileTesto stile_km{10, false, "#444444"};
// The speeds of slowdowns on the speed graph, smaller than a lane's labels.
constexpr double corpo_velocita_rallentamento = 9;

std::string linea(double x1, double y1, double x2, double y2, const std::string& stile) {
  return "<line x1=\"" + num(x1) + "\" y1=\"" + num(y1) + "\" x2=\"" + num(x2) + "\" y2=\"" + num(y2) + "\" " + stile +
         "/>\n";
}

std::string punti(const std::vector<PuntoGrafico>& p) {
  std::string s;
  for (const PuntoGrafico& q : p) s += num(q.x) + "," + num(q.y) + " ";
  if (!s.empty()) s.pop_back();
  return s;
}

class Disegno {
 public:
  explicit Disegno(const Quadro& q) : q_(q) {
    fine_ = std::max(q.ultimo_metro, std::max(q.lunghezza, 1));
    larghezza_ = std::clamp(fine_ / 1000.0 * pixel_per_km, larghezza_minima, larghezza_massima);
    ppm_ = larghezza_ / fine_;
    for (const Elemento& e : q.elementi) presenti_quadro_.insert(e.genere);
  }

  GraficoProfilo grafico() {
    GraficoProfilo g;
    y_ = margine + 50;
    g.cima = y_;
    std::string corpo;
    int ultima = -1;
    for (const Aspetto& a : aspetti()) ultima = std::max(ultima, a.corsia.ordine);
    for (int c = 0; c <= ultima; ++c) corpo += corsia(c, g.etichette_omesse);
    corpo += segni();
    corpo += velocita(g.etichette_omesse);
    corpo += pendenza();
    corpo += montagne();
    const double asse = y_ + 4;
    g.fondo = asse;
    std::string sotto = guide(g.cima, asse);
    corpo += chilometri(asse, g.etichette_omesse);
    y_ += 14;
    double alt_legenda = 0;
    corpo += legenda(presenti_, sinistra, y_, larghezza_, alt_legenda);
    y_ += alt_legenda;
    g.vista = {0, 0, sinistra + larghezza_ + destra, y_ + margine};
    const StileTesto titolo{16, true, "#000000"}, riga{11, false, "#000000"};
    const std::string riga2 = "profilo: lunghezza " + std::to_string(q_.lunghezza) + " m, celle fino a " +
                              std::to_string(q_.ultimo_metro) + " m; tacche ogni " + etichetta_passo();
    std::string testa = testo_in(riquadro_etichetta(q_.titolo, sinistra, margine, titolo), q_.titolo, titolo);
    testa += testo_in(riquadro_etichetta(riga2, sinistra, margine + 24, riga), riga2, riga);
    g.svg = documento_svg(g.vista, "profilo", q_.titolo, testa + sotto + corpo);
    g.x0 = sinistra;
    g.pixel_per_metro = ppm_;
    return g;
  }

 private:
  double x(double metro) const { return sinistra + metro * ppm_; }
  // Where a point feature is marked: past the last cell, at the axis' end.
  double x_segno(int32_t metro) const { return x(std::min(metro, fine_)); }
  std::string titolo_segno(const Elemento& e) const {
    return e.metro > fine_ ? e.descrizione + " (oltre l'ultima cella: segnato alla fine dell'asse)" : e.descrizione;
  }

  bool presente(Genere g) const { return presenti_quadro_.count(g) > 0; }

  // A label's places in a lane: centred over its point, slid either way,
  // stacked a row lower and so on, nearest first; never past the drawing's
  // sides.
  std::vector<Riquadro> posti(const std::string& testo, const StileTesto& stile, double ax, double cima,
                              int righe) const {
    Riquadro r = riquadro_etichetta(testo, ax, cima, stile);
    r.x = std::clamp(ax - r.l / 2, 2.0, std::max(2.0, sinistra + larghezza_ + destra - r.l - 2));
    std::vector<Riquadro> tutti;
    for (const Riquadro& p : posti_spostati(r, spostamenti_a_pila(r.l, 0, 0, r.a + 2, righe)))
      if (p.x >= 2 && p.destra() <= sinistra + larghezza_ + destra - 2) tutti.push_back(p);
    ordina_per_vicinanza(tutti, ax, cima);
    return tutti;
  }

  std::string etichetta_di(const Elemento& e) const {
    if (e.genere == Genere::stazione && e.valore != 0) return e.etichetta + " " + orario_hms(e.valore);
    return e.etichetta;
  }

  // One lane of labels, of every kind the table puts in it.
  std::string corsia(int ordine, int& omesse) {
    std::vector<const Elemento*> elementi;
    for (const Elemento& e : q_.elementi)
      if (aspetto(e.genere).corsia.ordine == ordine && !e.etichetta.empty()) elementi.push_back(&e);
    if (elementi.empty()) return {};
    std::vector<Etichetta> etichette;
    for (const Elemento* e : elementi) {
      const Corsia& c = aspetto(e->genere).corsia;
      etichette.push_back({posti(etichetta_di(*e), stile_di(e->genere), x_segno(e->metro), y_, c.righe), c.priorita});
    }
    const auto scelti = posa_etichette(etichette);
    double fondo = y_;
    for (size_t i = 0; i < scelti.size(); ++i)
      if (scelti[i]) fondo = std::max(fondo, etichette[i].posti[*scelti[i]].basso());
    const Aspetto* prima = nullptr;
    for (const Aspetto& a : aspetti())
      if (!prima && a.corsia.ordine == ordine) prima = &a;
    std::string s = std::string("<g class=\"corsia\" data-corsia=\"") + prima->id + "\">\n";
    for (size_t i = 0; i < scelti.size(); ++i) {
      if (!scelti[i]) {
        ++omesse;
        continue;
      }
      const Riquadro& r = etichette[i].posti[*scelti[i]];
      const double ax = x_segno(elementi[i]->metro);
      // A thin leader from the label down to its point's place.
      s += linea(std::clamp(ax, r.x, r.destra()), r.basso(), ax, fondo + 3, "stroke=\"#bbbbbb\" stroke-width=\"0.7\"");
      s += testo_in(r, etichetta_di(*elementi[i]), stile_di(elementi[i]->genere));
    }
    y_ = fondo + 8;
    return s + "</g>\n";
  }

  std::string nome_riga(const std::string& nome, double centro) {
    const Riquadro r = riquadro_etichetta(nome, 0, 0, stile_margine);
    return testo_in({sinistra - 8 - r.l, centro - r.a / 2, r.l, r.a}, nome, stile_margine);
  }

  std::string segni() {
    std::string s;
    // A row for each kind marked at points, with its name beside it.
    for (const Aspetto& a : aspetti()) {
      const bool puntuale = a.pianta.posto == Posto::accanto || a.pianta.posto == Posto::sul_binario;
      if (!a.riga || !puntuale || !presente(a.genere)) continue;
      const double centro = y_ + riga_segni / 2;
      s += nome_riga(a.riga, centro);
      for (const Elemento& e : q_.elementi)
        if (e.genere == a.genere) s += segno(e.genere, x_segno(e.metro), centro, titolo_segno(e));
      presenti_.insert(a.genere);
      y_ += riga_segni;
    }
    y_ += 6;
    return s;
  }

  std::string velocita(int& omesse) {
    int32_t massimo = 20;
    for (const Tratto& t : q_.velocita) massimo = std::max(massimo, t.valore);
    for (const Elemento& e : q_.elementi)
      if (e.genere == Genere::rallentamento) massimo = std::max(massimo, e.valore);
    const int32_t passo = massimo > 160 ? 40 : 20;
    massimo = (massimo + passo - 1) / passo * passo;
    const double cima = y_ + 6, fondo = cima + alt_velocita;
    auto y = [&](double v) { return fondo - v * alt_velocita / massimo; };
    std::string s = "<g class=\"velocita\">\n";
    for (int32_t v = 0; v <= massimo; v += passo) {
      s += linea(sinistra, y(v), sinistra + larghezza_, y(v), "stroke=\"#eeeeee\" stroke-width=\"1\"");
      s += nome_riga(std::to_string(v) + " km/h", y(v));
    }
    if (!q_.velocita.empty()) {
      std::vector<PuntoGrafico> p;
      for (const Tratto& t : q_.velocita) {
        p.push_back({x(t.da), y(t.valore)});
        p.push_back({x(t.a), y(t.valore)});
      }
      presenti_.insert(Genere::velocita);
      s += std::string("<g data-genere=\"velocita\"><title>") + aspetto(Genere::velocita).nome +
           "</title><polyline fill=\"none\" stroke=\"" + aspetto(Genere::velocita).colore +
           "\" stroke-width=\"2\" points=\"" + punti(assottiglia(p)) + "\"/></g>\n";
    }
    const StileTesto stile_rallentamento{corpo_velocita_rallentamento, false, aspetto(Genere::rallentamento).colore};
    std::vector<Etichetta> etichette;
    std::vector<const Elemento*> rall;
    for (const Elemento& e : q_.elementi) {
      if (e.genere != Genere::rallentamento) continue;
      presenti_.insert(e.genere);
      const double x1 = x(e.metro), x2 = std::max(x(e.fine), x1 + 2), yv = y(e.valore);
      s += std::string("<g data-genere=\"rallentamento\"><title>") + xml(e.descrizione) + "</title>" +
           linea(x1, yv, x2, yv,
                 std::string("stroke=\"") + aspetto(e.genere).colore + "\" stroke-width=\"4\" stroke-opacity=\"0.8\"") +
           "</g>\n";
      const Riquadro r = riquadro_etichetta(e.etichetta, x1, 0, stile_rallentamento);
      Riquadro sopra = r;
      sopra.y = yv - r.a - 3;
      Riquadro sotto = r;
      sotto.y = yv + 3;
      std::vector<Riquadro> p = posti_spostati(sopra, spostamenti_a_pila(r.l, 0, 0, 0, 1));
      for (const Riquadro& q : posti_spostati(sotto, spostamenti_a_pila(r.l, 0, 0, 0, 1))) p.push_back(q);
      etichette.push_back({p, 0});
      rall.push_back(&e);
    }
    const auto scelti = posa_etichette(etichette);
    for (size_t i = 0; i < scelti.size(); ++i) {
      if (scelti[i])
        s += testo_in(etichette[i].posti[*scelti[i]], rall[i]->etichetta, stile_rallentamento);
      else
        ++omesse;
    }
    y_ = fondo + 22;
    return s + "</g>\n";
  }

  std::string pendenza() {
    if (q_.pendenze.empty()) return {};
    int32_t massimo = 5;
    for (const Tratto& t : q_.pendenze) massimo = std::max(massimo, std::abs(t.valore));
    massimo = (massimo + 4) / 5 * 5;
    const double cima = y_, zero = cima + alt_pendenza / 2;
    auto y = [&](double v) { return zero - v * (alt_pendenza / 2) / massimo; };
    std::string s = "<g class=\"pendenza\">\n";
    for (int32_t v : {massimo, 0, -massimo}) {
      s += linea(sinistra, y(v), sinistra + larghezza_, y(v), "stroke=\"#eeeeee\" stroke-width=\"1\"");
      s += nome_riga((v > 0 ? "+" : "") + std::to_string(v) + " \xE2\x80\xB0", y(v));
    }
    std::vector<PuntoGrafico> p{{x(q_.pendenze.front().da), zero}};
    int32_t minimo_letto = 0, massimo_letto = 0;
    for (const Tratto& t : q_.pendenze) {
      p.push_back({x(t.da), y(t.valore)});
      p.push_back({x(t.a), y(t.valore)});
      minimo_letto = std::min(minimo_letto, t.valore), massimo_letto = std::max(massimo_letto, t.valore);
    }
    p.push_back({x(q_.pendenze.back().a), zero});
    presenti_.insert(Genere::pendenza);
    s += "<g data-genere=\"pendenza\"><title>pendenza da " + std::to_string(minimo_letto) + " a " +
         std::to_string(massimo_letto) + " per mille</title><polygon fill=\"" + aspetto(Genere::pendenza).colore +
         "\" fill-opacity=\"0.45\" stroke=\"" + aspetto(Genere::pendenza).colore + "\" stroke-width=\"0.8\" points=\"" +
         punti(assottiglia(p)) + "\"/></g>\n";
    y_ = cima + alt_pendenza + 10;
    return s + "</g>\n";
  }

  std::string montagne() {
    if (!presente(Genere::montagna)) return {};
    std::string s = nome_riga(aspetto(Genere::montagna).riga, y_ + alt_montagna / 2);
    for (const Elemento& e : q_.elementi) {
      if (e.genere != Genere::montagna) continue;
      const double x1 = x(e.metro), l = std::max(x(e.fine) - x1, 1.0);
      s += std::string("<g data-genere=\"montagna\"><title>") + xml(e.descrizione) + "</title><rect x=\"" + num(x1) +
           "\" y=\"" + num(y_ + 2) + "\" width=\"" + num(l) + "\" height=\"" + num(alt_montagna - 4) + "\" fill=\"" +
           aspetto(e.genere).colore + "\" fill-opacity=\"0.7\"/></g>\n";
    }
    presenti_.insert(Genere::montagna);
    y_ += alt_montagna;
    return s;
  }

  // Thin lines down from each station, and the end of the line, behind the rest.
  std::string guide(double cima, double fondo) {
    std::string s;
    for (const Elemento& e : q_.elementi) {
      if (e.genere == Genere::stazione)
        s += linea(x(e.metro), cima, x(e.metro), fondo, "class=\"guida\" stroke=\"#dddddd\" stroke-width=\"0.7\"");
      if (e.genere == Genere::fine_linea) {
        presenti_.insert(e.genere);
        const std::string colore = aspetto(e.genere).colore;
        s += std::string("<g data-genere=\"fine_linea\"><title>") + xml(e.descrizione) + "</title>" +
             linea(x(e.metro), cima, x(e.metro), fondo,
                   "stroke=\"" + colore + "\" stroke-width=\"1.2\" stroke-dasharray=\"5 3\"") +
             "<rect x=\"" + num(x(e.metro)) + "\" y=\"" + num(cima) + "\" width=\"" + num(x(e.fine) - x(e.metro)) +
             "\" height=\"" + num(fondo - cima) + "\" fill=\"" + colore + "\" fill-opacity=\"0.05\"/></g>\n";
      }
    }
    return s;
  }

  std::string chilometri(double asse, int& omesse) {
    passo_ = passo_tacche(ppm_, 70);
    std::string s = "<g class=\"tacche\">\n" +
                    linea(sinistra, asse, sinistra + larghezza_, asse, "stroke=\"#444444\" stroke-width=\"1\"");
    std::vector<Etichetta> etichette;
    std::vector<std::string> testi;
    for (int64_t m = 0; m <= fine_; m += passo_) {
      s += linea(x(static_cast<double>(m)), asse, x(static_cast<double>(m)), asse + 5,
                 "stroke=\"#444444\" stroke-width=\"1\"");
      testi.push_back(etichetta_tacca(m, passo_));
      etichette.push_back({posti(testi.back(), stile_km, x(static_cast<double>(m)), asse + 7, 1), 0});
    }
    const auto scelti = posa_etichette(etichette);
    double fondo = asse + 7;
    for (size_t i = 0; i < scelti.size(); ++i) {
      if (!scelti[i]) {
        ++omesse;
        continue;
      }
      const Riquadro& r = etichette[i].posti[*scelti[i]];
      fondo = std::max(fondo, r.basso());
      s += testo_in(r, testi[i], stile_km);
    }
    y_ = fondo;
    return s + "</g>\n";
  }

  std::string etichetta_passo() const {
    return passo_ % 1000 == 0 ? std::to_string(passo_ / 1000) + " km" : std::to_string(passo_) + " m";
  }

  const Quadro& q_;
  int32_t fine_ = 1;
  double larghezza_ = 0, ppm_ = 0, y_ = 0;
  int64_t passo_ = 1000;
  std::set<Genere> presenti_quadro_, presenti_;
};

}  // namespace

std::vector<PuntoGrafico> assottiglia(const std::vector<PuntoGrafico>& punti) {
  std::vector<PuntoGrafico> out;
  for (size_t i = 0; i < punti.size();) {
    size_t j = i + 1;
    while (j < punti.size() && punti[j].x - punti[i].x < 0.5) ++j;
    if (j - i <= 4) {
      out.insert(out.end(), punti.begin() + static_cast<std::ptrdiff_t>(i),
                 punti.begin() + static_cast<std::ptrdiff_t>(j));
    } else {
      const auto [basso, alto] = std::minmax_element(
          punti.begin() + static_cast<std::ptrdiff_t>(i), punti.begin() + static_cast<std::ptrdiff_t>(j),
          [](const PuntoGrafico& a, const PuntoGrafico& b) { return a.y < b.y; });
      // The extremes in the order they come, so the line still runs left to right.
      const PuntoGrafico primo = punti[i], ultimo = punti[j - 1];
      out.push_back(primo);
      if (basso < alto)
        out.push_back(*basso), out.push_back(*alto);
      else
        out.push_back(*alto), out.push_back(*basso);
      out.push_back(ultimo);
    }
    i = j;
  }
  return out;
}

GraficoProfilo disegna_profilo(const Quadro& quadro) { return Disegno(quadro).grafico(); }

}  // namespace scenario::strumenti
