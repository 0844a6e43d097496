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
    auto slot_cartello = leggi_descrizione_linea(stato, disco, p);
    if (!slot_cartello && stato.prosegui) slot_cartello = slot::primo_cartello;
    if (slot_cartello) leggi_descrizione_treno(stato, disco, t, *slot_cartello);
  } catch (const ErroreEsecuzione& e) {
    // Whatever was stored stays; both texts go.
    if (disco.esiste(p)) disco.elimina(p);
    if (disco.esiste(t)) disco.elimina(t);
    registra_guasto_di_lettura(stato, e);
  }
}

void registra_guasto_di_lettura(Stato& stato, const ErroreEsecuzione& e) {
  stato.registra(problema::errore_esecuzione);
  stato.problemi.back().dettaglio = e.what();
}

}  // namespace scenario
