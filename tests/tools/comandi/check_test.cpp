// End to end: the check command on its fixture scenarios, one golden report
// per scenario and form, and what editors, CI and code-scanning services
// need from each form.
//
// After a change meant to alter the reports, rewrite the golden files with
//
//   AGGIORNA_VERIFICA=1 build/tests/test_scenario --gtest_filter='Check.*'
//
// and read the diff: every changed line is a changed report.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "support/cartella_temporanea.h"
#include "tools/strumento.h"
#include "verifica/tenuti.h"

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

// Every error and warning line of the GCC form is one that the stock GCC
// problem matchers read (VS Code's $gcc, the same expression CI services
// use), naming the file, line, column and severity the JSON names.
TEST(Check, LaFormaGccELettaDaiMatcherDiGcc) {
  const std::regex gcc(R"(^(.*?):(\d+):(\d*):?\s+(?:fatal\s+)?(warning|error):\s+(.*)$)");
  size_t lette = 0;
  for (const std::string& caso : nomi_dei_casi()) {
    SCOPED_TRACE(caso);
    const auto j = nlohmann::json::parse(verifica(caso, forme[2]).uscita);
    std::istringstream righe(verifica(caso, forme[1]).uscita);
    std::string riga;
    for (const auto& d : j["scenari"][0]["diagnostiche"]) {
      ASSERT_TRUE(std::getline(righe, riga));
      std::smatch m;
      const bool letta = std::regex_match(riga, m, gcc);
      if (d["gravita"] == "nota" || d["riga"].is_null()) {
        EXPECT_FALSE(letta) << riga;
        continue;
      }
      ASSERT_TRUE(letta) << riga;
      ++lette;
      EXPECT_EQ(m[1].str(), d["file"]);
      EXPECT_EQ(std::stoi(m[2].str()), d["riga"]);
      EXPECT_EQ(std::stoi(m[3].str()), d["colonna"]);
      EXPECT_EQ(m[4].str(), d["gravita"] == "errore" ? "error" : "warning");
      const std::string id = d["id"];
      EXPECT_EQ(m[5].str().substr(0, 2 + id.size()), "[" + id + "]");
    }
    EXPECT_FALSE(std::getline(righe, riga)) << riga;
  }
  EXPECT_GT(lette, 10u);
}

// The fields code-scanning services require of a SARIF 2.1.0 log.
TEST(Check, IlSarifHaICampiCheIServiziRichiedono) {
  for (const std::string& caso : nomi_dei_casi()) {
    SCOPED_TRACE(caso);
    const auto s = nlohmann::json::parse(verifica(caso, forme[3]).uscita);
    EXPECT_EQ(s["version"], "2.1.0");
    EXPECT_TRUE(s["$schema"].get<std::string>().ends_with("sarif-2.1.0.json"));
    ASSERT_EQ(s["runs"].size(), 1u);
    const auto& run = s["runs"][0];
    EXPECT_EQ(run["tool"]["driver"]["name"], "scenario");
    std::set<std::string> regole;
    for (const auto& r : run["tool"]["driver"]["rules"]) {
      EXPECT_TRUE(regole.insert(r["id"].get<std::string>()).second);
      EXPECT_FALSE(r["help"]["text"].get<std::string>().empty());
    }
    for (const auto& r : run["results"]) {
      EXPECT_TRUE(regole.count(r["ruleId"].get<std::string>())) << r["ruleId"];
      EXPECT_EQ(run["tool"]["driver"]["rules"][r["ruleIndex"].get<size_t>()]["id"], r["ruleId"]);
      EXPECT_THAT(r["level"].get<std::string>(), testing::AnyOf("error", "warning", "note"));
      EXPECT_FALSE(r["message"]["text"].get<std::string>().empty());
      ASSERT_EQ(r["locations"].size(), 1u);
      const auto& fisico = r["locations"][0]["physicalLocation"];
      EXPECT_TRUE(fisico["artifactLocation"]["uri"].get<std::string>().starts_with(caso + "/"));
      EXPECT_GE(fisico["region"]["startLine"].get<int>(), 1);
    }
  }
}

