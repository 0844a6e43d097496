#pragma once
// Source lines under a report's messages: the lines of a text found once
// (a report of thousands of problems looks each one up), and a line shown
// as a terminal can show it.

#include <cstdint>
#include <string>
#include <string_view>

#include "base/indice_righe.h"

namespace scenario::strumenti {

// A line as shown: UTF-8, control bytes escaped as \xHH, a long line cut to
// a window around the column with "..." where it is cut; rientro holds the
// blanks and tabs that put a caret under the column.
struct RigaMostrata {
  std::string testo;
  std::string rientro;
};

// Lines up to this many characters are shown whole.
inline constexpr size_t larghezza_riga = 120;

RigaMostrata mostra_riga(std::string_view cp1252, int32_t colonna);

}  // namespace scenario::strumenti
