// The train description reader on any bytes, after a valid line description.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "banco.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t n) {
  scenario::fuzz::compila(scenario::fuzz::linea_fissa(), std::string_view(reinterpret_cast<const char*>(dati), n), 0,
                          false);
  return 0;
}
