// scenario dump: one of the three binary files decoded for people, with what
// no compile writes told after it.

#include "binari/dump.h"

#include <CLI/CLI.hpp>
#include <ostream>

#include "autore/lettura_file.h"
#include "binari/coerenza.h"
#include "cli/errore_strumento.h"
#include "cli/esecuzione_comando.h"
#include "comandi/comandi.h"

namespace scenario::strumenti {
namespace {

// A file decoded, with inconsistencies to tell.
constexpr int uscita_avvisi = 1;

}  // namespace

int esegui_dump(const ArgomentiDump& a, Disco& disco, std::ostream& out, std::ostream& err) {
  return protetto(err, [&] {
    const Percorso p = percorso_utf8(a.file);
    const std::string nome = testo_utf8(p.filename());
    if (!disco.esiste(p)) throw ErroreStrumento("file mancante: " + testo_utf8(p));
    // Read from the file as it is decoded: a long profile is never held whole.
    const FileDaDecodificare f{nome, apri_file_autore(disco, p)};
    const auto dal_nome = tipo_da_nome(nome);
    const TipoFile tipo = dal_nome ? *dal_nome : tipo_da_contenuto(leggi_file_autore(disco, p), nome);
    // What no compile writes is decoded all the same, and told after it.
    OpzioniDump o{a.tutti, a.json};
    o.avvisi = tipo == TipoFile::profilo ? incoerenze_profilo(FlussoProfilo(f.apri, nome), nome)
                                         : incoerenze_file(tipo, leggi_file_autore(disco, p), nome);
    scrivi_dump(tipo, f, o, out);
    if (o.avvisi.empty()) return 0;
    if (!a.json) err << "scenario: attenzione, " << testo_incoerenze(o.avvisi) << "\n";
    return uscita_avvisi;
  });
}

namespace {

class Dump : public Comando {
 public:
  void opzioni(CLI::App& c) override {
    c.add_option("FILE", a_.file, "File da decodificare")->required()->type_name("FILE");
    c.add_flag("--json", a_.json, "Uscita in JSON");
    c.add_flag("--all", a_.tutti, "Anche slot, celle e metri vuoti");
  }
  int esegui(Disco& disco, std::ostream& out, std::ostream& err) override { return esegui_dump(a_, disco, out, err); }

 private:
  ArgomentiDump a_;
};

}  // namespace

std::unique_ptr<Comando> crea_dump() { return std::make_unique<Dump>(); }

}  // namespace scenario::strumenti
