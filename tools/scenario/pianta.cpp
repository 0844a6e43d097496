#include "pianta.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <set>

#include "base/cp1252.h"

namespace scenario::strumenti {
namespace {

constexpr double larghezza_max = 1400;  // pixels of the drawing, margins aside
constexpr double altezza_max = 1000;
constexpr double margine_minimo = 120;
constexpr double larghezza_lettera = 7.5;  // of a bold 11 px station name, roughly
constexpr double altezza_legenda = 150;
constexpr int32_t passo_traccia = 25;  // metres between points of the polyline

struct Punto {
  double x, y;
};

std::string num(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.1f", v);
  return buf;
}

std::string xml(std::string_view t) {
  std::string out;
  for (char c : t) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&apos;"; break;
      default:
        // XML 1.0 admits no other control characters.
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n')
          out += ' ';
        else
          out += c;
    }
  }
  return out;
}

// The symbols, one row each in the legend.
enum class Forma { anello, punto, quadrato, rombo, triangolo, tratto, puntino };
struct Simbolo {
  const char* nome;
  const char* colore;
  Forma forma;
};
constexpr Simbolo stazione_s{"stazione", "#000000", Forma::anello};
constexpr Simbolo segnale_s{"segnale", "#d62728", Forma::punto};
constexpr Simbolo indicatori_s{"indicatori di velocita' massima", "#1f77b4", Forma::quadrato};
constexpr Simbolo cartello_s{"cartello indicatore", "#2ca02c", Forma::rombo};
constexpr Simbolo avviso_s{"avviso di rallentamento", "#ff7f0e", Forma::triangolo};
constexpr Simbolo rallentamento_s{"rallentamento (inizio-fine)", "#ff7f0e", Forma::tratto};
constexpr Simbolo abbattimento_s{"abbattimento", "#9467bd", Forma::puntino};
constexpr Simbolo simboli[] = {stazione_s, segnale_s,       indicatori_s,  cartello_s,
                               avviso_s,   rallentamento_s, abbattimento_s};

class Disegno {
 public:
  explicit Disegno(const DatiPianta& d) : d_(d) {
    const int32_t ultimo = static_cast<int32_t>(d.profilo.x.size()) - 3;  // the last two metres are empty
    const int32_t lunghezza = d.stazioni[slot::treno].fine_zona;
    fine_ = std::clamp(lunghezza > 0 ? lunghezza : ultimo, 0, std::max(ultimo, 0));
    double minx = 1e300, maxx = -1e300, miny = 1e300, maxy = -1e300;
    for (int32_t m = 0; m <= fine_; m += std::min(passo_traccia, std::max(fine_ - m, 1))) {
      const Punto p = piano(m);
      minx = std::min(minx, p.x), maxx = std::max(maxx, p.x);
      miny = std::min(miny, p.y), maxy = std::max(maxy, p.y);
      if (m == fine_) break;
    }
    // Room beside the track for the longest station name.
    size_t nome_piu_lungo = 0;
    for (int32_t s = slot::prima_stazione; s <= slot::primo_cartello; ++s)
      nome_piu_lungo = std::max(nome_piu_lungo, d.stazioni[static_cast<size_t>(s)].nome.size());
    margine = std::max(margine_minimo, 30 + larghezza_lettera * static_cast<double>(nome_piu_lungo));
    const double w = std::max(maxx - minx, 1.0), h = std::max(maxy - miny, 1.0);
    scala_ = std::min(larghezza_max / w, altezza_max / h);
    minx_ = minx;
    maxy_ = maxy;
    larghezza_ = std::max(w * scala_ + 2 * margine, 700.0);
    altezza_ = h * scala_ + 2 * margine + altezza_legenda;
  }

  std::string svg() {
    out_ += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out_ += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + num(larghezza_) + "\" height=\"" + num(altezza_) +
            "\" viewBox=\"0 0 " + num(larghezza_) + " " + num(altezza_) + "\" font-family=\"sans-serif\">\n";
    out_ += "<title>" + xml(d_.titolo) + "</title>\n";
    out_ += "<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n";
    traccia();
    chilometri();
    rallentamenti();
    celle();
    stazioni();
    legenda();
    out_ += "</svg>\n";
    return std::move(out_);
  }

