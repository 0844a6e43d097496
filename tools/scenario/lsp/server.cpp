// The language server's dispatch: every method it serves is one row of the
// table of methods, by name; the rest is the life cycle (initialize,
// shutdown, exit) and the open documents kept in step with the editor.

#include "lsp/server.h"

#include <algorithm>
#include <cstdint>
#include <istream>
#include <ostream>

#include "cli/versione.h"
#include "lsp/funzioni/completamento.h"
#include "lsp/funzioni/diagnostiche.h"
#include "lsp/funzioni/hover.h"
#include "lsp/funzioni/simboli.h"
#include "lsp/messaggi.h"

namespace scenario::strumenti::lsp {
namespace {

using nlohmann::json;
using protocollo::CodiceErrore;

Posizione posizione(const json& p) { return posizione_da_json(p.at("position")); }

// A document's version as the editor numbers it; 0 where it sends none usable.
int64_t versione(const json& documento, int64_t altrimenti) {
  const auto v = documento.find("version");
  if (v == documento.end() || !v->is_number_integer()) return altrimenti;
  if (v->is_number_unsigned()) return static_cast<int64_t>(std::min<uint64_t>(v->get<uint64_t>(), INT64_MAX));
  return v->get<int64_t>();
}

const std::string& uri_di(const json& p) { return p.at("textDocument").at("uri").get_ref<const std::string&>(); }

}  // namespace

struct Server::Metodo {
  // A request's result; none for a notification.
  json (*richiesta)(Server& s, const json& parametri) = nullptr;
  // A notification's work; none for a request.
  void (*notifica)(Server& s, const json& parametri) = nullptr;
  // Served before initialize; a notification also after shutdown.
  bool fuori_sessione = false;
  // Its part of ServerCapabilities.
  json capacita = nullptr;
};

// Every method the server serves, by the protocol's name: a new feature is
// its file in funzioni/ and one row here.
const std::map<std::string_view, Server::Metodo>& Server::metodi() {
  static const std::map<std::string_view, Metodo> tabella = {
      {"initialize",
       {.richiesta = [](Server& s, const json&) -> json {
          s.inizializzato_ = true;
          return {{"capabilities", capacita()},
                  {"serverInfo", {{"name", "scenario"}, {"version", versione_progetto()}}}};
        },
        .fuori_sessione = true}},
      {"shutdown", {.richiesta = [](Server& s, const json&) -> json {
         s.spento_ = true;
         return nullptr;
       }}},
      {"exit", {.notifica = [](Server& s, const json&) { s.finito_ = true; }, .fuori_sessione = true}},
      {"textDocument/didOpen",
       {.notifica = [](Server& s, const json& p) { s.aperto(p); },
        .capacita = {{"textDocumentSync", {{"openClose", true}}}}}},
      {"textDocument/didChange",
       {.notifica = [](Server& s, const json& p) { s.cambiato(p); },
        .capacita = {{"textDocumentSync", {{"change", protocollo::Sincronia::incrementale}}}}}},
      {"textDocument/didClose",
       {.notifica = [](Server& s, const json& p) { s.chiuso(p); },
        .capacita = {{"textDocumentSync", {{"openClose", true}}}}}},
      {"textDocument/didSave",
       {.notifica = [](Server& s, const json&) { s.ricontrolla_tutti(); },
        .capacita = {{"textDocumentSync", {{"save", {{"includeText", false}}}}}}}},
      {"workspace/didChangeWatchedFiles", {.notifica = [](Server& s, const json&) { s.ricontrolla_tutti(); }}},
      {"textDocument/hover",
       {.richiesta = [](Server& s, const json& p) -> json {
          const Documento& d = s.documento(p);
          return hover(s.analisi(d), d, posizione(p));
        },
        .capacita = {{"hoverProvider", true}}}},
      {"textDocument/completion",
       {.richiesta = [](Server& s, const json& p) -> json { return completamento(s.documento(p), posizione(p)); },
        .capacita = {{"completionProvider", {{"triggerCharacters", {"["}}, {"resolveProvider", false}}}}}},
      {"textDocument/documentSymbol",
       {.richiesta = [](Server& s, const json& p) -> json {
          const Documento& d = s.documento(p);
          return simboli(s.analisi(d), d);
        },
        .capacita = {{"documentSymbolProvider", true}}}},
  };
  return tabella;
}

json Server::capacita() {
  json c = json::object();
  for (const auto& [nome, m] : metodi())
    if (!m.capacita.is_null()) c.merge_patch(m.capacita);
  return c;
}

void Server::invia(const json& j) { scrivi_messaggio(out_, j); }

void Server::errore(const json& id, CodiceErrore codice, const std::string& messaggio) {
  invia({{"jsonrpc", protocollo::versione_jsonrpc}, {"id", id}, {"error", {{"code", codice}, {"message", messaggio}}}});
}

void Server::ricevi(std::string_view corpo) {
  const json j = json::parse(corpo, nullptr, false);
  if (j.is_discarded()) return errore(nullptr, CodiceErrore::errore_sintassi, "JSON non valido");
  if (!j.is_object()) return errore(nullptr, CodiceErrore::richiesta_non_valida, "il messaggio non è un oggetto");
  const auto metodo = j.find("method");
  const auto id = j.find("id");
  const bool id_valido = id != j.end() && (id->is_number_integer() || id->is_string());
  if (metodo == j.end() || !metodo->is_string()) {
    // A response to a request of ours: there are none to wait for.
    if (id_valido && (j.contains("result") || j.contains("error"))) return;
    return errore(id_valido ? *id : json(nullptr), CodiceErrore::richiesta_non_valida, "manca il metodo");
  }
  const json parametri = j.value("params", json::object());
  if (id != j.end() && !id_valido) return errore(nullptr, CodiceErrore::richiesta_non_valida, "id non valido");
  if (id_valido)
    richiesta(*id, metodo->get<std::string>(), parametri);
  else
    notifica(metodo->get<std::string>(), parametri);
}

void Server::richiesta(const json& id, const std::string& metodo, const json& parametri) {
  const auto it = metodi().find(metodo);
  const Metodo* m = it != metodi().end() && it->second.richiesta ? &it->second : nullptr;
  if (!inizializzato_ && !(m && m->fuori_sessione))
    return errore(id, CodiceErrore::non_inizializzato, "server non inizializzato");
  if (spento_) return errore(id, CodiceErrore::richiesta_non_valida, "server già spento: attende exit");
  if (!m) return errore(id, CodiceErrore::metodo_sconosciuto, "metodo sconosciuto: " + metodo);
  try {
    invia({{"jsonrpc", protocollo::versione_jsonrpc}, {"id", id}, {"result", m->richiesta(*this, parametri)}});
  } catch (const json::exception& e) {
    errore(id, CodiceErrore::parametri_non_validi, std::string("parametri non validi: ") + e.what());
  } catch (const std::exception& e) {
    errore(id, CodiceErrore::errore_interno, e.what());
  }
}

void Server::notifica(const std::string& metodo, const json& parametri) {
  const auto it = metodi().find(metodo);
  if (it == metodi().end() || !it->second.notifica) return;
  const Metodo& m = it->second;
  if (!m.fuori_sessione && (!inizializzato_ || spento_)) return;
  try {
    m.notifica(*this, parametri);
  } catch (const std::exception& e) {
    // A notification has no answer: the editor's log says why it was dropped.
    if (registro_) *registro_ << "scenario lsp: " << metodo << " ignorata: " << e.what() << "\n";
  }
}

const Documento& Server::documento(const json& p) const {
  const auto it = documenti_.find(uri_di(p));
  if (it == documenti_.end()) throw std::runtime_error("documento non aperto: " + uri_di(p));
  return it->second;
}

void Server::aperto(const json& p) {
  const json& t = p.at("textDocument");
  const std::string& uri = t.at("uri").get_ref<const std::string&>();
  const auto percorso = percorso_da_uri(uri);
  if (!percorso) throw std::runtime_error("solo documenti file: " + uri);
  Documento& d = documenti_[uri];
  d = {uri, *percorso, t.at("text").get<std::string>(), versione(t, 0)};
  ricontrolla(d);
}

void Server::cambiato(const json& p) {
  const auto it = documenti_.find(uri_di(p));
  if (it == documenti_.end()) throw std::runtime_error("documento non aperto: " + uri_di(p));
  // The changes are applied to a copy, so that a malformed one leaves the text as it was.
  std::string testo = it->second.testo;
  for (const json& m : p.at("contentChanges")) applica_modifica(testo, m);
  it->second.testo = std::move(testo);
  it->second.versione = versione(p.at("textDocument"), it->second.versione);
  ricontrolla(it->second);
}

void Server::chiuso(const json& p) {
  const std::string uri = uri_di(p);
  const auto it = documenti_.find(uri);
  if (it == documenti_.end()) return;
  const std::vector<std::string> pubblicati = pubblicati_[uri];
  documenti_.erase(it);
  analisi_.clear();
  pubblicati_.erase(uri);
  // What the closed document published stays only where an open one
  // publishes it again.
  for (const std::string& u : pubblicati) pubblica(u, json::array(), nullptr);
  for (const auto& [u, d] : documenti_) ricontrolla(d);
}

void Server::ricontrolla_tutti() {
  analisi_.clear();
  for (const auto& [uri, d] : documenti_) ricontrolla(d);
}

const Analisi& Server::analisi(const Documento& d) {
  auto it = analisi_.find(d.uri);
  if (it == analisi_.end())
    it = analisi_.emplace(d.uri, std::make_shared<const Analisi>(analizza(documenti_, d, disco_))).first;
  return *it->second;
}

void Server::pubblica(const std::string& uri, const json& diagnostiche, const Documento* d) {
  json p = {{"uri", uri}, {"diagnostics", diagnostiche}};
  if (d) p["version"] = d->versione;
  invia({{"jsonrpc", protocollo::versione_jsonrpc}, {"method", "textDocument/publishDiagnostics"}, {"params", p}});
}

void Server::ricontrolla(const Documento& d) {
  if (tipo_di_testo(d.percorso) == Sorgente::nessuna) return;
  auto a = std::make_shared<const Analisi>(analizza(documenti_, d, disco_));
  std::vector<std::string>& pubblicati = pubblicati_[d.uri];
  pubblicati.clear();
  for (const FileAnalizzato& f : a->file) {
    // An open document goes by the editor's URI; a file on disk by its own.
    const Documento* aperto = nullptr;
    for (const auto& [u, altro] : documenti_)
      if (altro.percorso.lexically_normal() == f.percorso.lexically_normal()) aperto = &altro;
    const std::string uri = aperto ? aperto->uri : uri_da_percorso(f.percorso);
    pubblica(uri, diagnostiche(f, uri), aperto);
    pubblicati.push_back(uri);
    // The pair's other open text shares this analysis.
    if (aperto) analisi_[aperto->uri] = a;
  }
}

int esegui_lsp(std::istream& in, std::ostream& out, std::ostream& registro, Disco& disco) {
  Server s(disco, out, &registro);
  while (!s.finito()) {
    const MessaggioLetto m = leggi_messaggio(in);
    if (m.stato == StatoLettura::fine) return 1;  // the editor went away without exit
    if (m.stato == StatoLettura::scartato) {
      registro << "scenario lsp: messaggio scartato: " << m.errore << "\n";
      continue;
    }
    s.ricevi(m.corpo);
  }
  return s.uscita();
}

}  // namespace scenario::strumenti::lsp
