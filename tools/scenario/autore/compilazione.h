#pragma once
// Compiles an author's scenario exactly as the installer does, with the
// same compile, reading the two description texts from one directory and
// writing the binary files into another.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "autore/ingressi.h"
#include "base/disco.h"
#include "compiler/stato.h"

namespace scenario::strumenti {

struct RichiestaCompilazione {
  std::string nome_linea;    // Windows-1252
  std::string numero_treno;  // Windows-1252
  Percorso ingresso;         // where the two texts are
  Percorso uscita;           // where the binary files go
  int32_t scrivi_file = 1;   // 0: no line profile
  // The texts as found in the folder; when none, they are read from
  // ingresso under the installed names.
  const TestiAutore* testi = nullptr;
  // False: the binary files are produced and thrown away, uscita is not
  // needed and nothing is written.
  bool scrivi_binari = true;
  // Told of every record the compile reads (lettura_controllata.h).
  OsservatoreLettura* osservatore = nullptr;
};

// Exit status of the compile command.
enum class Uscita : int { pulita = 0, problemi = 1, nessun_file = 2 };

struct EsitoCompilazione {
  // Large (the profile holds every metre), so kept on the heap.
  std::unique_ptr<Stato> stato;
  // The two texts as read, for quoting source lines: the request's own
  // texts when it gave them (a text may be of megabytes: not copied), else
  // those read here, kept in letti.
  std::string_view testo_linea, testo_treno;
  std::unique_ptr<const std::pair<std::string, std::string>> letti;
  Percorso file_linea, file_treno;  // where they were read from
  bool file_scritti = false;
  Uscita uscita = Uscita::pulita;
};

// Refuses (ErroreStrumento) missing or unreadable texts and a missing output
// directory before compiling; everything the compile meets is in the result.
EsitoCompilazione compila(const RichiestaCompilazione& richiesta, Disco& disco);

}  // namespace scenario::strumenti
