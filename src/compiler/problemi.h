#pragma once
// The record of every problem a compile met, in order, with where in the
// description texts it came from. The compile itself only keeps the last
// problem (codice_errore, posizione_errore); this list is for the people who
// write scenarios.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace scenario {

enum class Sorgente { nessuna, linea, treno };

// A place in a description text; riga and colonna count from 1, 0 = unknown.
struct Origine {
  Sorgente sorgente = Sorgente::nessuna;
  int32_t riga = 0;
  int32_t colonna = 0;

  bool operator==(const Origine&) const = default;
};

struct Problema {
  enum class Tipo {
    registrato,  // a code in codice_errore
    numerato,    // a numbered error (1250, 1251): the program ends
    esecuzione,  // a run-time failure; inside the parser it is also code 25
  };

  Tipo tipo = Tipo::registrato;
  int32_t codice = 0;
  std::optional<int32_t> posizione;  // metres
  Origine origine;
  std::string dettaglio;  // for run-time failures: number and description

  bool operator==(const Problema&) const = default;
};

}  // namespace scenario
