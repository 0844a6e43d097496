#pragma once
// The compile driver: the scenario's files in the program's directory, named
// by the naming rule, compiled in the order of compiler/compilazione.h.

#include <cstdint>

#include "base/disco.h"
#include "base/esito.h"

namespace scenario {

struct Stato;

// j becomes scrivi_file: non-zero also builds and writes the line profile.
// The names come from stato.nome_linea and stato.numero_treno.
Esito memorizza_percorso(Stato& stato, Disco& disco, const Percorso& cartella, int32_t j);

}  // namespace scenario
