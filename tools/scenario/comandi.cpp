#include "comandi.h"

#include <fstream>
#include <memory>
#include <ostream>

#include "base/cp1252.h"
#include "base/errori.h"
#include "base/nomi_file.h"
#include "compilazione.h"
#include "dump.h"
#include "errore_strumento.h"
#include "ingressi.h"
#include "nomi_scenario.h"
#include "pianta.h"
#include "rapporto.h"

namespace scenario::strumenti {
namespace {

constexpr int uscita_errore = 2;

std::string json_testo(const nlohmann::json& j) {
  return j.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
}

// Runs a command body; a failure of the tool becomes a message and status
// 2, and with a JSON report also an object on out that says why.
template <typename F>
int protetto(std::ostream& err, F&& corpo, std::ostream* json = nullptr) {
  std::string perche;
  try {
    return corpo();
  } catch (const ErroreStrumento& e) {
    perche = e.what();
  } catch (const ErroreEsecuzione& e) {
    perche = e.what();
  }
  err << "scenario: " << perche << "\n";
  if (json) *json << json_testo({{"errore", perche}, {"problemi", nlohmann::json::array()}, {"uscita", uscita_errore}});
  return uscita_errore;
}

}  // namespace

int esegui_compile(const ArgomentiCompile& a, Disco& disco, std::ostream& out, std::ostream& err) {
  return protetto(
      err,
      [&] {
        const TestiAutore t = trova_testi(disco, Percorso(a.ingresso), a.linea, a.treno);
        RichiestaCompilazione r;
        r.nome_linea = t.nome_linea;
        r.numero_treno = t.numero_treno;
        r.ingresso = Percorso(a.ingresso);
        r.uscita = Percorso(a.uscita.empty() ? a.ingresso : a.uscita);
        r.scrivi_file = a.senza_profilo ? 0 : 1;
        r.testi = &t;
        const EsitoCompilazione esito = compila(r, disco);
        out << (a.json ? json_testo(rapporto_json(esito, r)) : rapporto_testo(esito, r));
        return static_cast<int>(esito.uscita);
      },
      a.json ? &out : nullptr);
}

int esegui_dump(const ArgomentiDump& a, Disco& disco, std::ostream& out, std::ostream& err) {
  return protetto(err, [&] {
    const Percorso p(a.file);
    const std::string nome = p.filename().string();
    if (!disco.esiste(p)) throw ErroreStrumento("file mancante: " + p.string());
    // Read from the file as it is decoded: a long profile is never held whole.
    FileDaDecodificare f{nome, [p] {
                           auto in = std::make_unique<std::ifstream>(p, std::ios::binary);
                           if (!*in) throw ErroreStrumento("impossibile leggere " + p.string());
                           return std::unique_ptr<std::istream>(std::move(in));
                         }};
    const auto dal_nome = tipo_da_nome(nome);
    const TipoFile tipo = dal_nome ? *dal_nome : tipo_da_contenuto(leggi_dal_disco(disco, p), nome);
    scrivi_dump(tipo, f, {a.tutti, a.json}, out);
    return 0;
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
    d.profilo = leggi_profilo(leggi_dal_disco(disco, profilo), profilo.filename().string());
    const Percorso sim = file(FileScenario::sim), dat = file(FileScenario::dat);
    d.stazioni = leggi_stazioni(leggi_dal_disco(disco, sim), sim.filename().string());
    d.celle = leggi_celle(leggi_dal_disco(disco, dat), dat.filename().string());
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
