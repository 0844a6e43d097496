#pragma once
// The check of a scenario: the installer's compile with every problem it
// records, the reading taken on past the points where the installer's
// reading stops (with the same readers, in their reading-on mode), the
// warnings about the mistakes authors make and the notes that explain.

#include <optional>
#include <string_view>
#include <vector>

#include "base/esito.h"
#include "compiler/stato.h"
#include "verifica/diagnostica.h"
#include "verifica/raccolta.h"
#include "verifica/tenuti.h"

namespace scenario::verifica {

struct Testi {
  std::string_view nome_linea, numero_treno;  // Windows-1252
  std::string_view linea, treno;              // the texts as the compiler reads them
  std::optional<std::string_view> scheda;     // the timetable card, when it is there
  int32_t scrivi_file = 1;                    // 0: compiled without the line profile
};

struct Controllo {
  // The compile's problems in the order recorded; the notes where its
  // reading stops; the problems found reading on; then warnings and notes by
  // file and place.
  // Past the bound, a note (N07) for each identifier in omesse, at the end.
  std::vector<Diagnostica> diagnostiche;
  std::vector<Omesse> omesse;  // by severity, then identifier
  bool proseguita = false;     // the texts were read once more, on past a stop
};

// esatto is the installer's compile of these texts, run with raccolta
// listening (Stato::osservatore).
Controllo controlla(const Stato& esatto, const Raccolta& raccolta, const Testi& testi);

// The same, running the installer's compile too, in memory: nothing is
// written.
Controllo controlla_testi(const Testi& testi);

// The installer's compile of the texts, in memory, with the listener (or
// none) and reading on or not; the state holds every problem recorded, and
// esito (when given) how the run ended.
std::unique_ptr<Stato> compila_in_memoria(const Testi& testi, OsservatoreLettura* osservatore, bool prosegui,
                                          Esito* esito = nullptr);

// The compile's own problems alone, in the order recorded, each pointed at
// its field as the check points it (lettura: the records it read).
std::vector<Diagnostica> problemi_installatore(const Stato& esatto, const Raccolta& lettura);

}  // namespace scenario::verifica
