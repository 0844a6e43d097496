#pragma once
// How every subcommand ends on a failure of the tool: its message on the
// error stream and exit status 2.

#include <ostream>

#include "base/errori.h"
#include "errore_strumento.h"

namespace scenario::strumenti {

inline constexpr int uscita_errore = 2;

// Runs a command body; a failure of the tool becomes a message and status 2.
template <typename F>
int protetto(std::ostream& err, F&& corpo) {
  try {
    return corpo();
  } catch (const ErroreStrumento& e) {
    err << "scenario: " << e.what() << "\n";
  } catch (const ErroreEsecuzione& e) {
    err << "scenario: " << e.what() << "\n";
  }
  return uscita_errore;
}

}  // namespace scenario::strumenti
