#pragma once
// The language server's answers about one document, as protocol objects:
// its diagnostics, the meaning of the field under the cursor, the records
// and headers that may start a line, and its outline.

#include <nlohmann/json.hpp>

#include "lsp/analisi.h"
#include "lsp/documenti.h"

namespace scenario::strumenti::lsp {

// The Diagnostic[] of one checked file; the usual fix goes in as related
// information at the same place, under uri.
nlohmann::json diagnostiche(const FileAnalizzato& f, const std::string& uri);

// A Hover, or null where the cursor stands on no field of a record.
nlohmann::json hover(const Analisi& a, const Documento& d, Posizione p);

// A CompletionList: at a line's first field, the keywords of the document's
// records, each with a snippet of its values, and the section headers.
nlohmann::json completamento(const Documento& d, Posizione p);

// DocumentSymbol[]: each section with its records.
nlohmann::json simboli(const Analisi& a, const Documento& d);

// The range of a field that starts at riga, colonna (from 1, bytes of
// testo): to the next comma or the line's end; colonna 0 is the whole line,
// riga 0 the first line.
nlohmann::json intervallo_campo(std::string_view testo, int32_t riga, int32_t colonna);

}  // namespace scenario::strumenti::lsp
