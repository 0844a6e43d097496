#include "compiler/progressive.h"

#include <gtest/gtest.h>

#include "compiler/stato.h"

namespace scenario {
namespace {

struct Rif {
  int32_t a, b, c;
  bool operator==(const Rif&) const = default;
};

void PrintTo(const Rif& r, std::ostream* os) { *os << "{" << r.a << ", " << r.b << ", " << r.c << "}"; }

struct Caso {
  const char* nome;
  Rif u, d, t;        // as read from the "uno", "due", "tre" lines
  Rif s81, s82, s83;  // after the ordering
};

void PrintTo(const Caso& c, std::ostream* os) { *os << c.nome; }

class ProgressiveOrdina : public testing::TestWithParam<Caso> {};

TEST_P(ProgressiveOrdina, Ordine) {
  const Caso& c = GetParam();
  Stato s;
  auto metti = [&](int sl, Rif r) {
    s.stazioni[sl].inizio_zona = r.a;
    s.stazioni[sl].fine_zona = r.b;
    s.stazioni[sl].posizione_stazione = r.c;
  };
  auto prendi = [&](int sl) {
    return Rif{s.stazioni[sl].inizio_zona, s.stazioni[sl].fine_zona, s.stazioni[sl].posizione_stazione};
  };
  metti(slot::progressiva_uno, c.u);
  metti(slot::progressiva_due, c.d);
  metti(slot::progressiva_tre, c.t);
  progressive_ordina(s);
  EXPECT_EQ(prendi(slot::progressiva_tre), c.s81);
  EXPECT_EQ(prendi(slot::progressiva_due), c.s82);
  EXPECT_EQ(prendi(slot::progressiva_uno), c.s83);
}

const Rif U{20000, 1, 2}, D{10000, 3, 4}, T{30000, 5, 6};

INSTANTIATE_TEST_SUITE_P(
    Casi, ProgressiveOrdina,
    testing::Values(
        Caso{"tutto_zero", {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}},
        Caso{"T_poi_U_poi_D", U, D, T, T, U, D},
        Caso{"T_poi_D_poi_U", {10000, 1, 2}, {20000, 3, 4}, T, T, {20000, 3, 4}, {10000, 1, 2}},
        Caso{"D_poi_T_poi_U", {1, 1, 2}, {50000, 3, 4}, {2, 5, 6}, {50000, 3, 4}, {2, 5, 6}, {1, 1, 2}},
        Caso{"D_poi_U_poi_T", {2, 1, 2}, {50000, 3, 4}, {2, 5, 6}, {50000, 3, 4}, {2, 1, 2}, {2, 5, 6}},
        Caso{"U_poi_T_poi_D", {50000, 1, 2}, {1, 3, 4}, {2, 5, 6}, {50000, 1, 2}, {2, 5, 6}, {1, 3, 4}},
        Caso{"uguali_D_prima_di_T",
             {30000, 1, 2},
             {10000, 3, 4},
             {10000, 5, 6},
             {30000, 1, 2},
             {10000, 3, 4},
             {10000, 5, 6}},
        // Two or three share the greatest value: ordered, never cleared.
        Caso{"pari_al_massimo", {500, 1, 0}, {500, 3, 0}, {500, 5, 0}, {500, 1, 0}, {500, 3, 0}, {500, 5, 0}},
        Caso{"pari_T_e_D", {1, 1, 0}, {700, 3, 0}, {700, 5, 0}, {700, 3, 0}, {700, 5, 0}, {1, 1, 0}},
        // First values summing to 0: the second values decide.
        Caso{"somma_zero_U", {0, 5000, 1}, {0, 0, 0}, {0, 0, 0}, {0, 5100, 1}, {0, 0, 0}, {0, 0, 0}},
        Caso{"somma_zero_D", {0, 0, 7}, {0, 9, 8}, {0, 0, 9}, {0, 9, 8}, {0, 0, 9}, {0, 0, 7}},
        Caso{"somma_zero_solo_T", {0, 0, 7}, {0, 0, 8}, {0, 4, 9}, {0, 4, 9}, {0, 0, 8}, {0, 0, 7}},
        Caso{"somma_zero_nessuno", {0, -5, 7}, {0, 0, 8}, {0, 0, 1}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}},
        Caso{"negativo_e_positivo", {-500, 0, 0}, {500, 0, 0}, {0, 1, 1}, {0, 101, 1}, {500, 0, 0}, {-500, 0, 0}},
        // +100 wherever the third value is exactly 1.
        Caso{"piu_cento", {3, 10, 1}, {2, 20, 1}, {1, 30, 2}, {3, 110, 1}, {2, 120, 1}, {1, 30, 2}}),
    [](const testing::TestParamInfo<Caso>& i) { return std::string(i.param.nome); });

}  // namespace
}  // namespace scenario
