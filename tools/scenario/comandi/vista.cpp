// What plan, profilo and report share: each reads the scenario in one
// directory (compiling its texts in memory when they are there) and writes
// one file, never one of the scenario's own.

#include "comandi/vista.h"

#include <CLI/CLI.hpp>
#include <ostream>

#include "autore/nomi_scenario.h"
#include "base/errori.h"
#include "base/nomi_file.h"
#include "cli/errore_strumento.h"
#include "cli/esecuzione_comando.h"
#include "diagnostiche/rapporto_verifica.h"

namespace scenario::strumenti {
int esegui_vista(const ArgomentiVista& a, Disco& disco, std::ostream& out, std::ostream& err, const char* cosa,
                 const ProduciVista& produci) {
  return protetto(err, [&] {
    RichiestaVista r{{}, {}, percorso_utf8(a.ingresso)};
    // Without both names, they come from the files, as check finds them.
    if (a.linea.empty() != a.treno.empty())
      throw ErroreStrumento("indicare sia --route sia --train, o nessuno dei due (dai nomi dei file)");
    if (!a.linea.empty()) {
      NomiDaArgomenti n = nomi_da_argomenti(a.linea, a.treno);
      r.nome_linea = std::move(n.linea);
      r.numero_treno = std::move(n.treno);
    }
    const Percorso uscita = percorso_utf8(a.uscita);
    ScenarioVisto visto = carica_scenario(r, disco);
    rifiuta_uscita_sullo_scenario(uscita, visto.richiesta);
    Vista v{visto.richiesta, std::move(visto), {}};
    v.quadro = quadro_linea(v.visto.dati);
    int omesse = 0;
    const std::string testo = produci(v, omesse);
    try {
      scrivi_file_nuovo(disco, uscita, testo);
    } catch (const ErroreEsecuzione& e) {
      throw ErroreStrumento("impossibile scrivere " + a.uscita + ": " + e.descrizione());
    }
    out << cosa << " " << a.uscita << "\n";
    if (omesse > 0) out << "etichette senza posto libero (restano nei titoli dei segni): " << omesse << "\n";
    if (const Conteggi c = conta(v.visto.dati.verificato); c.errori + c.avvisi + c.note > 0)
      out << "controllo dei testi (scenario check li spiega): " << plurale(c.errori, "errore", "errori") << ", "
          << plurale(c.avvisi, "avviso", "avvisi") << ", " << plurale(c.note, "nota", "note") << "\n";
    return 0;
  });
}

void opzioni_vista(CLI::App& c, ArgomentiVista& a, const char* uscita) {
  c.add_option("--route", a.linea, "Nome della linea (R; predefinito dai nomi dei file)")->type_name("TESTO");
  c.add_option("--train", a.treno, "Numero del treno (T; predefinito dai nomi dei file)")->type_name("TESTO");
  c.add_option("CARTELLA", a.ingresso, "Cartella dello scenario (anche con --in; predefinita: quella corrente)")
      ->type_name("CARTELLA")
      ->excludes(c.add_option("--in", a.ingresso, "Come CARTELLA")->type_name("CARTELLA"));
  c.add_option("-o", a.uscita, uscita)->required()->type_name("FILE");
}

void ComandoVista::opzioni(CLI::App& c) { opzioni_vista(c, a_, uscita_); }

int ComandoVista::esegui(Disco& disco, std::ostream& out, std::ostream& err) { return esegui_(a_, disco, out, err); }

void richiedi_profilo(const Vista& v) {
  if (!v.visto.dati.x.empty()) return;
  if (v.visto.compilato) throw ErroreStrumento("la compilazione dei testi non ha prodotto il profilo della linea");
  const RichiestaVista& r = v.richiesta;
  throw ErroreStrumento("manca il profilo " +
                        testo_utf8(percorso_file(r.cartella, FileScenario::linea_dat, r.nome_linea, r.numero_treno)) +
                        " (compilare senza --no-profile)");
}

void richiedi_celle(const Vista& v) {
  if (v.visto.dati.celle.empty()) throw ErroreStrumento("nessuna cella: la compilazione si è fermata prima");
}

}  // namespace scenario::strumenti
