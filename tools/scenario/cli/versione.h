#pragma once
// What the tool says of itself: `scenario --version`, and the version and
// guide its reports name.

#include <string>

namespace scenario::strumenti {

// "scenario 1.0.0", and the commit the tool was built from where the build
// knew it: "scenario 1.0.0 (commit 0123456789ab)".
std::string testo_versione();

// The version alone ("1.0.0"), as reports and the language server name it.
const char* versione_progetto();

// Where a reader of the tool's reports learns about it (the authors' guide).
const char* documentazione_strumento();

}  // namespace scenario::strumenti
