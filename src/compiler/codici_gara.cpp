#include "compiler/codici_gara.h"

#include <string>

#include "base/cp1252.h"
#include "base/errori.h"
#include "compiler/numeri.h"
#include "compiler/stato.h"

namespace scenario {
namespace {

constexpr int caratteri_contati = 25;

// Train number, route name, then the fixed table, in lower case.
std::string testo_codice(const Stato& stato) {
  std::string t = stato.stazioni[slot::globale].nome + stato.stazioni[slot::linea].nome;
  for (char& c : t) c = minuscola_cp1252(c);
  return t + "aabbccddeeffgghhiillmmnnoo";
}

}  // namespace

int32_t codice_gara_st(const Stato& stato) {
  const std::string t = testo_codice(stato);
  int32_t somma = 0;
  for (int32_t n = 1; n <= caratteri_contati; ++n)
    somma = a32(int64_t{somma} + int64_t{n} * static_cast<unsigned char>(t[static_cast<size_t>(n - 1)]));
  return somma;
}

int16_t codice_gara_og(const Stato& stato) {
  const std::string t = testo_codice(stato);
  int32_t somma = 0;
  for (int32_t n = 1; n <= caratteri_contati; ++n) somma += static_cast<unsigned char>(t[static_cast<size_t>(n - 1)]);
  return static_cast<int16_t>(somma);
}

void timbra_codici(Stato& stato) {
  stazione& linea = stato.stazioni[slot::linea];
  // The cell is looked at only where the slot leaves it to decide, as each
  // access is checked.
  auto riservata = [&]() -> cella& { return stato.celle[cella_riservata]; };
  if (linea.campo7 != 0 || riservata().valore1 != 0) throw ErroreNumerato(numerato::marcatori_occupati);
  linea.campo7 = marcatore_stazioni;
  riservata().valore1 = marcatore_celle;
  if (linea.orario != 0 || riservata().valore2 != 0) throw ErroreNumerato(numerato::codici_gara_occupati);
  linea.orario = codice_gara_st(stato);
  riservata().valore2 = codice_gara_og(stato);
}

}  // namespace scenario
