// The commands that show a line: plan, profilo and report. Each reads the
// scenario in one directory (compiling its texts in memory when they are
// there) and writes one file, never one of the scenario's own.

#include <ostream>

#include "base/errori.h"
#include "base/nomi_file.h"
#include "comandi.h"
#include "errore_strumento.h"
#include "esecuzione_comando.h"
#include "grafico_profilo.h"
#include "nomi_scenario.h"
#include "pagina.h"
#include "pianta.h"
#include "scenario_vista.h"

namespace scenario::strumenti {
namespace {

constexpr const char* dichiarazione_xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";

struct Vista {
  RichiestaVista richiesta;
  ScenarioVisto visto;
  Quadro quadro;
};

template <typename Produci>
int esegui_vista(const ArgomentiVista& a, Disco& disco, std::ostream& out, std::ostream& err, const char* cosa,
                 Produci produci) {
  return protetto(err, [&] {
    NomiDaArgomenti n = nomi_da_argomenti(a.linea, a.treno);
    const RichiestaVista r{std::move(n.linea), std::move(n.treno), percorso_utf8(a.ingresso)};
    const Percorso uscita = percorso_utf8(a.uscita);
    rifiuta_uscita_sullo_scenario(uscita, r);
    Vista v{r, carica_scenario(r, disco), {}};
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
    const size_t problemi = v.visto.dati.segnalazioni.size();
    if (problemi > 0) out << "problemi della compilazione dei testi (scenario compile li spiega): " << problemi << "\n";
    return 0;
  });
}

void richiedi_profilo(const Vista& v) {
  if (!v.visto.dati.x.empty()) return;
  if (v.visto.compilato) throw ErroreStrumento("la compilazione dei testi non ha prodotto il profilo della linea");
  const RichiestaVista& r = v.richiesta;
  throw ErroreStrumento("manca il profilo " +
                        testo_utf8(percorso_file(r.cartella, FileScenario::linea_dat, r.nome_linea, r.numero_treno)) +
                        " (compilare senza --no-profile)");
}

void richiedi_celle(const Vista& v) {
  if (v.visto.dati.celle.empty()) throw ErroreStrumento("nessuna cella: la compilazione si e' fermata prima");
}

}  // namespace

int esegui_plan(const ArgomentiVista& a, Disco& disco, std::ostream& out, std::ostream& err) {
  return esegui_vista(a, disco, out, err, "pianta scritta in", [&](const Vista& v, int& omesse) {
    richiedi_profilo(v);
    const Pianta p = disegna_pianta(v.quadro, v.visto.dati.x, v.visto.dati.y);
    if (p.svg.empty()) throw ErroreStrumento("profilo troppo corto per disegnare la linea");
    omesse = p.etichette_omesse;
    return dichiarazione_xml + p.svg;
  });
}

int esegui_profilo(const ArgomentiVista& a, Disco& disco, std::ostream& out, std::ostream& err) {
  return esegui_vista(a, disco, out, err, "profilo scritto in", [&](const Vista& v, int& omesse) {
    richiedi_celle(v);
    const GraficoProfilo g = disegna_profilo(v.quadro);
    omesse = g.etichette_omesse;
    return dichiarazione_xml + g.svg;
  });
}

int esegui_report(const ArgomentiVista& a, Disco& disco, std::ostream& out, std::ostream& err) {
  return esegui_vista(a, disco, out, err, "pagina scritta in", [&](const Vista& v, int& omesse) {
    const Pianta p = disegna_pianta(v.quadro, v.visto.dati.x, v.visto.dati.y);
    const GraficoProfilo g = v.visto.dati.celle.empty() ? GraficoProfilo{} : disegna_profilo(v.quadro);
    omesse = p.etichette_omesse + g.etichette_omesse;
    return pagina_html(v.visto, v.quadro, {p.svg.empty() ? nullptr : &p, g.svg.empty() ? nullptr : &g});
  });
}

}  // namespace scenario::strumenti
