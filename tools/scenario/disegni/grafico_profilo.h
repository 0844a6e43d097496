#pragma once
// The line along its length as SVG: a kilometre axis from 0 to the last cell
// with the stations, signs, board values, warning boards and problems
// labelled above, a row of marks for each kind, the train's speed limit and
// the slowdowns' speeds, the gradient and the montagna spans.

#include <string>

#include "disegni/quadro.h"
#include "svg/svg.h"

namespace scenario::strumenti {

struct GraficoProfilo {
  std::string svg;  // the <svg> element, without an XML declaration
  Riquadro vista;   // its view box
  double x0 = 0;    // canvas x of metre 0
  double pixel_per_metro = 0;
  double cima = 0, fondo = 0;  // the span a cursor line crosses
  int etichette_omesse = 0;    // labels with no free place
};

GraficoProfilo disegna_profilo(const Quadro& quadro);

// Points of a line drawn left to right, thinned to what a pixel column
// shows: where several fall within half a pixel, the first, the lowest, the
// highest and the last of them.
struct PuntoGrafico {
  double x, y;
};
std::vector<PuntoGrafico> assottiglia(const std::vector<PuntoGrafico>& punti);

}  // namespace scenario::strumenti
