#pragma once
// The check's diagnostics in the protocol's form.

#include <nlohmann/json.hpp>
#include <string>

#include "lsp/analisi.h"

namespace scenario::strumenti::lsp {

// The Diagnostic[] of one checked file; the usual fix goes in as related
// information at the same place, under uri.
nlohmann::json diagnostiche(const FileAnalizzato& f, const std::string& uri);

}  // namespace scenario::strumenti::lsp