 private:
  // Plan coordinates of metre m (y up), clamped to the drawn stretch.
  Punto piano(int64_t m) const {
    const size_t i = static_cast<size_t>(std::clamp<int64_t>(m, 0, static_cast<int64_t>(d_.profilo.x.size()) - 1));
    return {d_.profilo.x[i].valore(), d_.profilo.y[i].valore()};
  }
  // Canvas coordinates of metre m.
  Punto schermo(int64_t m) const {
    const Punto p = piano(std::clamp<int64_t>(m, 0, fine_));
    return {margine + (p.x - minx_) * scala_, altezza_legenda + margine + (maxy_ - p.y) * scala_};
  }
  // Unit normal to the track at metre m, on the canvas.
  Punto normale(int64_t m) const {
    const Punto a = schermo(std::max<int64_t>(m - 50, 0)), b = schermo(std::min<int64_t>(m + 50, fine_));
    const double dx = b.x - a.x, dy = b.y - a.y, l = std::hypot(dx, dy);
    if (l == 0) return {1, 0};
    return {-dy / l, dx / l};
  }

  void polilinea(int64_t da, int64_t a, const std::string& stile) {
    out_ += "<polyline fill=\"none\" " + stile + " points=\"";
    for (int64_t m = da;; m = std::min<int64_t>(m + passo_traccia, a)) {
      const Punto p = schermo(m);
      out_ += num(p.x) + "," + num(p.y) + " ";
      if (m >= a) break;
    }
    out_ += "\"/>\n";
  }

  void traccia() { polilinea(0, fine_, "stroke=\"#444444\" stroke-width=\"2\""); }

  void chilometri() {
    out_ += "<g stroke=\"#444444\" stroke-width=\"1\" font-size=\"10\" fill=\"#444444\">\n";
    for (int64_t km = 0; km * 1000 <= fine_; ++km) {
      const bool decina = km % 10 == 0;
      const double l = decina ? 9 : 4;
      const Punto p = schermo(km * 1000), n = normale(km * 1000);
      out_ += "<line x1=\"" + num(p.x - n.x * l) + "\" y1=\"" + num(p.y - n.y * l) + "\" x2=\"" + num(p.x + n.x * l) +
              "\" y2=\"" + num(p.y + n.y * l) + "\"/>\n";
      if (decina)
        out_ += "<text stroke=\"none\" x=\"" + num(p.x + n.x * 26) + "\" y=\"" + num(p.y + n.y * 26 + 3) +
                "\" text-anchor=\"middle\">km " + std::to_string(km) + "</text>\n";
    }
    out_ += "</g>\n";
  }

  void rallentamenti() {
    const auto& c = d_.celle;
    for (size_t i = 0; i < c.size(); ++i) {
      if (c[i].codice != codice_cella::inizio_rallentamento) continue;
      size_t j = i;
      while (j < c.size() && c[j].codice != codice_cella::fine_rallentamento &&
             (j == i || c[j].codice != codice_cella::inizio_rallentamento))
        ++j;
      if (j == c.size()) j = i;
      polilinea(metro_di_cella(i), metro_di_cella(j),
                std::string("stroke=\"") + rallentamento_s.colore + "\" stroke-width=\"6\" stroke-opacity=\"0.6\"");
      const Punto p = schermo(metro_di_cella(i)), n = normale(metro_di_cella(i));
      out_ += "<text x=\"" + num(p.x + n.x * 14) + "\" y=\"" + num(p.y + n.y * 14) + "\" font-size=\"10\" fill=\"" +
              rallentamento_s.colore + "\" text-anchor=\"middle\">" + std::to_string(c[i].valore1) + "</text>\n";
    }
  }

  void simbolo(const Simbolo& s, Punto p, const std::string& titolo) {
    const std::string colore = s.colore;
    out_ += "<g><title>" + xml(titolo) + "</title>";
    switch (s.forma) {
      case Forma::punto:
        out_ += "<circle cx=\"" + num(p.x) + "\" cy=\"" + num(p.y) + "\" r=\"3.5\" fill=\"" + colore + "\"/>";
        break;
      case Forma::quadrato:
        out_ += "<rect x=\"" + num(p.x - 3) + "\" y=\"" + num(p.y - 3) + "\" width=\"6\" height=\"6\" fill=\"" +
                colore + "\"/>";
        break;
      case Forma::rombo:
        out_ += "<path d=\"M" + num(p.x) + " " + num(p.y - 4.5) + "L" + num(p.x + 4.5) + " " + num(p.y) + "L" +
                num(p.x) + " " + num(p.y + 4.5) + "L" + num(p.x - 4.5) + " " + num(p.y) + "Z\" fill=\"" + colore +
                "\"/>";
        break;
      case Forma::triangolo:
        out_ += "<path d=\"M" + num(p.x) + " " + num(p.y - 5) + "L" + num(p.x + 4.5) + " " + num(p.y + 3.5) + "L" +
                num(p.x - 4.5) + " " + num(p.y + 3.5) + "Z\" fill=\"" + colore + "\"/>";
        break;
      case Forma::puntino:
        out_ += "<circle cx=\"" + num(p.x) + "\" cy=\"" + num(p.y) + "\" r=\"2\" fill=\"" + colore + "\"/>";
        break;
      case Forma::anello:
        out_ += "<circle cx=\"" + num(p.x) + "\" cy=\"" + num(p.y) + "\" r=\"5\" fill=\"#ffffff\" stroke=\"" + colore +
                "\" stroke-width=\"2\"/>";
        break;
      case Forma::tratto:
        out_ += "<line x1=\"" + num(p.x - 8) + "\" y1=\"" + num(p.y) + "\" x2=\"" + num(p.x + 8) + "\" y2=\"" +
                num(p.y) + "\" stroke=\"" + colore + "\" stroke-width=\"6\" stroke-opacity=\"0.6\"/>";
        break;
    }
    out_ += "</g>\n";
  }

