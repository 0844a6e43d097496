#pragma once
// Route and train names as given on the command line.

#include <string>
#include <string_view>

namespace scenario::strumenti {

struct NomiDaArgomenti {
  std::string linea;  // Windows-1252
  std::string treno;  // Windows-1252
};

// The names of --route and --train in Windows-1252, checked by the naming
// rule of every scenario (base/nomi_file.h); a refused name is an
// ErroreStrumento naming the option and the reason.
NomiDaArgomenti nomi_da_argomenti(std::string_view linea_utf8, std::string_view treno_utf8);

}  // namespace scenario::strumenti
