// scenario compile: the installer's compile of an author's texts, and its
// report.

#include <CLI/CLI.hpp>
#include <memory>
#include <ostream>

#include "autore/compilazione.h"
#include "autore/ingressi.h"
#include "autore/nomi_scenario.h"
#include "base/errori.h"
#include "cli/errore_strumento.h"
#include "cli/esecuzione_comando.h"
#include "comandi/comandi.h"
#include "diagnostiche/rapporto.h"

namespace scenario::strumenti {
namespace {

std::string json_testo(const nlohmann::json& j) {
  return j.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
}

}  // namespace

int esegui_compile(const ArgomentiCompile& a, Disco& disco, std::ostream& out, std::ostream& err) {
  return protetto(
      err,
      [&] {
        const TestiAutore t = trova_testi(disco, percorso_utf8(a.ingresso), a.linea, a.treno);
        RichiestaCompilazione r;
        r.nome_linea = t.nome_linea;
        r.numero_treno = t.numero_treno;
        r.ingresso = percorso_utf8(a.ingresso);
        r.uscita = percorso_utf8(a.uscita.empty() ? a.ingresso : a.uscita);
        r.scrivi_file = a.senza_profilo ? 0 : 1;
        r.testi = &t;
        const EsitoCompilazione esito = compila(r, disco);
        out << (a.json ? json_testo(rapporto_json(esito, r)) : rapporto_testo(esito, r));
        return static_cast<int>(esito.uscita);
      },
      a.json ? &out : nullptr);
}

namespace {

class Compile : public Comando {
 public:
  void opzioni(CLI::App& c) override {
    c.add_option("--route", a_.linea, "Nome della linea (R; predefinito dai nomi dei file)")->type_name("TESTO");
    c.add_option("--train", a_.treno, "Numero del treno (T; predefinito dai nomi dei file)")->type_name("TESTO");
    // The folder as check takes it: positional, or with --in.
    c.add_option("CARTELLA", a_.ingresso, "Cartella dei testi (anche con --in; predefinita: quella corrente)")
        ->type_name("CARTELLA")
        ->excludes(c.add_option("--in", a_.ingresso, "Come CARTELLA")->type_name("CARTELLA"));
    c.add_option("--out", a_.uscita, "Cartella dei file binari (predefinita: quella di --in)")->type_name("CARTELLA");
    c.add_flag("--no-profile", a_.senza_profilo, "Non scrivere il profilo R_linea.dat");
    c.add_flag("--json", a_.json, "Rapporto come un oggetto JSON");
  }
  int esegui(Disco& disco, std::ostream& out, std::ostream& err) override {
    return esegui_compile(a_, disco, out, err);
  }

 private:
  ArgomentiCompile a_;
};

}  // namespace

std::unique_ptr<Comando> crea_compile() { return std::make_unique<Compile>(); }

}  // namespace scenario::strumenti
