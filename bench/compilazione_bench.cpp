// Time of a whole compile (texts written, read back, rules, codes, binary
// files) of the embedded scenario and of the longest route, on a disk in
// memory and on a temporary directory, against plainly writing the bytes the
// compile produces.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <functional>
#include <random>
#include <string>

#include "base/nomi_file.h"
#include "compiler/compilazione.h"
#include "compiler/stato.h"
#include "percorso_lungo.h"
#include "platform/disco_file.h"
#include "sources/payload.h"
#include "sources/scrittori.h"
#include "support/disco_memoria.h"

namespace {

using namespace scenario;
namespace fs = std::filesystem;

class CartellaBench {
 public:
  CartellaBench() {
    std::random_device rd;
    percorso_ = fs::temp_directory_path() / ("scenario_bench_" + std::to_string(rd()));
    fs::create_directories(percorso_);
  }
  ~CartellaBench() {
    std::error_code ec;
    fs::remove_all(percorso_, ec);
  }
  const fs::path& percorso() const { return percorso_; }

 private:
  fs::path percorso_;
};

const std::string nome_linea = "Belmora_Solvenzia", numero_treno = "4816-4817";
const NomiScenario nomi{nome_linea, numero_treno};

Stato stato_nuovo() {
  Stato s;
  s.nome_linea = nome_linea;
  s.numero_treno = numero_treno;
  return s;
}

// The bytes of the three binary files after one compile.
size_t byte_prodotti(Disco& disco, const Percorso& cartella) {
  size_t n = 0;
  for (FileScenario f : {FileScenario::linea_dat, FileScenario::sim, FileScenario::dat})
    n += disco.leggi(percorso_file(cartella, f, nome_linea, numero_treno)).size();
  return n;
}

template <typename Prepara>
void compila(benchmark::State& state, Prepara prepara) {
  CartellaBench dir;
  test::DiscoMemoria memoria;
  DiscoFile file;
  const bool su_disco = state.range(0) != 0;
  Disco& disco = su_disco ? static_cast<Disco&>(file) : memoria;
  const Percorso cartella = su_disco ? dir.percorso() : Percorso("/b");
  int32_t codice = 0;
  for (auto _ : state) {
    Stato s = stato_nuovo();
    prepara(s, disco, cartella);
    const Esito e = esegui_compilazione(s, disco, file_compilazione(cartella, cartella, nomi), 1);
    if (!e.completo()) {
      state.SkipWithError(e.testo.c_str());
      return;
    }
    codice = s.codice_errore;
    benchmark::DoNotOptimize(s.celle.tutte().data());
  }
  const size_t byte = byte_prodotti(disco, cartella);
  state.counters["byte_uscita"] = static_cast<double>(byte);
  state.counters["codice_errore"] = codice;
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * byte));
}

void ScenarioIncorporato(benchmark::State& state) {
  compila(state, [](Stato&, Disco& disco, const Percorso& cartella) {
    dati_linea(nomi, payload_incorporato(), disco, cartella);
    dati_treno(nomi, payload_incorporato(), disco, cartella);
  });
}
BENCHMARK(ScenarioIncorporato)->ArgName("su_disco")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

const bench::TestiScenario& lungo() {
  static const bench::TestiScenario t = bench::percorso_piu_lungo();
  return t;
}

void PercorsoPiuLungo(benchmark::State& state) {
  const std::string linea = bench::come_file(lungo().linea), treno = bench::come_file(lungo().treno);
  compila(state, [&](Stato&, Disco& disco, const Percorso& cartella) {
    scrivi_file_nuovo(disco, percorso_file(cartella, FileScenario::linea_txt, nome_linea, numero_treno), linea);
    scrivi_file_nuovo(disco, percorso_file(cartella, FileScenario::treno_txt, nome_linea, numero_treno), treno);
  });
}
BENCHMARK(PercorsoPiuLungo)->ArgName("su_disco")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The floor: the longest route's three output files written as they are,
// each put on the device as the compile puts its files.
void ScritturaUscitaPiuLunga(benchmark::State& state) {
  test::DiscoMemoria memoria;
  {
    Stato s = stato_nuovo();
    memoria.file["/b/" + nome_file(FileScenario::linea_txt, nome_linea, numero_treno)] =
        bench::come_file(lungo().linea);
    memoria.file["/b/" + nome_file(FileScenario::treno_txt, nome_linea, numero_treno)] =
        bench::come_file(lungo().treno);
    esegui_compilazione(s, memoria, file_compilazione("/b", "/b", nomi), 1);
  }
  std::vector<std::pair<std::string, std::string>> uscita;
  for (FileScenario f : {FileScenario::linea_dat, FileScenario::sim, FileScenario::dat}) {
    const std::string nome = nome_file(f, nome_linea, numero_treno);
    uscita.emplace_back(nome, memoria.file.at("/b/" + nome));
  }
  CartellaBench dir;
  DiscoFile disco;
  size_t byte = 0;
  for (auto _ : state) {
    byte = 0;
    for (const auto& [nome, contenuto] : uscita) {
      const Percorso p = dir.percorso() / nome;
      disco.crea(p);
      disco.scrivi_durevole(p, [&](const std::function<void(std::string_view)>& pezzo) { pezzo(contenuto); });
      byte += contenuto.size();
    }
  }
  state.counters["byte_uscita"] = static_cast<double>(byte);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * byte));
}
BENCHMARK(ScritturaUscitaPiuLunga)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
