#include "base/disco.h"

namespace scenario {

void Disco::scrivi_a_pezzi(const Percorso& p, const Pezzi& produci) {
  std::string tutto;
  produci([&](std::string_view pezzo) { tutto.append(pezzo); });
  scrivi(p, tutto);
}

void scrivi_file_nuovo(Disco& disco, const Percorso& p, std::string_view byte) {
  disco.crea(p);
  disco.elimina(p);
  disco.scrivi(p, byte);
}

void scrivi_file_nuovo(Disco& disco, const Percorso& p, const Pezzi& produci) {
  disco.crea(p);
  disco.elimina(p);
  disco.scrivi_a_pezzi(p, produci);
}

Percorso percorso_provvisorio(const Percorso& p) {
  Percorso provvisorio = p;
  provvisorio += estensione_provvisoria;
  return provvisorio;
}

namespace {

template <typename Contenuto>
void sostituisci(Disco& disco, const Percorso& p, const Contenuto& contenuto) {
  const Percorso provvisorio = percorso_provvisorio(p);
  try {
    scrivi_file_nuovo(disco, provvisorio, contenuto);
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

}  // namespace

void sostituisci_file(Disco& disco, const Percorso& p, std::string_view byte) { sostituisci(disco, p, byte); }

void sostituisci_file(Disco& disco, const Percorso& p, const Pezzi& produci) { sostituisci(disco, p, produci); }

}  // namespace scenario
