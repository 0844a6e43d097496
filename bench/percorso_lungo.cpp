#include "percorso_lungo.h"

#include <cmath>
#include <cstdio>
#include <set>
#include <string>

#include "support/generale_prova.h"

namespace scenario::bench {
namespace {

constexpr int lunghezza = 1000000;

std::string formato(const char* f, auto... v) {
  char buf[256];
  std::snprintf(buf, sizeof buf, f, v...);
  return buf;
}

// Cells taken by point features, so that no two land on the same cell.
struct Occupate {
  std::set<long> celle;
  bool libere(long da, long a) const {
    auto it = celle.lower_bound(da - 2);
    return it == celle.end() || *it > a + 2;
  }
  void prendi(long da, long a) {
    for (long c = da; c <= a; ++c) celle.insert(c);
  }
};

long cella_punto(long p) { return std::lround(p / 50.0 + 1); }

}  // namespace

TestiScenario percorso_piu_lungo() {
  TestiScenario t;
  auto& l = t.linea;
  l = test::righe_generale(std::to_string(lunghezza));
  l.push_back("[curve]");
  for (int k = 0, p = 800; p < lunghezza; ++k, p += 1600)
    l.push_back(formato("curva%c%d,  %d,  %d", k % 2 ? 's' : 'd', 1 + k % 5, p, 600 + 50 * (k % 5)));
  l.push_back("[pendenze]");
  for (int k = 0, p = 0; p < lunghezza; ++k, p += 10000) l.push_back(formato("pendenza,  %d,   %d", p, k % 4));
  l.push_back("[montagne]");
  for (int p = 8000; p < lunghezza; p += 16000) l.push_back(formato("montagna,   %d,  %d,  2", p, p + 400));

  Occupate occupate;
  l.push_back("[cartelli]");
  for (int p = 1300; p < lunghezza; p += 10000) {
    occupate.prendi(cella_punto(p), cella_punto(p));
    l.push_back(formato("indicatori_vmax,  %d,  125,  135,  135,  0,  ,  ,  ,  0", p));
  }
  l.push_back("[indicazioni]");
  for (int k = 0, p = 5050; p < lunghezza; ++k, p += 50000) {
    occupate.prendi(cella_punto(p), cella_punto(p));
    l.push_back(formato("cartello indicatore,  %d, BIVIO %d", p, k));
  }
  l.push_back("[fine]");

  auto& r = t.treno;
  r = test::righe_generale_treno("Scenario generato per le misure.");
  const int velocita[] = {30, 60, 80, 100, 120, 135};
  for (int k = 0, p = 0; p < lunghezza; ++k, p += 5000) r.push_back(formato("velocita,  %d,   %d", p, velocita[k % 6]));
  r.push_back("[stazioni]");
  r.push_back("stazione,       0,  8,  800,  0, 0, 0,  1,1,0,  4,1,1,    1,   8,40, 0, BELMORA CENTRALE");
  occupate.prendi(10, 16);
  for (int k = 1, p = 20000; p < lunghezza; ++k, p += 20000) {
    const long fine = (p + 200) / 50;
    occupate.prendi(fine - 6, fine);
    r.push_back(
        formato("stazione,  %d,  4,  400,  0, 0, 0,  1,1,0,  2,1,1,    0,   9,%d, 0, STAZIONE %d", p, k % 60, k));
  }
  r.push_back("[rallentamenti]");
  for (int x = 25000; x < lunghezza; x += 50000) {
    const long avviso = cella_punto(x - 1200), fine = cella_punto(x + 1000);
    if (!occupate.libere(avviso - 30, fine + 30)) continue;
    occupate.prendi(avviso - 30, fine + 30);
    r.push_back(formato("rallentamento,  %d,  60,  1000,  1,  0,  0", x));
  }
  for (int p = 40000; p < lunghezza; p += 50000) {
    const long c = std::lround(p / 50.0);
    if (!occupate.libere(c, c)) continue;
    occupate.prendi(c, c);
    r.push_back(formato("abbattimento,  %d,  80", p));
  }
  r.push_back("[segnali]");
  for (int p = 1400; p < lunghezza; p += 1600) {
    const long c = cella_punto(p);
    if (!occupate.libere(c - 8, c)) continue;
    occupate.prendi(c, c);
    r.push_back(formato("segnale,  %d,   1, 4, 1,  0, 0,    1,  3,1,0, 0", p));
  }
  r.push_back("[codici]");
  r.push_back("[fine]");
  return t;
}

std::string come_file(const std::vector<std::string>& righe) {
  std::string testo;
  for (const auto& r : righe) (testo += r) += "\r\n";
  return testo;
}

}  // namespace scenario::bench
