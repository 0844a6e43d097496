#pragma once
// The check's rules, each group in its file; they look at one reading's
// records (the reading on when there was one) and at the texts.

#include <optional>
#include <string>
#include <vector>

#include "verifica/avvisi.h"
#include "verifica/controllo.h"

namespace scenario::verifica {

struct Contesto {
  const Raccolta& raccolta;
  const Testi& testi;
  Tenuti& uscita;
  std::optional<int64_t> lunghezza;  // "lunghezza percorso", when it was read

  void avviso(Avviso a, File f, const Origine& dove, std::string messaggio);
  void nota(Nota n, File f, const Origine& dove, std::string messaggio);
};

// A warning as every rule makes it: the table's identifier and hint.
void avviso(Tenuti& uscita, Avviso a, File f, const Origine& dove, std::string messaggio);

File file_di(Sorgente s);
// A text of the compiler (Windows-1252) in a message: UTF-8, blanks trimmed,
// control bytes and length as a failure quotes them (dettaglio_mostrato).
std::string citato(std::string_view cp1252);

// A keyword field no record takes: W01 to W04 and W06, told as it is read.
void chiave_ignorata(Tenuti& uscita, const Ignorato& i);
// Keywords and record shapes: W05, W07 and W19, with those of the fields
// the reading told.
void avvisi_chiavi(Contesto& c);
// Positions along the line: W08 to W12 and W18.
void avvisi_posizioni(Contesto& c);
// Texts in UTF-8: W13.
void avvisi_codifica(Contesto& c);
// The timetable card: W14 to W17, N04.
void avvisi_scheda(Contesto& c);

}  // namespace scenario::verifica
