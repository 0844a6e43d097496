#pragma once
// Reading one of the author's files whole, for every command.

#include <functional>
#include <istream>
#include <memory>
#include <string>

#include "base/disco.h"

namespace scenario::strumenti {

// ErroreStrumento naming the file when it is missing or cannot be read.
std::string leggi_file_autore(LettoreFile& disco, const Percorso& p);

// A fresh stream of the file from its start, each time it is called: read
// from the file itself on the real disk, so that a long file is never held
// whole; from the disk's bytes on any other.
std::function<std::unique_ptr<std::istream>()> apri_file_autore(LettoreFile& disco, const Percorso& p);

}  // namespace scenario::strumenti
