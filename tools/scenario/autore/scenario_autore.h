#pragma once
// An author's scenario reached the one way every command takes: its texts
// found in a folder (ingressi.h), the installer's compile of them
// (compilazione.h) and, when asked, the check of both; every problem,
// warning and note as one kind of diagnostic.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "autore/compilazione.h"
#include "autore/ingressi.h"
#include "base/disco.h"
#include "verifica/controllo.h"
#include "verifica/diagnostica.h"

namespace scenario::strumenti {

struct RichiestaScenario {
  Percorso cartella;
  std::string linea, treno;        // UTF-8, as typed; empty: from the file names
  int32_t scrivi_file = 1;         // 0: compiled without the line profile
  std::optional<Percorso> uscita;  // where the binary files are written; none: nothing is written
  bool controlla = true;           // the check's reading on, warnings and notes too
};

struct ScenarioAutore {
  // On the heap: the compile's result quotes the texts without copying them
  // (whoever takes them out leaves esito's quotes behind).
  std::unique_ptr<TestiAutore> testi;
  EsitoCompilazione esito;
  // The compile's problems in the order recorded, each pointed at its field;
  // with controlla, after them what the check finds.
  std::vector<verifica::Diagnostica> diagnostiche;
  std::vector<verifica::Omesse> omesse;  // those past the bound of their identifier, counted
  bool proseguita = false;               // the check read on past a stop
};

// ErroreStrumento (or ErroreEsecuzione from the disk) when the texts are
// missing, ambiguous or unreadable; everything the compile and the check
// meet is in the result.
ScenarioAutore apri_scenario(const RichiestaScenario& richiesta, Disco& disco);
// For those who only read: nothing is written (richiesta.uscita is ignored).
ScenarioAutore apri_scenario(const RichiestaScenario& richiesta, LettoreFile& lettore);

// The same on texts already found; scrittura is where the binary files go
// with richiesta.uscita (nothing is written without it).
ScenarioAutore apri_testi(TestiAutore testi, const RichiestaScenario& richiesta, Disco* scrittura);

}  // namespace scenario::strumenti
