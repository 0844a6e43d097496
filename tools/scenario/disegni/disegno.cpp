#include "disegni/disegno.h"

#include <algorithm>
#include <cmath>

namespace scenario::strumenti {
namespace {

constexpr double lato_segno = 10;  // every mark fits in this square
constexpr StileTesto stile_legenda{11, false, "#000000"};
constexpr double riga_legenda = 18;

std::string attributo(const char* nome, double v) { return std::string(" ") + nome + "=\"" + num(v) + "\""; }

}  // namespace

std::string forma(Genere g, double x, double y) {
  const Aspetto& a = aspetto(g);
  const std::string c = a.colore;
  auto percorso = [&](std::string d, const std::string& resto) { return "<path d=\"" + d + "\"" + resto + "/>"; };
  auto p = [](double x_, double y_) { return num(x_) + " " + num(y_); };
  switch (a.forma) {
    case Forma::anello:
      return "<circle" + attributo("cx", x) + attributo("cy", y) + " r=\"4.5\" fill=\"#ffffff\" stroke=\"" + c +
             "\" stroke-width=\"2\"/>";
    case Forma::punto: return "<circle" + attributo("cx", x) + attributo("cy", y) + " r=\"3.5\" fill=\"" + c + "\"/>";
    case Forma::puntino: return "<circle" + attributo("cx", x) + attributo("cy", y) + " r=\"2\" fill=\"" + c + "\"/>";
    case Forma::quadrato:
      return "<rect" + attributo("x", x - 3) + attributo("y", y - 3) + " width=\"6\" height=\"6\" fill=\"" + c + "\"/>";
    case Forma::rombo:
      return percorso("M" + p(x, y - 4.5) + "L" + p(x + 4.5, y) + "L" + p(x, y + 4.5) + "L" + p(x - 4.5, y) + "Z",
                      " fill=\"" + c + "\"");
    case Forma::triangolo:
      return percorso("M" + p(x, y - 5) + "L" + p(x + 4.5, y + 3.5) + "L" + p(x - 4.5, y + 3.5) + "Z",
                      " fill=\"" + c + "\"");
    case Forma::croce:
      return percorso("M" + p(x - 4, y - 4) + "L" + p(x + 4, y + 4) + "M" + p(x - 4, y + 4) + "L" + p(x + 4, y - 4),
                      " stroke=\"" + c + "\" stroke-width=\"2.5\"");
    case Forma::punto_esclamativo:
      return percorso("M" + p(x, y - 5) + "L" + p(x + 5, y + 4) + "L" + p(x - 5, y + 4) + "Z",
                      " fill=\"none\" stroke=\"" + c + "\" stroke-width=\"1.5\"");
    case Forma::fascia:
      return "<line" + attributo("x1", x - 8) + attributo("y1", y) + attributo("x2", x + 8) + attributo("y2", y) +
             " stroke=\"" + c + "\" stroke-width=\"6\" stroke-opacity=\"0.6\"/>";
    case Forma::barra:
      return "<rect" + attributo("x", x - 8) + attributo("y", y - 2.5) + " width=\"16\" height=\"5\" fill=\"" + c +
             "\" fill-opacity=\"0.7\"/>";
    case Forma::area:
      return "<rect" + attributo("x", x - 8) + attributo("y", y - 4) + " width=\"16\" height=\"8\" fill=\"" + c +
             "\" fill-opacity=\"0.45\"/>";
    case Forma::gradini:
      return percorso("M" + p(x - 8, y + 3) + "H" + num(x - 2) + "V" + num(y - 3) + "H" + num(x + 8),
                      " fill=\"none\" stroke=\"" + c + "\" stroke-width=\"2\"");
  }
  return {};
}

std::string segno(Genere g, double x, double y, std::string_view titolo) {
  return std::string("<g data-genere=\"") + aspetto(g).id + "\"><title>" + xml(titolo) + "</title>" + forma(g, x, y) +
         "</g>\n";
}

Riquadro riquadro_segno(double x, double y) { return {x - lato_segno / 2, y - lato_segno / 2, lato_segno, lato_segno}; }

Riquadro riquadro_etichetta(std::string_view utf8, double x, double y, const StileTesto& s) {
  Riquadro r = riquadro_testo(utf8, x, 0, s.corpo, s.neretto, Ancora::inizio);
  r.y = y;
  return r;
}

StileTesto stile_di(Genere g) {
  const Aspetto& a = aspetto(g);
  return {a.scritta.corpo, a.scritta.neretto, a.colore};
}

std::string testo_in(const Riquadro& posto, std::string_view utf8, const StileTesto& s) {
  // The baseline lies the face's ascent below the top of the box.
  const double ascesa = -riquadro_testo("", 0, 0, s.corpo, s.neretto, Ancora::inizio).y;
  std::string t = "<text class=\"etichetta\"" + attributo("x", posto.x) + attributo("y", posto.y + ascesa) +
                  " font-size=\"" + num(s.corpo) + "\"";
  if (s.neretto) t += " font-weight=\"bold\"";
  if (std::string_view(s.colore) != "#000000") t += std::string(" fill=\"") + s.colore + "\"";
  return t + ">" + xml(utf8) + "</text>\n";
}

std::string legenda(const std::set<Genere>& presenti, double x, double y, double larghezza, double& altezza) {
  double colonna = 0;
  for (Genere g : presenti) colonna = std::max(colonna, 30 + larghezza_testo(aspetto(g).nome, stile_legenda.corpo));
  const auto colonne = static_cast<size_t>(std::max(1.0, std::floor((larghezza + 10) / (colonna + 10))));
  const size_t righe = (presenti.size() + colonne - 1) / colonne;
  std::string out = "<g class=\"legenda\">\n";
  size_t k = 0;
  for (Genere g : presenti) {
    // Filled down each column, then across.
    const double cx = x + static_cast<double>(k / std::max<size_t>(righe, 1)) * (colonna + 10);
    const double cy = y + static_cast<double>(k % std::max<size_t>(righe, 1)) * riga_legenda;
    out +=
        std::string("<g data-legenda=\"") + aspetto(g).id + "\">" + forma(g, cx + 9, cy + riga_legenda / 2) + "</g>\n";
    out +=
        testo_in(riquadro_etichetta(aspetto(g).nome, cx + 24, cy + 2, stile_legenda), aspetto(g).nome, stile_legenda);
    ++k;
  }
  altezza = static_cast<double>(righe) * riga_legenda;
  return out + "</g>\n";
}

int64_t passo_tacche(double pixel_per_metro, double minimo_px) {
  for (int64_t potenza = 100;; potenza *= 10) {
    for (int64_t f : {1, 2, 5})
      if (static_cast<double>(f * potenza) * pixel_per_metro >= minimo_px) return f * potenza;
    if (potenza > 1'000'000'000) return potenza;
  }
}

std::string etichetta_tacca(int64_t metro, int64_t passo) {
  if (passo % 1000 == 0 || metro % 1000 == 0) return "km " + std::to_string(metro / 1000);
  return "km " + std::to_string(metro / 1000) + "." + std::to_string(metro % 1000 / 100);
}

std::string documento_svg(const Riquadro& v, std::string_view id, std::string_view titolo, std::string_view corpo) {
  std::string out = "<svg xmlns=\"http://www.w3.org/2000/svg\" id=\"" + std::string(id) + "\" width=\"" + num(v.l) +
                    "\" height=\"" + num(v.a) + "\" viewBox=\"" + num(v.x) + " " + num(v.y) + " " + num(v.l) + " " +
                    num(v.a) + "\" font-family=\"" + famiglia_caratteri + "\">\n";
  out += "<title>" + xml(titolo) + "</title>\n";
  out += "<rect" + attributo("x", v.x) + attributo("y", v.y) + attributo("width", v.l) + attributo("height", v.a) +
         " fill=\"#ffffff\"/>\n";
  out += corpo;
  out += "</svg>\n";
  return out;
}

}  // namespace scenario::strumenti
