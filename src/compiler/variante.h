#pragma once
// A tagged value of the line profile: Empty, a 16-bit Integer or a Double.
// The tag numbers are the ones the profile file stores.

#include <cstdint>

namespace scenario {

struct Variante {
  enum class Tipo : uint16_t { vuoto = 0, intero = 2, doppio = 5 };

  Tipo tipo = Tipo::vuoto;
  int16_t intero = 0;
  double doppio = 0.0;

  static Variante da_intero(int16_t v) { return {Tipo::intero, v, 0.0}; }
  static Variante da_doppio(double v) { return {Tipo::doppio, 0, v}; }

  // The value in arithmetic; Empty counts as 0.
  double valore() const {
    switch (tipo) {
      case Tipo::intero: return intero;
      case Tipo::doppio: return doppio;
      case Tipo::vuoto: break;
    }
    return 0.0;
  }

  bool operator==(const Variante&) const = default;
};

}  // namespace scenario
