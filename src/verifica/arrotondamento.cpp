// Cell rounding of the values along the line (arrotondamento.h).

#include "verifica/arrotondamento.h"

#include "compiler/celle.h"

namespace scenario::verifica {

using formato::Ruolo;

std::optional<int64_t> cella_del_valore(Ruolo ruolo, int64_t p) {
  const double celle = in_celle(static_cast<double>(p));
  switch (ruolo) {
    case Ruolo::punto: return int64_t{arrotonda_long(celle + 1.0)};
    case Ruolo::inizio_tratto: return int64_t{arrotonda_long(celle)};
    case Ruolo::fine_tratto: return int64_t{arrotonda_long(celle - 1.0)};
    default: return std::nullopt;
  }
}

std::optional<int64_t> metro_arrotondato(Ruolo ruolo, int64_t p) {
  const auto c = cella_del_valore(ruolo, p);
  if (!c) return std::nullopt;
  // A point's cell is one past the metre's; a span's end one before.
  const int64_t scarto = ruolo == Ruolo::punto ? -1 : ruolo == Ruolo::fine_tratto ? 1 : 0;
  return (*c + scarto) * metri_cella;
}

}  // namespace scenario::verifica
