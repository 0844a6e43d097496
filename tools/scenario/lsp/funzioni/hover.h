#pragma once
// The meaning of the field under the cursor.

#include <nlohmann/json.hpp>

#include "lsp/analisi.h"
#include "lsp/documenti.h"

namespace scenario::strumenti::lsp {

// A Hover, or null where the cursor stands on no field of a record.
nlohmann::json hover(const Analisi& a, const Documento& d, Posizione p);

}  // namespace scenario::strumenti::lsp
