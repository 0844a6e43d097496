#pragma once
// What `scenario --version` answers.

#include <string>

namespace scenario::strumenti {

// "scenario 1.0.0", and the commit the tool was built from where the build
// knew it: "scenario 1.0.0 (commit 0123456789ab)".
std::string testo_versione();

}  // namespace scenario::strumenti
