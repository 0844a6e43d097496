#pragma once
// Memory for the large arrays of a long route: the line profile and the
// encoded profile file run to tens of megabytes, and filling them a small
// page at a time is most of a long compile's time. Where the system can, such
// blocks are backed by huge pages.

#include <cstddef>
#include <new>

namespace scenario {

void* prendi_memoria(std::size_t byte);
void rendi_memoria(void* p, std::size_t byte) noexcept;

template <typename T>
struct AllocatoreGrande {
  using value_type = T;

  AllocatoreGrande() = default;
  template <typename U>
  AllocatoreGrande(const AllocatoreGrande<U>&) noexcept {}

  T* allocate(std::size_t n) { return static_cast<T*>(prendi_memoria(n * sizeof(T))); }
  void deallocate(T* p, std::size_t n) noexcept { rendi_memoria(p, n * sizeof(T)); }

  friend bool operator==(const AllocatoreGrande&, const AllocatoreGrande&) { return true; }
};

}  // namespace scenario
