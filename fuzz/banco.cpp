#include "banco.h"

#include <cstdio>
#include <cstdlib>

#include "base/nomi_file.h"
#include "compiler/binario.h"
#include "compiler/compilazione.h"
#include "compiler/memorizza_dati.h"
#include "compiler/stato.h"
#include "support/disco_memoria.h"

namespace scenario::fuzz {

void violazione(const char* cosa) {
  std::fprintf(stderr, "invariante violata: %s\n", cosa);
  std::abort();
}

void compila(std::string_view linea, std::string_view treno, int32_t scrivi_file, bool intero) {
  Stato stato;
  stato.nome_linea = "Belmora_Solvenzia";
  stato.numero_treno = "4816-4817";
  const FileCompilazione file = file_compilazione("/scenario", "/scenario", {stato.nome_linea, stato.numero_treno});
  test::DiscoMemoria disco;
  disco.file[file.linea_txt.generic_string()] = std::string(linea);
  disco.file[file.treno_txt.generic_string()] = std::string(treno);

  if (!intero) {
    stato.scrivi_file = scrivi_file;
    memorizza_dati(stato, disco, file.linea_txt, file.treno_txt);
    // The line description is always read, so always deleted.
    if (disco.esiste(file.linea_txt)) violazione("descrizione della linea non eliminata");
    // Whatever the reader left must be writable.
    if (stato.celle.allocate()) {
      if (serializza_celle(stato.celle).size() != stato.celle.tutte().size() * 15)
        violazione("dimensione del file del binario");
    }
    if (scrivi_file != 0) serializza_profilo(stato.profilo_linea);
    serializza_stazioni(stato.stazioni);
    return;
  }

  // The failures the program reports to the user are expected outcomes.
  if (!esegui_compilazione(stato, disco, file, scrivi_file).completo()) return;
  if (disco.file.at(file.dat.generic_string()).size() != stato.celle.tutte().size() * 15)
    violazione("file del binario incompleto");
}

}  // namespace scenario::fuzz
