#pragma once
// Pieces of SVG text shared by the drawings: numbers written the same way on
// every platform, escaped text, boxes.

#include <cmath>
#include <string>
#include <string_view>

namespace scenario::strumenti {

// One decimal, shortest form ("12.5", "3", "-0.5"), whatever the locale.
std::string num(double v);

// Text for XML content or an attribute value; control characters XML does
// not admit become spaces.
std::string xml(std::string_view testo);

// The length of (dx, dy). Square root, products and sums are exact the same
// way everywhere, where std::hypot differs from one library to another.
inline double distanza_piana(double dx, double dy) { return std::sqrt(dx * dx + dy * dy); }

// An axis-aligned box on the canvas: left, top, width, height.
struct Riquadro {
  double x = 0, y = 0, l = 0, a = 0;

  double destra() const { return x + l; }
  double basso() const { return y + a; }
  bool tocca(const Riquadro& b) const { return x < b.destra() && b.x < destra() && y < b.basso() && b.y < basso(); }
};

}  // namespace scenario::strumenti
