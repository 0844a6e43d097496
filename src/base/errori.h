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

namespace scenario {

// Numbers of the run-time failures the compiler can raise.
enum class Guasto : int32_t {
  argomento_non_valido = 5,
  overflow = 6,
  memoria_esaurita = 7,
  indice_fuori_intervallo = 9,
  tipo_non_corrispondente = 13,
  file_non_trovato = 53,
  cartella_in_uso = 55,
  file_binari_incompleti = 57,
  disco_pieno = 61,
  input_oltre_fine_file = 62,
  permesso_negato = 70,
  errore_accesso = 75,
};

// Standard description of a failure number.
const char* descrizione_guasto(Guasto g);

class ErroreEsecuzione : public std::runtime_error {
 public:
  explicit ErroreEsecuzione(Guasto g);
  ErroreEsecuzione(Guasto g, const std::string& dettaglio);

  int32_t numero() const { return static_cast<int32_t>(guasto_); }
  Guasto guasto() const { return guasto_; }
  // The standard description of the number, without the detail.
  const char* descrizione() const { return descrizione_guasto(guasto_); }
  // What the failure concerns (a file name, a value), possibly empty.
  const std::string& dettaglio() const { return dettaglio_; }

 private:
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
