#pragma once
// Zeroed arrays of plain records (the track cells): taken in one piece and
// already zero, so that nothing writes zeros over them before they are
// filled. A large block comes straight from the system as fresh pages, which
// are zero; a small one from the heap, cleared only where it was used before.

#include <cstddef>
#include <span>
#include <type_traits>
#include <utility>

namespace scenario {

// n elements of dimensione bytes, every byte zero; std::bad_alloc when the
// memory is not there.
void* prendi_azzerata(std::size_t n, std::size_t dimensione);
void rendi_memoria(void* p) noexcept;

// n records of T, each reading as T{}: T must be a record whose members
// all start at zero (an all-zero record is T{}).
template <typename T>
class BloccoAzzerato {
  static_assert(std::is_trivially_copyable_v<T> && std::is_trivially_destructible_v<T>,
                "only plain records live in zeroed memory");

 public:
  BloccoAzzerato() = default;
  explicit BloccoAzzerato(std::size_t n) : p_(static_cast<T*>(prendi_azzerata(n, sizeof(T)))), n_(n) {}
  BloccoAzzerato(BloccoAzzerato&& altro) noexcept
      : p_(std::exchange(altro.p_, nullptr)), n_(std::exchange(altro.n_, 0)) {}
  BloccoAzzerato& operator=(BloccoAzzerato&& altro) noexcept {
    if (this != &altro) {
      rendi_memoria(p_);
      p_ = std::exchange(altro.p_, nullptr);
      n_ = std::exchange(altro.n_, 0);
    }
    return *this;
  }
  ~BloccoAzzerato() { rendi_memoria(p_); }

  std::size_t size() const { return n_; }
  T& operator[](std::size_t i) { return p_[i]; }
  const T& operator[](std::size_t i) const { return p_[i]; }
  std::span<const T> tutti() const { return {p_, n_}; }

 private:
  T* p_ = nullptr;
  std::size_t n_ = 0;
};

}  // namespace scenario