// Whatever goes wrong, the JSON form answers with one object on stdout
// that says why, and the exit status 2.
TEST(Check, InJsonUnOggettoAncheQuandoNonSiPuoControllare) {
  const std::vector<std::string> righe_di_comando[] = {
      {"check", "manca", "--json"},
      {"check", "--formato", "json", "--sconosciuta"},
      {"check", "--formato=json", "--no-warn", "W99"},
      {"chek", "--json"},
      {"check", "--json", "."},
  };
  for (const auto& a : righe_di_comando) {
    SCOPED_TRACE(a[1]);
    const Esecuzione e = esegui_strumento_in(casi, a);
    EXPECT_EQ(e.stato, 2);
    const auto j = nlohmann::json::parse(e.uscita);
    EXPECT_EQ(j["formato"], "scenario-check");
    EXPECT_EQ(j["versione"], 1);
    EXPECT_EQ(j["uscita"], 2);
    const bool spiegato = j["errore"].is_string() || (!j["scenari"].empty() && j["scenari"][0]["errore"].is_string());
    EXPECT_TRUE(spiegato) << e.uscita;
  }
}

// The command line answers in Italian, CLI11's words included, and a
// misspelt command is named as such, with the nearest one.
TEST(Check, LaRigaDiComandoParlaItaliano) {
  struct Caso {
    std::vector<std::string> argomenti;
    const char* messaggio;
  };
  const Caso casi_cli[] = {
      {{"chek"},
       "comando sconosciuto \xC2\xAB"
       "chek\xC2\xBB: forse intendevi \xC2\xAB"
       "check\xC2\xBB?"},
      {{"cmpile", "--route", "R"},
       "comando sconosciuto \xC2\xAB"
       "cmpile\xC2\xBB: forse intendevi \xC2\xAB"
       "compile\xC2\xBB?"},
      {{"xyzzy"}, "comando sconosciuto \xC2\xABxyzzy\xC2\xBB; i comandi sono nuovo compile check dump plan"},
      {{}, "manca il comando"},
      {{"check", "--formato", "xml"}, "valore non valido per --formato: xml"},
      {{"check", "--formato"}, "manca il valore di --formato"},
      {{"check", "--bis"}, "argomento non previsto: --bis"},
      {{"check", "--no-warn", "W99"}, "--no-warn: avviso sconosciuto W99"},
      {{"dump"}, "manca l'argomento obbligatorio FILE"},
      {{"plan", "--route", "R", "--train", "T"}, "manca l'argomento obbligatorio -o"},
  };
  for (const Caso& c : casi_cli) {
    SCOPED_TRACE(c.messaggio);
    const Esecuzione e = esegui_strumento(c.argomenti);
    EXPECT_EQ(e.stato, 2);
    EXPECT_NE(e.uscita.find(std::string("scenario: ") + c.messaggio), std::string::npos) << e.uscita;
    for (const char* inglese : {"required", "expected", "Could not", "not in", "Run with", "missing", "argument"})
      EXPECT_EQ(e.uscita.find(inglese), std::string::npos) << e.uscita;
  }
  for (const char* comando : {"compile", "check", "dump", "plan"}) {
    const Esecuzione h = esegui_strumento({comando, "--help"});
    EXPECT_EQ(h.stato, 0);
    for (const char* inglese : {"Usage", "Options", "REQUIRED", "TEXT", "Positionals"})
      EXPECT_EQ(h.uscita.find(inglese), std::string::npos) << comando << "\n" << h.uscita;
  }
}

// --version, before any command: the project's version, and the commit
// where the build knew it.
TEST(Check, Versione) {
  const Esecuzione e = esegui_strumento({"--version"});
  EXPECT_EQ(e.stato, 0);
  EXPECT_THAT(e.uscita, testing::MatchesRegex("scenario " VERSIONE_ATTESA "( \\(commit [0-9a-f]{12}\\))?\n"))
      << e.uscita;
}

