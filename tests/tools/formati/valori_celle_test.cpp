// The author's values read back from the cells the compiler stamps: what
// the dump, the drawings, the page and the hover show.

#include "formati/valori_celle.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "compiler/stampaggio.h"
#include "compiler/stato.h"

namespace scenario::strumenti {
namespace {

// The record's values the cell keeps, as "name number" pairs.
std::vector<std::string> coppie(const cella& c) {
  std::vector<std::string> v;
  for (const ValoreScritto& s : valori_scritti(c)) v.push_back(std::string(s.nome) + " " + std::to_string(s.numero));
  return v;
}

Stato stato_vuoto() {
  Stato s;
  s.celle.dimensiona(100);
  return s;
}

TEST(ValoriCelle, UnSegnaleStampatoSiRileggeComeScritto) {
  struct Caso {
    int32_t sx, s1, s2, s3, rapp, dx, d1, d2, d3;
  };
  for (const Caso& k : {Caso{1, 4, 1, 0, 0, 1, 3, 1, 0}, Caso{2, 9, 0, 7, 3, 2, 0, 9, 5},
                        Caso{0, 0, 0, 0, 12, 0, 0, 0, 0}, Caso{1, 2, 3, 4, 5, 2, 6, 7, 8}}) {
    Stato s = stato_vuoto();
    int32_t tempo = 0;
    memo_segnale(s, 1400, k.sx, k.s1, k.s2, k.s3, k.rapp, k.dx, k.d1, k.d2, k.d3, tempo);
    const cella& c = s.celle[29];
    ASSERT_EQ(c.codice, codice_cella::segnale);
    const auto n = [](int32_t x) { return std::to_string(x); };
    EXPECT_EQ(coppie(c), (std::vector<std::string>{"sx " + n(k.sx), "s1 " + n(k.s1), "s2 " + n(k.s2), "s3 " + n(k.s3),
                                                   "rapp " + n(k.rapp), "dx " + n(k.dx), "d1 " + n(k.d1),
                                                   "d2 " + n(k.d2), "d3 " + n(k.d3)}))
        << c.valore1 << " " << c.valore4;
  }
}

TEST(ValoriCelle, GliIndicatoriStampatiSiRileggonoInKmH) {
  struct Caso {
    int32_t vas, vbs, vcs, strisces, vad, vbd, vcd, strisced;
  };
  for (const Caso& k : {Caso{130, 120, 110, 0, 0, 0, 0, 0}, Caso{125, 135, 135, 0, 0, 0, 0, 0},
                        Caso{80, 60, 30, 2, 45, 95, 5, 3}, Caso{0, 0, 0, 0, 0, 0, 0, 0}}) {
    Stato s = stato_vuoto();
    memo_indicatori_v_max(s, 2000, k.vas, k.vbs, k.vcs, k.strisces, k.vad, k.vbd, k.vcd, k.strisced);
    const cella& c = s.celle[41];
    ASSERT_EQ(c.codice, codice_cella::indicatori_vmax);
    const auto n = [](int32_t x) { return std::to_string(x); };
    EXPECT_EQ(coppie(c), (std::vector<std::string>{"vas " + n(k.vas), "vbs " + n(k.vbs), "vcs " + n(k.vcs),
                                                   "strisces " + n(k.strisces), "vad " + n(k.vad), "vbd " + n(k.vbd),
                                                   "vcd " + n(k.vcd), "strisced " + n(k.strisced)}))
        << c.valore1;
  }
  Stato s = stato_vuoto();
  memo_indicatori_v_max(s, 2000, 130, 120, 110, 0, 0, 0, 0, 0);
  EXPECT_EQ(testo_valori(valori_scritti(s.celle[41])),
            "vas 130 km/h, vbs 120 km/h, vcs 110 km/h, strisces 0, vad 0 km/h, vbd 0 km/h, vcd 0 km/h, strisced 0");
}

TEST(ValoriCelle, LetturaDiOgniCampoDellaCella) {
  cella segnale{};
  segnale.codice = codice_cella::segnale;
  cella indicatori{};
  indicatori.codice = codice_cella::indicatori_vmax;
  const cella libera{};
  struct Caso {
    const cella* c;
    const char* campo;
    int64_t valore;
    const char* atteso;
  } casi[] = {
      {&libera, "velocita_max", 24, "120 km/h"},
      {&segnale, "velocita_max", 0, "0 km/h"},
      {&libera, "pendenza", 108, "8 \xE2\x80\xB0"},
      {&libera, "pendenza", 92, "-8 \xE2\x80\xB0"},
      {&segnale, "valore1", 43, "s1 4, d1 3"},
      {&segnale, "valore4", 38, "rapp 3, sx 2, dx 2"},
      {&indicatori, "valore1", 2600, "vas 130 km/h, vad 0 km/h"},
      {&indicatori, "valore3", 2609, "vcs 130 km/h, vcd 45 km/h"},
      {&indicatori, "valore4", 23, "strisces 2, strisced 3"},
      // Numbers that say it alone: no reading beside them.
      {&libera, "valore1", 43, ""},
      {&segnale, "aderenza", 7, ""},
      {&indicatori, "tempo_segnale", 5, ""},
  };
  for (const Caso& k : casi) EXPECT_EQ(lettura_campo(*k.c, k.campo, k.valore), k.atteso) << k.campo << " " << k.valore;
  EXPECT_TRUE(valori_scritti(libera).empty());
}

TEST(ValoriCelle, FormulaPerIlSuggerimentoDellEditor) {
  EXPECT_EQ(formula_nella_cella(formato::indicatori_vmax, "vad"), "valore1 = vas \xC3\x97 20 + vad / 5");
  EXPECT_EQ(formula_nella_cella(formato::segnale, "dx"), "valore4 = rapp \xC3\x97 10 + sx \xC3\x97 3 + dx");
  EXPECT_EQ(formula_nella_cella(formato::pendenza, "pendenza"), "pendenza = pendenza + 100");
  EXPECT_EQ(formula_nella_cella(formato::velocita, "velocita"), "velocita_max = velocita / 5");
  EXPECT_EQ(formula_nella_cella(formato::segnale, "posizione"), "");
  EXPECT_EQ(formula_nella_cella(formato::cartello_indicatore, "scritta"), "");
}

}  // namespace
}  // namespace scenario::strumenti
