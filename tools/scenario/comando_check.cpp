// The check command: each folder resolved, compiled, checked, and reported
// in the form asked for.

#include "comando_check.h"

#include <algorithm>
#include <ostream>

#include "compilazione.h"
#include "errore_strumento.h"
#include "ingressi.h"
#include "rapporto_verifica.h"
#include "verifica/avvisi.h"
#include "verifica/controllo.h"

namespace scenario::strumenti {
namespace {

std::string json_testo(const nlohmann::ordered_json& j) {
  return j.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
}

ScenarioVerificato verifica_cartella(const ArgomentiCheck& a, Disco& disco, const Percorso& cartella) {
  ScenarioVerificato s;
  s.cartella = cartella;
  try {
    s.testi = trova_testi(disco, cartella, a.linea, a.treno);
    verifica::Raccolta raccolta;
    RichiestaCompilazione r;
    r.nome_linea = s.testi.nome_linea;
    r.numero_treno = s.testi.numero_treno;
    r.ingresso = cartella;
    r.uscita = a.uscita.empty() ? cartella : percorso_utf8(a.uscita);
    r.scrivi_file = a.senza_profilo ? 0 : 1;
    r.testi = &s.testi;
    r.scrivi_binari = !a.uscita.empty();
    r.osservatore = &raccolta;
    const EsitoCompilazione e = compila(r, disco);

    verifica::Testi t{s.testi.nome_linea, s.testi.numero_treno, s.testi.linea,
                      s.testi.treno,      std::nullopt,         r.scrivi_file};
    if (s.testi.file_scheda) t.scheda = s.testi.scheda;
    verifica::Controllo c = verifica::controlla(*e.stato, raccolta, t);
    for (verifica::Diagnostica& d : c.diagnostiche)
      if (std::ranges::find(a.senza_avvisi, d.id) == a.senza_avvisi.end()) s.diagnostiche.push_back(std::move(d));
    s.proseguita = c.proseguita;
    s.codice_errore = e.stato->codice_errore;
    s.posizione_errore = e.stato->posizione_errore;
    if (r.scrivi_binari) s.uscita_binari = r.uscita;
    s.file_scritti = e.file_scritti;
    const Conteggi n = conta(s);
    s.uscita = n.errori > 0 || (a.avvisi_come_errori && n.avvisi > 0) ? 1 : 0;
  } catch (const ErroreStrumento& e) {
    s.errore = e.what();
    s.uscita = 2;
  } catch (const ErroreEsecuzione& e) {
    s.errore = e.what();
    s.uscita = 2;
  }
  return s;
}

}  // namespace

bool avviso_noto(const std::string& id) {
  return std::ranges::any_of(verifica::tabella_regole(),
                             [&](const verifica::Regola& r) { return verifica::identificatore(r) == id; });
}

int esegui_check(const ArgomentiCheck& a, Disco& disco, std::ostream& out, std::ostream& err) {
  std::vector<ScenarioVerificato> scenari;
  const std::vector<std::string> cartelle = a.cartelle.empty() ? std::vector<std::string>{"."} : a.cartelle;
  int uscita = 0;
  for (const std::string& c : cartelle) {
    scenari.push_back(verifica_cartella(a, disco, percorso_utf8(c)));
    uscita = std::max(uscita, scenari.back().uscita);
  }
  switch (a.formato) {
    case FormatoRapporto::testo: out << verifica_testo(scenari, {a.colori}); break;
    case FormatoRapporto::gcc: out << verifica_gcc(scenari); break;
    case FormatoRapporto::json: out << json_testo(verifica_json(scenari, uscita, {})); break;
    case FormatoRapporto::sarif: out << json_testo(verifica_sarif(scenari)); break;
  }
  // The machine-read forms keep stdout to themselves; the reason goes to stderr too.
  if (a.formato != FormatoRapporto::testo)
    for (const ScenarioVerificato& s : scenari)
      if (!s.errore.empty()) err << "scenario: " << testo_utf8(s.cartella) << ": " << s.errore << "\n";
  return uscita;
}

}  // namespace scenario::strumenti
