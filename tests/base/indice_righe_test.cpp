// The line index: the starts of every line as the line-end rule finds them,
// past the lines it keeps a start for, and nothing for a line not there.

#include "base/indice_righe.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/righe.h"

namespace scenario {
namespace {

std::vector<size_t> inizi(const IndiceRighe& indice) {
  std::vector<size_t> v;
  for (size_t n = 1; n <= indice.righe(); ++n) v.push_back(*indice.inizio(static_cast<int32_t>(n)));
  return v;
}

TEST(IndiceRighe, DoveIniziaOgniRiga) {
  std::string quaranta;
  std::vector<size_t> inizi_quaranta{0};
  for (int i = 0; i < 40; ++i) {
    quaranta += i % 3 == 0 ? "x\r\n" : i % 3 == 1 ? "yy\n" : "\r";
    inizi_quaranta.push_back(quaranta.size());
  }
  const struct {
    std::string testo;
    std::vector<size_t> inizi;
  } casi[] = {
      {"", {0}},
      {"abc", {0}},                // no final line end
      {"a\r\nb", {0, 3}},          // CR LF
      {"a\nb\n", {0, 2, 4}},       // lone LF, one at the end
      {"a\rb\r", {0, 2, 4}},       // lone CR
      {"\r\n\r\n", {0, 2, 4}},     // blank lines
      {"\n\r\r\n", {0, 1, 2, 4}},  // LF CR is two line ends, CR CR LF two
      {quaranta, inizi_quaranta},  // more lines than the index keeps starts for
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.testo.substr(0, 20));
    const IndiceRighe indice(c.testo);
    EXPECT_EQ(inizi(indice), c.inizi);
    EXPECT_FALSE(indice.inizio(0));
    EXPECT_FALSE(indice.inizio(static_cast<int32_t>(c.inizi.size()) + 1));
    EXPECT_EQ(indice.riga(static_cast<int32_t>(c.inizi.size()) + 1), "");
    // Each line is the rule's line from its start.
    for (size_t n = 1; n <= c.inizi.size(); ++n)
      EXPECT_EQ(indice.riga(static_cast<int32_t>(n)), riga_da(c.testo, c.inizi[n - 1]).testo) << n;
  }
}

}  // namespace
}  // namespace scenario
