// A payload folder's UTF-8 text converted line by line, with the build's
// reasons for refusing one.

#include "base/testo_carico.h"

#include <cstdio>

#include "base/cp1252.h"

namespace scenario {
namespace {

// The length of the UTF-8 sequence that starts with b, 0 for none.
size_t lunghezza_sequenza(unsigned char b) {
  if (b < 0x80) return 1;
  if (b >= 0xC2 && b <= 0xDF) return 2;
  if (b >= 0xE0 && b <= 0xEF) return 3;
  if (b >= 0xF0 && b <= 0xF4) return 4;
  return 0;
}

std::string alla_riga(size_t riga, const std::string& cosa) { return "riga " + std::to_string(riga) + ": " + cosa; }

// One line, already without its line end, to Windows-1252.
std::optional<std::string> converti_riga(std::string_view r, size_t riga, std::string& errore) {
  std::string out;
  for (size_t i = 0; i < r.size();) {
    const auto b = static_cast<unsigned char>(r[i]);
    if (b == 0) {
      errore = alla_riga(riga, "carattere NUL");
      return std::nullopt;
    }
    if (b == '\r') {
      errore = alla_riga(riga, "CR isolato");
      return std::nullopt;
    }
    const size_t n = lunghezza_sequenza(b);
    if (n == 0 || i + n > r.size()) {
      errore = alla_riga(riga, "testo non UTF-8 valido");
      return std::nullopt;
    }
    const std::string_view carattere = r.substr(i, n);
    const auto cp1252 = da_utf8(carattere);
    if (!cp1252) {
      // Valid UTF-8 the code page lacks, or no UTF-8 at all.
      char32_t cp = n == 1 ? b : b & (0x7F >> n);
      bool valido = true;
      for (size_t k = 1; k < n; ++k) {
        const auto c = static_cast<unsigned char>(carattere[k]);
        valido = valido && (c & 0xC0) == 0x80;
        cp = (cp << 6) | (c & 0x3F);
      }
      char codice[16];
      std::snprintf(codice, sizeof codice, "U+%04X", static_cast<unsigned>(cp));
      errore = alla_riga(riga, valido ? std::string("il carattere ") + codice + " non esiste in Windows-1252"
                                      : std::string("testo non UTF-8 valido"));
      return std::nullopt;
    }
    out += *cp1252;
    i += n;
  }
  return out;
}

}  // namespace

std::optional<std::string> testo_da_carico(std::string_view utf8, std::string& errore) {
  std::string out;
  size_t righe = 0;
  // Not the line-end rule of base/righe.h: a payload text's lines end at LF
  // or CR LF, and the build refuses a lone CR (converti_riga) rather than
  // take it for a line end.
  for (size_t inizio = 0; inizio < utf8.size();) {
    size_t fine = utf8.find('\n', inizio);
    const bool chiusa = fine != std::string_view::npos;
    if (!chiusa) fine = utf8.size();
    std::string_view r = utf8.substr(inizio, fine - inizio);
    if (chiusa && !r.empty() && r.back() == '\r') r.remove_suffix(1);
    ++righe;
    if (righe > righe_massime_carico) {
      errore = "piu' di " + std::to_string(righe_massime_carico) + " righe";
      return std::nullopt;
    }
    auto riga = converti_riga(r, righe, errore);
    if (!riga) return std::nullopt;
    if (*riga == fine_del_file) {
      errore = alla_riga(righe, "la riga \"" + std::string(fine_del_file) + "\" e' riservata");
      return std::nullopt;
    }
    (out += *riga) += "\r\n";
    inizio = fine + 1;
  }
  return out;
}

}  // namespace scenario
