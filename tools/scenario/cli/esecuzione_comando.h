#pragma once
// How every subcommand ends on a failure of the tool: its message on the
// error stream and exit status 2, and with a JSON report also an object
// that says why.

#include <nlohmann/json.hpp>
#include <ostream>
#include <string>

#include "base/errori.h"
#include "cli/errore_strumento.h"

namespace scenario::strumenti {

inline constexpr int uscita_errore = 2;

// Runs a command body; a failure of the tool becomes a message and status 2,
// and, when json is given, the object a JSON report would have been.
template <typename F>
int protetto(std::ostream& err, F&& corpo, std::ostream* json = nullptr) {
  std::string perche;
  try {
    return corpo();
  } catch (const ErroreStrumento& e) {
    perche = e.what();
  } catch (const ErroreEsecuzione& e) {
    perche = e.what();
  }
  err << "scenario: " << perche << "\n";
  if (json) {
    const nlohmann::json j{{"errore", perche}, {"problemi", nlohmann::json::array()}, {"uscita", uscita_errore}};
    *json << j.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
  }
  return uscita_errore;
}

}  // namespace scenario::strumenti
