// scenario nuovo: a starter scenario in a new folder, which checks clean,
// so that an author begins from texts that work and changes them.

#include <CLI/CLI.hpp>
#include <filesystem>
#include <ostream>
#include <system_error>

#include "base/errori.h"
#include "cli/errore_strumento.h"
#include "cli/esecuzione_comando.h"
#include "comandi/comandi.h"
#include "modello/modello.h"

namespace scenario::strumenti {
namespace {

class Nuovo : public Comando {
 public:
  void opzioni(CLI::App& c) override {
    c.add_option("CARTELLA", cartella_, "Cartella da creare (o vuota) per i cinque testi")
        ->required()
        ->type_name("CARTELLA");
  }

  int esegui(Disco& disco, std::ostream& out, std::ostream& err) override {
    return protetto(err, [&] {
      const Percorso p = percorso_utf8(cartella_);
      std::error_code ec;
      // Nothing of the author's is written over: the folder is new or empty.
      if (std::filesystem::exists(p, ec) &&
          (!std::filesystem::is_directory(p, ec) || !std::filesystem::is_empty(p, ec)))
        throw ErroreStrumento(cartella_ + " esiste e non è una cartella vuota: indicare una cartella nuova");
      std::filesystem::create_directories(p, ec);
      if (ec) throw ErroreStrumento("impossibile creare " + cartella_ + ": " + ec.message());
      for (const TestoModello& t : testi_modello()) {
        try {
          scrivi_file_nuovo(disco, p / t.nome, t.testo());
        } catch (const ErroreEsecuzione& e) {
          throw ErroreStrumento("impossibile scrivere " + testo_utf8(p / t.nome) + ": " + e.descrizione());
        }
        out << "scritto " << testo_utf8(p / t.nome) << "\n";
      }
      out << "Uno scenario di partenza: cinque stazioni in 15 km (R e T finché non si danno --route e --train).\n"
          << "Poi:\n"
          << "  scenario check " << cartella_ << "\n"
          << "  scenario report " << cartella_ << " -o rapporto.html\n"
          << "  scenario spiega stazione\n";
      return 0;
    });
  }

 private:
  std::string cartella_;
};

}  // namespace

std::unique_ptr<Comando> crea_nuovo() { return std::make_unique<Nuovo>(); }

}  // namespace scenario::strumenti
