#include "compiler/errori.h"
#include "compiler/parser_comune.h"

namespace scenario {

void leggi_descrizione_treno(Stato&, Disco&, const Percorso&, int32_t) {
  throw ErroreEsecuzione(Guasto::argomento_non_valido, "lettura della descrizione del treno non ancora disponibile");
}

}  // namespace scenario
