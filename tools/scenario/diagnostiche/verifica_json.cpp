// The check's report as JSON (the tool's own shape, versioned) and as
// SARIF 2.1.0 (one run: the rules with their identifiers and help, the
// results with their files and lines).

#include <cstdio>
#include <map>
#include <optional>

#include "base/codici.h"
#include "base/cp1252.h"
#include "cli/versione.h"
#include "diagnostiche/rapporto_verifica.h"
#include "diagnostiche/righe_sorgente.h"
#include "verifica/avvisi.h"
#include "verifica/problemi_compilazione.h"

namespace scenario::strumenti {
namespace {

using nlohmann::ordered_json;
using verifica::Diagnostica;
using verifica::Gravita;

const char* nome_fase(verifica::Fase f) { return f == verifica::Fase::proseguendo ? "proseguendo" : "installatore"; }

template <typename Json>
Json o_null(bool presente, Json valore) {
  return presente ? valore : Json(nullptr);
}

ordered_json scenario_json(const ScenarioVerificato& s) {
  ordered_json j;
  j["cartella"] = testo_utf8(s.cartella);
  if (!s.errore.empty()) {
    j["errore"] = s.errore;
    j["uscita"] = s.uscita;
    return j;
  }
  j["linea"] = a_utf8(s.testi.nome_linea);
  j["treno"] = a_utf8(s.testi.numero_treno);
  j["carico"] = s.testi.carico;
  j["file"] = {{"linea", testo_utf8(s.testi.file_linea)},
               {"treno", testo_utf8(s.testi.file_treno)},
               {"scheda", o_null<ordered_json>(s.testi.file_scheda.has_value(), nome_file(s, verifica::File::scheda))}};
  j["diagnostiche"] = diagnostiche_json<ordered_json>(s);
  const Conteggi c = conta(s);
  j["conteggi"] = {{"errori", c.errori}, {"avvisi", c.avvisi}, {"note", c.note}};
  j["codice_errore"] = s.codice_errore;
  j["posizione_errore"] = s.posizione_errore;
  j["proseguita"] = s.proseguita;
  j["file_scritti"] = s.file_scritti;
  j["uscita"] = s.uscita;
  return j;
}

// A path as a URI reference: forward slashes, and every byte outside the
// unreserved characters escaped.
std::string uri(const Percorso& p) {
  std::string u;
  for (const char8_t c8 : p.generic_u8string()) {
    const auto c = static_cast<unsigned char>(c8);
    const bool libero = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
                        c == '.' || c == '_' || c == '~' || c == '/';
    if (libero) {
      u += static_cast<char>(c);
    } else {
      char e[4];
      std::snprintf(e, sizeof e, "%%%02X", c);
      u += e;
    }
  }
  return p.is_absolute() ? "file://" + u : u;
}

// The rules the results use, each once, in the order first used.
struct Regole {
  ordered_json elenco = ordered_json::array();
  std::map<std::string, size_t> indice;

