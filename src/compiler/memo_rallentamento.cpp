// Stamping of a slowdown: its start and end cells, the warning board before
// it and the pre-warning marks (stampaggio.h).

#include "base/codici.h"
#include "compiler/numeri.h"
#include "compiler/stampaggio.h"
#include "compiler/stato.h"

namespace scenario {
namespace {

// The warning board stands this far before the slowdown, and only for a
// slowdown beyond the threshold.
constexpr int32_t metri_avviso = 1200;
constexpr int32_t soglia_avviso = 1500;
// The pre-warning marks: this many cells, counted down from the cell at the
// board's distance.
constexpr int32_t celle_preavviso = 4;

}  // namespace

void memo_rallentamento(Stato& stato, int32_t x, int32_t v, int32_t l, int32_t f_tt, int32_t f_ta, int32_t d_v) {
  const int32_t s = cella_di_punto(x);
  const int32_t e = cella_di_punto(a32(int64_t{x} + l));
  const int32_t w = cella_di_punto(a32(int64_t{x} - metri_avviso));
  const bool avviso = x > soglia_avviso;
  if (!avviso) f_ta = 0;
  const int32_t preavviso = arrotonda_long(in_celle(a32(int64_t{x} - metri_avviso)));  // the first pre-warning cell

  // Each range refusal stands just before the test that reads its cell, so a
  // conflict the track model can hold keeps its own code; nothing is written
  // before the start, end and board cells are known to exist.
  Celle& celle = stato.celle;
  auto fuori = [&] { stato.registra(problema::fuori_celle); };
  if (avviso) {
    if (!celle.contiene(w)) return fuori();
    if (!libera(celle[w])) return stato.registra(problema::avviso_occupato);
  }
  if (!celle.contiene(s)) return fuori();
  if (!libera(celle[s])) return stato.registra(problema::inizio_occupato);
  if (!celle.contiene(e)) return fuori();
  if (!libera(celle[e])) return stato.registra(problema::fine_occupata);

  celle[e].codice = codice_cella::fine_rallentamento;
  if (d_v != 0) celle[e].valore2 = a16(d_v);
  celle[s].codice = codice_cella::inizio_rallentamento;
  if (d_v != 0) celle[s].valore2 = a16(d_v);
  if (avviso) {
    celle[w].codice = codice_cella::avviso_rallentamento;
    if (d_v != 0) celle[w].valore2 = a16(d_v);
    celle[w].valore1 = a16(v);
  }
  for (int32_t c : {s, e}) {
    celle[c].valore1 = a16(v);
    celle[c].valore3 = a16(f_tt);
  }
  stato.origine_cella[s] = stato.origine_corrente;

  if (f_ta != 0) {
    // Below a board that exists (x > 1500) the four cells always do too.
    if (!celle.contiene(preavviso) || !celle.contiene(int64_t{preavviso} - (celle_preavviso - 1))) return fuori();
    bool cella_occupata = false;
    for (int k = 0; k < celle_preavviso; ++k)
      if (!libera(celle[preavviso - k])) cella_occupata = true;
    if (cella_occupata) return stato.registra(problema::preavviso_occupato);
    for (int k = 0; k < celle_preavviso; ++k) {
      cella& c = celle[preavviso - k];
      c.codice = codice_cella::preavviso_rallentamento;
      c.valore1 = static_cast<int16_t>(k + 1);
      if (d_v != 0) c.valore2 = static_cast<int16_t>(k + 1);
    }
  }
}

}  // namespace scenario
