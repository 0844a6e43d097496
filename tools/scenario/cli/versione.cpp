// The version the tool answers with (versione.h).

#include "cli/versione.h"

// COMMIT_STRUMENTO: written at every build by cmake/commit_git.cmake.
#include "commit_strumento.h"

namespace scenario::strumenti {

std::string testo_versione() {
  std::string v = std::string("scenario ") + VERSIONE_PROGETTO;
  if (*COMMIT_STRUMENTO) v += std::string(" (commit ") + COMMIT_STRUMENTO + ")";
  return v;
}

const char* versione_progetto() { return VERSIONE_PROGETTO; }

const char* documentazione_strumento() { return DOCUMENTAZIONE_STRUMENTO; }

}  // namespace scenario::strumenti
