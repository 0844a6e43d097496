#pragma once
// What a line holds, km by km, read from a compiled scenario: stations,
// signals, boards, signs, slowdowns, speed reductions, montagna spans, the
// gradient and the train's speed limit, and the problems of the compile
// where they lie. The plan, the profile and the report draw from it.

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "compiler/records.h"
#include "diagnostiche/rapporto_verifica.h"
#include "disegni/generi.h"

namespace scenario::strumenti {

// A place in a description text, for "FILE:LINE"; all UTF-8.
struct Luogo {
  std::string file;
  int32_t riga = 0;     // from 1
  int32_t colonna = 0;  // from 1; 0 = unknown

  std::string testo() const;  // FILE:LINE
};

// One entry of the problem list: a problem of the compile, or a warning of
// a check. Everything the user reads is UTF-8.
// A compiled scenario as the drawings take it.
struct DatiScenario {
  std::string titolo;        // UTF-8
  std::vector<double> x, y;  // the plan profile, one per metre; empty when not at hand
  std::array<stazione, slot::numero> stazioni{};
  std::vector<cella> celle;
  // From a compile of the texts: where each stamped cell and each station
  // slot was described, and the problems met.
  std::map<int32_t, Luogo> luoghi_celle;
  std::map<int32_t, Luogo> luoghi_slot;
  // The texts compiled, with every problem, warning and note the check
  // finds in them; empty for the binary files.
  ScenarioVerificato verificato;
  bool testi = false;  // the texts were compiled
  std::string fonte;   // where the data came from, for the reader
};

struct Elemento {
  Genere genere = Genere::stazione;
  int32_t metro = 0;
  int32_t fine = 0;         // end of a span; equal to metro for a point
  int32_t valore = 0;       // km/h of slowdowns, warning boards and speed reductions
  int32_t indice = 0;       // cell index; slot for stations; entry for problems
  std::string etichetta;    // the short label
  std::string descrizione;  // kind, position, values and FILE:LINE, for hovering
  std::optional<Luogo> luogo;
};

// A value held over [da, a) metres.
struct Tratto {
  int32_t da = 0, a = 0;
  int32_t valore = 0;
};

struct Quadro {
  std::string titolo;
  int32_t lunghezza = 0;           // L, from slot 84
  int32_t ultimo_metro = 0;        // where the last cell lies
  std::vector<Elemento> elementi;  // by kind, each kind by position
  std::vector<Tratto> pendenze;    // per mille
  std::vector<Tratto> velocita;    // km/h
};

Quadro quadro_linea(const DatiScenario& dati);

// "km 12.345"
std::string chilometri(int64_t metri);
// h:mm:ss of a count of seconds.
std::string orario_hms(int32_t secondi);

}  // namespace scenario::strumenti
