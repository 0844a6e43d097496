#include "base/codici.h"
#include "compiler/numeri.h"
#include "compiler/stampaggio.h"
#include "compiler/stato.h"

namespace scenario {

int32_t cella_di_punto(int32_t p) { return arrotonda_long(p / 50.0 + 1.0); }

void memo_montagna(Stato& stato, int32_t& inizio, int32_t& fine, int32_t& tipo) {
  stato.passo = 0;
  if (tipo > 10) {
    tipo -= 10;
    stato.passo = 1;  // heavy span: a marker every fourth cell
  }
  // The span arrays hold 80 spans.
  if (stato.numero_montagne >= 80) {
    stato.registra(problema::troppe_montagne);
    return;
  }
  const int32_t n = ++stato.numero_montagne;
  stato.inizi_montagna[n] = inizio;
  stato.fini_montagna[n] = fine;
  if (n > 1 && a32(int64_t{stato.inizi_montagna[n]} - stato.fini_montagna[n - 1]) <= 150) tipo = 3;

  const int32_t ultima = arrotonda_long(fine / 50.0 - 1.0);
  const int32_t prima = arrotonda_long(inizio / 50.0);
  if (prima > ultima) return;
  if (!stato.celle.contiene(prima) || !stato.celle.contiene(ultima)) {
    stato.registra(problema::fuori_celle);
    return;
  }
  for (stato.indice = prima; stato.indice <= ultima; ++stato.indice) {
    cella& c = stato.celle[stato.indice];
    c.tipo_montagna = a8(tipo);
    const int32_t contate = stato.indice - prima + 1;
    if (stato.passo == 1 && contate % 4 == 0 && c.codice == codice_cella::libera) c.codice = codice_cella::montagna;
  }
}

}  // namespace scenario
