#pragma once
// What a check reports: every problem of the installer's compile, every one
// found by reading on, the warnings about the mistakes authors make, and the
// notes that give them context; each with its identifier and its place.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace scenario::verifica {

// errore: a recorded problem, a numbered error, a run-time failure;
// avviso: a warning (W01...); nota: context (N01...).
enum class Gravita { errore, avviso, nota };

// Whether the installer meets it (its reading of that text reaches the
// place), or only the check does, reading on.
enum class Fase { installatore, proseguendo };

// The file a diagnostic is about.
enum class File { nessuno, linea, treno, scheda };

struct Diagnostica {
  Gravita gravita = Gravita::errore;
  std::string id;                 // "P25", "E1250", "G61", "W01", "N01"
  std::string messaggio;          // UTF-8
  std::string_view suggerimento;  // UTF-8, in a table of static storage; empty when there is none
  File file = File::nessuno;
  int32_t riga = 0;                  // from 1; 0 = the whole file
  int32_t colonna = 0;               // from 1, in bytes of the text as read; 0 = the whole line
  std::optional<int32_t> posizione;  // metres, for the compile's problems
  Fase fase = Fase::installatore;
};

}  // namespace scenario::verifica
