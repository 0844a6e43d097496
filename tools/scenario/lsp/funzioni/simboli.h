#pragma once
// The outline of a description text.

#include <nlohmann/json.hpp>

#include "lsp/analisi.h"
#include "lsp/documenti.h"

namespace scenario::strumenti::lsp {

// DocumentSymbol[]: each section with its records.
nlohmann::json simboli(const Analisi& a, const Documento& d);

}  // namespace scenario::strumenti::lsp
