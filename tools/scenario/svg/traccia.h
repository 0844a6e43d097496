#pragma once
// The track of the plan as the drawing keeps it: points read from the
// profile every few metres, thinned to those that change what the pixels
// show (within a tolerance), each with its metre.

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

namespace scenario::strumenti {

// A point of the drawn track: its metre and where it lies on the canvas.
struct PuntoTraccia {
  int32_t metro = 0;
  double x = 0, y = 0;
};

class Traccia {
 public:
  using Punto = std::function<std::pair<double, double>(int32_t metro)>;

  Traccia() = default;
  // Reads metres da, da + passo, ... and a; keeps the points without which
  // the line would stray more than tolleranza from them.
  Traccia(Punto punto, int32_t da, int32_t a, int32_t passo, double tolleranza);

  const std::vector<PuntoTraccia>& punti_semplificati() const { return tenuti_; }
  // The line from metre da to metre a: both ends exact, the kept points between.
  std::vector<PuntoTraccia> tra(int32_t da, int32_t a) const;
  // Points read, no two closer than this along the line.
  std::vector<PuntoTraccia> campioni_ogni(double pixel) const;
  double lunghezza_px() const { return lunghezza_; }

 private:
  Punto punto_;
  std::vector<PuntoTraccia> campioni_, tenuti_;
  double lunghezza_ = 0;
};

}  // namespace scenario::strumenti
