#include "driver/memorizza_percorso.h"

#include "compiler/binario.h"
#include "compiler/codici_gara.h"
#include "compiler/memorizza_dati.h"
#include "compiler/regole.h"
#include "compiler/stato.h"

namespace scenario {

void memorizza_percorso(Stato& stato, Disco& disco, const Percorso& cartella, int32_t j) {
  stato.scrivi_file = j;
  stato.codice_errore = 0;
  for (stazione& s : stato.stazioni) s = stazione{};
  memorizza_dati(stato, disco, cartella);
  applica_regole(stato);
  timbra_codici(stato);
  scrivi_file_binari(stato, disco, cartella);
}

}  // namespace scenario
