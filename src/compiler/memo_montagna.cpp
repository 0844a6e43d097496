// Stamping of a montagna span: its kind into every cell it covers, a marker
// every fourth cell for a heavy one (stampaggio.h).

#include "base/codici.h"
#include "compiler/numeri.h"
#include "compiler/stampaggio.h"
#include "compiler/stato.h"

namespace scenario {
namespace {

// A kind above 10 is a heavy span of kind tipo - 10: a marker every fourth cell.
constexpr int32_t scarto_pesante = 10;
constexpr int32_t passo_marcatori = 4;
// A span that starts this close after the previous one ends becomes kind 3.
constexpr int32_t distanza_tipo_3 = 150;

}  // namespace

void memo_montagna(Stato& stato, int32_t inizio, int32_t fine, int32_t& tipo) {
  int32_t passo = 0;
  if (tipo > scarto_pesante) {
    tipo -= scarto_pesante;
    passo = 1;
  }
  if (stato.numero_montagne >= montagne_massime) {
    stato.registra(problema::troppe_montagne);
    return;
  }
  const int32_t n = ++stato.numero_montagne;
  stato.inizi_montagna[n] = inizio;
  stato.fini_montagna[n] = fine;
  if (n > 1 && a32(int64_t{stato.inizi_montagna[n]} - stato.fini_montagna[n - 1]) <= distanza_tipo_3) tipo = 3;

  const int32_t ultima = arrotonda_long(in_celle(fine) - 1.0);
  const int32_t prima = arrotonda_long(in_celle(inizio));
  if (prima > ultima) return;
  if (!stato.celle.contiene(prima) || !stato.celle.contiene(ultima)) {
    stato.registra(problema::fuori_celle);
    return;
  }
  for (int32_t indice = prima; indice <= ultima; ++indice) {
    cella& c = stato.celle[indice];
    c.tipo_montagna = a8(tipo);
    const int32_t contate = indice - prima + 1;
    if (passo == 1 && contate % passo_marcatori == 0 && c.codice == codice_cella::libera)
      c.codice = codice_cella::montagna;
  }
}

}  // namespace scenario
