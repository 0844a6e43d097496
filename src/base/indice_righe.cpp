// The line index of a text.

#include "base/indice_righe.h"

#include "base/righe.h"

namespace scenario {

IndiceRighe::IndiceRighe(std::string_view testo) : testo_(testo) {
  size_t riga = 0;
  for (size_t i = 0; i <= testo.size(); i = riga_da(testo, i).dopo, ++riga)
    if (riga % passo_ == 0) inizi_.push_back(i);
  righe_ = riga;
}

std::optional<size_t> IndiceRighe::inizio(int32_t n) const {
  if (n < 1 || static_cast<size_t>(n) > righe_) return std::nullopt;
  const size_t k = static_cast<size_t>(n) - 1;
  size_t i = inizi_[k / passo_];
  for (size_t r = k % passo_; r > 0; --r) i = riga_da(testo_, i).dopo;
  return i;
}

std::string_view IndiceRighe::riga(int32_t n) const {
  const std::optional<size_t> i = inizio(n);
  return i ? riga_da(testo_, *i).testo : std::string_view();
}

}  // namespace scenario
