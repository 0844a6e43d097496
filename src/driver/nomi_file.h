#pragma once
// Names of the files of one scenario. Every file lies in the directory of
// the program's own executable; its name starts with the route name, and the
// per-train files carry the train number too.

#include <string>
#include <string_view>

#include "platform/disco.h"

namespace scenario {

enum class FileScenario {
  linea_txt,      // line description, deleted by the compile
  treno_txt,      // train description, deleted by the compile
  note,           // notes
  rallentamenti,  // slowdown order form
  scheda,         // timetable card
  linea_dat,      // line profile
  sim,            // station table
  dat,            // track cells
};

// The file name (Windows-1252 bytes, no directory).
std::string nome_file(FileScenario f, std::string_view nome_linea, std::string_view numero_treno);

// A Windows-1252 file name inside a directory.
Percorso percorso_in(const Percorso& cartella, std::string_view nome);

// The full path of a scenario file.
Percorso percorso_file(const Percorso& cartella, FileScenario f, std::string_view nome_linea,
                       std::string_view numero_treno);

}  // namespace scenario
