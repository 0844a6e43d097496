#include "banco.h"

#include <cstdio>
#include <cstdlib>

#include "compiler/binario.h"
#include "compiler/errori.h"
#include "compiler/memorizza_dati.h"
#include "compiler/stato.h"
#include "driver/memorizza_percorso.h"
#include "driver/nomi_file.h"
#include "support/disco_memoria.h"

namespace scenario::fuzz {

void violazione(const char* cosa) {
  std::fprintf(stderr, "invariante violata: %s\n", cosa);
  std::abort();
}

void compila(std::string_view linea, std::string_view treno, int32_t scrivi_file, bool intero) {
  const Percorso cartella = "/scenario";
  Stato stato;
  stato.nome_linea = "Belmora_Solvenzia";
  stato.numero_treno = "4816-4817";
  test::DiscoMemoria disco;
  const Percorso p = percorso_file(cartella, FileScenario::linea_txt, stato.nome_linea, stato.numero_treno);
  const Percorso t = percorso_file(cartella, FileScenario::treno_txt, stato.nome_linea, stato.numero_treno);
  disco.file[p.generic_string()] = std::string(linea);
  disco.file[t.generic_string()] = std::string(treno);

  if (!intero) {
    stato.scrivi_file = scrivi_file;
    memorizza_dati(stato, disco, cartella);
    // The line description is always read, so always deleted.
    if (disco.esiste(p)) violazione("descrizione della linea non eliminata");
    // Whatever the reader left must be writable.
    if (stato.celle.allocate()) {
      if (serializza_celle(stato.celle).size() != stato.celle.tutte().size() * 15)
        violazione("dimensione del file del binario");
    }
    if (scrivi_file != 0) serializza_profilo(stato.profilo_linea);
    serializza_stazioni(stato.stazioni);
    return;
  }

  try {
    memorizza_percorso(stato, disco, cartella, scrivi_file);
  } catch (const ErroreEsecuzione&) {
    return;
  } catch (const ErroreNumerato&) {
    return;
  }
  const Percorso dat = percorso_file(cartella, FileScenario::dat, stato.nome_linea, stato.numero_treno);
  if (disco.file.at(dat.generic_string()).size() != stato.celle.tutte().size() * 15)
    violazione("file del binario incompleto");
}

}  // namespace scenario::fuzz
