#pragma once
// The check command: every problem of one or more scenarios in one run;
// with --watch, run again whenever a text or the timetable card changes.

#include <iosfwd>
#include <string>
#include <vector>

#include "base/disco.h"

namespace scenario::strumenti {

struct ArgomentiCheck {
  std::vector<std::string> cartelle;  // each a scenario; none: the current one
  std::string linea, treno;           // UTF-8; empty: from the file names
  std::string uscita;                 // where to write the binary files; empty: nowhere
  bool senza_profilo = false;
  std::string forma = "testo";            // a row of the forms table (diagnostiche/forme.h)
  bool avvisi_come_errori = false;        // --Werror
  std::vector<std::string> senza_avvisi;  // --no-warn: identifiers left out of the report
  bool colori = false;
};

// Exit status: 0 no error, 1 errors (with --Werror, warnings too), 2 a
// scenario that could not be checked; the worst of the scenarios.
int esegui_check(const ArgomentiCheck& a, Disco& disco, std::ostream& out, std::ostream& err);

// The identifiers --no-warn takes: every warning and note of the check.
bool avviso_noto(const std::string& id);

// check --watch.
struct OpzioniContinuo {
  bool pulisci_schermo = false;  // on a terminal, each report on a clean screen
};

// Never returns on its own: a failed check, or texts that stay half-written,
// are reported and the watch goes on.
[[noreturn]] void esegui_check_continuo(const ArgomentiCheck& a, Disco& disco, std::ostream& out, std::ostream& err,
                                        OpzioniContinuo opzioni);

// How many times texts caught half-written are read before the tool says so,
// and how long it waits between the readings.
inline constexpr int letture_massime = 5;
inline constexpr int pausa_lettura_ms = 40;

}  // namespace scenario::strumenti
