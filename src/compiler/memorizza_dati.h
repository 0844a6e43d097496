#pragma once
// The compiler's reader: reads back the line description and then the train
// description, fills the station table, the track cells and the line
// profile, and deletes each text once read. Problems are recorded, never
// raised; a run-time failure while reading becomes problem 25.
//
// The two halves stand on one reading skeleton (lettura_descrizione.h): the
// line's records in parser_linea.cpp, the train's in parser_treno.cpp and
// stazione_treno.cpp.

#include <cstdint>
#include <optional>

#include "base/disco.h"
#include "base/errori.h"

namespace scenario {

struct Stato;

// Expects codice_errore 0 and a cleared station table. p and t are the line
// and the train description. Reading on (Stato::prosegui), the train
// description is read even when the line's reading stopped.
void memorizza_dati(Stato& stato, Disco& disco, const Percorso& p, const Percorso& t);

// Records a run-time failure met while reading as problem 25, at the place
// the compile stands at, with the failure's number and description.
void registra_guasto_di_lettura(Stato& stato, const ErroreEsecuzione& e);

// Line description. Returns the next free board slot, or nothing when the
// reading must stop here (the train description is then not read).
std::optional<int32_t> leggi_descrizione_linea(Stato& stato, Disco& disco, const Percorso& p);

// Train description, with the board slot the line description left.
void leggi_descrizione_treno(Stato& stato, Disco& disco, const Percorso& t, int32_t slot_cartello);

}  // namespace scenario
