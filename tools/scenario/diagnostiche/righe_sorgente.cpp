// The shown form of one line.

#include "diagnostiche/righe_sorgente.h"

#include <algorithm>

#include "base/cp1252.h"

namespace scenario::strumenti {
namespace {

// The characters a window keeps before the column, of larghezza_riga.
constexpr size_t prima_della_colonna = 40;
constexpr std::string_view taglio = "...";

}  // namespace

RigaMostrata mostra_riga(std::string_view riga, int32_t colonna) {
  const size_t c = static_cast<size_t>(std::max(colonna, 1)) - 1;
  size_t da = 0, a = riga.size();
  if (riga.size() > larghezza_riga) {
    const size_t finestra = larghezza_riga - 2 * taglio.size();
    da = std::min(c > prima_della_colonna ? c - prima_della_colonna : 0, riga.size() - finestra);
    a = da + finestra;
  }
  RigaMostrata m;
  if (da > 0) {
    m.testo += taglio;
    m.rientro.append(taglio.size(), ' ');
  }
  for (size_t i = da; i < a; ++i) {
    const auto b = static_cast<unsigned char>(riga[i]);
    const std::string pezzo =
        byte_di_controllo(b) ? con_controlli_visibili(riga.substr(i, 1)) : a_utf8(riga.substr(i, 1));
    m.testo += pezzo;
    // Tabs are kept, so that the caret lines up whatever the tab width.
    if (i < c) m.rientro += b == '\t' ? std::string("\t") : std::string(byte_di_controllo(b) ? pezzo.size() : 1, ' ');
  }
  if (a < riga.size()) m.testo += taglio;
  return m;
}

}  // namespace scenario::strumenti
