#pragma once
// The language server for the description texts: JSON-RPC over a byte
// stream, with diagnostics from the check, hover, completion and an outline.

#include <iosfwd>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <string_view>

#include "base/disco.h"
#include "lsp/analisi.h"
#include "lsp/documenti.h"
#include "lsp/protocollo.h"

namespace scenario::strumenti::lsp {

class Server {
 public:
  Server(Disco& disco, std::ostream& out, std::ostream* registro = nullptr)
      : disco_(disco), out_(out), registro_(registro) {}

  // Handles one message body (any bytes); answers and notifications go to out.
  void ricevi(std::string_view corpo);
  bool finito() const { return finito_; }
  // The exit status after "exit": 0 when "shutdown" came first.
  int uscita() const { return spento_ ? 0 : 1; }

 private:
  // One row of the table of methods (server.cpp): what a method does, and
  // what the server announces of it at initialize.
  struct Metodo;
  static const std::map<std::string_view, Metodo>& metodi();
  // ServerCapabilities: what the rows announce, merged.
  static nlohmann::json capacita();

  void richiesta(const nlohmann::json& id, const std::string& metodo, const nlohmann::json& parametri);
  void notifica(const std::string& metodo, const nlohmann::json& parametri);
  void aperto(const nlohmann::json& p);
  void cambiato(const nlohmann::json& p);
  void chiuso(const nlohmann::json& p);
  // Every open document checked again: a partner text changed on disk.
  void ricontrolla_tutti();
  // Checks the document's pair again and publishes the diagnostics of its files.
  void ricontrolla(const Documento& d);
  void pubblica(const std::string& uri, const nlohmann::json& diagnostiche, const Documento* d);
  void invia(const nlohmann::json& j);
  void errore(const nlohmann::json& id, protocollo::CodiceErrore codice, const std::string& messaggio);
  const Documento& documento(const nlohmann::json& p) const;
  const Analisi& analisi(const Documento& d);

  Disco& disco_;
  std::ostream& out_;
  std::ostream* registro_;
  Documenti documenti_;
  std::map<std::string, std::shared_ptr<const Analisi>> analisi_;  // by URI
  std::map<std::string, std::vector<std::string>> pubblicati_;     // by document: the URIs it published to
  bool inizializzato_ = false, spento_ = false, finito_ = false;
};

// Serves until "exit" or the end of the stream; returns the exit status.
int esegui_lsp(std::istream& in, std::ostream& out, std::ostream& registro, Disco& disco);

}  // namespace scenario::strumenti::lsp
