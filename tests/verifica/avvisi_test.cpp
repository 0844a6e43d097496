// The table of the check's warnings and notes: stable identifiers, one
// entry for each, plain one-line texts, and the README's list generated
// from it.

#include "verifica/avvisi.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "support/testo_semplice.h"

namespace scenario::verifica {
namespace {

using test::testo_semplice_utf8;

TEST(Avvisi, IdentificatoriStabiliEUnaVoceCiascuno) {
  const auto tabella = tabella_regole();
  int avvisi = 0, note = 0;
  for (const Regola& r : tabella) {
    SCOPED_TRACE(identificatore(r));
    EXPECT_TRUE(testo_semplice_utf8(r.significato));
    EXPECT_TRUE(testo_semplice_utf8(r.suggerimento));
    // Numbered from 1 without gaps, warnings first.
    int& contatore = r.gravita == Gravita::avviso ? avvisi : note;
    EXPECT_EQ(r.numero, ++contatore);
    EXPECT_TRUE(r.gravita == Gravita::avviso || note == contatore);
  }
  EXPECT_EQ(avvisi, static_cast<int>(Avviso::chilometri));
  EXPECT_EQ(note, static_cast<int>(Nota::omesse));
  EXPECT_EQ(identificatore(regola(Avviso::chiave_sconosciuta)), "W01");
  EXPECT_EQ(identificatore(regola(Avviso::testo_utf8)), "W13");
  EXPECT_EQ(identificatore(regola(Nota::arresto)), "N01");
}

std::string elenco() {
  std::string t = "| Id | Meaning | Usual fix |\n|---|---|---|\n";
  for (const Regola& r : tabella_regole())
    t += "| " + identificatore(r) + " | " + r.significato + " | " + r.suggerimento + " |\n";
  return t;
}

TEST(Avvisi, IlReadmeLiElencaComeLaTabella) {
  std::ifstream in(README_PROGETTO);
  ASSERT_TRUE(in) << README_PROGETTO;
  std::stringstream s;
  s << in.rdbuf();
  std::string readme = s.str();
  const std::string apre = "<!-- generated from src/verifica/avvisi.cpp;";
  const std::string chiude = "<!-- end of the generated list -->";
  const size_t a = readme.find('\n', readme.find(apre)) + 1, b = readme.find(chiude);
  ASSERT_NE(readme.find(apre), std::string::npos);
  ASSERT_NE(b, std::string::npos);
  if (std::getenv("AGGIORNA_README")) {
    readme.replace(a, b - a, elenco());
    std::ofstream(README_PROGETTO, std::ios::binary) << readme;
    GTEST_SKIP() << "elenco del README riscritto";
  }
  EXPECT_EQ(readme.substr(a, b - a), elenco());
}

}  // namespace
}  // namespace scenario::verifica
