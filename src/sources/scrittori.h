#pragma once
// The five writers of the scenario's texts. Each writes its payload beside
// the program under the scenario's names (stato.nome_linea,
// stato.numero_treno) and traps no error.

#include "platform/disco.h"
#include "sources/payload.h"

namespace scenario {

struct Stato;

void dati_linea(Stato& stato, const Payload& payload, Disco& disco, const Percorso& cartella);
void dati_treno(Stato& stato, const Payload& payload, Disco& disco, const Percorso& cartella);
void dati_note(Stato& stato, const Payload& payload, Disco& disco, const Percorso& cartella);
void dati_rallentamenti(Stato& stato, const Payload& payload, Disco& disco, const Percorso& cartella);
void dati_scheda(Stato& stato, const Payload& payload, Disco& disco, const Percorso& cartella);

}  // namespace scenario
