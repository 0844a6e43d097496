#include "comandi.h"

#include <ostream>

#include "base/cp1252.h"
#include "base/errori.h"
#include "base/nomi_file.h"
#include "coerenza.h"
#include "compilazione.h"
#include "dump.h"
#include "errore_strumento.h"
#include "nomi_scenario.h"
#include "pianta.h"
#include "rapporto.h"

namespace scenario::strumenti {
namespace {

constexpr int uscita_errore = 2;
// A file decoded, with inconsistencies to tell.
constexpr int uscita_avvisi = 1;

std::string json_testo(const nlohmann::json& j) {
  return j.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
}

std::string leggi(Disco& disco, const Percorso& p) {
  if (!disco.esiste(p)) throw ErroreStrumento("file mancante: " + p.string());
  try {
    return disco.leggi(p);
  } catch (const ErroreEsecuzione& e) {
    throw ErroreStrumento("impossibile leggere " + p.string() + ": " + e.descrizione());
  }
}

// Runs a command body; a failure of the tool becomes a message and status 2.
template <typename F>
int protetto(std::ostream& err, F&& corpo) {
  try {
    return corpo();
  } catch (const ErroreStrumento& e) {
    err << "scenario: " << e.what() << "\n";
  } catch (const ErroreEsecuzione& e) {
    err << "scenario: " << e.what() << "\n";
  }
  return uscita_errore;
}

}  // namespace

int esegui_compile(const ArgomentiCompile& a, Disco& disco, std::ostream& out, std::ostream& err) {
  return protetto(err, [&] {
    RichiestaCompilazione r;
    r.nome_linea = nome_da_argomento(a.linea, "--route");
    r.numero_treno = nome_da_argomento(a.treno, "--train");
    r.ingresso = Percorso(a.ingresso);
    r.uscita = Percorso(a.uscita.empty() ? a.ingresso : a.uscita);
    r.scrivi_file = a.senza_profilo ? 0 : 1;
    const EsitoCompilazione esito = compila(r, disco);
    out << (a.json ? json_testo(rapporto_json(esito, r)) : rapporto_testo(esito, r));
    return static_cast<int>(esito.uscita);
  });
}

int esegui_dump(const ArgomentiDump& a, Disco& disco, std::ostream& out, std::ostream& err) {
  return protetto(err, [&] {
    const Percorso p(a.file);
    const std::string byte = leggi(disco, p);
    const std::string nome = p.filename().string();
    const TipoFile tipo = riconosci(byte, nome);
    const OpzioniDump o{a.tutti};
    // Decoded whole before anything is printed, so a bad file prints only the error.
    std::string testo;
    const auto avvisi = incoerenze_file(tipo, byte, nome);
    if (a.json) {
      nlohmann::json j = dump_json(tipo, byte, nome, o);
      j["avvisi"] = avvisi;
      testo = json_testo(j);
    } else {
      testo = dump_testo(tipo, byte, nome, o);
    }
    out << testo;
    if (avvisi.empty()) return 0;
    if (!a.json) err << "scenario: attenzione, " << testo_incoerenze(avvisi) << "\n";
    return uscita_avvisi;
  });
}

int esegui_plan(const ArgomentiPlan& a, Disco& disco, std::ostream& out, std::ostream& err) {
  return protetto(err, [&] {
    const std::string linea = nome_da_argomento(a.linea, "--route");
    const std::string treno = nome_da_argomento(a.treno, "--train");
    const Percorso cartella(a.ingresso);
    auto file = [&](FileScenario f) { return percorso_file(cartella, f, linea, treno); };
    DatiPianta d;
    const Percorso profilo = file(FileScenario::linea_dat);
    if (!disco.esiste(profilo))
      throw ErroreStrumento("manca il profilo " + profilo.string() + " (compilare senza --no-profile)");
    d.profilo = leggi_profilo(leggi(disco, profilo), profilo.filename().string());
    const Percorso sim = file(FileScenario::sim), dat = file(FileScenario::dat);
    d.stazioni = leggi_stazioni(leggi(disco, sim), sim.filename().string());
    d.celle = leggi_celle(leggi(disco, dat), dat.filename().string());
    const auto diversi = incoerenze({&d.profilo, &d.stazioni, &d.celle, profilo.filename().string(),
                                     sim.filename().string(), dat.filename().string()});
    if (!diversi.empty()) throw ErroreStrumento(testo_incoerenze(diversi) + "\nnessuna pianta scritta");
    d.titolo = a_utf8(linea) + " - treno " + a_utf8(treno);
    const std::string svg = pianta_svg(d);
    if (svg.empty()) throw ErroreStrumento(profilo.string() + ": profilo troppo corto per disegnare la linea");
    try {
      scrivi_file_nuovo(disco, Percorso(a.svg), svg);
    } catch (const ErroreEsecuzione& e) {
      throw ErroreStrumento("impossibile scrivere " + a.svg + ": " + e.descrizione());
    }
    out << "pianta scritta in " << a.svg << "\n";
    return 0;
  });
}

}  // namespace scenario::strumenti
