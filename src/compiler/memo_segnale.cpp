// Stamping of a signal: its cell and its approach marks (stampaggio.h).

#include "base/codici.h"
#include "compiler/numeri.h"
#include "compiler/stampaggio.h"
#include "compiler/stato.h"

namespace scenario {
namespace {

// The approach marks of a signal stand two cells apart, so they reach eight
// cells back.
constexpr int32_t celle_per_passo = 2;
constexpr int32_t portata_avvicinamento = passi_avvicinamento * celle_per_passo;

}  // namespace

void memo_segnale(Stato& stato, int32_t posizione, int32_t sx, int32_t s1, int32_t s2, int32_t s3, int32_t rapp,
                  int32_t dx, int32_t d1, int32_t d2, int32_t d3, int32_t& tempo) {
  const int32_t c = cella_di_punto(posizione);
  if (!stato.celle.contiene(c)) return stato.registra(problema::fuori_celle);
  cella& segnale = stato.celle[c];
  if (!libera(segnale)) return stato.registra(problema::segnale_occupato);
  if (!stato.celle.contiene(int64_t{c} - portata_avvicinamento)) return stato.registra(problema::fuori_celle);

  auto w = [](int32_t v) { return int64_t{a16(v)}; };
  segnale.codice = codice_cella::segnale;
  segnale.valore4 = a16(w(rapp) * 10 + w(sx) * 3 + w(dx));
  segnale.valore1 = a16(w(s1) * 10 + w(d1));
  segnale.valore2 = a16(w(s2) * 10 + w(d2));
  segnale.valore3 = a16(w(s3) * 10 + w(d3));
  if (tempo >= 1 && tempo <= 100) tempo = 101;
  segnale.tempo_segnale = sx == 2 ? a8(tempo) : 0;
  stato.origine_cella[c] = stato.origine_corrente;

  for (int32_t passo_segnale = 1; passo_segnale <= passi_avvicinamento; ++passo_segnale)
    stato.celle[c - celle_per_passo * passo_segnale].avvicinamento = a8((int64_t{sx} * 3 + dx) * 10 + passo_segnale);
}

}  // namespace scenario
