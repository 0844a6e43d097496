#pragma once
// The line-end rule of every text the program and the tool read, as the
// field reader has it: a line ends at CR LF, at a lone LF or at a lone CR.

#include <cstddef>
#include <string_view>

namespace scenario {

struct Riga {
  std::string_view testo;  // without its line end
  size_t dopo;             // where the next line starts; past the text's size when none does
};

// The line that starts at inizio.
inline Riga riga_da(std::string_view t, size_t inizio) {
  size_t fine = inizio;
  while (fine < t.size() && t[fine] != '\r' && t[fine] != '\n') ++fine;
  if (fine == t.size()) return {t.substr(inizio, fine - inizio), t.size() + 1};
  return {t.substr(inizio, fine - inizio),
          fine + (t[fine] == '\r' && fine + 1 < t.size() && t[fine + 1] == '\n' ? 2 : 1)};
}

}  // namespace scenario
