#pragma once
// The input of the file_binari target, made by genera_semi and read by the
// target: a first byte of options, then the files. Its low two bits say
// which files follow: one of the three (the other two are then made to fit
// it), or all three, after two 32-bit little-endian lengths of the first two.

#include <cstdint>
#include <string>
#include <string_view>

namespace scenario::fuzz {

namespace opzioni_binari {
inline constexpr uint8_t solo_profilo = 0, solo_stazioni = 1, solo_celle = 2, tutti = 3;
inline constexpr uint8_t quali = 3;     // the bits above
inline constexpr uint8_t json = 4;      // dump --json
inline constexpr uint8_t tutte = 8;     // dump --all
inline constexpr uint8_t anonimo = 16;  // a name that does not tell the kind
inline constexpr uint8_t profilo = 32;  // also scenario profilo
inline constexpr uint8_t report = 64;   // also scenario report
}  // namespace opzioni_binari

struct FileBinariIngresso {
  uint8_t opzioni = 0;
  std::string_view profilo, stazioni, celle;  // empty where not in the input
};

inline std::string lunghezza_le(size_t n) {
  std::string s;
  for (int i = 0; i < 4; ++i) s += static_cast<char>((n >> (8 * i)) & 0xff);
  return s;
}

// All three files, with the options.
inline std::string componi_tutti(uint8_t opzioni, std::string_view profilo, std::string_view stazioni,
                                 std::string_view celle) {
  std::string s(1, static_cast<char>((opzioni & ~opzioni_binari::quali) | opzioni_binari::tutti));
  s += lunghezza_le(profilo.size()) + lunghezza_le(stazioni.size());
  return ((s += profilo) += stazioni) += celle;
}

// Takes apart any bytes: missing lengths count as 0, lengths past the end
// stop at it.
inline FileBinariIngresso scomponi(std::string_view d) {
  FileBinariIngresso f;
  if (d.empty()) return f;
  f.opzioni = static_cast<uint8_t>(d[0]);
  d.remove_prefix(1);
  switch (f.opzioni & opzioni_binari::quali) {
    case opzioni_binari::solo_profilo: f.profilo = d; break;
    case opzioni_binari::solo_stazioni: f.stazioni = d; break;
    case opzioni_binari::solo_celle: f.celle = d; break;
    default: {
      auto prendi_lunghezza = [&] {
        uint32_t n = 0;
        for (int i = 0; i < 4 && !d.empty(); ++i, d.remove_prefix(1))
          n |= uint32_t{static_cast<unsigned char>(d[0])} << (8 * i);
        return n;
      };
      const uint32_t a = prendi_lunghezza(), b = prendi_lunghezza();
      f.profilo = d.substr(0, a);
      d.remove_prefix(f.profilo.size());
      f.stazioni = d.substr(0, b);
      d.remove_prefix(f.stazioni.size());
      f.celle = d;
    }
  }
  return f;
}

}  // namespace scenario::fuzz
