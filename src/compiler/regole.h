#pragma once
// The track rules: one forward pass over the cells that places speed
// reduction markers (code 12, value 180) around slowdowns and before signals
// near a slowdown's warning board, recording problems 11 to 13 where there is
// no room for one.

#include <cstdint>

namespace scenario {

struct Stato;

// The smaller of the two; x on equal values.
int32_t minimo(int32_t x, int32_t y);

// Needs the cells: before they exist it is a run-time failure.
void applica_regole(Stato& stato);

}  // namespace scenario
