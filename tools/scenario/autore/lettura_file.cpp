#include "autore/lettura_file.h"

#include <fstream>
#include <sstream>

#include "base/errori.h"
#include "cli/errore_strumento.h"
#include "platform/disco_file.h"

namespace scenario::strumenti {

std::string leggi_file_autore(LettoreFile& disco, const Percorso& p) {
  if (!disco.esiste(p)) throw ErroreStrumento("file mancante: " + testo_utf8(p));
  try {
    return disco.leggi(p);
  } catch (const ErroreEsecuzione& e) {
    throw ErroreStrumento("impossibile leggere " + testo_utf8(p) + ": " + e.descrizione());
  }
}

std::function<std::unique_ptr<std::istream>()> apri_file_autore(LettoreFile& disco, const Percorso& p) {
  if (dynamic_cast<DiscoFile*>(&disco))
    return [p]() -> std::unique_ptr<std::istream> {
      auto in = std::make_unique<std::ifstream>(p, std::ios::binary);
      if (!*in) throw ErroreStrumento("impossibile leggere " + testo_utf8(p));
      return in;
    };
  return [&disco, p]() -> std::unique_ptr<std::istream> {
    return std::make_unique<std::istringstream>(leggi_file_autore(disco, p));
  };
}

}  // namespace scenario::strumenti
