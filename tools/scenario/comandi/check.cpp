// The check command: each folder resolved, compiled, checked, and reported
// in the form asked for.

#include "comandi/check.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <ostream>
#include <utility>

#include "autore/compilazione.h"
#include "autore/ingressi.h"
#include "cli/errore_strumento.h"
#include "cli/terminale.h"
#include "comandi/comandi.h"
#include "diagnostiche/rapporto_verifica.h"
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

namespace {

constexpr std::pair<const char*, FormatoRapporto> forme[] = {{"testo", FormatoRapporto::testo},
                                                             {"gcc", FormatoRapporto::gcc},
                                                             {"json", FormatoRapporto::json},
                                                             {"sarif", FormatoRapporto::sarif}};

class Check : public Comando {
 public:
  void opzioni(CLI::App& c) override {
    c.add_option("CARTELLA", a_.cartelle, "Cartelle degli scenari (anche con --in)")->type_name("CARTELLA");
    c.add_option("--in", cartelle_in_, "Cartella di uno scenario; ripetibile")->type_name("CARTELLA");
    c.add_option("--route", a_.linea, "Nome della linea (R; predefinito dai nomi dei file)")->type_name("TESTO");
    c.add_option("--train", a_.treno, "Numero del treno (T; predefinito dai nomi dei file)")->type_name("TESTO");
    c.add_option("--out", a_.uscita, "Scrive anche i file binari in questa cartella")->type_name("CARTELLA");
    c.add_flag("--no-profile", a_.senza_profilo, "Compila senza il profilo della linea");
    c.add_option("--formato", forma_, "Forma del rapporto: testo, gcc, json, sarif")
        ->type_name("FORMATO")
        ->check(CLI::IsMember({"testo", "gcc", "json", "sarif"}));
    c.add_flag("--json", json_, "Come --formato json");
    c.add_flag("--watch", sorveglia_,
               "Ricontrolla a ogni modifica dei testi o della scheda treno, senza uscire (Ctrl-C per finire)");
    c.add_flag("--Werror", a_.avvisi_come_errori, "Gli avvisi contano come errori");
    c.add_option("--no-warn", a_.senza_avvisi, "Non riportare questo avviso (ad esempio W03); ripetibile")
        ->type_name("AVVISO")
        ->delimiter(',')
        ->check([](const std::string& id) { return avviso_noto(id) ? std::string() : "avviso sconosciuto " + id; });
  }

  int esegui(Disco& disco, std::ostream& out, std::ostream& err) override {
    a_.cartelle.insert(a_.cartelle.begin(), cartelle_in_.begin(), cartelle_in_.end());
    for (const auto& [nome, f] : forme)
      if (forma_ == nome) a_.formato = f;
    if (json_) a_.formato = FormatoRapporto::json;
    a_.colori = a_.formato == FormatoRapporto::testo && colori_sul_terminale();
    if (sorveglia_) esegui_check_continuo(a_, disco, out, err, {colori_sul_terminale()});
    return esegui_check(a_, disco, out, err);
  }

 private:
  ArgomentiCheck a_;
  std::vector<std::string> cartelle_in_;
  std::string forma_ = "testo";
  bool json_ = false, sorveglia_ = false;
};

}  // namespace

std::string rifiuto_json(const std::string& perche, bool forma_check) {
  const nlohmann::ordered_json j =
      forma_check
          ? verifica_json({}, 2, perche)
          : nlohmann::ordered_json{{"errore", perche}, {"problemi", nlohmann::ordered_json::array()}, {"uscita", 2}};
  return j.dump(2);
}

std::unique_ptr<Comando> crea_check() { return std::make_unique<Check>(); }

}  // namespace scenario::strumenti
