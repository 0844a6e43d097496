#pragma once
// Reading one of the author's files whole, for every command.

#include <string>

#include "base/disco.h"

namespace scenario::strumenti {

// ErroreStrumento naming the file when it is missing or cannot be read.
std::string leggi_file_autore(Disco& disco, const Percorso& p);

}  // namespace scenario::strumenti
