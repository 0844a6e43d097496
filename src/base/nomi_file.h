#pragma once
// Names of the files of one scenario. Every file lies in the directory of
// the program's own executable; its name starts with the route name, and the
// per-train files carry the train number too.

#include <string>
#include <string_view>

#include "base/disco.h"

namespace scenario {

// The two names of a scenario, Windows-1252.
struct NomiScenario {
  std::string_view nome_linea;
  std::string_view numero_treno;
};

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

// The files a compile reads and writes.
struct FileCompilazione {
  Percorso linea_txt;  // line description: read, then deleted
  Percorso treno_txt;  // train description: read, then deleted
  Percorso linea_dat;  // line profile
  Percorso sim;        // station table
  Percorso dat;        // track cells
};

// The texts read from one directory, the binary files written into another
// (the same one for the installer).
FileCompilazione file_compilazione(const Percorso& testi, const Percorso& binari, const NomiScenario& nomi);

}  // namespace scenario
