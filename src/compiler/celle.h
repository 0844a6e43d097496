#pragma once
// The track model: one cell per 50 m, indices 0 to ultimo_indice(). Every
// access is checked; an index outside the array, or any access before the
// array exists, is a run-time failure. The cells are one zeroed block: a
// fresh cell is all zero, which is cella{}.

#include <cstdint>
#include <span>

#include "base/errori.h"
#include "base/memoria.h"
#include "compiler/numeri.h"
#include "compiler/records.h"

namespace scenario {

// How far the cells and the line profile reach beyond the end of the line.
inline constexpr int32_t metri_oltre_la_linea = 7000;

// The longest route the compiler takes, in metres.
inline constexpr int32_t lunghezza_massima = 1'000'000;

// A length in metres as a number of cells, not rounded.
inline double in_celle(double metri) { return metri / metri_cella; }

// The last cell of a line whose cells reach metre ultimo_metro (the route
// length plus metri_oltre_la_linea).
inline int32_t ultima_cella(int32_t ultimo_metro) { return arrotonda_long(in_celle(ultimo_metro)); }

// The cell of a point feature at metre p: round(p / 50 + 1).
inline int32_t cella_di_punto(int32_t p) { return arrotonda_long(in_celle(p) + 1.0); }

class Celle {
 public:
  // Fresh cells 0..ultimo, all zero. A negative bound is a run-time failure.
  void dimensiona(int32_t ultimo) {
    if (ultimo < 0) throw ErroreEsecuzione(Guasto::indice_fuori_intervallo, "celle");
    celle_ = BloccoAzzerato<cella>(static_cast<size_t>(ultimo) + 1);
    allocate_ = true;
  }
  bool allocate() const { return allocate_; }

  int32_t ultimo_indice() const {
    if (!allocate_) throw ErroreEsecuzione(Guasto::indice_fuori_intervallo, "celle");
    return static_cast<int32_t>(celle_.size()) - 1;
  }
  bool contiene(int64_t i) const { return allocate_ && i >= 0 && i < static_cast<int64_t>(celle_.size()); }

  cella& operator[](int64_t i) {
    if (!contiene(i)) throw ErroreEsecuzione(Guasto::indice_fuori_intervallo, "celle");
    return celle_[static_cast<size_t>(i)];
  }
  const cella& operator[](int64_t i) const {
    if (!contiene(i)) throw ErroreEsecuzione(Guasto::indice_fuori_intervallo, "celle");
    return celle_[static_cast<size_t>(i)];
  }

  std::span<const cella> tutte() const { return celle_.tutti(); }

 private:
  BloccoAzzerato<cella> celle_;
  bool allocate_ = false;
};

}  // namespace scenario
