// Time of the check of the longest route (1 000 000 m, dense with features):
// the installer's compile in memory, the rules over what it read, and, when
// the reading stops somewhere, the reading on. The check of a whole route
// should take less than 50 ms.

#include <benchmark/benchmark.h>

#include <string>

#include "percorso_lungo.h"
#include "verifica/controllo.h"

namespace {

using namespace scenario;

const bench::TestiScenario& lungo() {
  static const bench::TestiScenario t = bench::percorso_piu_lungo();
  return t;
}

void ControlloPercorsoPiuLungo(benchmark::State& state) {
  const std::string linea = bench::come_file(lungo().linea), treno = bench::come_file(lungo().treno);
  const verifica::Testi testi{"Percorso_Lungo", "1", linea, treno, std::nullopt};
  size_t diagnostiche = 0;
  bool proseguita = false;
  for (auto _ : state) {
    const verifica::Controllo c = verifica::controlla_testi(testi);
    diagnostiche = c.diagnostiche.size();
    proseguita = c.proseguita;
    benchmark::DoNotOptimize(c.diagnostiche.data());
  }
  state.counters["diagnostiche"] = static_cast<double>(diagnostiche);
  state.counters["proseguita"] = proseguita;
}
BENCHMARK(ControlloPercorsoPiuLungo)->Unit(benchmark::kMillisecond);

// The same route with one number misspelt early in the line description:
// the installer stops there and the whole of both texts is read on.
void ControlloProseguito(benchmark::State& state) {
  bench::TestiScenario t = lungo();
  for (std::string& r : t.linea)
    if (r.starts_with("pendenza,  10000,")) {
      r = "pendenza,  10000,   1x";
      break;
    }
  const std::string linea = bench::come_file(t.linea), treno = bench::come_file(t.treno);
  const verifica::Testi testi{"Percorso_Lungo", "1", linea, treno, std::nullopt};
  size_t diagnostiche = 0;
  for (auto _ : state) {
    const verifica::Controllo c = verifica::controlla_testi(testi);
    diagnostiche = c.diagnostiche.size();
    benchmark::DoNotOptimize(c.diagnostiche.data());
  }
  state.counters["diagnostiche"] = static_cast<double>(diagnostiche);
}
BENCHMARK(ControlloProseguito)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
