#include "base/codici.h"
#include "compiler/numeri.h"
#include "compiler/stampaggio.h"
#include "compiler/stato.h"

namespace scenario {

void memo_segnale(Stato& stato, int32_t posizione, int32_t& sx, int32_t& s1, int32_t& s2, int32_t& s3,
                  int32_t& rapp, int32_t& dx, int32_t& d1, int32_t& d2, int32_t& d3, int32_t& tempo) {
  const int32_t c = cella_di_punto(posizione);
  if (!stato.celle.contiene(c)) return stato.registra(problema::fuori_celle);
  cella& segnale = stato.celle[c];
  if (!libera(segnale)) return stato.registra(problema::segnale_occupato);
  // The approach markers reach eight cells back.
  if (!stato.celle.contiene(int64_t{c} - 8)) return stato.registra(problema::fuori_celle);

  auto w = [](int32_t v) { return int64_t{a16(v)}; };
  segnale.codice = codice_cella::segnale;
  segnale.valore4 = a16(w(rapp) * 10 + w(sx) * 3 + w(dx));
  segnale.valore1 = a16(w(s1) * 10 + w(d1));
  segnale.valore2 = a16(w(s2) * 10 + w(d2));
  segnale.valore3 = a16(w(s3) * 10 + w(d3));
  if (tempo >= 1 && tempo <= 100) tempo = 101;
  segnale.tempo_segnale = sx == 2 ? a8(tempo) : 0;
  stato.origine_cella[c] = stato.origine_corrente;

  for (stato.passo_segnale = 1; stato.passo_segnale <= 4; ++stato.passo_segnale)
    stato.celle[c - 2 * stato.passo_segnale].avvicinamento =
        a8((int64_t{sx} * 3 + dx) * 10 + stato.passo_segnale);
}

}  // namespace scenario