// Several scenarios in one run: one report after the other, a table of
// their counts, and the worst exit status; --Werror and --no-warn.
TEST(Check, PiuScenariInUnaVoltaEGliAvvisiComeErrori) {
  const Esecuzione e = esegui_strumento_in(casi, {"check", "refusi", "stazione_corta", "--in", "utf8", "manca"});
  EXPECT_EQ(e.stato, 2);
  EXPECT_THAT(e.uscita, testing::HasSubstr("== utf8 ==\n"));
  EXPECT_THAT(e.uscita, testing::ContainsRegex("\ncartella +errori avvisi  note uscita\n"));
  EXPECT_THAT(e.uscita, testing::ContainsRegex("\nutf8 +0 +2 +0 +0\n"));
  EXPECT_THAT(e.uscita, testing::ContainsRegex("\nrefusi +0 +4 +0 +0\n"));
  EXPECT_THAT(e.uscita, testing::ContainsRegex("\nstazione_corta +1 +0 +1 +1\n"));
  EXPECT_THAT(e.uscita, testing::ContainsRegex("\nmanca +- +- +- +2\n"));
  EXPECT_THAT(e.uscita, testing::ContainsRegex("\ntotale +1 +6 +1 +2\n"));

  EXPECT_EQ(esegui_strumento_in(casi, {"check", "refusi"}).stato, 0);
  EXPECT_EQ(esegui_strumento_in(casi, {"check", "refusi", "--Werror"}).stato, 1);
  const Esecuzione senza = esegui_strumento_in(casi, {"check", "refusi", "--no-warn", "W01,W02", "--formato", "gcc"});
  EXPECT_EQ(senza.uscita, "");
  EXPECT_EQ(esegui_strumento_in(casi, {"check", "refusi", "--no-warn", "W01", "--no-warn", "W02", "--Werror"}).stato,
            0);
}

// Past the bound of one identifier the rest are counted, not shown: one
// note for each identifier says how many, and the summary, the table and
// the exit status count them all; --no-warn takes a warning's note too.
TEST(Check, OltreIlLimiteLeDiagnosticheSonoContateNonMostrate) {
  // The README states the bound the check keeps.
  EXPECT_NE(leggi_file(README_PROGETTO)
                .find("the first " + std::to_string(verifica::massimo_per_identificatore) + " by place are shown"),
            std::string::npos);
  CartellaTemporanea dir;
  // Under the installed names: a load folder takes no more than 1000 lines.
  fs::create_directory(dir / "molti");
  fs::copy(casi / "refusi" / "treno.txt", dir / "molti" / "R_T-.txt");
  std::string linea = leggi_file(casi / "refusi" / "linea.txt");
  // 1500 W01 in the line and 2 in the train; 1200 P25, each stopping a record.
  std::string molte;
  for (int i = 1; i < 1500; ++i) molte += "pendeza,  5000,   2\n";
  for (int i = 0; i < 1200; ++i) molte += "pendenza,  5000,   12O\n";
  const std::string dopo = "pendeza,  5000,   2\n";
  linea.insert(linea.find(dopo) + dopo.size(), molte);
  scrivi_file(dir / "molti" / "R_linea.txt", linea);
  auto conta_id = [](const std::string& uscita, const std::string& id) {
    size_t n = 0;
    for (size_t i = uscita.find(id); i != std::string::npos; i = uscita.find(id, i + 1)) ++n;
    return n;
  };

  const Esecuzione gcc = esegui_strumento_in(dir.percorso(), {"check", "molti", "--formato", "gcc"});
  EXPECT_EQ(gcc.stato, 1);
  EXPECT_EQ(conta_id(gcc.uscita, "[W01]"), 1000u);
  EXPECT_EQ(conta_id(gcc.uscita, "[P25]"), 1000u);
  // The first by place: the line's from its line 16 on, none of the train's.
  EXPECT_THAT(gcc.uscita, testing::HasSubstr("molti/R_linea.txt:1015:1: warning: [W01]"));
  EXPECT_THAT(gcc.uscita, testing::Not(testing::HasSubstr("molti/R_linea.txt:1016:1: warning: [W01]")));
  EXPECT_THAT(gcc.uscita, testing::Not(testing::HasSubstr("molti/R_T-.txt:15:1: warning: [W01]")));
  EXPECT_THAT(gcc.uscita, testing::EndsWith(": note: [N07] altri 200 errori P25 non mostrati\n"
                                            "molti/R_linea.txt: note: [N07] altri 502 avvisi W01 non mostrati\n"));

  fs::copy(casi / "utf8", dir.percorso() / "utf8");
  const Esecuzione testo = esegui_strumento_in(dir.percorso(), {"check", "molti", "utf8"});
  EXPECT_EQ(testo.stato, 1);
  EXPECT_THAT(testo.uscita, testing::HasSubstr("\n1200 errori, 1503 avvisi, 4 note; "));
  EXPECT_THAT(testo.uscita, testing::ContainsRegex("\nmolti +1200 +1503 +4 +1\n"));

  const Esecuzione json = esegui_strumento_in(dir.percorso(), {"check", "molti", "--formato", "json"});
  EXPECT_EQ(nlohmann::json::parse(json.uscita)["scenari"][0]["diagnostiche"].size(), 2000u + 1 + 2 + 2);

  const Esecuzione senza = esegui_strumento_in(dir.percorso(), {"check", "molti", "--no-warn", "W01"});
  EXPECT_THAT(senza.uscita, testing::Not(testing::HasSubstr("W01")));
  EXPECT_THAT(senza.uscita, testing::HasSubstr("[N07] altri 200 errori P25 non mostrati\n"));
  EXPECT_THAT(senza.uscita, testing::HasSubstr("\n1200 errori, 1 avviso, 3 note; "));
}

