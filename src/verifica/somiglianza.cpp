// The nearest word by edit distance, for "forse intendevi".

#include "verifica/somiglianza.h"

#include <algorithm>
#include <vector>

namespace scenario::verifica {
namespace {

char piega(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

}  // namespace

// Optimal string alignment: the Levenshtein table plus adjacent swaps.
size_t distanza(std::string_view a, std::string_view b) {
  const size_t n = a.size(), m = b.size();
  std::vector<std::vector<size_t>> d(n + 1, std::vector<size_t>(m + 1));
  for (size_t i = 0; i <= n; ++i) d[i][0] = i;
  for (size_t j = 0; j <= m; ++j) d[0][j] = j;
  for (size_t i = 1; i <= n; ++i)
    for (size_t j = 1; j <= m; ++j) {
      const size_t costo = piega(a[i - 1]) == piega(b[j - 1]) ? 0 : 1;
      d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + costo});
      if (i > 1 && j > 1 && piega(a[i - 1]) == piega(b[j - 2]) && piega(a[i - 2]) == piega(b[j - 1]))
        d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
    }
  return d[n][m];
}

std::optional<std::string_view> piu_vicina(std::string_view parola, std::span<const std::string_view> parole) {
  const size_t soglia = std::max<size_t>(parola.size() >= 6 ? 2 : 1, parola.size() / 3);
  std::optional<std::string_view> migliore;
  size_t minima = soglia + 1;
  for (std::string_view p : parole) {
    const size_t d = distanza(parola, p);
    if (d < minima) {
      minima = d;
      migliore = p;
    }
  }
  return migliore;
}

}  // namespace scenario::verifica
