#include "compiler/progressive.h"

#include <algorithm>
#include <array>

#include "compiler/numeri.h"
#include "compiler/stato.h"

namespace scenario {
namespace {

struct Riferimento {
  int32_t a = 0, b = 0, c = 0;
  int rango = 0;  // U 0, D 1, T 2: the order among equal first values
};

Riferimento leggi(const stazione& s, int rango) { return {s.inizio_zona, s.fine_zona, s.posizione_stazione, rango}; }

void scrivi(stazione& s, const Riferimento& r) {
  s.inizio_zona = r.a;
  s.fine_zona = r.b;
  s.posizione_stazione = r.c;
}

}  // namespace

void progressive_ordina(Stato& stato) {
  auto& st = stato.stazioni;
  const Riferimento u = leggi(st[slot::progressiva_uno], 0);
  const Riferimento d = leggi(st[slot::progressiva_due], 1);
  const Riferimento t = leggi(st[slot::progressiva_tre], 2);

  std::array<Riferimento, 3> ordine;  // slots 81, 82, 83
  if (a32(int64_t{u.a} + d.a + t.a) != 0) {
    // Greatest first value first; equal values keep U before D before T.
    ordine = {u, d, t};
    std::stable_sort(ordine.begin(), ordine.end(),
                     [](const Riferimento& x, const Riferimento& y) { return x.a > y.a; });
  } else if (u.b > 0) {
    ordine = {u, d, t};
  } else if (d.b > 0) {
    ordine = {d, t, u};
  } else if (t.b > 0) {
    ordine = {t, d, u};
  } else {
    ordine = {Riferimento{}, Riferimento{}, Riferimento{}};
  }

  for (auto& r : ordine)
    if (r.c == 1) r.b = a32(int64_t{r.b} + 100);
  scrivi(st[slot::progressiva_tre], ordine[0]);
  scrivi(st[slot::progressiva_due], ordine[1]);
  scrivi(st[slot::progressiva_uno], ordine[2]);
}

}  // namespace scenario
