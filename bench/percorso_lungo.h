#pragma once
// A generated scenario on the longest route the compiler accepts
// (1 000 000 m), dense with curves, gradients, montagna spans, boards,
// stations, signals and slowdowns, every text under 1000 lines so that an
// installer can carry it too.

#include <string>
#include <vector>

namespace scenario::bench {

struct TestiScenario {
  std::vector<std::string> linea;
  std::vector<std::string> treno;
};

TestiScenario percorso_piu_lungo();

// The lines joined as the writers write them: CR LF after each.
std::string come_file(const std::vector<std::string>& righe);

}  // namespace scenario::bench
