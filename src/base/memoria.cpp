// Zeroed blocks through calloc: it knows which memory is fresh from the
// system, hence already zero, and clears only the rest.

#include "base/memoria.h"

#include <cstdlib>
#include <new>

namespace scenario {

void* prendi_azzerata(std::size_t n, std::size_t dimensione) {
  // calloc refuses a product that does not fit size_t; zero elements still
  // give a block of their own.
  void* p = std::calloc(n == 0 ? 1 : n, dimensione);
  if (!p) throw std::bad_alloc();
  return p;
}

void rendi_memoria(void* p) noexcept { std::free(p); }

}  // namespace scenario
