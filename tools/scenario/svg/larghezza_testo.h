#pragma once
// How wide a line of text is drawn, without a font at hand: the drawings
// name DejaVu Sans first, and its widths are tabled here, so that labels are
// placed apart from each other before any browser lays them out.

#include <string_view>

#include "svg/svg.h"

namespace scenario::strumenti {

// Width in pixels of a UTF-8 text at this font size (pixels per em).
double larghezza_testo(std::string_view utf8, double corpo, bool neretto = false);

// Where a text's x lies in its box, as SVG's text-anchor says.
enum class Ancora { inizio, centro, fine };
const char* nome_ancora(Ancora a);  // "start", "middle", "end"

// The box a text drawn at (x, baseline y) covers: the face's ascent above the
// baseline and its descent below, as a browser measures it.
Riquadro riquadro_testo(std::string_view utf8, double x, double y, double corpo, bool neretto, Ancora ancora);

}  // namespace scenario::strumenti
