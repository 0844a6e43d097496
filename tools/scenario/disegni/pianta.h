#pragma once
// The plan of a line as SVG: the track from the plan profile, up to the line's
// end and on, dashed, to the farthest feature beyond it; stations, signals,
// boards, signs, slowdowns, speed reductions, montagna spans and problems
// where they lie; kilometre ticks; a legend of the kinds drawn.

#include <cstdint>
#include <string>
#include <vector>

#include "disegni/quadro.h"
#include "svg/svg.h"
#include "svg/traccia.h"

namespace scenario::strumenti {

struct Pianta {
  std::string svg;                    // the <svg> element, without an XML declaration
  Riquadro vista;                     // its view box
  std::vector<PuntoTraccia> traccia;  // the drawn points, in order of metre
  int etichette_omesse = 0;           // labels with no free place
};

// Needs the plan profile (x, y per metre, at least four metres); empty svg
// otherwise.
Pianta disegna_pianta(const Quadro& quadro, const std::vector<double>& x, const std::vector<double>& y);

}  // namespace scenario::strumenti
