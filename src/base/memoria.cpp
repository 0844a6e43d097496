#include "base/memoria.h"

#include <cstdlib>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace scenario {
namespace {

#if defined(__linux__)
constexpr std::size_t pagina_enorme = std::size_t{2} << 20;

// Smaller blocks would waste most of their huge page.
bool grande(std::size_t byte) { return byte >= pagina_enorme; }
std::size_t arrotonda(std::size_t byte) { return (byte + pagina_enorme - 1) / pagina_enorme * pagina_enorme; }
#endif

}  // namespace

void* prendi_memoria([[maybe_unused]] std::size_t byte) {
#if defined(__linux__)
  if (grande(byte)) {
    void* p = std::aligned_alloc(pagina_enorme, arrotonda(byte));
    if (!p) throw std::bad_alloc();
    // Only a hint: without huge pages the block works the same.
    ::madvise(p, arrotonda(byte), MADV_HUGEPAGE);
    return p;
  }
#endif
  return ::operator new(byte);
}

void rendi_memoria(void* p, [[maybe_unused]] std::size_t byte) noexcept {
#if defined(__linux__)
  if (grande(byte)) {
    std::free(p);
    return;
  }
#endif
  ::operator delete(p);
}

}  // namespace scenario
