// The embedded train description against the rules it is written under.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "sources/payload.h"
#include "sources/payload_campi.h"

namespace scenario::test {
namespace {

Righe treno() { return payload_incorporato().treno; }

std::vector<std::string> tutte(std::span<const std::string_view> r) { return {r.begin(), r.end()}; }

TEST(PayloadTreno, CentodiciottoRigheConLeIntestazioniAlLoroPosto) {
  ASSERT_EQ(treno().size(), 118u);
  struct Caso {
    size_t riga;  // from 1
    std::string_view testo;
  };
  const Caso casi[] = {{7, "[generale]"},       {12, "[aderenze]"}, {14, "[vel_limite]"}, {37, "[stazioni]"},
                       {63, "[rallentamenti]"}, {64, "[segnali]"},  {117, "[codici]"},    {118, "[fine]"}};
  size_t intestazioni = 0;
  for (size_t i = 6; i < treno().size(); ++i) intestazioni += intestazione(treno()[i]);
  EXPECT_EQ(intestazioni, std::size(casi));
  for (const Caso& c : casi) EXPECT_EQ(treno()[c.riga - 1], c.testo) << "line " << c.riga;
}

TEST(PayloadTreno, SezioniConILoroRecord) {
  struct Caso {
    std::string_view sezione;
    size_t record;
    std::string_view chiave;
  };
  const Caso casi[] = {{"[generale]", 4, ""},
                       {"[aderenze]", 1, "aderenza"},
                       {"[vel_limite]", 22, "velocita"},
                       {"[stazioni]", 25, "stazione"},
                       {"[rallentamenti]", 0, ""},
                       {"[segnali]", 52, "segnale"},
                       {"[codici]", 0, ""}};
  for (const Caso& c : casi) {
    auto record = sezione(treno(), c.sezione);
    EXPECT_EQ(record.size(), c.record) << c.sezione;
    if (c.chiave.empty()) continue;
    for (std::string_view r : record) EXPECT_EQ(campi(r)[0], c.chiave) << r;
  }
}

TEST(PayloadTreno, PreamboloSecondoLeSueRegole) {
  auto t = treno();
  EXPECT_EQ(t[0].size(), 164u);
  EXPECT_EQ(t[1].size(), 91u);
  EXPECT_NE(t[0].find("Belmora - Solvenzia"), std::string_view::npos);
  EXPECT_NE(t[0].find('\xE8'), std::string_view::npos);
  EXPECT_NE(t[1].find('\xF9'), std::string_view::npos);
  EXPECT_EQ(t[2], "Buon viaggio e buon divertimento!!");
  EXPECT_EQ(t[3], "");
  EXPECT_FALSE(t[4].empty());
  auto chiocciola = t[5].find('@');
  ASSERT_NE(chiocciola, std::string_view::npos);
  EXPECT_NE(t[5].find('.', chiocciola), std::string_view::npos);
  EXPECT_EQ(t[5].find(' '), std::string_view::npos);
  for (size_t i = 0; i < 6; ++i) {
    EXPECT_FALSE(contiene(t[i], "[generale]")) << "line " << i + 1;
    EXPECT_EQ(t[i].find('"'), std::string_view::npos) << "line " << i + 1;
  }
}

// The two accented letters are the only bytes outside printable ASCII.
TEST(PayloadTreno, SoloLeLettereDelPreamboloFuoriDaAscii) {
  std::vector<std::pair<size_t, int>> trovati;
  for (size_t i = 0; i < treno().size(); ++i)
    for (char c : treno()[i]) {
      auto b = static_cast<unsigned char>(c);
      if (b < 0x20 || b >= 0x7f) trovati.push_back({i + 1, b});
    }
  EXPECT_THAT(trovati, ::testing::ElementsAre(std::pair<size_t, int>{1, 0xE8}, std::pair<size_t, int>{2, 0xF9}));
}

TEST(PayloadTreno, RigheGeneraliDellOrologioEDelleAderenzeEsatte) {
  EXPECT_THAT(tutte(treno().subspan(6, 8)),
              ::testing::ElementsAre("[generale]", "numero vetture,    2", "percentuale massa frenata,    100",
                                     "sabbia,    0", "orologio,    8               39            30 ", "[aderenze]",
                                     "aderenza,   0,    100", "[vel_limite]"));
}

// Fixed columns: after each comma, the value right-aligned in its width.
struct Colonne {
  std::string_view sezione;
  std::vector<size_t> larghezze;
  std::vector<size_t> larghezze_primo;  // when the first record differs
  bool nome;                            // a station name closes the record
};

const Colonne colonne[] = {
    {"[vel_limite]", {8, 6}, {4, 6}, false},
    {"[stazioni]", {8, 3, 5, 3, 2, 2, 3, 1, 1, 3, 1, 1, 5, 4, 2, 2}, {}, true},
    {"[segnali]", {8, 4, 2, 2, 3, 2, 5, 3, 1, 1, 2}, {}, false},
};

TEST(PayloadTreno, RecordRipetutiConservanoLeLoroColonne) {
  for (const Colonne& c : colonne) {
    auto record = sezione(treno(), c.sezione);
    for (size_t i = 0; i < record.size(); ++i) {
      SCOPED_TRACE(std::string(record[i]));
      auto f = campi(record[i]);
      const auto& w = i == 0 && !c.larghezze_primo.empty() ? c.larghezze_primo : c.larghezze;
      ASSERT_EQ(f.size(), w.size() + 1 + (c.nome ? 1 : 0));
      for (size_t v = 0; v < w.size(); ++v) {
        std::string_view campo = f[v + 1];
        EXPECT_EQ(campo.size(), w[v]) << "value " << v + 1;
        ASSERT_TRUE(numero(campo)) << "value " << v + 1;
        EXPECT_NE(campo.back(), ' ');
        // right-aligned: no leading zero unless the value is 0
        if (*numero(campo) != 0) {
          EXPECT_NE(campo[blank_iniziali(campo)], '0');
        }
      }
    }
  }
  for (std::string_view r : sezione(treno(), "[segnali]")) EXPECT_EQ(r.size(), 51u) << r;
}

TEST(PayloadTreno, RigheCitatePresenti) {
  struct Caso {
    std::string_view sezione;
    std::string_view riga;
  };
  const Caso casi[] = {
      {"[vel_limite]", "velocita,   0,    30"},
      {"[vel_limite]", "velocita,    1300,   135"},
      {"[vel_limite]", "velocita,  137100,    30"},
      {"[stazioni]", "stazione,       0,  8,  800,  0, 0, 0,  1,1,0,  4,1,1,    1,   8,40, 0, BELMORA CENTRALE"},
      {"[stazioni]", "stazione,  134000, 12,  600,  1, 0, 0,  4,1,0,  2,1,1,   60,  10,40, 1, SOLVENZIA BASSA"},
      {"[stazioni]", "stazione,  138000,  6,  700,  1, 0, 0,  1,1,0,  2,1,1,    0,   0, 0, 0, SOLVENZIA CENTRALE"},
      {"[segnali]", "segnale,    1400,   1, 4, 1,  0, 0,    1,  3,1,0, 0"},
      {"[segnali]", "segnale,   42300,   2, 2, 4,  0, 1,    2,  2,1,0, 0"},
  };
  for (const Caso& c : casi) EXPECT_THAT(tutte(sezione(treno(), c.sezione)), ::testing::Contains(std::string(c.riga)));
  auto velocita = sezione(treno(), "[vel_limite]");
  EXPECT_EQ(velocita.front(), "velocita,   0,    30");
  EXPECT_EQ(velocita.back(), "velocita,  137100,    30");
  auto stazioni = sezione(treno(), "[stazioni]");
  EXPECT_EQ(stazioni.front(), casi[3].riga);
  EXPECT_EQ(stazioni.back(), casi[5].riga);
  EXPECT_EQ(sezione(treno(), "[segnali]").front(), casi[6].riga);
}

// Positions: first and last, ascending, multiples of a step.
TEST(PayloadTreno, PosizioniCrescentiNelLoroIntervallo) {
  struct Caso {
    std::string_view sezione;
    int64_t primo, ultimo, passo;
  };
  const Caso casi[] = {
      {"[vel_limite]", 0, 137100, 50}, {"[stazioni]", 0, 138000, 50}, {"[segnali]", 1400, 137100, 100}};
  for (const Caso& c : casi) {
    auto record = sezione(treno(), c.sezione);
    std::vector<int64_t> p;
    for (std::string_view r : record) p.push_back(*numero(campi(r)[1]));
    ASSERT_FALSE(p.empty());
    EXPECT_EQ(p.front(), c.primo) << c.sezione;
    EXPECT_EQ(p.back(), c.ultimo) << c.sezione;
    for (size_t i = 0; i < p.size(); ++i) {
      EXPECT_EQ(p[i] % c.passo, 0) << c.sezione << " " << p[i];
      if (i > 0) {
        EXPECT_GT(p[i], p[i - 1]) << c.sezione;
      }
    }
  }
}

// The values after the position, place by place: each stays in its set, and
// every member of a set occurs (the sets are the values this payload uses).
TEST(PayloadTreno, ValoriNeiLoroInsiemiPostoPerPosto) {
  using Insieme = std::set<int64_t>;
  std::set<int64_t> lunghezze;
  for (int64_t l = 200; l <= 800; l += 100) lunghezze.insert(l);
  struct Caso {
    std::string_view sezione;
    std::vector<Insieme> insiemi;
  };
  const Caso casi[] = {
      {"[vel_limite]", {{30, 60, 75, 80, 85, 90, 95, 100, 120, 125, 130, 135}}},
      {"[stazioni]",
       {{4, 6, 8, 12, 22, 26},
        lunghezze,
        {0, 1},
        {0},
        {0},
        {0, 1, 4},
        {0, 1},
        {0, 1},
        {0, 2, 4},
        {0, 1},
        {0, 1},
        {0, 1, 60},
        {0, 8, 9, 10},
        {0, 5, 10, 16, 30, 38, 40, 49, 51},
        {0, 1}}},
      {"[segnali]", {{1, 2}, {2, 3, 4, 5}, {0, 1, 3, 4, 6}, {0}, {0, 1}, {0, 1, 2}, {0, 1, 2, 3}, {0, 1}, {0}, {0}}},
  };
  for (const Caso& c : casi) {
    std::vector<Insieme> visti(c.insiemi.size());
    for (std::string_view r : sezione(treno(), c.sezione)) {
      auto v = numeri(r, c.insiemi.size() + 1);
      ASSERT_TRUE(v) << r;
      for (size_t i = 0; i < c.insiemi.size(); ++i) {
        EXPECT_TRUE(c.insiemi[i].count((*v)[i + 1])) << r << ": value " << i + 2;
        visti[i].insert((*v)[i + 1]);
      }
    }
    for (size_t i = 0; i < c.insiemi.size(); ++i) EXPECT_EQ(visti[i], c.insiemi[i]) << c.sezione << " value " << i + 2;
  }
}

TEST(PayloadTreno, SoloIlSegnaleCitatoHaIlQuintoValoreUno) {
  std::vector<std::string> con_uno;
  for (std::string_view r : sezione(treno(), "[segnali]"))
    if ((*numeri(r, 11))[5] == 1) con_uno.emplace_back(r);
  EXPECT_THAT(con_uno, ::testing::ElementsAre("segnale,   42300,   2, 2, 4,  0, 1,    2,  2,1,0, 0"));
}

TEST(PayloadTreno, OrariENomiDelleStazioniSecondoLeLoroRegole) {
  auto stazioni = sezione(treno(), "[stazioni]");
  size_t con_sessanta = 0;
  for (size_t i = 0; i < stazioni.size(); ++i) {
    std::string_view r = stazioni[i];
    SCOPED_TRACE(std::string(r));
    auto v = *numeri(r, 16);
    std::vector<int64_t> tempo(v.begin() + 12, v.begin() + 15);  // thirteenth to fifteenth
    if (i == 0) {
      EXPECT_EQ(tempo, (std::vector<int64_t>{1, 8, 40}));
    } else if (tempo[0] == 60) {
      ++con_sessanta;
      EXPECT_TRUE(tempo[1] >= 8 && tempo[1] <= 10);
    } else {
      EXPECT_EQ(tempo, (std::vector<int64_t>{0, 0, 0}));
    }
    // The name: after a comma and exactly one blank, to the end of the line.
    std::string_view nome = campi(r).back();
    ASSERT_GE(nome.size(), 2u);
    EXPECT_EQ(nome[0], ' ');
    nome.remove_prefix(1);
    EXPECT_TRUE(nome.size() >= 5 && nome.size() <= 29);
    EXPECT_NE(nome.front(), ' ');
    EXPECT_NE(nome.back(), ' ');
    for (char c : nome) EXPECT_TRUE((c >= 'A' && c <= 'Z') || c == ' ' || c == '.' || c == '-') << nome;
  }
  EXPECT_EQ(con_sessanta, 9u);
}

// No header holds a word the train parser looks for in a keyword field, and
// no keyword holds a dash.
TEST(PayloadTreno, IntestazioniSenzaParoleChiave) {
  const std::string_view parole[] = {"frenata", "massa",   "vetture",       "velocit",      "aderenza", "orologio",
                                     "sabbia",  "segnale", "rallentamento", "abbattimento", "stazione"};
  for (size_t i = 6; i < treno().size(); ++i) {
    std::string_view r = treno()[i];
    if (intestazione(r)) {
      for (std::string_view p : parole) EXPECT_FALSE(contiene(r, p)) << r << " holds " << p;
    } else {
      EXPECT_EQ(campi(r)[0].find('-'), std::string_view::npos) << r;
    }
  }
}

}  // namespace
}  // namespace scenario::test
