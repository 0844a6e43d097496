// The whole compile of a pair of texts, up to the binary files: the input is
// the line description, a NUL byte, then the train description.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "banco.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t n) {
  const std::string_view tutto(reinterpret_cast<const char*>(dati), n);
  const size_t taglio = tutto.find('\0');
  const std::string_view linea = tutto.substr(0, taglio);
  const std::string_view treno = taglio == std::string_view::npos ? std::string_view() : tutto.substr(taglio + 1);
  scenario::fuzz::compila(linea, treno, 1, true);
  return 0;
}
