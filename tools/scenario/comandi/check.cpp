// The check command: each folder resolved, compiled, checked, and reported
// in the form asked for.

#include "comandi/check.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <ostream>
#include <utility>

#include "autore/ingressi.h"
#include "autore/scenario_autore.h"
#include "cli/errore_strumento.h"
#include "cli/terminale.h"
#include "comandi/comandi.h"
#include "diagnostiche/forme.h"
#include "diagnostiche/rapporto_verifica.h"
#include "verifica/avvisi.h"

namespace scenario::strumenti {
namespace {

ScenarioVerificato verifica_cartella(const ArgomentiCheck& a, Disco& disco, const Percorso& cartella) {
  ScenarioVerificato s;
  s.cartella = cartella;
  try {
    RichiestaScenario r{cartella, a.linea, a.treno, a.senza_profilo ? 0 : 1, std::nullopt, true};
    if (!a.uscita.empty()) r.uscita = percorso_utf8(a.uscita);
    s = verificato(cartella, apri_scenario(r, disco), r.uscita);
    auto tolto = [&](const std::string& id) { return std::ranges::find(a.senza_avvisi, id) != a.senza_avvisi.end(); };
    // Those left out of a warning not reported go with it, and so does their note.
    std::vector<std::string> note_tolte;
    for (const verifica::Omesse& o : s.omesse)
      if (tolto(o.id)) note_tolte.push_back(verifica::messaggio_omesse(o));
    std::erase_if(s.omesse, [&](const verifica::Omesse& o) { return tolto(o.id); });
    std::erase_if(s.diagnostiche, [&](const verifica::Diagnostica& d) {
      return tolto(d.id) || (d.id == verifica::identificatore(verifica::regola(verifica::Nota::omesse)) &&
                             std::ranges::find(note_tolte, d.messaggio) != note_tolte.end());
    });
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
  const Forma& f = *forma(a.forma);
  out << f.scrivi({scenari, uscita, false, {a.colori}});
  // The forms programs read keep stdout to themselves; the reason goes to stderr too.
  if (f.per_programmi)
    for (const ScenarioVerificato& s : scenari)
      if (!s.errore.empty()) err << "scenario: " << testo_utf8(s.cartella) << ": " << s.errore << "\n";
  return uscita;
}

namespace {

class Check : public Comando {
 public:
  void opzioni(CLI::App& c) override {
    c.add_option("CARTELLA", a_.cartelle, "Cartelle degli scenari (anche con --in)")->type_name("CARTELLA");
    c.add_option("--in", cartelle_in_, "Cartella di uno scenario; ripetibile")->type_name("CARTELLA");
    c.add_option("--route", a_.linea, "Nome della linea (R; predefinito dai nomi dei file)")->type_name("TESTO");
    c.add_option("--train", a_.treno, "Numero del treno (T; predefinito dai nomi dei file)")->type_name("TESTO");
    c.add_option("--out", a_.uscita, "Scrive anche i file binari in questa cartella")->type_name("CARTELLA");
    c.add_flag("--no-profile", a_.senza_profilo, "Compila senza il profilo della linea");
    opzioni_forma(c, a_.forma, json_);
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
    if (json_) a_.forma = "json";
    a_.colori = !forma(a_.forma)->per_programmi && colori_sul_terminale();
    if (sorveglia_) esegui_check_continuo(a_, disco, out, err, {colori_sul_terminale()});
    return esegui_check(a_, disco, out, err);
  }

 private:
  ArgomentiCheck a_;
  std::vector<std::string> cartelle_in_;
  bool json_ = false, sorveglia_ = false;
};

}  // namespace

void opzioni_forma(CLI::App& c, std::string& nome, bool& json) {
  const std::vector<std::string> nomi = nomi_forme();
  std::string elenco;
  for (const std::string& n : nomi) elenco += (elenco.empty() ? "" : ", ") + n;
  c.add_option("--formato", nome, "Forma del rapporto: " + elenco)->type_name("FORMATO")->check(CLI::IsMember(nomi));
  c.add_flag("--json", json, "Come --formato json");
}

std::string rifiuto_json(const std::string& perche, bool forma_check) {
  const nlohmann::ordered_json j =
      forma_check
          ? verifica_json({}, 2, perche)
          : nlohmann::ordered_json{{"errore", perche}, {"problemi", nlohmann::ordered_json::array()}, {"uscita", 2}};
  return j.dump(2);
}

std::unique_ptr<Comando> crea_check() { return std::make_unique<Check>(); }

}  // namespace scenario::strumenti
