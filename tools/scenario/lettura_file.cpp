#include "lettura_file.h"

#include "base/errori.h"
#include "errore_strumento.h"

namespace scenario::strumenti {

std::string leggi_file_autore(Disco& disco, const Percorso& p) {
  if (!disco.esiste(p)) throw ErroreStrumento("file mancante: " + p.string());
  try {
    return disco.leggi(p);
  } catch (const ErroreEsecuzione& e) {
    throw ErroreStrumento("impossibile leggere " + p.string() + ": " + e.descrizione());
  }
}

}  // namespace scenario::strumenti
