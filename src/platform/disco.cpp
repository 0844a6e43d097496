#include "platform/disco.h"

namespace scenario {

void scrivi_file_nuovo(Disco& disco, const Percorso& p, std::string_view byte) {
  disco.crea(p);
  disco.elimina(p);
  disco.scrivi(p, byte);
}

Percorso percorso_provvisorio(const Percorso& p) {
  Percorso provvisorio = p;
  provvisorio += ".tmp";
  return provvisorio;
}

void sostituisci_file(Disco& disco, const Percorso& p, std::string_view byte) {
  const Percorso provvisorio = percorso_provvisorio(p);
  try {
    scrivi_file_nuovo(disco, provvisorio, byte);
    disco.rinomina(provvisorio, p);
  } catch (...) {
    // The first failure is the one to report; the leftover is only tidied.
    try {
      if (disco.esiste(provvisorio)) disco.elimina(provvisorio);
    } catch (...) {
    }
    throw;
  }
}

}  // namespace scenario
