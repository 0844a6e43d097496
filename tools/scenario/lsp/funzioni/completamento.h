#pragma once
// Completion at a line's first field.

#include <nlohmann/json.hpp>

#include "lsp/documenti.h"

namespace scenario::strumenti::lsp {

// A CompletionList: at a line's first field, the keywords of the document's
// records, each with a snippet of its values, and the section headers.
nlohmann::json completamento(const Documento& d, Posizione p);

}  // namespace scenario::strumenti::lsp
