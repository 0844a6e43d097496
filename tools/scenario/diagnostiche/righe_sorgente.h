#pragma once
// Source lines under a report's messages: the lines of a text found once
// (a report of thousands of problems looks each one up), and a line shown
// as a terminal can show it.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace scenario::strumenti {

// The lines of a text as the field reader counts them: a line ends at CR LF,
// a lone LF or a lone CR.
class IndiceRighe {
 public:
  explicit IndiceRighe(std::string_view testo);
  // Line n (from 1), without its line end; empty when there is none.
  std::string_view riga(int32_t n) const;

 private:
  // Only every passo_-th line start is kept: a text of blank lines would
  // otherwise take four times its size in starts.
  static constexpr size_t passo_ = 16;
  std::string_view testo_;
  std::vector<size_t> inizi_;  // where lines 1, 1 + passo_, ... start
  size_t righe_ = 0;
};

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
