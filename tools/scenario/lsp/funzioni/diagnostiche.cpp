// The check's diagnostics in the protocol's form.

#include "lsp/funzioni/diagnostiche.h"

#include "diagnostiche/rapporto_verifica.h"
#include "lsp/funzioni/campi.h"
#include "lsp/protocollo.h"

namespace scenario::strumenti::lsp {
namespace {

protocollo::Gravita gravita(verifica::Gravita g) {
  switch (g) {
    case verifica::Gravita::errore: return protocollo::Gravita::errore;
    case verifica::Gravita::avviso: return protocollo::Gravita::avviso;
    case verifica::Gravita::nota: return protocollo::Gravita::informazione;
  }
  return protocollo::Gravita::informazione;
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
      j["relatedInformation"] = nlohmann::json::array({{{"location", {{"uri", uri}, {"range", intervallo}}},
                                                        {"message", "suggerimento: " + std::string(d.suggerimento)}}});
    out.push_back(std::move(j));
  }
  return out;
}

}  // namespace scenario::strumenti::lsp
