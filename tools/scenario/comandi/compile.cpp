// scenario compile: the installer's compile of an author's texts, and its
// report.

#include <CLI/CLI.hpp>
#include <memory>
#include <ostream>

#include "autore/ingressi.h"
#include "autore/nomi_scenario.h"
#include "autore/scenario_autore.h"
#include "base/errori.h"
#include "cli/errore_strumento.h"
#include "cli/esecuzione_comando.h"
#include "cli/terminale.h"
#include "comandi/comandi.h"
#include "diagnostiche/forme.h"

namespace scenario::strumenti {

int esegui_compile(const ArgomentiCompile& a, Disco& disco, std::ostream& out, std::ostream& err) {
  const Forma* f = forma(a.forma);
  if (!f) return protetto(err, [&]() -> int { throw ErroreStrumento("forma del rapporto sconosciuta: " + a.forma); });
  return protetto(
      err,
      [&] {
        const Percorso in = percorso_utf8(a.ingresso);
        const RichiestaScenario r{
            in,   a.linea, a.treno, a.senza_profilo ? 0 : 1, percorso_utf8(a.uscita.empty() ? a.ingresso : a.uscita),
            false};
        ScenarioAutore sa = apri_scenario(r, disco);
        const int uscita = static_cast<int>(sa.esito.uscita);
        std::vector<ScenarioVerificato> s;
        s.push_back(verificato(in, std::move(sa), r.uscita));
        s.back().uscita = uscita;
        out << f->scrivi({s, uscita, true, {a.colori}});
        return uscita;
      },
      std::string_view(f->nome) == "json" ? &out : nullptr);
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
    opzioni_forma(c, a_.forma, json_);
  }
  int esegui(Disco& disco, std::ostream& out, std::ostream& err) override {
    if (json_) a_.forma = "json";
    a_.colori = !forma(a_.forma)->per_programmi && colori_sul_terminale();
    return esegui_compile(a_, disco, out, err);
  }

 private:
  ArgomentiCompile a_;
  bool json_ = false;
};

}  // namespace

std::unique_ptr<Comando> crea_compile() { return std::make_unique<Compile>(); }

}  // namespace scenario::strumenti
