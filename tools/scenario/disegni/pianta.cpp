#include "disegni/pianta.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "disegni/disegno.h"
#include "svg/etichette.h"

namespace scenario::strumenti {
namespace {

constexpr double larghezza_max = 1400;  // pixels of the track's extent, margins aside
constexpr double altezza_max = 1000;
constexpr int32_t passo_campioni = 10;  // metres between points read from the profile
constexpr double tolleranza_px = 0.05;  // how far the drawn track may stray from it
constexpr double scostamento = 7;       // marks beside the track stand this far off it
constexpr int32_t oltre_margine = 200;  // the dashed track runs this far past the last feature
constexpr double margine = 20;

constexpr StileTesto stile_km{10, false, "#444444"};
constexpr int priorita_km = 10;

struct Vettore {
  double x, y;
};

// A label to place: its text, style and the point it belongs to.
struct DaPosare {
  std::string testo;
  StileTesto stile;
  int32_t metro;
  int priorita;
  bool dal_lato_dei_segni;  // first tried on the side the marks stand
};

class Disegno {
 public:
  Disegno(const Quadro& q, const std::vector<double>& x, const std::vector<double>& y) : q_(q), x_(x), y_(y) {
    ultimo_ = static_cast<int32_t>(x.size()) - 3;  // the profile's last two metres are empty
    fine_ = std::clamp(q.lunghezza > 0 ? q.lunghezza : ultimo_, 0, ultimo_);
    int32_t lontano = fine_;
    // Problems may lie anywhere; only what the line holds draws the track on.
    for (const Elemento& e : q.elementi)
      if (e.genere != Genere::fine_linea && e.genere != Genere::problema && e.genere != Genere::avvertimento)
        lontano = std::max({lontano, e.metro, e.fine});
    // A feature at the far end of int32_t (a crafted file) must not overflow the margin.
    oltre_ =
        lontano > fine_ ? static_cast<int32_t>(std::min<int64_t>(ultimo_, int64_t{lontano} + oltre_margine)) : fine_;
    scala();
  }

  Pianta pianta() {
    Pianta p;
    std::string corpo;
    corpo += montagne();
    corpo += "<polyline class=\"traccia\" fill=\"none\" stroke=\"#444444\" stroke-width=\"2\" points=\"" +
             punti(0, fine_) + "\"/>\n";
    corpo += fine_linea();
    corpo += rallentamenti();
    corpo += tacche();
    corpo += segni();
    corpo += etichette(p.etichette_omesse);
    const Riquadro contenuto = ingombro_;
    // The heading: title, a line of figures, then the legend, above the drawing.
    const double larghezza = std::max(contenuto.l, 600.0);
    double alt_legenda = 0;
    legenda(presenti_, 0, 0, larghezza, alt_legenda);
    const double sopra = 50, testata = sopra + alt_legenda + 16;
    p.vista = {contenuto.x - margine, contenuto.y - testata - margine, larghezza + 2 * margine,
               contenuto.a + testata + 2 * margine};
    const double cima = p.vista.y + margine;
    const StileTesto titolo{16, true, "#000000"}, sotto{11, false, "#000000"};
    const std::string riga2 = "lunghezza " + std::to_string(q_.lunghezza) + " m; tacche ogni " + etichetta_passo();
    std::string intestazione = testo_in(riquadro_etichetta(q_.titolo, contenuto.x, cima, titolo), q_.titolo, titolo);
    intestazione += testo_in(riquadro_etichetta(riga2, contenuto.x, cima + 24, sotto), riga2, sotto);
    intestazione += legenda(presenti_, contenuto.x, cima + sopra, larghezza, alt_legenda);
    p.svg = documento_svg(p.vista, "pianta", q_.titolo, intestazione + corpo);
    p.traccia = traccia_.punti_semplificati();
    return p;
  }

 private:
  void scala() {
    double minx = 1e300, maxx = -1e300, miny = 1e300, maxy = -1e300;
    for (int32_t m = 0;; m = std::min(m + passo_campioni, oltre_)) {
      minx = std::min(minx, x_[static_cast<size_t>(m)]), maxx = std::max(maxx, x_[static_cast<size_t>(m)]);
      miny = std::min(miny, y_[static_cast<size_t>(m)]), maxy = std::max(maxy, y_[static_cast<size_t>(m)]);
      if (m == oltre_) break;
    }
    const double w = std::max(maxx - minx, 1.0), h = std::max(maxy - miny, 1.0);
    scala_ = std::min(larghezza_max / w, altezza_max / h);
    minx_ = minx, maxy_ = maxy;
    ingombro_ = {0, 0, w * scala_, h * scala_};
    traccia_ = Traccia(
        [this](int32_t m) {
          const Vettore v = schermo(m);
          return std::pair{v.x, v.y};
        },
        0, oltre_, passo_campioni, tolleranza_px);
  }

