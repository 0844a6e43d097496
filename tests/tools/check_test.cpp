// End to end: the check command on its fixture scenarios, one golden report
// per scenario and form, and what editors, CI and code-scanning services
// need from each form.
//
// After a change meant to alter the reports, rewrite the golden files with
//
//   AGGIORNA_VERIFICA=1 build/tests/test_scenario --gtest_filter='Check.*'
//
// and read the diff: every changed line is a changed report.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <regex>
#include <string>
#include <vector>

#include "support/cartella_temporanea.h"
#include "tools/strumento.h"

namespace scenario::test {
namespace {

namespace fs = std::filesystem;

const fs::path casi = fixture("verifica");

struct Forma {
  const char* nome;
  std::vector<std::string> argomenti;
};
const Forma forme[] = {
    {"testo", {}}, {"gcc", {"--formato", "gcc"}}, {"json", {"--formato", "json"}}, {"sarif", {"--formato", "sarif"}}};

std::vector<std::string> nomi_dei_casi() {
  std::vector<std::string> v;
  for (const auto& e : fs::directory_iterator(casi))
    if (e.is_directory()) v.push_back(e.path().filename().string());
  std::sort(v.begin(), v.end());
  return v;
}

Esecuzione verifica(const std::string& caso, const Forma& f) {
  std::vector<std::string> a{"check", caso};
  a.insert(a.end(), f.argomenti.begin(), f.argomenti.end());
  return esegui_strumento_in(casi, a);
}

TEST(Check, OgniScenarioDiProvaHaIlSuoRapportoInOgniForma) {
  const bool aggiorna = std::getenv("AGGIORNA_VERIFICA") != nullptr;
  const auto nomi = nomi_dei_casi();
  ASSERT_GE(nomi.size(), 6u);
  for (const std::string& caso : nomi)
    for (const Forma& f : forme) {
      SCOPED_TRACE(caso + " " + f.nome);
      const Esecuzione e = verifica(caso, f);
      const fs::path atteso = casi / caso / (std::string("atteso.") + f.nome);
      if (aggiorna) {
        std::ofstream(atteso, std::ios::binary) << e.uscita;
        continue;
      }
      EXPECT_EQ(e.uscita, leggi_file(atteso));
      if (std::string(f.nome) == "json") {
        EXPECT_EQ(e.stato, nlohmann::json::parse(e.uscita)["uscita"]);
      }
    }
  if (aggiorna) GTEST_SKIP() << "rapporti attesi riscritti";
}

}  // namespace
}  // namespace scenario::test
