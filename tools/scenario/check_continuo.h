#pragma once
// check --watch: the check run again whenever one of the texts or the
// timetable card changes, until the tool is stopped.

#include <iosfwd>

#include "base/disco.h"
#include "comando_check.h"

namespace scenario::strumenti {

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
