// The embedded line description against the rules it is written under.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <regex>
#include <string>

#include "sources/payload.h"
#include "sources/payload_campi.h"

namespace scenario::test {
namespace {

Righe linea() { return payload_incorporato().linea; }

std::vector<std::string> tutte(std::span<const std::string_view> r) { return {r.begin(), r.end()}; }

TEST(PayloadLinea, DuecentosessantottoRigheAscii) {
  ASSERT_EQ(linea().size(), 268u);
  for (size_t i = 0; i < linea().size(); ++i) {
    std::string_view r = linea()[i];
    EXPECT_FALSE(r.empty()) << "line " << i + 1;
    for (char c : r) EXPECT_TRUE(c >= 0x20 && c < 0x7f) << "line " << i + 1 << ": " << r;
  }
}

TEST(PayloadLinea, SezioniInOrdineConIlNumeroDeiLoroRecord) {
  struct Caso {
    std::string_view intestazione;
    size_t record;
  };
  const Caso casi[] = {{"[generale]", 8},  {"[curve]", 206},     {"[pendenze]", 10}, {"[montagne]", 19},
                       {"[cartelli]", 18}, {"[indicazioni]", 0}, {"[fine]", 0}};
  std::vector<std::string_view> trovate;
  for (std::string_view r : linea())
    if (intestazione(r)) trovate.push_back(r);
  std::vector<std::string_view> attese;
  for (const Caso& c : casi) attese.push_back(c.intestazione);
  EXPECT_EQ(trovate, attese);
  for (const Caso& c : casi) EXPECT_EQ(sezione(linea(), c.intestazione).size(), c.record) << c.intestazione;
  EXPECT_EQ(linea().front(), "[generale]");
  EXPECT_EQ(linea().back(), "[fine]");
}

TEST(PayloadLinea, SezioneGeneraleEsatta) {
  EXPECT_THAT(
      tutte(sezione(linea(), "[generale]")),
      ::testing::ElementsAre("lunghezza percorso,    136000", "progressiva chilometrica uno,    0,    0,    0",
                             "progressiva chilometrica due,    0,    0,    0",
                             "progressiva chilometrica tre,    0,    0,    0", "sfondo uno,    1", "sfondo due,    0",
                             "sfondo tre,    0", "ripetizione segnali 4 codici,    0,    43500"));
}

// Every record of a section: its keyword pattern and the blanks before each
// value ("" for a value that must be empty, written as its blanks alone).
TEST(PayloadLinea, OgniRecordConLaSuaParolaChiaveEISuoiSpazi) {
  struct Caso {
    std::string_view sezione;
    std::string chiave;               // regular expression for field 0
    std::vector<size_t> blank;        // before each value
    std::vector<bool> vuoto;          // value written as blanks alone
    std::optional<size_t> eccezione;  // index of the record with other blanks
    std::vector<size_t> blank_eccezione;
  };
  const Caso casi[] = {
      {"[curve]", "curva[ds][1-5]", {2, 2}, {false, false}, std::nullopt, {}},
      {"[pendenze]", "pendenza", {2, 3}, {false, false}, 0, {3, 4}},
      {"[montagne]", "montagna", {3, 2, 2}, {false, false, false}, std::nullopt, {}},
      {"[cartelli]",
       "indicatori_vmax",
       {2, 2, 2, 2, 2, 2, 2, 2, 2},
       {false, false, false, false, false, true, true, true, false},
       std::nullopt,
       {}},
  };
  for (const Caso& c : casi) {
    auto record = sezione(linea(), c.sezione);
    for (size_t i = 0; i < record.size(); ++i) {
      SCOPED_TRACE(std::string(record[i]));
      auto f = campi(record[i]);
      ASSERT_EQ(f.size(), c.blank.size() + 1);
      EXPECT_TRUE(std::regex_match(std::string(f[0]), std::regex(c.chiave)));
      const auto& blank = c.eccezione == i ? c.blank_eccezione : c.blank;
      for (size_t v = 0; v < blank.size(); ++v) {
        EXPECT_EQ(blank_iniziali(f[v + 1]), blank[v]) << "value " << v + 1;
        if (c.vuoto[v])
          EXPECT_EQ(f[v + 1].size(), blank[v]) << "value " << v + 1;
        else
          EXPECT_TRUE(numero(f[v + 1])) << "value " << v + 1;
      }
    }
  }
}

TEST(PayloadLinea, RigheCitatePresenti) {
  struct Caso {
    std::string_view sezione;
    std::string_view riga;
  };
  const Caso casi[] = {
      {"[curve]", "curvad3,  800,  300"},
      {"[curve]", "curvas4,  135800,  1100"},
      {"[pendenze]", "pendenza,   0,    0"},
      {"[pendenze]", "pendenza,  46200,   2"},
      {"[pendenze]", "pendenza,  137200,   0"},
      {"[montagne]", "montagna,   23400,  23800,  2"},
      {"[cartelli]", "indicatori_vmax,  1300,  125,  135,  135,  0,  ,  ,  ,  0"},
  };
  for (const Caso& c : casi) EXPECT_THAT(tutte(sezione(linea(), c.sezione)), ::testing::Contains(std::string(c.riga)));
  EXPECT_EQ(sezione(linea(), "[curve]").front(), "curvad3,  800,  300");
  EXPECT_EQ(sezione(linea(), "[pendenze]").front(), "pendenza,   0,    0");
  EXPECT_EQ(sezione(linea(), "[pendenze]").back(), "pendenza,  137200,   0");
}

TEST(PayloadLinea, ParoleChiaveDelleCurveContateComeScritte) {
  std::map<std::string, int> conta;
  for (std::string_view r : sezione(linea(), "[curve]")) ++conta[std::string(campi(r)[0])];
  const std::map<std::string, int> attesi = {{"curvad1", 1},  {"curvad2", 7}, {"curvad3", 40}, {"curvad4", 55},
                                             {"curvad5", 1},  {"curvas1", 1}, {"curvas2", 7},  {"curvas3", 28},
                                             {"curvas4", 65}, {"curvas5", 1}};
  EXPECT_EQ(conta, attesi);
}

// Positions ascend strictly within a section and are multiples of 50, and so
// are lengths and ends.
TEST(PayloadLinea, PosizioniCrescentiEMultipleDiCinquanta) {
  struct Caso {
    std::string_view sezione;
    size_t valori;
    std::vector<size_t> multipli;  // values that must be multiples of 50
  };
  const Caso casi[] = {
      {"[curve]", 2, {0, 1}}, {"[pendenze]", 2, {0}}, {"[montagne]", 3, {0, 1}}, {"[cartelli]", 1, {0}}};
  for (const Caso& c : casi) {
    int64_t precedente = -1;
    for (std::string_view r : sezione(linea(), c.sezione)) {
      SCOPED_TRACE(std::string(r));
      auto v = numeri(r, c.valori);
      ASSERT_TRUE(v);
      EXPECT_GT((*v)[0], precedente);
      precedente = (*v)[0];
      for (size_t m : c.multipli) EXPECT_EQ((*v)[m] % 50, 0);
    }
  }
}

TEST(PayloadLinea, CurveNeiLoroLimitiSenzaSovrapporsi) {
  auto curve = sezione(linea(), "[curve]");
  EXPECT_EQ((*numeri(curve.front(), 2))[0], 800);
  EXPECT_EQ((*numeri(curve.back(), 2))[0], 137000);
  int64_t piu_corta = 1'000'000, piu_lunga = 0;
  for (size_t i = 0; i < curve.size(); ++i) {
    auto v = *numeri(curve[i], 2);
    piu_corta = std::min(piu_corta, v[1]);
    piu_lunga = std::max(piu_lunga, v[1]);
    EXPECT_GE(v[0], 800);
    EXPECT_LE(v[0], 137000);
    if (i + 1 < curve.size()) {
      EXPECT_LE(v[0] + v[1], (*numeri(curve[i + 1], 2))[0]) << curve[i];
    }
    // The profile holds metres up to L + 6998.
    EXPECT_LE(v[0] + v[1], 136000 + 6998);
  }
  EXPECT_EQ(piu_corta, 50);
  EXPECT_EQ(piu_lunga, 1100);
}

TEST(PayloadLinea, PendenzeMontagneECartelliNeiLoroIntervalli) {
  auto pendenze = sezione(linea(), "[pendenze]");
  EXPECT_EQ((*numeri(pendenze.front(), 2))[0], 0);
  for (std::string_view r : pendenze) {
    auto g = (*numeri(r, 2))[1];
    EXPECT_TRUE(g >= 0 && g <= 3) << r;
  }
  for (std::string_view r : sezione(linea(), "[montagne]")) {
    auto v = *numeri(r, 3);
    EXPECT_LT(v[0], v[1]) << r;
    EXPECT_EQ(v[2], 2) << r;
  }
  for (std::string_view r : sezione(linea(), "[cartelli]")) {
    SCOPED_TRACE(std::string(r));
    auto f = campi(r);
    ASSERT_EQ(f.size(), 10u);
    auto vas = *numero(f[2]), vbs = *numero(f[3]), vcs = *numero(f[4]);
    EXPECT_TRUE(vas >= 30 && vas <= 125);
    EXPECT_TRUE(vbs >= 30 && vbs <= 135);
    EXPECT_EQ(vbs, vcs);
    EXPECT_EQ(*numero(f[5]), 0);
    EXPECT_EQ(*numero(f[9]), 0);
    EXPECT_TRUE(r.ends_with(",  ,  ,  ,  0"));
  }
}

// No header holds a word the line parser looks for in a keyword field.
TEST(PayloadLinea, IntestazioniSenzaParoleChiave) {
  const std::string_view parole[] = {"lunghezza", "percorso", "progressiva", "sfondo",       "segnali", "ripetizione",
                                     "pendenza",  "curva",    "montagna",    "indicatori_v", "cartello"};
  for (std::string_view r : linea()) {
    if (!intestazione(r)) continue;
    for (std::string_view p : parole) EXPECT_FALSE(contiene(r, p)) << r << " holds " << p;
  }
  // And no record is a board ("cartello" with "indicat") or holds a dash.
  for (std::string_view r : linea()) {
    EXPECT_FALSE(contiene(r, "cartello")) << r;
    EXPECT_EQ(campi(r)[0].find('-'), std::string_view::npos) << r;
  }
}

}  // namespace
}  // namespace scenario::test