  // Canvas coordinates of metre m (y down); past the profile, its last point.
  Vettore schermo(int64_t m) const {
    const auto i = static_cast<size_t>(std::clamp<int64_t>(m, 0, ultimo_));
    return {(x_[i] - minx_) * scala_, (maxy_ - y_[i]) * scala_};
  }
  // Unit normal to the track at metre m, on the canvas.
  Vettore normale(int64_t m) const {
    const Vettore a = schermo(std::max<int64_t>(m - 50, 0)), b = schermo(std::min<int64_t>(m + 50, oltre_));
    const double dx = b.x - a.x, dy = b.y - a.y, l = distanza_piana(dx, dy);
    if (l == 0) return {1, 0};
    return {-dy / l, dx / l};
  }

  std::string punti(int32_t da, int32_t a) const {
    std::string s;
    for (const auto& p : traccia_.tra(da, a)) s += num(p.x) + "," + num(p.y) + " ";
    if (!s.empty()) s.pop_back();
    return s;
  }

  void allarga(const Riquadro& r) {
    const double x0 = std::min(ingombro_.x, r.x), y0 = std::min(ingombro_.y, r.y);
    const double x1 = std::max(ingombro_.destra(), r.destra()), y1 = std::max(ingombro_.basso(), r.basso());
    ingombro_ = {x0, y0, x1 - x0, y1 - y0};
  }

  std::string gruppo_tratto(Genere g, const Elemento& e, const std::string& stile) {
    presenti_.insert(g);
    return std::string("<g data-genere=\"") + aspetto(g).id + "\"><title>" + xml(e.descrizione) +
           "</title><polyline fill=\"none\" " + stile + " points=\"" + punti(e.metro, std::max(e.metro, e.fine)) +
           "\"/></g>\n";
  }

  std::string montagne() {
    std::string s;
    for (const Elemento& e : q_.elementi)
      if (e.genere == Genere::montagna)
        s += gruppo_tratto(e.genere, e,
                           std::string("stroke=\"") + aspetto(e.genere).colore +
                               "\" stroke-width=\"10\" stroke-opacity=\"0.35\" stroke-linecap=\"butt\"");
    return s;
  }

  std::string rallentamenti() {
    std::string s;
    for (const Elemento& e : q_.elementi)
      if (e.genere == Genere::rallentamento) {
        s += gruppo_tratto(
            e.genere, e,
            std::string("stroke=\"") + aspetto(e.genere).colore + "\" stroke-width=\"6\" stroke-opacity=\"0.6\"");
        da_posare(e, e.metro);
      }
    return s;
  }

  // The end of the line: a bar across the track, and the track on, dashed,
  // to the farthest feature beyond it.
  std::string fine_linea() {
    std::string s;
    for (const Elemento& e : q_.elementi) {
      if (e.genere != Genere::fine_linea) continue;
      presenti_.insert(e.genere);
      const Vettore p = schermo(fine_), n = normale(fine_);
      s += std::string("<g data-genere=\"fine_linea\"><title>") + xml(e.descrizione) + "</title>";
      s += "<line x1=\"" + num(p.x - n.x * 9) + "\" y1=\"" + num(p.y - n.y * 9) + "\" x2=\"" + num(p.x + n.x * 9) +
           "\" y2=\"" + num(p.y + n.y * 9) + "\" stroke=\"#444444\" stroke-width=\"3\"/>";
      if (oltre_ > fine_)
        s += "<polyline fill=\"none\" stroke=\"#444444\" stroke-width=\"1.5\" stroke-dasharray=\"6 4\" points=\"" +
             punti(fine_, oltre_) + "\"/>";
      s += "</g>\n";
      da_posare(e, fine_);
    }
    return s;
  }

  std::string tacche() {
    // Ticks at least 40 px apart along the track, whatever its length.
    const double lunghezza_px = std::max(traccia_.lunghezza_px(), 1.0);
    passo_ = passo_tacche(lunghezza_px / std::max(oltre_, 1), 40);
    std::string s = "<g class=\"tacche\" stroke=\"#444444\" stroke-width=\"1\">\n";
    for (int64_t m = 0; m <= oltre_; m += passo_) {
      const Vettore p = schermo(m), n = normale(m);
      s += "<line x1=\"" + num(p.x - n.x * 5) + "\" y1=\"" + num(p.y - n.y * 5) + "\" x2=\"" + num(p.x + n.x * 5) +
           "\" y2=\"" + num(p.y + n.y * 5) + "\"/>\n";
      da_posare_.push_back({etichetta_tacca(m, passo_), stile_km, static_cast<int32_t>(m), priorita_km, false});
    }
    return s + "</g>\n";
  }

  std::string etichetta_passo() const {
    return passo_ % 1000 == 0 ? std::to_string(passo_ / 1000) + " km" : std::to_string(passo_) + " m";
  }

  // A feature's label, if its kind is labelled in the plan.
  void da_posare(const Elemento& e, int32_t metro) {
    const InPianta& p = aspetto(e.genere).pianta;
    if (p.priorita > 0)
      da_posare_.push_back({e.etichetta, stile_di(e.genere), metro, p.priorita, p.dal_lato_dei_segni});
  }

