#pragma once
// The scenario the plan, the profile and the report show, from a directory:
// when it holds the two description texts (installed names, Windows-1252,
// or a payload folder's linea.txt and treno.txt, UTF-8) they are compiled in
// memory, which also tells where each feature was described and what
// problems the compile met; otherwise the installed binary files are read.

#include <string>

#include "base/disco.h"
#include "disegni/quadro.h"

namespace scenario::strumenti {

struct RichiestaVista {
  // Windows-1252; both empty: from the files' names, as check finds them
  // (the texts', else the only binary files').
  std::string nome_linea, numero_treno;
  Percorso cartella;
};

struct ScenarioVisto {
  RichiestaVista richiesta;  // with the names found
  DatiScenario dati;         // from a compile, its diagnostics too
  bool compilato = false;    // from the texts; else from the binary files
  std::string esito;         // how the compile ended, for the reader (UTF-8)
  // The compile's figures, when there was one.
  int32_t codice_errore = 0, posizione_errore = 0;
};

// ErroreStrumento when neither texts nor binary files are there, or when
// they cannot be read. A compile's problems are in the result.
ScenarioVisto carica_scenario(const RichiestaVista& richiesta, LettoreFile& disco);

// ErroreStrumento when the output would replace one of the scenario's own
// files in the directory (texts, binary files, their payload names).
void rifiuta_uscita_sullo_scenario(const Percorso& uscita, const RichiestaVista& richiesta);

}  // namespace scenario::strumenti
