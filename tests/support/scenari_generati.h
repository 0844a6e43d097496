#pragma once
// Scenarios generated from fixed seeds, for tests that must see every kind of
// input the compiler meets: tidy ones, crowded ones where features collide and
// the track rules work hard, damaged ones where fields are missing, misspelt
// or out of range, and long routes. Positions are often not multiples of 50,
// so the rounding of halves is exercised.
//
// The same seed always gives the same texts, on every platform.

#include <cstdint>
#include <string>
#include <vector>

namespace scenario::test {

enum class GenereScenario { ordinato, affollato, alterato, lungo };

struct ScenarioGenerato {
  std::string nome;          // kind and seed, e.g. "affollato_17"
  std::string nome_linea;    // Windows-1252
  std::string numero_treno;  // Windows-1252
  std::string linea;         // the two description texts, CR LF line ends
  std::string treno;
};

ScenarioGenerato genera_scenario(GenereScenario genere, uint64_t seme);

// The whole set: `quanti` scenarios of each short kind and a few long routes.
std::vector<ScenarioGenerato> scenari_generati(int quanti);

}  // namespace scenario::test
