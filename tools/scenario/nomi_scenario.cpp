// The tool's side of the naming rule: the option names the role.

#include "nomi_scenario.h"

#include "base/nomi_file.h"
#include "errore_strumento.h"

namespace scenario::strumenti {

std::string nome_da_argomento(std::string_view utf8, std::string_view quale) {
  const RuoloNome ruolo = quale == "--route" ? RuoloNome::linea : RuoloNome::treno;
  NomeVerificato v = verifica_nome(utf8, ruolo);
  if (v.rifiuto)
    throw ErroreStrumento(std::string(quale) + " \"" + std::string(utf8) + "\": " + v.rifiuto->spiegazione);
  return std::move(v.cp1252);
}

}  // namespace scenario::strumenti
