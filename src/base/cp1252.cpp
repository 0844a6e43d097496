#include "base/cp1252.h"

#include <array>
#include <cstdint>
#include <cstdio>

namespace scenario {
namespace {

// Code points of bytes 0x80..0x9F; 0 where the byte is undefined.
constexpr std::array<char32_t, 32> alti = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                           0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                           0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                           0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t punto_di_codice(unsigned char b) {
  if (b >= 0x80 && b <= 0x9F && alti[b - 0x80] != 0) return alti[b - 0x80];
  return b;
}

std::optional<unsigned char> byte_di(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<unsigned char>(cp);
  for (size_t i = 0; i < alti.size(); ++i)
    if (alti[i] == cp && cp != 0) return static_cast<unsigned char>(0x80 + i);
  return std::nullopt;
}

void aggiungi_utf8(std::string& s, char32_t cp) {
  if (cp < 0x80) {
    s += static_cast<char>(cp);
  } else if (cp < 0x800) {
    s += static_cast<char>(0xC0 | (cp >> 6));
    s += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    s += static_cast<char>(0xE0 | (cp >> 12));
    s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

}  // namespace

std::optional<std::string> da_utf8(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    unsigned char b = static_cast<unsigned char>(utf8[i]);
    char32_t cp;
    size_t n;
    if (b < 0x80) {
      cp = b;
      n = 1;
    } else if ((b & 0xE0) == 0xC0) {
      cp = b & 0x1F;
      n = 2;
    } else if ((b & 0xF0) == 0xE0) {
      cp = b & 0x0F;
      n = 3;
    } else if ((b & 0xF8) == 0xF0) {
      cp = b & 0x07;
      n = 4;
    } else
      return std::nullopt;
    if (i + n > utf8.size()) return std::nullopt;
    for (size_t k = 1; k < n; ++k) {
      unsigned char c = static_cast<unsigned char>(utf8[i + k]);
      if ((c & 0xC0) != 0x80) return std::nullopt;
      cp = (cp << 6) | (c & 0x3F);
    }
    // Overlong forms are not valid UTF-8.
    static constexpr char32_t minimo[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < minimo[n]) return std::nullopt;
    auto byte = byte_di(cp);
    if (!byte) return std::nullopt;
    out += static_cast<char>(*byte);
    i += n;
  }
  return out;
}

std::string a_utf8(std::string_view cp1252) {
  std::string out;
  out.reserve(cp1252.size());
  for (char c : cp1252) aggiungi_utf8(out, punto_di_codice(static_cast<unsigned char>(c)));
  return out;
}

char minuscola_cp1252(char c) {
  unsigned char b = static_cast<unsigned char>(c);
  if (b >= 'A' && b <= 'Z') return static_cast<char>(b + 32);
  if (b >= 0xC0 && b <= 0xDE && b != 0xD7) return static_cast<char>(b + 32);
  if (b == 0x8A || b == 0x8C || b == 0x8E) return static_cast<char>(b + 16);  // Š Œ Ž
  if (b == 0x9F) return static_cast<char>(0xFF);                              // Ÿ
  return c;
}

bool byte_di_controllo(unsigned char b) {
  return (b < 0x20 && b != '\t') || b == 0x7F || (b >= 0x80 && b <= 0x9F && alti[b - 0x80] == 0);
}

std::string con_controlli_visibili(std::string_view cp1252) {
  std::string t;
  t.reserve(cp1252.size());
  for (const char c : cp1252) {
    const auto b = static_cast<unsigned char>(c);
    if (byte_di_controllo(b)) {
      char e[8];
      std::snprintf(e, sizeof e, "\\x%02X", b);
      t += e;
    } else {
      t += c;
    }
  }
  return t;
}

}  // namespace scenario
