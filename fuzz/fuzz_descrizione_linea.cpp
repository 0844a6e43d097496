// The line description reader on any bytes, with a valid train description
// after it and the profile built.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "banco.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t n) {
  scenario::fuzz::compila(std::string_view(reinterpret_cast<const char*>(dati), n), scenario::fuzz::treno_fisso(), 1,
                          false);
  return 0;
}