// Nothing is written unless asked; with --out the binary files go there as
// the compile writes them.
TEST(Check, ScriveIFileBinariSoloConOut) {
  CartellaTemporanea dir;
  fs::copy(casi / "utf8", dir.percorso() / "utf8");
  const Esecuzione e = esegui_strumento_in(dir.percorso(), {"check", "utf8"});
  EXPECT_EQ(e.stato, 0) << e.uscita;
  EXPECT_EQ(std::distance(fs::directory_iterator(dir / "utf8"), fs::directory_iterator()), 6);
  fs::create_directory(dir / "bin");
  const Esecuzione o = esegui_strumento_in(dir.percorso(), {"check", "utf8", "--out", "bin"});
  EXPECT_EQ(o.stato, 0) << o.uscita;
  EXPECT_THAT(o.uscita, testing::HasSubstr("; file binari scritti in bin\n"));
  for (const char* f : {"Prova_linea.dat", "Prova_1.sim", "Prova_1.dat"}) EXPECT_TRUE(fs::exists(dir / "bin" / f)) << f;
}

// Colours only on a terminal, and not with NO_COLOR: the tool run under
// script(1), which gives it one.
TEST(Check, ColoriSoloSulTerminaleESenzaNoColor) {
  if (std::system("script -qec true /dev/null >/dev/null 2>&1") != 0) GTEST_SKIP() << "script(1) non disponibile";
  auto sul_terminale = [&](const std::string& ambiente) {
    return esegui_comando("cd " + tra_apici(casi.string()) + " && " + ambiente + " script -qec " +
                          tra_apici(riga_strumento({"check", "refusi"})) + " /dev/null");
  };
  EXPECT_THAT(sul_terminale("").uscita, testing::HasSubstr("\033[1;35mavviso\033[0m"));
  EXPECT_THAT(sul_terminale("NO_COLOR=1").uscita, testing::Not(testing::HasSubstr("\033[")));
  EXPECT_THAT(esegui_strumento_in(casi, {"check", "refusi"}).uscita, testing::Not(testing::HasSubstr("\033[")));
}

// The README shows a real report: one of these, as the tool writes it.
TEST(Check, IlReadmeMostraUnRapportoVero) {
  std::string atteso;
  std::istringstream righe(leggi_file(casi / "numero_sbagliato" / "atteso.testo"));
  for (std::string r; std::getline(righe, r);) atteso += (r.empty() ? "" : "    " + r) + "\n";
  EXPECT_NE(leggi_file(README_PROGETTO).find("\n\n" + atteso + "\n"), std::string::npos);
}

}  // namespace
}  // namespace scenario::test
