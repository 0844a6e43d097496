// The language server's pieces: the framing of its messages on any bytes,
// positions and edits in UTF-16 units, file URIs, and the server itself on
// messages an editor should never send.

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "lsp/documenti.h"
#include "lsp/messaggi.h"
#include "lsp/server.h"
#include "support/cartella_temporanea.h"
#include "support/disco_memoria.h"

namespace scenario::strumenti::lsp {
namespace {

std::string corpo(const std::string& json) {
  return "Content-Length: " + std::to_string(json.size()) + "\r\n\r\n" + json;
}

// What the reader makes of a stream: "M:body" per message, "S" per one read
// past, up to the end.
std::string letture(const std::string& flusso) {
  std::istringstream in(flusso);
  std::string out;
  for (int n = 0; n < 20; ++n) {
    const MessaggioLetto m = leggi_messaggio(in);
    if (m.stato == StatoLettura::fine) return out + "F";
    out += m.stato == StatoLettura::messaggio ? "M:" + m.corpo + " " : std::string("S ");
  }
  return out + "...";
}

TEST(MessaggiLsp, IntestazioniECorpiDiOgniForma) {
  const struct {
    std::string flusso, atteso;
  } casi[] = {
      {corpo("{}") + corpo("[1]"), "M:{} M:[1] F"},
      {"content-length:  2 \r\nContent-Type: x\r\n\r\n{}", "M:{} F"},
      {"Content-Length: 2\n\n{}", "M:{} F"},  // bare LF line ends
      {"Content-Type: x\r\n\r\n" + corpo("{}"), "S M:{} F"},
      {"Content-Length: 2x\r\n\r\n" + corpo("{}"), "S M:{} F"},
      {"Content-Length: -2\r\n\r\n" + corpo("{}"), "S M:{} F"},
      {"Content-Length: 99999999999999999999999\r\n\r\n" + corpo("{}"), "S M:{} F"},
      {"senza due punti\r\n\r\n" + corpo("{}"), "S M:{} F"},
      {"Content-Length: " + std::to_string(corpo_massimo + 1) + "\r\n\r\nabc", "F"},
      {"Content-Length: 10\r\n\r\n{}", "F"},  // cut short
      {std::string(intestazione_massima + 10, 'x') + "\r\n\r\n" + corpo("{}"), "S M:{} F"},
      {"Content-Length: 0\r\n\r\n", "M: F"},
      {"", "F"},
      {"\r\n\r\n" + corpo("{}"), "M:{} F"},
  };
  for (const auto& c : casi) EXPECT_EQ(letture(c.flusso), c.atteso) << c.flusso.substr(0, 60);
}

TEST(DocumentiLsp, PosizioniInUnitaUtf16EModifiche) {
  // "é" is one unit, "😀" two; every line end counts once.
  const std::string t = "a\xC3\xA9\xF0\x9F\x98\x80z\r\nseconda\rterza\nquarta";
  EXPECT_EQ(scostamento(t, {0, 2}), 3u);
  EXPECT_EQ(scostamento(t, {0, 4}), 7u);
  EXPECT_EQ(scostamento(t, {0, 99}), 8u);  // past the end of its line
  EXPECT_EQ(scostamento(t, {1, 0}), 10u);
  EXPECT_EQ(scostamento(t, {2, 1}), 19u);
  EXPECT_EQ(scostamento(t, {9, 0}), t.size());
  EXPECT_EQ(posizione_di(t, 7).carattere, 4);
  EXPECT_EQ(posizione_di(t, 19).riga, 2);

  std::string doc = "pendeza, 5000, 2\nstazione";
  applica_modifica(doc,
                   {{"range", {{"start", {{"line", 0}, {"character", 0}}}, {"end", {{"line", 0}, {"character", 7}}}}},
                    {"text", "pendenza"}});
  EXPECT_EQ(doc, "pendenza, 5000, 2\nstazione");
  applica_modifica(doc,
                   {{"range", {{"start", {{"line", 1}, {"character", 8}}}, {"end", {{"line", 1}, {"character", 8}}}}},
                    {"text", ", 0"}});
  EXPECT_EQ(doc, "pendenza, 5000, 2\nstazione, 0");
  applica_modifica(doc, {{"text", "nuovo"}});
  EXPECT_EQ(doc, "nuovo");
  EXPECT_THROW(applica_modifica(doc, {{"range", 3}, {"text", "x"}}), nlohmann::json::exception);
  EXPECT_EQ(doc, "nuovo");
}

TEST(DocumentiLsp, UriDeiFile) {
  const Percorso p(u8"/tmp/una cartella/Città_linea.txt");
  const std::string uri = uri_da_percorso(p);
  EXPECT_EQ(uri, "file:///tmp/una%20cartella/Citt%C3%A0_linea.txt");
  EXPECT_EQ(percorso_da_uri(uri), p);
  EXPECT_EQ(percorso_da_uri("file://localhost/a/b.txt"), Percorso("/a/b.txt"));
  EXPECT_FALSE(percorso_da_uri("untitled:Untitled-1"));
  EXPECT_FALSE(percorso_da_uri("file://altro/a.txt"));
  EXPECT_EQ(percorso_da_uri("file:///a/%zz%4"), Percorso("/a/%zz%4"));
}

// A server over texts in memory; every message it sends, parsed.
struct ServerInMemoria {
  test::DiscoMemoria disco;
  std::ostringstream out;
  Server server{disco, out};

