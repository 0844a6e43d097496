#pragma once
// What the plan and the profile draw alike: the marks of each kind, labels,
// the legend of the kinds drawn, kilometre ticks and the SVG document.

#include <cstdint>
#include <set>
#include <string>
#include <string_view>

#include "disegni/generi.h"
#include "svg/larghezza_testo.h"
#include "svg/svg.h"

namespace scenario::strumenti {

// Families the drawings ask for; the first is the one whose widths are tabled.
inline constexpr const char* famiglia_caratteri = "DejaVu Sans, Verdana, sans-serif";

// The mark of a kind at (x, y), with its hover text: a group carrying
// data-genere, which the legend and the tests count.
std::string segno(Genere g, double x, double y, std::string_view titolo);
// The mark alone, as the legend shows it.
std::string forma(Genere g, double x, double y);
// The box a mark covers, for keeping labels off it.
Riquadro riquadro_segno(double x, double y);

// A label in the box placement gave it (drawn from its left edge).
struct StileTesto {
  double corpo = 11;
  bool neretto = false;
  const char* colore = "#000000";
};
// A kind's labels: its size and weight, in its colour.
StileTesto stile_di(Genere g);
std::string testo_in(const Riquadro& posto, std::string_view utf8, const StileTesto& stile);
// The box of a label drawn from its left edge at this top-left corner.
Riquadro riquadro_etichetta(std::string_view utf8, double x, double y, const StileTesto& stile);

// The kinds drawn, one entry each, flowing into columns no wider than
// larghezza from (x, y) down. Returns its SVG and sets altezza.
std::string legenda(const std::set<Genere>& presenti, double x, double y, double larghezza, double& altezza);

// Metres between kilometre ticks: 1, 2 or 5 times a power of ten, at least
// 100 m, the smallest that leaves minimo_px between ticks.
int64_t passo_tacche(double pixel_per_metro, double minimo_px);
// "km 12"; "km 12.5" between whole kilometres when ticks are closer.
std::string etichetta_tacca(int64_t metro, int64_t passo);

// The whole document around a drawing: view box, size, title, white ground.
std::string documento_svg(const Riquadro& vista, std::string_view id, std::string_view titolo, std::string_view corpo);

}  // namespace scenario::strumenti
