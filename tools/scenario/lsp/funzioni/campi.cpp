// Where the fields of a text stand (lsp/funzioni/campi.h).

#include "lsp/funzioni/campi.h"

#include <algorithm>

#include "base/righe.h"
#include "lsp/documenti.h"

namespace scenario::strumenti::lsp {

// Columns are bytes of the Windows-1252 text: one character each, so one
// UTF-16 unit each as the protocol counts them.
nlohmann::json intervallo_campo(std::string_view testo, int32_t riga, int32_t colonna) {
  const int64_t linea = riga > 0 ? riga - 1 : 0;
  const std::string_view r = riga_da(testo, scostamento(testo, {linea, 0})).testo;
  int64_t da = 0, a = static_cast<int64_t>(r.size());
  if (colonna > 0) {
    da = std::min<int64_t>(colonna - 1, a);
    const size_t virgola = r.find(',', static_cast<size_t>(da));
    if (virgola != std::string_view::npos) a = static_cast<int64_t>(virgola);
    // A field's trailing blanks are no part of what it says.
    while (a > da && (r[static_cast<size_t>(a) - 1] == ' ' || r[static_cast<size_t>(a) - 1] == '\t')) --a;
    if (a == da) a = std::min<int64_t>(da + 1, static_cast<int64_t>(r.size()));
  }
  return {{"start", {{"line", linea}, {"character", da}}}, {"end", {{"line", linea}, {"character", a}}}};
}

}  // namespace scenario::strumenti::lsp
