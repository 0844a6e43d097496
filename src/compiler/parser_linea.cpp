#include "compiler/errori.h"
#include "compiler/parser_comune.h"

namespace scenario {

std::optional<int32_t> leggi_descrizione_linea(Stato&, Disco&, const Percorso&) {
  throw ErroreEsecuzione(Guasto::argomento_non_valido, "lettura della descrizione della linea non ancora disponibile");
}

}  // namespace scenario