  void invia(const nlohmann::json& j) { server.ricevi(j.dump()); }
  std::vector<nlohmann::json> ricevuti() {
    std::istringstream in(out.str());
    out.str("");
    std::vector<nlohmann::json> v;
    for (MessaggioLetto m = leggi_messaggio(in); m.stato == StatoLettura::messaggio; m = leggi_messaggio(in))
      v.push_back(nlohmann::json::parse(m.corpo));
    return v;
  }
};

TEST(ServerLsp, MessaggiStortiHannoUnaRispostaENonLoFermano) {
  ServerInMemoria s;
  s.invia({{"jsonrpc", "2.0"}, {"id", 1}, {"method", "initialize"}, {"params", nlohmann::json::object()}});
  ASSERT_EQ(s.ricevuti().size(), 1u);
  const struct {
    std::string corpo;
    int codice;  // the error answered; 0: no answer
  } casi[] = {
      {"[1,2]", -32600},
      {"\"x\"", -32600},
      {"{\"id\": 2}", -32600},
      {"{\"id\": {}, \"method\": \"shutdown\"}", -32600},
      {"{\"id\": 3, \"method\": \"textDocument/hover\", \"params\": 5}", -32602},
      {"{\"id\": 4, \"method\": \"textDocument/hover\", \"params\": {\"textDocument\": {\"uri\": 7}}}", -32602},
      {"{\"id\": 5, \"method\": \"textDocument/hover\", \"params\": {\"textDocument\": {\"uri\": \"file:///x\"},"
       " \"position\": {\"line\": 0, \"character\": 0}}}",
       -32603},
      {"{\"id\": 6, \"method\": \"nessuno\"}", -32601},
      {"{\"method\": \"textDocument/didChange\", \"params\": {\"textDocument\": {\"uri\": \"file:///x\"}}}", 0},
      {"{\"method\": \"textDocument/didOpen\", \"params\": {\"textDocument\": {\"uri\": \"http://x\", \"text\": "
       "\"\"}}}",
       0},
      {"{\"id\": 7, \"result\": null}", 0},
      {"{\"method\": \"$/cancelRequest\", \"params\": {\"id\": 1}}", 0},
      {"\xFF\xFE", -32700},
  };
  for (const auto& c : casi) {
    s.server.ricevi(c.corpo);
    const auto r = s.ricevuti();
    if (c.codice == 0) {
      EXPECT_TRUE(r.empty()) << c.corpo;
    } else {
      ASSERT_EQ(r.size(), 1u) << c.corpo;
      EXPECT_EQ(r[0]["error"]["code"], c.codice) << c.corpo;
    }
  }
  s.invia({{"jsonrpc", "2.0"}, {"id", 8}, {"method", "shutdown"}});
  s.invia({{"jsonrpc", "2.0"}, {"id", 9}, {"method", "textDocument/completion"}});
  const auto r = s.ricevuti();
  ASSERT_EQ(r.size(), 2u);
  EXPECT_TRUE(r[0]["result"].is_null());
  EXPECT_EQ(r[1]["error"]["code"], -32600);
  EXPECT_FALSE(s.server.finito());
  s.invia({{"jsonrpc", "2.0"}, {"method", "exit"}});
  EXPECT_TRUE(s.server.finito());
  EXPECT_EQ(s.server.uscita(), 0);
}

// Each method served only where its kind and the life cycle allow: a
// notification's name sent as a request is unknown, a request's sent as a
// notification does nothing, before initialize and after shutdown only the
// life cycle is served; and initialize announces every feature.
TEST(ServerLsp, OgniMetodoAlSuoPostoNelCicloDiVita) {
  ServerInMemoria s;
  const nlohmann::json vuoto = nlohmann::json::object();
  auto richiesta = [&](const std::string& m) { s.invia({{"jsonrpc", "2.0"}, {"id", 1}, {"method", m}}); };
  auto notifica = [&](const std::string& m) { s.invia({{"jsonrpc", "2.0"}, {"method", m}, {"params", vuoto}}); };
  // Served, it would publish the text's diagnostics.
  auto apri = [&] {
    s.invia({{"jsonrpc", "2.0"},
             {"method", "textDocument/didOpen"},
             {"params", {{"textDocument", {{"uri", "file:///s/Valle_linea.txt"}, {"text", "[generale]\n"}}}}}});
  };
  const struct {
    std::function<void()> invio;
    std::string atteso;  // the answer's error code, "null", "risultato" or a notification's method; "" for none
  } passi[] = {
      {[&] { richiesta("textDocument/hover"); }, "-32002"},
      {[&] { richiesta("exit"); }, "-32002"},
      {[&] { notifica("initialize"); }, ""},
      {apri, ""},
      {[&] { richiesta("initialize"); }, "risultato"},
      {apri, "textDocument/publishDiagnostics"},
      {[&] { richiesta("exit"); }, "-32601"},
      {[&] { richiesta("textDocument/didOpen"); }, "-32601"},
      {[&] { notifica("shutdown"); }, ""},
      {[&] { notifica("textDocument/completion"); }, ""},
      {[&] { richiesta("textDocument/completion"); }, "-32602"},
      {[&] { richiesta("shutdown"); }, "null"},
      {[&] { richiesta("initialize"); }, "-32600"},
      {[&] { richiesta("textDocument/hover"); }, "-32600"},
      {apri, ""},
  };
  for (size_t i = 0; i < std::size(passi); ++i) {
    passi[i].invio();
    const auto r = s.ricevuti();
    SCOPED_TRACE(i);
    if (passi[i].atteso.empty()) {
      EXPECT_TRUE(r.empty());
      continue;
    }
    ASSERT_EQ(r.size(), 1u);
    if (passi[i].atteso == "risultato") {
      EXPECT_EQ(r[0]["result"]["capabilities"].dump(),
                "{\"completionProvider\":{\"resolveProvider\":false,\"triggerCharacters\":[\"[\"]},"
                "\"documentSymbolProvider\":true,\"hoverProvider\":true,"
                "\"textDocumentSync\":{\"change\":2,\"openClose\":true,\"save\":{\"includeText\":false}}}");
      EXPECT_EQ(r[0]["result"]["serverInfo"]["name"], "scenario");
    } else if (r[0].contains("method")) {
      EXPECT_EQ(r[0]["method"], passi[i].atteso);
    } else if (passi[i].atteso == "null") {
      EXPECT_TRUE(r[0].contains("result") && r[0]["result"].is_null()) << r[0].dump();
    } else {
      EXPECT_EQ(r[0]["error"]["code"].dump(), passi[i].atteso) << r[0].dump();
    }
  }
  EXPECT_FALSE(s.server.finito());
  notifica("exit");
  EXPECT_TRUE(s.server.finito());
  EXPECT_EQ(s.server.uscita(), 0);
}

TEST(ServerLsp, UnaDescrizioneSenzaCompagnaVieneControllataDaSola) {
  ServerInMemoria s;
  s.invia({{"jsonrpc", "2.0"}, {"id", 1}, {"method", "initialize"}});
  s.invia({{"jsonrpc", "2.0"},
           {"method", "textDocument/didOpen"},
           {"params",
            {{"textDocument",
              {{"uri", "file:///s/Valle_linea.txt"},
               {"version", 3},
               {"text", "[generale]\nlunghezza percorso, 1000\n[pendenze]\npendenza, 0, 0\npendenza, 5O0, 0\n"}}}}}});
  const auto r = s.ricevuti();
  ASSERT_EQ(r.size(), 2u);
  const nlohmann::json& p = r[1]["params"];
  EXPECT_EQ(p["uri"], "file:///s/Valle_linea.txt");
  EXPECT_EQ(p["version"], 3);
  ASSERT_GE(p["diagnostics"].size(), 2u);
  EXPECT_NE(p["diagnostics"][0]["message"].get<std::string>().find("controllata da sola"), std::string::npos);
  bool p25 = false;
  for (const auto& d : p["diagnostics"])
    if (d.value("code", "") == "P25") {
      p25 = true;
      EXPECT_EQ(d["range"]["start"]["line"], 4);
      EXPECT_EQ(d["range"]["start"]["character"], 10);
    }
  EXPECT_TRUE(p25) << p.dump();
}

}  // namespace
}  // namespace scenario::strumenti::lsp
