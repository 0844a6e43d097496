#pragma once
// The five writers of the scenario's texts. Each writes its payload into the
// directory under the scenario's names and traps no error.

#include "base/disco.h"
#include "base/nomi_file.h"
#include "sources/payload.h"

namespace scenario {

void dati_linea(const NomiScenario& nomi, const Payload& payload, Disco& disco, const Percorso& cartella);
void dati_treno(const NomiScenario& nomi, const Payload& payload, Disco& disco, const Percorso& cartella);
void dati_note(const NomiScenario& nomi, const Payload& payload, Disco& disco, const Percorso& cartella);
void dati_rallentamenti(const NomiScenario& nomi, const Payload& payload, Disco& disco, const Percorso& cartella);
void dati_scheda(const NomiScenario& nomi, const Payload& payload, Disco& disco, const Percorso& cartella);

}  // namespace scenario
