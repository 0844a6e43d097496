#include "compiler/memorizza_dati.h"

#include <string>

#include "base/codici.h"
#include "base/errori.h"
#include "compiler/stato.h"

namespace scenario {

void memorizza_dati(Stato& stato, Disco& disco, const Percorso& p, const Percorso& t) {
  try {
    stato.stazioni[slot::linea].nome = stato.nome_linea;
    stato.stazioni[slot::globale].nome = stato.numero_treno;
    if (auto slot_cartello = leggi_descrizione_linea(stato, disco, p))
      leggi_descrizione_treno(stato, disco, t, *slot_cartello);
  } catch (const ErroreEsecuzione& e) {
    // Whatever was stored stays; both texts go.
    if (disco.esiste(p)) disco.elimina(p);
    if (disco.esiste(t)) disco.elimina(t);
    stato.registra(problema::errore_esecuzione);
    stato.problemi.back().dettaglio = e.what();
  }
}

}  // namespace scenario
