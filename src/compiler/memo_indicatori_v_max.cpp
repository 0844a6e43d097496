// Stamping of a speed indicator board into its cell (stampaggio.h).

#include "base/codici.h"
#include "compiler/numeri.h"
#include "compiler/stampaggio.h"
#include "compiler/stato.h"

namespace scenario {

void memo_indicatori_v_max(Stato& stato, int32_t posizione, int32_t vas, int32_t vbs, int32_t vcs, int32_t strisces,
                           int32_t vad, int32_t vbd, int32_t vcd, int32_t strisced) {
  const int32_t c = cella_di_punto(posizione);
  if (!stato.celle.contiene(c)) {
    stato.registra(problema::fuori_celle);
    return;
  }
  cella& cartello = stato.celle[c];
  if (!libera(cartello)) return stato.registra(problema::indicatori_occupati);

  // Each sum is real; the product by 20 is 32-bit and wraps.
  auto valore = [](int32_t d, int32_t s) { return arrotonda_intero(d / 5.0 + a32(int64_t{s} * 20)); };
  stato.origine_cella[c] = stato.origine_corrente;
  cartello.codice = codice_cella::indicatori_vmax;
  cartello.valore1 = valore(vad, vas);
  cartello.valore2 = valore(vbd, vbs);
  cartello.valore3 = valore(vcd, vcs);
  cartello.valore4 = a16(int64_t{a16(strisces)} * 10 + a16(strisced));
}

}  // namespace scenario
