#pragma once
// What the language server knows of a description text: the check of the
// pair it belongs to (the line description and its train description, found
// by the file-name rule among the open documents and on disk), and the
// records the readers took from both, read on past any stop.

#include <memory>
#include <string>
#include <vector>

#include "autore/ingressi.h"
#include "base/disco.h"
#include "lsp/documenti.h"
#include "verifica/diagnostica.h"
#include "verifica/raccolta.h"

namespace scenario::strumenti::lsp {

struct FileAnalizzato {
  Percorso percorso;
  verifica::File file = verifica::File::nessuno;
  std::string testo;  // as the compiler read it (Windows-1252), for the extent of fields
  std::vector<verifica::Diagnostica> diagnostiche;
};

struct Analisi {
  // The line's, the train's and the card's files that were checked; one
  // alone when the document was checked without its pair.
  std::vector<FileAnalizzato> file;
  std::unique_ptr<verifica::Raccolta> lettura;  // the records of both texts, read on

  const FileAnalizzato* di(const Percorso& p) const;
};

// Checks the text of d with its pair: the open documents stand for their
// files on disk. A document whose pair is not found, or not whole, is
// checked alone, with a note saying why.
Analisi analizza(const Documenti& aperti, const Documento& d, Disco& disco);

}  // namespace scenario::strumenti::lsp
