// The line-end rule: CR LF, a lone LF and a lone CR each end one line, and
// nothing else does; a field's blanks are spaces and tabs.

#include "base/righe.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace scenario {
namespace {

// Every line of a text, read the way the readers walk it.
std::vector<std::string> righe_lette(std::string_view t) {
  std::vector<std::string> v;
  for (size_t i = 0; i <= t.size(); i = riga_da(t, i).dopo) v.emplace_back(riga_da(t, i).testo);
  return v;
}

TEST(Righe, OgniFineDiRigaNeChiudeUna) {
  const struct {
    std::string testo;
    std::vector<std::string> righe;
  } casi[] = {
      {"", {""}},
      {"a", {"a"}},
      {"a\r\nb", {"a", "b"}},
      {"a\nb\n", {"a", "b", ""}},
      {"a\rb", {"a", "b"}},
      {"\n\r", {"", "", ""}},    // LF then CR: two line ends
      {"\r\r\n", {"", "", ""}},  // a lone CR, then CR LF
      {"a\r\n\r\nb", {"a", "", "b"}},
      {std::string("a\0b\tc\x85", 6) + "\n", {std::string("a\0b\tc\x85", 6), ""}},  // no other byte ends one
  };
  for (const auto& c : casi) EXPECT_EQ(righe_lette(c.testo), c.righe) << c.testo;
}

TEST(Righe, LaRigaInFondoSenzaFineNonHaSeguente) {
  EXPECT_EQ(riga_da("ab\r\ncd", 4).dopo, 7u);
  EXPECT_EQ(riga_da("ab\r\n", 4).dopo, 5u);
  EXPECT_EQ(riga_da("ab\r\n", 0).dopo, 4u);
  EXPECT_EQ(riga_da("ab\r", 0).dopo, 3u);  // a CR at the very end is a whole line end
}

TEST(Righe, IlCampoSpogliatoDeiSoliSpaziETab) {
  const std::pair<std::string, std::string> casi[] = {
      {"", ""},
      {" \t ", ""},
      {"  stazione ", "stazione"},
      {"\tA B\t", "A B"},
      {"x", "x"},
      {"\r x \n", "\r x \n"},      // line ends are no blanks
      {"\xA0x\xA0", "\xA0x\xA0"},  // nor a no-break space of Windows-1252
  };
  for (const auto& [campo, atteso] : casi) EXPECT_EQ(spogliato(campo), atteso) << campo;
}

}  // namespace
}  // namespace scenario
