#include "svg/etichette.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numeric>
#include <unordered_map>

namespace scenario::strumenti {
namespace {

// Boxes taken so far, indexed by the grid squares they cover, so that a
// long line's thousands of labels each meet only their neighbours.
class Occupati {
 public:
  bool libero(const Riquadro& r) const {
    const Riquadro g = gonfia(r);
    bool ok = true;
    per_quadrati(g, [&](int64_t chiave) {
      if (!ok) return;
      auto it = griglia_.find(chiave);
      if (it == griglia_.end()) return;
      for (size_t i : it->second)
        if (riquadri_[i].tocca(g)) ok = false;
    });
    return ok;
  }

  void occupa(const Riquadro& r) {
    const size_t i = riquadri_.size();
    riquadri_.push_back(r);
    per_quadrati(r, [&](int64_t chiave) { griglia_[chiave].push_back(i); });
  }

 private:
  static constexpr double lato = 64;

  static Riquadro gonfia(const Riquadro& r) {
    return {r.x - aria_orizzontale, r.y - aria_verticale, r.l + 2 * aria_orizzontale, r.a + 2 * aria_verticale};
  }

  template <typename F>
  static void per_quadrati(const Riquadro& r, F&& f) {
    const auto i0 = static_cast<int64_t>(std::floor(r.x / lato)),
               i1 = static_cast<int64_t>(std::floor(r.destra() / lato));
    const auto j0 = static_cast<int64_t>(std::floor(r.y / lato)),
               j1 = static_cast<int64_t>(std::floor(r.basso() / lato));
    for (int64_t i = i0; i <= i1; ++i)
      for (int64_t j = j0; j <= j1; ++j) f(i * 1000003 + j);
  }

  std::vector<Riquadro> riquadri_;
  std::unordered_map<int64_t, std::vector<size_t>> griglia_;
};

}  // namespace

std::vector<std::optional<size_t>> posa_etichette(const std::vector<Etichetta>& etichette,
                                                  const std::vector<Riquadro>& ostacoli) {
  Occupati occupati;
  for (const Riquadro& o : ostacoli) occupati.occupa(o);
  std::vector<size_t> ordine(etichette.size());
  std::iota(ordine.begin(), ordine.end(), size_t{0});
  std::stable_sort(ordine.begin(), ordine.end(),
                   [&](size_t a, size_t b) { return etichette[a].priorita > etichette[b].priorita; });
  std::vector<std::optional<size_t>> scelti(etichette.size());
  for (size_t e : ordine) {
    const auto& posti = etichette[e].posti;
    for (size_t p = 0; p < posti.size(); ++p) {
      if (!occupati.libero(posti[p])) continue;
      occupati.occupa(posti[p]);
      scelti[e] = p;
      break;
    }
  }
  return scelti;
}

std::vector<Riquadro> posti_spostati(const Riquadro& base, const std::vector<Spostamento>& spostamenti) {
  std::vector<Riquadro> posti{base};
  for (const Spostamento& s : spostamenti) posti.push_back({base.x + s.dx, base.y + s.dy, base.l, base.a});
  return posti;
}

std::vector<Spostamento> spostamenti_a_pila(double lungo_x, double lungo_y, double passo_x, double passo_y, int pile) {
  // A slide of a whole box also clears the blank kept beside it.
  const double l = distanza_piana(lungo_x, lungo_y);
  if (l > 0) {
    const double f = (l + 2 * aria_orizzontale) / l;
    lungo_x *= f, lungo_y *= f;
  }
  std::vector<Spostamento> s;
  for (int k = 0; k < pile; ++k) {
    const double px = passo_x * k, py = passo_y * k;
    if (k > 0) s.push_back({px, py});
    for (double f : {-0.5, 0.5, -1.0, 1.0}) s.push_back({px + lungo_x * f, py + lungo_y * f});
  }
  return s;
}

void ordina_per_vicinanza(std::vector<Riquadro>& posti, double x, double y) {
  auto distanza = [&](const Riquadro& r) {
    const double dx = std::max({r.x - x, 0.0, x - r.destra()}), dy = std::max({r.y - y, 0.0, y - r.basso()});
    return distanza_piana(dx, dy);
  };
  std::stable_sort(posti.begin(), posti.end(),
                   [&](const Riquadro& a, const Riquadro& b) { return distanza(a) < distanza(b); });
}

}  // namespace scenario::strumenti
