#pragma once
// Placing labels so that no two overlap, for the plan and the profile alike.
// Each label offers its places, nearest to its point first (where it
// belongs, then shifted, then stacked further off); labels go down in order
// of priority, each in its first place that touches neither an obstacle nor
// a label already placed, and a label with no free place is left out.

#include <cstddef>
#include <optional>
#include <vector>

#include "svg/svg.h"

namespace scenario::strumenti {

struct Etichetta {
  std::vector<Riquadro> posti;  // in order of preference
  int priorita = 0;             // higher goes first; equal ones in the given order
};

// Blank kept around a label, in pixels: enough across to read two labels
// apart, a little up and down so that stacked rows stay close; either way
// more than a browser's rounding of its text boxes.
inline constexpr double aria_orizzontale = 4, aria_verticale = 2;

// For each label, the index of the place it takes, or nothing when it is
// left out. Obstacles (marks, the track) are kept clear as labels are.
std::vector<std::optional<size_t>> posa_etichette(const std::vector<Etichetta>& etichette,
                                                  const std::vector<Riquadro>& ostacoli = {});

// The places of one label: the box as given, then the box moved by each of
// the shifts, in order.
struct Spostamento {
  double dx = 0, dy = 0;
};
std::vector<Riquadro> posti_spostati(const Riquadro& base, const std::vector<Spostamento>& spostamenti);

// The usual shifts: along (lungo_x, lungo_y), a box's length, by half of it
// and all of it either way (with the blank beside a box), then the same
// again one step of (passo_x, passo_y) further off, up to pile steps.
std::vector<Spostamento> spostamenti_a_pila(double lungo_x, double lungo_y, double passo_x, double passo_y, int pile);

// Places in order of how far each leaves the label from its point (from the
// point to the box's nearest edge), the given order among equals: a label
// moves as little as it can.
void ordina_per_vicinanza(std::vector<Riquadro>& posti, double x, double y);

}  // namespace scenario::strumenti
