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
#include "support/generale_prova.h"

namespace scenario::fuzz {
namespace {

std::string unisci(std::vector<std::string> prima, std::initializer_list<const char*> righe) {
  std::string testo;
  for (const std::string& r : prima) (testo += r) += "\r\n";
  for (const char* r : righe) (testo += r) += "\r\n";
  return testo;
}

}  // namespace

void violazione(const char* cosa) {
  std::fprintf(stderr, "invariante violata: %s\n", cosa);
  std::abort();
}

const std::string& linea_fissa() {
  static const std::string testo = unisci(test::righe_generale("140000"), {
      "[curve]",
      "[pendenze]",
      "pendenza,   0,    0",
      "pendenza,  46200,   2",
      "pendenza,  137200,   0",
      "[montagne]",
      "montagna,   23400,  23800,  2",
      "[cartelli]",
      "indicatori_vmax,  1300,  125,  135,  135,  0,  ,  ,  ,  0",
      "[indicazioni]",
      "cartello indicatore,  5000, PASSO DEI CORVI",
      "[fine]",
  });
  return testo;
}

const std::string& treno_fisso() {
  static const std::string testo = unisci({}, {
      "Descrizione di prova.",
      "",
      "[generale]",
      "numero vetture,    2",
      "percentuale massa frenata,    100",
      "sabbia,    0",
      "orologio,    8               39            30 ",
      "[aderenze]",
      "aderenza,   0,    100",
      "[vel_limite]",
      "velocita,   0,    30",
      "velocita,    1300,   135",
      "[stazioni]",
      "stazione,       0,  8,  800,  0, 0, 0,  1,1,0,  4,1,1,    1,   8,40, 0, BELMORA CENTRALE",
      "stazione,   12000,  4,  600,  1, 0, 1,  1,1,0,  2,1,1,    0,   0, 0, 0, FERMATA",
      "stazione,  134000, 12,  600,  1, 0, 0,  4,1,0,  2,1,1,   60,  10,40, 1, SOLVENZIA BASSA",
      "[rallentamenti]",
      "rallentamento,  60000,  60,  1000,  1,  0,  0",
      "abbattimento,  70000,  80",
      "[segnali]",
      "segnale,    1400,   1, 4, 1,  0, 0,    1,  3,1,0, 0",
      "segnale,   42300,   2, 2, 4,  0, 1,    2,  2,1,0, 0",
      "[codici]",
      "[fine]",
  });
  return testo;
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
