// The nearest word: the edit distance with swaps, and the suggestion's bound.

#include "verifica/somiglianza.h"

#include <gtest/gtest.h>

#include <string>

namespace scenario::verifica {
namespace {

TEST(Somiglianza, Distanza) {
  struct Caso {
    std::string a, b;
    size_t attesa;
  } casi[] = {
      {"", "", 0},
      {"", "curva", 5},
      {"curva", "", 5},
      {"segnale", "segnale", 0},
      {"SEGNALE", "segnale", 0},    // case ignored
      {"sengale", "segnale", 1},    // two neighbours swapped
      {"segnle", "segnale", 1},     // a letter missing
      {"segnalee", "segnale", 1},   // one too many
      {"pendenxa", "pendenza", 1},  // one changed
      {"ca", "abc", 3},             // a swap is not an edit of letters already swapped
      {"stazione", "fermata", 8},
  };
  for (const Caso& c : casi) {
    EXPECT_EQ(distanza(c.a, c.b), c.attesa) << c.a << " / " << c.b;
    EXPECT_EQ(distanza(c.b, c.a), c.attesa) << c.b << " / " << c.a;
  }
}

TEST(Somiglianza, PiuVicinaSoloSeAbbastanzaVicina) {
  const std::string_view parole[] = {"curvad", "curvas", "pendenza", "velocita"};
  EXPECT_EQ(piu_vicina("pendeza", parole), "pendenza");
  EXPECT_EQ(piu_vicina("CURVAD", parole), "curvad");
  EXPECT_EQ(piu_vicina("curvax", parole), "curvad");  // ties go to the first
  EXPECT_EQ(piu_vicina("segnale", parole), std::nullopt);
  // A whole line of a megabyte read as a keyword: no suggestion, and no
  // table of a megabyte by each word.
  EXPECT_EQ(piu_vicina(std::string(1'000'000, 'p'), parole), std::nullopt);
  EXPECT_EQ(piu_vicina("pendenza" + std::string(1'000'000, ' '), parole), std::nullopt);
}

}  // namespace
}  // namespace scenario::verifica
