#pragma once
// The report of a compile: the compile's own problems, each as the check
// reports it (one diagnostic, one printer a form), with the compile's own
// summary; as JSON in the compile's own shape (see the README).

#include <nlohmann/json.hpp>
#include <string>

#include "diagnostiche/rapporto_verifica.h"

namespace scenario::strumenti {

// The diagnostics as the text form shows them, then: the problems by kind,
// codice_errore and posizione_errore, and whether the binary files were
// written in s.uscita_binari.
std::string rapporto_testo(const ScenarioVerificato& s, OpzioniTesto opzioni);

// {"linea", "treno", "problemi": [{"tipo", "codice", "significato",
// "suggerimento", "posizione", "file", "riga", "colonna", "testo_riga"}],
// "conteggi", "codice_errore", "posizione_errore", "file_scritti", "uscita"}
nlohmann::json rapporto_json(const ScenarioVerificato& s);

}  // namespace scenario::strumenti
