#include "driver/memorizza_percorso.h"

#include "compiler/compilazione.h"
#include "compiler/stato.h"

namespace scenario {

Esito memorizza_percorso(Stato& stato, Disco& disco, const Percorso& cartella, int32_t j) {
  const FileCompilazione file = file_compilazione(cartella, cartella, {stato.nome_linea, stato.numero_treno});
  return esegui_compilazione(stato, disco, file, j);
}

}  // namespace scenario
