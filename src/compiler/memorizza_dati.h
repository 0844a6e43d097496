#pragma once
// The compiler's reader: reads back the line description and then the train
// description written beside the program, fills the station table, the track
// cells and the line profile, and deletes each text once read. Problems are
// recorded, never raised; a run-time failure while reading becomes problem 25.

#include "platform/disco.h"

namespace scenario {

struct Stato;

// Expects codice_errore 0 and a cleared station table.
void memorizza_dati(Stato& stato, Disco& disco, const Percorso& cartella);

}  // namespace scenario
