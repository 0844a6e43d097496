#pragma once
// Route and train names as given on the command line.

#include <string>
#include <string_view>

namespace scenario::strumenti {

// The name in Windows-1252. Refuses (ErroreStrumento) an empty name, one not
// writable in Windows-1252, one holding a path separator or "..", since it
// becomes part of file names.
std::string nome_da_argomento(std::string_view utf8, std::string_view quale);

}  // namespace scenario::strumenti
