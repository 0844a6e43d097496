// The nearest word by edit distance, for "forse intendevi".

#include "verifica/somiglianza.h"

#include <algorithm>
#include <vector>

namespace scenario::verifica {
namespace {

char piega(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

}  // namespace

// Optimal string alignment: the Levenshtein table plus adjacent swaps, kept
// as its last three rows (a word may be a whole line of megabytes).
size_t distanza(std::string_view a, std::string_view b) {
  const size_t m = b.size();
  std::vector<size_t> due_fa(m + 1), prima(m + 1), riga(m + 1);
  for (size_t j = 0; j <= m; ++j) prima[j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    riga[0] = i;
    for (size_t j = 1; j <= m; ++j) {
      const size_t costo = piega(a[i - 1]) == piega(b[j - 1]) ? 0 : 1;
      riga[j] = std::min({prima[j] + 1, riga[j - 1] + 1, prima[j - 1] + costo});
      if (i > 1 && j > 1 && piega(a[i - 1]) == piega(b[j - 2]) && piega(a[i - 2]) == piega(b[j - 1]))
        riga[j] = std::min(riga[j], due_fa[j - 2] + 1);
    }
    std::swap(due_fa, prima);
    std::swap(prima, riga);
  }
  return prima[m];
}

std::optional<std::string_view> piu_vicina(std::string_view parola, std::span<const std::string_view> parole) {
  const size_t soglia = std::max<size_t>(parola.size() >= 6 ? 2 : 1, parola.size() / 3);
  std::optional<std::string_view> migliore;
  size_t minima = soglia + 1;
  for (std::string_view p : parole) {
    // The distance is at least the difference in length.
    const size_t differenza = parola.size() > p.size() ? parola.size() - p.size() : p.size() - parola.size();
    if (differenza >= minima) continue;
    const size_t d = distanza(parola, p);
    if (d < minima) {
      minima = d;
      migliore = p;
    }
  }
  return migliore;
}

}  // namespace scenario::verifica