  // Point features sit off the track on its side so that they do not hide it.
  void celle() {
    const auto& c = d_.celle;
    for (size_t i = 0; i < c.size(); ++i) {
      const int64_t m = metro_di_cella(i);
      if (m < 0 || m > fine_) continue;
      const Punto t = schermo(m), n = normale(m);
      const Punto fuori{t.x + n.x * 7, t.y + n.y * 7};
      const std::string dove = " a " + std::to_string(m) + " m";
      switch (c[i].codice) {
        case codice_cella::segnale: simbolo(segnale_s, fuori, "segnale" + dove); break;
        case codice_cella::indicatori_vmax:
          simbolo(indicatori_s, fuori, "indicatori di velocita' massima" + dove);
          break;
        case codice_cella::avviso_rallentamento:
          simbolo(avviso_s, fuori, "avviso di rallentamento " + std::to_string(c[i].valore1) + " km/h" + dove);
          break;
        case codice_cella::abbattimento:
        case codice_cella::abbattimento_nullo: simbolo(abbattimento_s, t, "abbattimento" + dove); break;
        case codice_cella::cartello: {
          const int16_t s = c[i].valore1;
          const std::string testo = s >= 0 && s < slot::numero ? a_utf8(d_.stazioni[static_cast<size_t>(s)].nome) : "";
          simbolo(cartello_s, fuori, "cartello" + dove + ": " + testo);
          out_ += "<text x=\"" + num(fuori.x + n.x * 8) + "\" y=\"" + num(fuori.y + n.y * 8) +
                  "\" font-size=\"9\" fill=\"" + cartello_s.colore + "\">" + xml(testo) + "</text>\n";
          break;
        }
        default: break;
      }
    }
  }

  // Stations fill the slots from 1 upward; the indicator signs' texts take
  // slots from 80 downward and are named by the cells that show them.
  void stazioni() {
    std::set<int32_t> cartelli;
    for (const cella& c : d_.celle)
      if (c.codice == codice_cella::cartello) cartelli.insert(c.valore1);
    for (int32_t s = slot::prima_stazione; s <= slot::primo_cartello; ++s) {
      const stazione& st = d_.stazioni[static_cast<size_t>(s)];
      if (cartelli.count(s) || st == stazione{}) continue;
      const int64_t m = st.posizione_stazione;
      const Punto p = schermo(m), n = normale(m);
      simbolo(stazione_s, p, a_utf8(st.nome) + " a " + std::to_string(m) + " m");
      out_ += "<text x=\"" + num(p.x - n.x * 12) + "\" y=\"" + num(p.y - n.y * 12) +
              "\" font-size=\"11\" font-weight=\"bold\"" + (n.x > 0 ? " text-anchor=\"end\"" : "") + ">" +
              xml(a_utf8(st.nome)) + "</text>\n";
    }
  }

  void legenda() {
    out_ += "<text x=\"" + num(margine) + "\" y=\"28\" font-size=\"16\" font-weight=\"bold\">" + xml(d_.titolo) +
            "</text>\n";
    out_ += "<text x=\"" + num(margine) + "\" y=\"46\" font-size=\"11\">lunghezza " + std::to_string(fine_) +
            " m; tacche ogni km, numerate ogni 10 km</text>\n";
    double y = 66;
    double x = margine;
    for (const Simbolo& s : simboli) {
      simbolo(s, {x + 8, y - 4}, s.nome);
      out_ += "<text x=\"" + num(x + 22) + "\" y=\"" + num(y) + "\" font-size=\"11\">" + xml(s.nome) + "</text>\n";
      y += 18;
      if (y > altezza_legenda - 10) y = 66, x += 260;
    }
  }

  const DatiPianta& d_;
  double margine = margine_minimo;
  int32_t fine_ = 0;
  double scala_ = 1, minx_ = 0, maxy_ = 0, larghezza_ = 0, altezza_ = 0;
  std::string out_;
};

}  // namespace

std::string pianta_svg(const DatiPianta& dati) {
  if (dati.profilo.x.size() < 4) return {};
  return Disegno(dati).svg();
}

}  // namespace scenario::strumenti
