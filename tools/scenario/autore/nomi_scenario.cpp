// The tool's side of the naming rule: the option names the role.

#include "autore/nomi_scenario.h"

#include "base/nomi_file.h"
#include "cli/errore_strumento.h"

namespace scenario::strumenti {

NomiDaArgomenti nomi_da_argomenti(std::string_view linea_utf8, std::string_view treno_utf8) {
  if (const auto r = rifiuto_nomi(linea_utf8, treno_utf8)) {
    const bool linea = r->ruolo == RuoloNome::linea;
    throw ErroreStrumento(std::string(linea ? "--route" : "--train") + " \"" +
                          std::string(linea ? linea_utf8 : treno_utf8) + "\": " + r->spiegazione);
  }
  return {verifica_nome(linea_utf8, RuoloNome::linea).cp1252, verifica_nome(treno_utf8, RuoloNome::treno).cp1252};
}

}  // namespace scenario::strumenti
