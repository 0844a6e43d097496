#pragma once
// The cell a value along the line falls in, as the stamping and the fills
// round it, and the metre it then stands at.

#include <cstdint>
#include <optional>

#include "compiler/formati.h"

namespace scenario::verifica {

// Nothing for a value whose role takes no cell rounding.
std::optional<int64_t> cella_del_valore(formato::Ruolo ruolo, int64_t p);
std::optional<int64_t> metro_arrotondato(formato::Ruolo ruolo, int64_t p);

}  // namespace scenario::verifica
