// The language server's dispatch: the life cycle (initialize, shutdown,
// exit), the open documents kept in step with the editor, and the answers.

#include "lsp/server.h"

#include <algorithm>
#include <cstdint>
#include <istream>
#include <ostream>

#include "cli/versione.h"
#include "lsp/messaggi.h"
#include "lsp/risposte.h"

namespace scenario::strumenti::lsp {
namespace {

// JSON-RPC's and the protocol's error codes.
constexpr int errore_sintassi = -32700, richiesta_non_valida = -32600, metodo_sconosciuto = -32601,
              parametri_non_validi = -32602, errore_interno = -32603, non_inizializzato = -32002;

// TextDocumentSyncKind.Incremental.
constexpr int sincronia_incrementale = 2;

struct MetodoSconosciuto {};

Posizione posizione(const nlohmann::json& p) { return posizione_da_json(p.at("position")); }

// A document's version as the editor numbers it; 0 where it sends none usable.
int64_t versione(const nlohmann::json& documento, int64_t altrimenti) {
  const auto v = documento.find("version");
  if (v == documento.end() || !v->is_number_integer()) return altrimenti;
  if (v->is_number_unsigned()) return static_cast<int64_t>(std::min<uint64_t>(v->get<uint64_t>(), INT64_MAX));
  return v->get<int64_t>();
}

const std::string& uri_di(const nlohmann::json& p) {
  return p.at("textDocument").at("uri").get_ref<const std::string&>();
}

nlohmann::json capacita() {
  return {{"textDocumentSync",
           {{"openClose", true}, {"change", sincronia_incrementale}, {"save", {{"includeText", false}}}}},
          {"hoverProvider", true},
          {"completionProvider", {{"triggerCharacters", {"["}}, {"resolveProvider", false}}},
          {"documentSymbolProvider", true}};
}

}  // namespace

void Server::invia(const nlohmann::json& j) { scrivi_messaggio(out_, j); }

void Server::errore(const nlohmann::json& id, int codice, const std::string& messaggio) {
  invia({{"jsonrpc", "2.0"}, {"id", id}, {"error", {{"code", codice}, {"message", messaggio}}}});
}

void Server::ricevi(std::string_view corpo) {
  const nlohmann::json j = nlohmann::json::parse(corpo, nullptr, false);
  if (j.is_discarded()) return errore(nullptr, errore_sintassi, "JSON non valido");
  if (!j.is_object()) return errore(nullptr, richiesta_non_valida, "il messaggio non e' un oggetto");
  const auto metodo = j.find("method");
  const auto id = j.find("id");
  const bool id_valido = id != j.end() && (id->is_number_integer() || id->is_string());
  if (metodo == j.end() || !metodo->is_string()) {
    // A response to a request of ours: there are none to wait for.
    if (id_valido && (j.contains("result") || j.contains("error"))) return;
    return errore(id_valido ? *id : nlohmann::json(nullptr), richiesta_non_valida, "manca il metodo");
  }
  const nlohmann::json parametri = j.value("params", nlohmann::json::object());
  if (id != j.end() && !id_valido) return errore(nullptr, richiesta_non_valida, "id non valido");
  if (id_valido)
    richiesta(*id, metodo->get<std::string>(), parametri);
  else
    notifica(metodo->get<std::string>(), parametri);
}

void Server::richiesta(const nlohmann::json& id, const std::string& metodo, const nlohmann::json& parametri) {
  if (!inizializzato_ && metodo != "initialize") return errore(id, non_inizializzato, "server non inizializzato");
  if (spento_) return errore(id, richiesta_non_valida, "server gia' spento: attende exit");
  try {
    invia({{"jsonrpc", "2.0"}, {"id", id}, {"result", risposta(metodo, parametri)}});
  } catch (const MetodoSconosciuto&) {
    errore(id, metodo_sconosciuto, "metodo sconosciuto: " + metodo);
  } catch (const nlohmann::json::exception& e) {
    errore(id, parametri_non_validi, std::string("parametri non validi: ") + e.what());
  } catch (const std::exception& e) {
    errore(id, errore_interno, e.what());
  }
}

nlohmann::json Server::risposta(const std::string& metodo, const nlohmann::json& p) {
  if (metodo == "initialize") {
    inizializzato_ = true;
    return {{"capabilities", capacita()}, {"serverInfo", {{"name", "scenario"}, {"version", versione_progetto()}}}};
  }
  if (metodo == "shutdown") {
    spento_ = true;
    return nullptr;
  }
  if (metodo == "textDocument/hover") {
    const Documento& d = documento(p);
    return hover(analisi(d), d, posizione(p));
  }
  if (metodo == "textDocument/completion") return completamento(documento(p), posizione(p));
  if (metodo == "textDocument/documentSymbol") {
    const Documento& d = documento(p);
    return simboli(analisi(d), d);
  }
  throw MetodoSconosciuto{};
}

void Server::notifica(const std::string& metodo, const nlohmann::json& p) {
  if (metodo == "exit") {
    finito_ = true;
    return;
  }
  if (!inizializzato_ || spento_) return;
  try {
    if (metodo == "textDocument/didOpen") aperto(p);
    if (metodo == "textDocument/didChange") cambiato(p);
    if (metodo == "textDocument/didClose") chiuso(p);
    // A partner text saved or changed on disk: every open pair again.
    if (metodo == "textDocument/didSave" || metodo == "workspace/didChangeWatchedFiles") {
      analisi_.clear();
      for (const auto& [uri, d] : documenti_) ricontrolla(d);
    }
  } catch (const std::exception& e) {
    // A notification has no answer: the editor's log says why it was dropped.
    if (registro_) *registro_ << "scenario lsp: " << metodo << " ignorata: " << e.what() << "\n";
  }
}

const Documento& Server::documento(const nlohmann::json& p) const {
  const auto it = documenti_.find(uri_di(p));
  if (it == documenti_.end()) throw std::runtime_error("documento non aperto: " + uri_di(p));
  return it->second;
}

void Server::aperto(const nlohmann::json& p) {
  const nlohmann::json& t = p.at("textDocument");
  const std::string& uri = t.at("uri").get_ref<const std::string&>();
  const auto percorso = percorso_da_uri(uri);
  if (!percorso) throw std::runtime_error("solo documenti file: " + uri);
  Documento& d = documenti_[uri];
  d = {uri, *percorso, t.at("text").get<std::string>(), versione(t, 0)};
  ricontrolla(d);
}

void Server::cambiato(const nlohmann::json& p) {
  const auto it = documenti_.find(uri_di(p));
  if (it == documenti_.end()) throw std::runtime_error("documento non aperto: " + uri_di(p));
  // The changes are applied to a copy, so that a malformed one leaves the text as it was.
  std::string testo = it->second.testo;
  for (const nlohmann::json& m : p.at("contentChanges")) applica_modifica(testo, m);
  it->second.testo = std::move(testo);
  it->second.versione = versione(p.at("textDocument"), it->second.versione);
  ricontrolla(it->second);
}

void Server::chiuso(const nlohmann::json& p) {
  const std::string uri = uri_di(p);
  const auto it = documenti_.find(uri);
  if (it == documenti_.end()) return;
  const std::vector<std::string> pubblicati = pubblicati_[uri];
  documenti_.erase(it);
  analisi_.clear();
  pubblicati_.erase(uri);
  // What the closed document published stays only where an open one
  // publishes it again.
  for (const std::string& u : pubblicati) pubblica(u, nlohmann::json::array(), nullptr);
  for (const auto& [u, d] : documenti_) ricontrolla(d);
}

const Analisi& Server::analisi(const Documento& d) {
  auto it = analisi_.find(d.uri);
  if (it == analisi_.end())
    it = analisi_.emplace(d.uri, std::make_shared<const Analisi>(analizza(documenti_, d, disco_))).first;
  return *it->second;
}

void Server::pubblica(const std::string& uri, const nlohmann::json& diagnostiche, const Documento* d) {
  nlohmann::json p = {{"uri", uri}, {"diagnostics", diagnostiche}};
  if (d) p["version"] = d->versione;
  invia({{"jsonrpc", "2.0"}, {"method", "textDocument/publishDiagnostics"}, {"params", p}});
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
