// The line index of a text and the shown form of one line.

#include "righe_sorgente.h"

#include <algorithm>
#include <cstdio>

#include "base/cp1252.h"

namespace scenario::strumenti {
namespace {

// The characters a window keeps before the column, of larghezza_riga.
constexpr size_t prima_della_colonna = 40;
constexpr std::string_view taglio = "...";

// Bytes shown as an escape: the C0 controls but the tab, DEL, and the five
// bytes Windows-1252 leaves undefined (they would print as C1 controls).
bool di_controllo(unsigned char b) {
  return (b < 0x20 && b != '\t') || b == 0x7F || b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
}

}  // namespace

IndiceRighe::IndiceRighe(std::string_view testo) : testo_(testo) {
  inizi_.push_back(0);
  for (size_t i = 0; i < testo.size(); ++i) {
    if (testo[i] == '\r' && i + 1 < testo.size() && testo[i + 1] == '\n') ++i;
    if (testo[i] == '\r' || testo[i] == '\n') inizi_.push_back(i + 1);
  }
}

std::string_view IndiceRighe::riga(int32_t n) const {
  if (n < 1 || static_cast<size_t>(n) > inizi_.size()) return {};
  const size_t inizio = inizi_[static_cast<size_t>(n) - 1];
  if (inizio > testo_.size()) return {};
  const size_t fine = testo_.find_first_of("\r\n", inizio);
  return testo_.substr(inizio, (fine == std::string_view::npos ? testo_.size() : fine) - inizio);
}

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
    std::string pezzo;
    if (di_controllo(b)) {
      char e[8];
      std::snprintf(e, sizeof e, "\\x%02X", b);
      pezzo = e;
    } else {
      pezzo = a_utf8(riga.substr(i, 1));
    }
    m.testo += pezzo;
    // Tabs are kept, so that the caret lines up whatever the tab width.
    if (i < c) m.rientro += b == '\t' ? std::string("\t") : std::string(di_controllo(b) ? pezzo.size() : 1, ' ');
  }
  if (a < riga.size()) m.testo += taglio;
  return m;
}

}  // namespace scenario::strumenti
