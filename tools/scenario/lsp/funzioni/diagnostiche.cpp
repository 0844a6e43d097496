// The check's diagnostics in the protocol's form.

#include "diagnostiche/rapporto_verifica.h"
#include "lsp/risposte.h"

namespace scenario::strumenti::lsp {
namespace {

// DiagnosticSeverity: Error, Warning, Information.
int gravita(verifica::Gravita g) {
  switch (g) {
    case verifica::Gravita::errore: return 1;
    case verifica::Gravita::avviso: return 2;
    case verifica::Gravita::nota: return 3;
  }
  return 3;
}

}  // namespace

nlohmann::json diagnostiche(const FileAnalizzato& f, const std::string& uri) {
  nlohmann::json out = nlohmann::json::array();
  for (const verifica::Diagnostica& d : f.diagnostiche) {
    const nlohmann::json intervallo = intervallo_campo(f.testo, d.riga, d.colonna);
    nlohmann::json j = {{"range", intervallo},
                        {"severity", gravita(d.gravita)},
                        {"source", "scenario"},
                        {"message", testo_messaggio(d)}};
    if (!d.id.empty()) j["code"] = d.id;
    if (!d.suggerimento.empty())
      j["relatedInformation"] = nlohmann::json::array(
          {{{"location", {{"uri", uri}, {"range", intervallo}}}, {"message", "suggerimento: " + d.suggerimento}}});
    out.push_back(std::move(j));
  }
  return out;
}

}  // namespace scenario::strumenti::lsp
