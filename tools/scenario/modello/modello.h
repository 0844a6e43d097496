#pragma once
// The starter scenario `scenario nuovo` writes: a payload folder of the five
// texts (UTF-8, LF line ends) with five stations on 15 km, which checks
// clean and builds as it is, for an author to change. The texts stand beside
// this header and are built into the tool.

#include <span>
#include <string_view>

namespace scenario::strumenti {

struct TestoModello {
  const char* nome;  // the payload name: linea.txt...
  std::string_view (*testo)();
};

// The five, in the order a payload folder lists them.
std::span<const TestoModello> testi_modello();

// Built from the files beside this header (cmake/incorpora_testi.cmake).
std::string_view modello_linea();
std::string_view modello_treno();
std::string_view modello_note();
std::string_view modello_rallentamenti();
std::string_view modello_scheda();

}  // namespace scenario::strumenti
