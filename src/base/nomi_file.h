#pragma once
// Names of the files of one scenario, and the rule a route or train name
// follows. Every file lies in the directory of the program's own
// executable; its name starts with the route name, and the per-train files
// carry the train number too.

#include <optional>
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

// The file a run keeps in the scenario's directory while it holds it
// (Disco::blocca); removed when the run lets go.
inline constexpr char nome_file_blocco[] = "cartella_in_uso.lock";

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

// The naming rule. Both names become parts of Windows and Linux file names,
// and the build carries them through CMake: cmake/nomi_scenario.cmake holds
// the same rule for the build, and tests/nomi_scenario.txt is the table of
// names both are tested against.
enum class RuoloNome { linea, treno };

enum class MotivoRifiuto {
  vuoto,        // no character at all
  codifica,     // not UTF-8, or a character Windows-1252 lacks
  controllo,    // a control character
  carattere,    // / \ : * ? " < > |, or ; [ ] which CMake's lists take apart
  finale,       // a blank or a dot at the end, which Windows drops
  lungo,        // more than 118 bytes of UTF-8
  dispositivo,  // the route makes a Windows device name the stem of its files
  coincidenti,  // the train gives two files of the scenario one name
};

struct RifiutoNome {
  RuoloNome ruolo;
  MotivoRifiuto motivo;
  std::string spiegazione;  // Italian, for the user
};

// A name as its author writes it (UTF-8): in Windows-1252 when the rule
// accepts it, otherwise why not.
struct NomeVerificato {
  std::string cp1252;
  std::optional<RifiutoNome> rifiuto;
};
NomeVerificato verifica_nome(std::string_view utf8, RuoloNome ruolo);

// Both names of a scenario: the route is checked first, then the train,
// then the pair, which must not name the installer like the lock file.
std::optional<RifiutoNome> rifiuto_nomi(std::string_view linea_utf8, std::string_view treno_utf8);

// The word of a reason, as the table of names and the CMake rule write it,
// and its explanation.
std::string_view parola_motivo(MotivoRifiuto motivo);
std::string_view spiegazione_motivo(MotivoRifiuto motivo);

}  // namespace scenario
