#pragma once
// The report of a compile: every problem in the order recorded, each with
// its place in the description texts, as text for terminals and editors or
// as one JSON object.

#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "autore/compilazione.h"

namespace scenario::strumenti {

struct VoceRapporto {
  Problema::Tipo tipo = Problema::Tipo::registrato;
  int32_t codice = 0;
  std::string significato;   // UTF-8
  std::string suggerimento;  // the usual fix, from the table of codes; empty for an unknown code
  std::optional<int32_t> posizione;
  std::string file;        // UTF-8 path, or empty when the problem has no file
  int32_t riga = 0;        // from 1; 0 = unknown
  int32_t colonna = 0;     // from 1, in bytes; 0 = unknown
  std::string testo_riga;  // the source line, UTF-8; empty when unknown
  std::string rientro;     // blanks and tabs that put a caret under the column
};

std::vector<VoceRapporto> voci_rapporto(const EsitoCompilazione& esito, const RichiestaCompilazione& richiesta);

// One line per problem in the form FILE:LINE:COLUMN: ..., the source line, a
// caret under the column and the usual fix, then a summary line.
std::string rapporto_testo(const EsitoCompilazione& esito, const RichiestaCompilazione& richiesta);

nlohmann::json rapporto_json(const EsitoCompilazione& esito, const RichiestaCompilazione& richiesta);

}  // namespace scenario::strumenti
