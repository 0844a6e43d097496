#include "compiler/regole.h"

#include "compiler/errori.h"

namespace scenario {

int32_t minimo(int32_t x, int32_t y) { return x > y ? y : x; }

void applica_regole(Stato&) {
  throw ErroreEsecuzione(Guasto::argomento_non_valido, "regole del binario non ancora disponibili");
}

}  // namespace scenario
