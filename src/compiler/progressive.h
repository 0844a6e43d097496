#pragma once
// Ordering of the three chainage references of slots 81 to 83.

namespace scenario {

struct Stato;

// Reorders the references read from the "uno", "due" and "tre" lines (slots
// 83, 82, 81) and adds 100 to the second value of each whose third value is 1.
void progressive_ordina(Stato& stato);

}  // namespace scenario
