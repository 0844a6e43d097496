#pragma once
// Stamping of line-side features into the track cells. Each operation
// reports a conflict by recording a problem (codice_errore) at the place the
// compile stands at (Stato::origine_corrente) and returning; the caller then
// puts its own position with it. The cell of a point feature is
// cella_di_punto (celle.h).
//
// The values are the caller's, in the order of its record; memo_montagna
// gives tipo back changed, memo_segnale tempo.

#include <cstdint>

namespace scenario {

struct Stato;

// A signal and a station stop are approached by this many marks, the first
// one nearest.
inline constexpr int32_t passi_avvicinamento = 4;

void memo_montagna(Stato& stato, int32_t inizio, int32_t fine, int32_t& tipo);

void memo_rallentamento(Stato& stato, int32_t x, int32_t v, int32_t l, int32_t f_tt, int32_t f_ta, int32_t d_v);

void memo_segnale(Stato& stato, int32_t posizione, int32_t sx, int32_t s1, int32_t s2, int32_t s3, int32_t rapp,
                  int32_t dx, int32_t d1, int32_t d2, int32_t d3, int32_t& tempo);

void memo_indicatori_v_max(Stato& stato, int32_t posizione, int32_t vas, int32_t vbs, int32_t vcs, int32_t strisces,
                           int32_t vad, int32_t vbd, int32_t vcd, int32_t strisced);

}  // namespace scenario