  // Point features, on the track or beside it as their kind says.
  std::string segni() {
    std::string s;
    for (const Elemento& e : q_.elementi) {
      const Genere g = e.genere;
      const Posto posto = aspetto(g).pianta.posto;
      if (posto != Posto::accanto && posto != Posto::sul_binario) continue;
      const int32_t metro = std::min(e.metro, oltre_);
      const Vettore t = schermo(metro), n = normale(metro);
      const Vettore p = posto == Posto::sul_binario ? t : Vettore{t.x + n.x * scostamento, t.y + n.y * scostamento};
      std::string titolo = e.descrizione;
      if (e.metro > oltre_) titolo += " (oltre la traccia disegnata: segnato alla sua fine)";
      s += segno(g, p.x, p.y, titolo);
      presenti_.insert(g);
      ostacoli_.push_back(riquadro_segno(p.x, p.y));
      allarga(riquadro_segno(p.x, p.y));
      da_posare(e, metro);
    }
    return s;
  }

  // Places beside the point: off either side of the track at growing
  // distances, each also slid along it by steps of the box's extent that
  // way, nearest first.
  std::vector<Riquadro> posti(const DaPosare& d) const {
    const Vettore t = schermo(d.metro), n = normale(d.metro);
    const Riquadro r = riquadro_etichetta(d.testo, 0, 0, d.stile);
    const Vettore tangente{n.y, -n.x};
    const double lungo = std::abs(tangente.x) * r.l + std::abs(tangente.y) * r.a;
    std::vector<Spostamento> scivola;
    for (double f : {0.3, 0.6, 1.0}) scivola.push_back({tangente.x * lungo * f, tangente.y * lungo * f});
    for (double f : {0.3, 0.6, 1.0}) scivola.push_back({-tangente.x * lungo * f, -tangente.y * lungo * f});
    std::vector<Riquadro> tutti;
    for (double distanza : {scostamento + 6, scostamento + 16, scostamento + 30, scostamento + 48, scostamento + 70}) {
      for (double lato : {d.dal_lato_dei_segni ? 1.0 : -1.0, d.dal_lato_dei_segni ? -1.0 : 1.0}) {
        const Vettore u{n.x * lato, n.y * lato};
        // The box's centre lies far enough along u that its near side is at the distance.
        const double sporgenza = std::abs(u.x) * r.l / 2 + std::abs(u.y) * r.a / 2;
        const double cx = t.x + u.x * (distanza + sporgenza), cy = t.y + u.y * (distanza + sporgenza);
        const auto p = posti_spostati({cx - r.l / 2, cy - r.a / 2, r.l, r.a}, scivola);
        tutti.insert(tutti.end(), p.begin(), p.end());
      }
    }
    ordina_per_vicinanza(tutti, t.x, t.y);
    return tutti;
  }

  std::string etichette(int& omesse) {
    for (const auto& p : traccia_.campioni_ogni(4)) ostacoli_.push_back({p.x - 2, p.y - 2, 4, 4});
    std::vector<Etichetta> etichette;
    for (const DaPosare& d : da_posare_) etichette.push_back({posti(d), d.priorita});
    const auto scelti = posa_etichette(etichette, ostacoli_);
    std::string s = "<g class=\"etichette\">\n";
    for (size_t i = 0; i < scelti.size(); ++i) {
      if (!scelti[i]) {
        ++omesse;
        continue;
      }
      const Riquadro& r = etichette[i].posti[*scelti[i]];
      allarga(r);
      // A label pushed off its point gets a thin leader back to it.
      const Vettore t = schermo(da_posare_[i].metro);
      const double vx = std::clamp(t.x, r.x, r.destra()), vy = std::clamp(t.y, r.y, r.basso());
      if (distanza_piana(vx - t.x, vy - t.y) > scostamento + 12)
        s += "<line x1=\"" + num(t.x) + "\" y1=\"" + num(t.y) + "\" x2=\"" + num(vx) + "\" y2=\"" + num(vy) +
             "\" stroke=\"#999999\" stroke-width=\"0.7\"/>\n";
      s += testo_in(r, da_posare_[i].testo, da_posare_[i].stile);
    }
    return s + "</g>\n";
  }

  const Quadro& q_;
  const std::vector<double>& x_;
  const std::vector<double>& y_;
  int32_t ultimo_ = 0, fine_ = 0, oltre_ = 0;
  double scala_ = 1, minx_ = 0, maxy_ = 0;
  int64_t passo_ = 1000;
  Riquadro ingombro_;
  Traccia traccia_;
  std::set<Genere> presenti_;
  std::vector<DaPosare> da_posare_;
  std::vector<Riquadro> ostacoli_;
};

}  // namespace

Pianta disegna_pianta(const Quadro& quadro, const std::vector<double>& x, const std::vector<double>& y) {
  if (x.size() < 4 || y.size() != x.size()) return {};
  return Disegno(quadro, x, y).pianta();
}

}  // namespace scenario::strumenti
