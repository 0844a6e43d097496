#pragma once
// The texts of a scenario as its author has them in a folder: under the
// installed names (R_linea.txt, R_T-.txt, R_T_scheda_treno.txt, in
// Windows-1252) or as a payload folder (linea.txt, treno.txt,
// scheda_treno.txt, in UTF-8, converted as the build converts them).

#include <optional>
#include <string>

#include "autore/nomi_scenario.h"
#include "base/disco.h"
#include "compiler/problemi.h"

namespace scenario::strumenti {

struct TestiAutore {
  Percorso cartella;
  std::string nome_linea, numero_treno;  // Windows-1252
  bool carico = false;                   // a payload folder
  Percorso file_linea, file_treno;       // the author's files
  std::string linea, treno;              // as the compiler reads them
  std::optional<Percorso> file_scheda;   // the timetable card, when it is there
  std::string scheda;
};

// Which text a file is by its name: R_linea.txt or linea.txt the line's,
// R_T-.txt or treno.txt the train's; nessuna for any other.
Sorgente tipo_di_testo(const Percorso& p);

// The file's name, UTF-8.
std::string nome_utf8(const Percorso& p);

// A payload text read and converted as the build converts it;
// ErroreStrumento naming the file and the line when the build would refuse it.
std::string leggi_testo_carico(LettoreFile& disco, const Percorso& p);

// Finds the scenario in the folder. Route and train (UTF-8, as typed; empty
// when not given) pick the installed names; without them they come from
// the only installed names there, or a payload folder is taken, named R
// and T. ErroreStrumento when the texts are missing, ambiguous or
// unreadable, or a payload text is one the build would refuse.
TestiAutore trova_testi(LettoreFile& disco, const Percorso& cartella, const std::string& linea,
                        const std::string& treno);

// Whether the folder holds installed texts (some R_linea.txt).
bool ha_testi_installati(LettoreFile& disco, const Percorso& cartella);

// The names of the only scenario whose binary files are in the folder, from
// its R_T.sim: where an underscore could end R at more than one place, R is
// the one whose R_linea.dat is there. ErroreStrumento when there is none,
// or more than one.
NomiDaArgomenti trova_nomi_binari(LettoreFile& disco, const Percorso& cartella);

// The pair the text at p belongs to, by the file-name rule: a payload
// text with its folder's other one, R_linea.txt with the only R_T-.txt
// beside it, R_T-.txt with the R_linea.txt its name begins with.
// ErroreStrumento when there is none, or when the pair found is not p's.
TestiAutore trova_coppia(LettoreFile& disco, const Percorso& p);

}  // namespace scenario::strumenti
