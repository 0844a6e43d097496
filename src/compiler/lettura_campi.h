#pragma once
// The field reader both description parsers use.
//
// A text is one stream of fields. A field ends at a comma or at a line end
// (CR LF, a lone LF or a lone CR); a line end separates fields just as a
// comma does, so a record may go on over several lines. Blanks are spaces
// and tabs.
//
// - A text field skips its leading blanks and runs to the next comma or line
//   end, trailing blanks included.
// - A number field skips its leading blanks and ends at a comma, a blank or
//   a line end; then any blanks and one comma or line end are consumed with
//   it, so "8   39   30" is three numbers. An empty field, or one of blanks
//   only, reads as 0. Anything but an optional sign and digits, or a value
//   outside the signed 32-bit range, is a run-time failure.
// - End of file is reached as soon as the last field has been read; reading
//   once more is a run-time failure.

#include <cstdint>
#include <string>
#include <string_view>

namespace scenario {

class LetturaCampi {
 public:
  explicit LetturaCampi(std::string_view testo) : testo_(testo) {}

  bool fine_file() const { return pos_ >= testo_.size(); }

  std::string leggi_testo();
  int32_t leggi_long();
  int16_t leggi_intero();  // a 16-bit field: a value that does not fit fails
  uint8_t leggi_byte();    // an 8-bit field: 0..255, anything else fails

  // Line and column (from 1, in bytes) where the last field read starts,
  // after its leading blanks.
  int32_t riga_campo() const { return riga_campo_; }
  int32_t colonna_campo() const { return colonna_campo_; }
  // Whether the last field read opens its line (no field before it on it).
  bool campo_a_inizio_riga() const { return a_inizio_riga_; }

  // Moves past the next line end, to the start of the line after the one
  // the reader stands in; to the end of the text when there is none.
  void vai_a_riga_seguente();

 private:
  void inizia_campo();
  void consuma_fine_riga();
  void salta_spazi();

  std::string_view testo_;
  size_t pos_ = 0;
  int32_t riga_ = 1;
  size_t inizio_riga_ = 0;
  int32_t riga_campo_ = 0;
  int32_t colonna_campo_ = 0;
  bool a_inizio_riga_ = false;
};

// Keyword tests: does the field contain the word anywhere? The
// case-insensitive form folds the ASCII letters only.
bool contiene(std::string_view campo, std::string_view parola);
bool contiene_ci(std::string_view campo, std::string_view parola);

}  // namespace scenario
