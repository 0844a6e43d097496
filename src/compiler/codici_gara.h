#pragma once
// Marker values and contest codes stamped into reserved places of the
// station table (slot 85) and of the track (cell 1).

#include <cstdint>

namespace scenario {

struct Stato;

// The reserved places: valore1 and valore2 of this cell, campo7 and orario
// of slot::linea.
inline constexpr int32_t cella_riservata = 1;
// The two marker values.
inline constexpr int16_t marcatore_stazioni = 610;  // campo7 of slot::linea
inline constexpr int16_t marcatore_celle = 5121;    // valore1 of cella_riservata

// Checksums of the train number and route name held in slots 86 and 85.
int32_t codice_gara_st(const Stato& stato);
int16_t codice_gara_og(const Stato& stato);

// Checks that the reserved places are still 0 and stamps the markers and the
// two codes. A taken place is a numbered error (ErroreNumerato):
// numerato::marcatori_occupati for the markers, numerato::codici_gara_occupati
// for the codes.
void timbra_codici(Stato& stato);

}  // namespace scenario
