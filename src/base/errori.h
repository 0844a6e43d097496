#pragma once
// The two ways a compile can stop abruptly.
//
// ErroreEsecuzione is a run-time failure: a file that cannot be opened, a
// value that does not fit its field, an index outside an array. The parser
// turns it into problem 25; anywhere else it ends the program with its number
// and description.
//
// ErroreNumerato is a numbered error (1250, 1251): the program shows
// " Errore n. <numero>" and ends, writing nothing more.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "base/codici.h"

namespace scenario {

// Standard description of a failure number, from the table of codes.
const char* descrizione_guasto(Guasto g);

// What a failure quotes of what it concerns: control bytes as \xHH (a NUL
// would end the message where it is shown), and a long value (a field of
// megabytes) cut to its first dettaglio_massimo bytes, then "..." and its
// size. No file name is that long, so only values are ever cut.
inline constexpr size_t dettaglio_massimo = 256;
std::string dettaglio_mostrato(std::string_view dettaglio);

class ErroreEsecuzione : public std::runtime_error {
 public:
  explicit ErroreEsecuzione(Guasto g);
  // The detail as dettaglio_mostrato makes it.
  ErroreEsecuzione(Guasto g, std::string_view dettaglio);

  int32_t numero() const { return static_cast<int32_t>(guasto_); }
  Guasto guasto() const { return guasto_; }
  // The standard description of the number, without the detail.
  const char* descrizione() const { return descrizione_guasto(guasto_); }
  // What the failure concerns (a file name, a value), possibly empty.
  const std::string& dettaglio() const { return dettaglio_; }

 private:
  ErroreEsecuzione(Guasto g, std::string&& mostrato, int);
  Guasto guasto_;
  std::string dettaglio_;
};

// The message of a numbered error: " Errore n. " and the number as text.
std::string testo_errore_numerato(const std::string& numero);

class ErroreNumerato : public std::runtime_error {
 public:
  explicit ErroreNumerato(int32_t numero);
  int32_t numero() const { return numero_; }

 private:
  int32_t numero_;
};

}  // namespace scenario
