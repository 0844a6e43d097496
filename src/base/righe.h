#pragma once
// The line-end rule of every text the program and the tool read, as the
// field reader has it: a line ends at CR LF, at a lone LF or at a lone CR;
// and the blanks a field is read without, spaces and tabs.

#include <cstddef>
#include <string>
#include <string_view>

namespace scenario {

struct Riga {
  std::string_view testo;  // without its line end
  size_t dopo;             // where the next line starts; past the text's size when none does
};

inline bool fine_riga(char c) { return c == '\r' || c == '\n'; }

// Where the next line starts, past the line end at i.
inline size_t dopo_fine_riga(std::string_view t, size_t i) {
  return i + (t[i] == '\r' && i + 1 < t.size() && t[i + 1] == '\n' ? 2 : 1);
}

// The line that starts at inizio.
inline Riga riga_da(std::string_view t, size_t inizio) {
  size_t fine = inizio;
  while (fine < t.size() && !fine_riga(t[fine])) ++fine;
  if (fine == t.size()) return {t.substr(inizio, fine - inizio), t.size() + 1};
  return {t.substr(inizio, fine - inizio), dopo_fine_riga(t, fine)};
}

// A field without its leading and trailing blanks, in place.
inline std::string_view spogliato_in_vista(std::string_view campo) {
  const size_t a = campo.find_first_not_of(" \t");
  if (a == std::string_view::npos) return {};
  return campo.substr(a, campo.find_last_not_of(" \t") - a + 1);
}

// The same, copied.
inline std::string spogliato(std::string_view campo) { return std::string(spogliato_in_vista(campo)); }

}  // namespace scenario
