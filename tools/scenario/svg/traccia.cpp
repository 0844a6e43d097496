#include "svg/traccia.h"

#include <algorithm>
#include <cmath>

#include "svg/svg.h"

namespace scenario::strumenti {
namespace {

double distanza_dal_segmento(const PuntoTraccia& p, const PuntoTraccia& a, const PuntoTraccia& b) {
  const double dx = b.x - a.x, dy = b.y - a.y, l2 = dx * dx + dy * dy;
  double t = l2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / l2 : 0;
  t = std::clamp(t, 0.0, 1.0);
  return distanza_piana(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

}  // namespace

Traccia::Traccia(Punto punto, int32_t da, int32_t a, int32_t passo, double tolleranza) : punto_(std::move(punto)) {
  for (int32_t m = da;; m = std::min(m + passo, a)) {
    const auto [x, y] = punto_(m);
    if (!campioni_.empty()) lunghezza_ += distanza_piana(x - campioni_.back().x, y - campioni_.back().y);
    campioni_.push_back({m, x, y});
    if (m >= a) break;
  }
  // Douglas-Peucker without recursion: a span keeps its farthest point while
  // that point strays too far from the chord.
  std::vector<bool> tieni(campioni_.size(), false);
  tieni.front() = tieni.back() = true;
  std::vector<std::pair<size_t, size_t>> campate{{0, campioni_.size() - 1}};
  while (!campate.empty()) {
    const auto [i, j] = campate.back();
    campate.pop_back();
    double peggiore = 0;
    size_t k = i;
    for (size_t h = i + 1; h < j; ++h) {
      const double d = distanza_dal_segmento(campioni_[h], campioni_[i], campioni_[j]);
      if (d > peggiore) peggiore = d, k = h;
    }
    if (peggiore <= tolleranza) continue;
    tieni[k] = true;
    campate.push_back({i, k});
    campate.push_back({k, j});
  }
  for (size_t h = 0; h < campioni_.size(); ++h)
    if (tieni[h]) tenuti_.push_back(campioni_[h]);
}

std::vector<PuntoTraccia> Traccia::tra(int32_t da, int32_t a) const {
  std::vector<PuntoTraccia> out;
  if (!punto_) return out;
  auto esatto = [&](int32_t m) {
    const auto [x, y] = punto_(m);
    out.push_back({m, x, y});
  };
  esatto(da);
  auto it = std::upper_bound(tenuti_.begin(), tenuti_.end(), da,
                             [](int32_t m, const PuntoTraccia& p) { return m < p.metro; });
  for (; it != tenuti_.end() && it->metro < a; ++it) out.push_back(*it);
  if (a > da) esatto(a);
  return out;
}

std::vector<PuntoTraccia> Traccia::campioni_ogni(double pixel) const {
  std::vector<PuntoTraccia> out;
  for (const PuntoTraccia& p : campioni_)
    if (out.empty() || distanza_piana(p.x - out.back().x, p.y - out.back().y) >= pixel) out.push_back(p);
  return out;
}

}  // namespace scenario::strumenti
