#pragma once
// Route and train names as given on the command line.

#include <string>
#include <string_view>

namespace scenario::strumenti {

// The name in Windows-1252, checked by the naming rule of every scenario
// (base/nomi_file.h); a refused name is an ErroreStrumento naming the option
// and the reason. quale is the option the name comes from: "--route" for the
// route, "--train" for the train.
std::string nome_da_argomento(std::string_view utf8, std::string_view quale);

}  // namespace scenario::strumenti
