#pragma once
// The forms a report is written in, one row each: its name on the command
// line and its printer. check and compile take the same table; a new form
// is one printer and one row.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "diagnostiche/rapporto_verifica.h"

namespace scenario::strumenti {

struct Rapporto {
  const std::vector<ScenarioVerificato>& scenari;
  int uscita = 0;             // the command's exit status
  bool compilazione = false;  // compile's report (one scenario): its summary and its JSON shape
  OpzioniTesto testo;
};

struct Forma {
  const char* nome;
  std::string (*scrivi)(const Rapporto& r);
  bool per_programmi;  // read by programs: stdout holds the report alone
};

std::span<const Forma> forme();
// nullptr for a name no form has.
const Forma* forma(std::string_view nome);
// The names, in the table's order.
std::vector<std::string> nomi_forme();

}  // namespace scenario::strumenti