  std::optional<size_t> di(const Diagnostica& d) {
    if (auto it = indice.find(d.id); it != indice.end()) return it->second;
    const char* significato = nullptr;
    const char* suggerimento = nullptr;
    for (const Codice& c : tabella_codici())
      if (verifica::identificatore(c) == d.id) significato = c.significato, suggerimento = c.suggerimento;
    for (const verifica::Regola& v : verifica::tabella_regole())
      if (verifica::identificatore(v) == d.id) significato = v.significato, suggerimento = v.suggerimento;
    if (!significato) return std::nullopt;
    indice[d.id] = elenco.size();
    elenco.push_back({{"id", d.id},
                      {"shortDescription", {{"text", significato}}},
                      {"fullDescription", {{"text", significato}}},
                      {"help", {{"text", suggerimento}}},
                      {"defaultConfiguration", {{"level", nomi(d.gravita).gcc}}}});
    return elenco.size() - 1;
  }
};

}  // namespace

template <typename Json>
Json diagnostiche_json(const ScenarioVerificato& s) {
  // Each text's lines are found once, whatever the number of diagnostics.
  const IndiceRighe righe[] = {IndiceRighe(""), IndiceRighe(s.testi.linea), IndiceRighe(s.testi.treno),
                               IndiceRighe(s.testi.scheda)};
  Json diagnostiche = Json::array();
  for (const Diagnostica& d : s.diagnostiche) {
    const std::string* testo = testo_di(s, d.file);
    std::string riga;
    if (testo && d.riga > 0) riga = a_utf8(righe[static_cast<int>(d.file)].riga(d.riga));
    diagnostiche.push_back({
        {"gravita", nomi(d.gravita).italiano},
        {"id", d.id},
        {"fase", nome_fase(d.fase)},
        {"messaggio", d.messaggio},
        {"suggerimento", o_null<Json>(!d.suggerimento.empty(), d.suggerimento)},
        {"file", nome_file(s, d.file)},
        {"riga", o_null<Json>(d.riga > 0, d.riga)},
        {"colonna", o_null<Json>(d.riga > 0 && d.colonna > 0, d.colonna)},
        {"posizione", o_null<Json>(d.posizione.has_value(), d.posizione.value_or(0))},
        {"testo_riga", o_null<Json>(testo && d.riga > 0, riga)},
    });
  }
  return diagnostiche;
}
template ordered_json diagnostiche_json<ordered_json>(const ScenarioVerificato& s);
template nlohmann::json diagnostiche_json<nlohmann::json>(const ScenarioVerificato& s);

ordered_json verifica_json(const std::vector<ScenarioVerificato>& scenari, int uscita, const std::string& errore) {
  ordered_json j;
  j["formato"] = "scenario-check";
  j["versione"] = versione_json;
  j["scenari"] = ordered_json::array();
  for (const ScenarioVerificato& s : scenari) j["scenari"].push_back(scenario_json(s));
  j["uscita"] = uscita;
  j["errore"] = o_null<ordered_json>(!errore.empty(), errore);
  return j;
}

ordered_json verifica_sarif(const std::vector<ScenarioVerificato>& scenari) {
  Regole r;
  ordered_json risultati = ordered_json::array();
  for (const ScenarioVerificato& s : scenari) {
    if (!s.errore.empty()) continue;
    for (const Diagnostica& d : s.diagnostiche) {
      ordered_json regione = {{"startLine", d.riga > 0 ? d.riga : 1}};
      if (d.riga > 0 && d.colonna > 0) regione["startColumn"] = d.colonna;
      const std::string messaggio = messaggio_con_posizione(d);
      ordered_json risultato = {{"ruleId", d.id}};
      if (const auto i = r.di(d)) risultato["ruleIndex"] = *i;
      risultato["level"] = nomi(d.gravita).gcc;
      risultato["message"] = {{"text", messaggio}};
      risultato["locations"] =
          ordered_json::array({{{"physicalLocation",
                                 {{"artifactLocation", {{"uri", uri(percorso_utf8(nome_file(s, d.file)))}}},
                                  {"region", std::move(regione)}}}}});
      risultato["properties"] = {{"fase", nome_fase(d.fase)}};
      risultati.push_back(std::move(risultato));
    }
  }
  ordered_json driver = {{"name", "scenario"},
                         {"version", versione_progetto()},
                         {"informationUri", documentazione_strumento()},
                         {"rules", r.elenco}};
  // A scenario the tool could not check is a failed invocation, with the reason.
  ordered_json avvisi_esecuzione = ordered_json::array();
  for (const ScenarioVerificato& s : scenari)
    if (!s.errore.empty())
      avvisi_esecuzione.push_back(
          {{"level", "error"}, {"message", {{"text", testo_utf8(s.cartella) + ": " + s.errore}}}});
  const bool riuscita = avvisi_esecuzione.empty();
  ordered_json invocazione = {{"executionSuccessful", riuscita}};
  if (!riuscita) invocazione["toolExecutionNotifications"] = std::move(avvisi_esecuzione);
  return {{"$schema", "https://json.schemastore.org/sarif-2.1.0.json"},
          {"version", "2.1.0"},
          {"runs", ordered_json::array({{{"tool", {{"driver", std::move(driver)}}},
                                         {"invocations", ordered_json::array({std::move(invocazione)})},
                                         {"columnKind", "utf16CodeUnits"},
                                         {"results", std::move(risultati)}}})}};
}

}  // namespace scenario::strumenti
