#pragma once
// Whole-number conversions of the compiler.
//
// Every conversion from a computed real to a whole number rounds half to even
// and refuses a result that does not fit its target (a run-time failure).
// Sums and products of whole numbers wrap in the width they are computed in.

#include <cmath>
#include <cstdint>
#include <limits>

#include "base/errori.h"

namespace scenario {

// Nearest integer, a half going to the even neighbour. Independent of the
// floating-point rounding mode.
inline double arrotonda_pari(double x) {
  double r = std::round(x);  // half away from zero
  if (std::fabs(x - std::trunc(x)) == 0.5) r = 2.0 * std::round(x / 2.0);
  return r;
}

template <typename T>
T converti_arrotondando(double x) {
  double r = arrotonda_pari(x);
  if (!(r >= static_cast<double>(std::numeric_limits<T>::min()) &&
        r <= static_cast<double>(std::numeric_limits<T>::max())))
    throw ErroreEsecuzione(Guasto::overflow);
  return static_cast<T>(r);
}

// round(x) as a signed 32-bit value.
inline int32_t arrotonda_long(double x) { return converti_arrotondando<int32_t>(x); }
// round(x) as a signed 16-bit value.
inline int16_t arrotonda_intero(double x) { return converti_arrotondando<int16_t>(x); }
// round(x) as an unsigned 8-bit value.
inline uint8_t arrotonda_byte(double x) { return converti_arrotondando<uint8_t>(x); }

// A whole number that must fit the target exactly (a value read into a
// narrower field); anything else is an overflow.
template <typename T>
T restringi(int64_t v) {
  if (v < std::numeric_limits<T>::min() || v > std::numeric_limits<T>::max()) throw ErroreEsecuzione(Guasto::overflow);
  return static_cast<T>(v);
}

// Wrapping arithmetic: the low bits of the exact result.
inline int32_t a32(int64_t v) { return static_cast<int32_t>(static_cast<uint32_t>(v)); }
inline int16_t a16(int64_t v) { return static_cast<int16_t>(static_cast<uint16_t>(v)); }
inline uint8_t a8(int64_t v) { return static_cast<uint8_t>(v); }

}  // namespace scenario
