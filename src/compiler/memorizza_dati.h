#pragma once
// The compiler's reader: reads back the line description and then the train
// description, fills the station table, the track
// cells and the line profile, and deletes each text once read. Problems are
// recorded, never raised; a run-time failure while reading becomes problem 25.

#include "base/disco.h"

namespace scenario {

struct Stato;

// Expects codice_errore 0 and a cleared station table. p and t are the line
// and the train description.
void memorizza_dati(Stato& stato, Disco& disco, const Percorso& p, const Percorso& t);

}  // namespace scenario
