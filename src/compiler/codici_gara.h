#pragma once
// Marker values and contest codes stamped into reserved places of the
// station table (slot 85) and of the track (cell 1).

#include <cstdint>

namespace scenario {

struct Stato;

// Checksums of the train number and route name held in slots 86 and 85.
int32_t codice_gara_st(const Stato& stato);
int16_t codice_gara_og(const Stato& stato);

// Checks that the reserved places are still 0 and stamps 610, 5121 and the
// two codes. A taken place is a numbered error: 1250 for the markers, 1251
// for the codes (ErroreNumerato).
void timbra_codici(Stato& stato);

}  // namespace scenario
