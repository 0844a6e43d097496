#include "base/cp1252.h"

#include <gtest/gtest.h>

namespace scenario {
namespace {

TEST(Cp1252, DaUtf8) {
  EXPECT_EQ(da_utf8("abc"), "abc");
  EXPECT_EQ(da_utf8("\xC3\xA8 \xC3\xB9"), "\xE8 \xF9");  // è ù
  EXPECT_EQ(da_utf8("\xE2\x82\xAC"), "\x80");            // €
  EXPECT_EQ(da_utf8("\xC5\xB8"), "\x9F");                // Ÿ
  EXPECT_EQ(da_utf8("\xC4\x80"), std::nullopt);          // Ā is not in the code page
  EXPECT_EQ(da_utf8("\xE8"), std::nullopt);              // not UTF-8
  EXPECT_EQ(da_utf8("\xC0\xAF"), std::nullopt);          // overlong
  EXPECT_EQ(da_utf8("\xC2\x81"), std::nullopt);          // C1 control: undefined byte
}

TEST(Cp1252, AndataERitorno) {
  std::string tutti;
  for (int b = 1; b < 256; ++b) tutti += static_cast<char>(b);
  const std::string utf8 = a_utf8(tutti);
  // The five undefined bytes have no character; everything else comes back.
  std::string definiti;
  for (char c : tutti) {
    unsigned char b = static_cast<unsigned char>(c);
    if (b != 0x81 && b != 0x8D && b != 0x8F && b != 0x90 && b != 0x9D) definiti += c;
  }
  EXPECT_EQ(da_utf8(a_utf8(definiti)), definiti);
}

TEST(Cp1252, MinuscoleSoloLettere) {
  const std::string maiuscole = "AZ\xC0\xDE\x8A\x9F", minuscole = "az\xE0\xFE\x9A\xFF";
  for (size_t i = 0; i < maiuscole.size(); ++i) EXPECT_EQ(minuscola_cp1252(maiuscole[i]), minuscole[i]);
  for (char c : std::string("09_-\xD7\xDF")) EXPECT_EQ(minuscola_cp1252(c), c);
}

}  // namespace
}  // namespace scenario
