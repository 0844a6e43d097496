#pragma once
// The lines of a text found once, by the line-end rule (base/righe.h): a
// report of thousands of problems, or a position looked up at every
// keystroke, does not read the text from its start each time.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace scenario {

class IndiceRighe {
 public:
  // The text must outlive the index.
  explicit IndiceRighe(std::string_view testo);
  // One more than the line ends: an empty text is one empty line.
  size_t righe() const { return righe_; }
  // Where line n (from 1) starts; nothing when there is no line n.
  std::optional<size_t> inizio(int32_t n) const;
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

}  // namespace scenario
