// Writes the seed corpora of the fuzz targets into a directory: the
// embedded scenario's two texts as the installer writes them, the small
// valid texts the targets pair with their input, and for the whole compile
// both cut to short routes, which compile many times faster, so that the
// fuzzer starts from inputs it can run often.
//
//   genera_semi <directory>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "banco.h"
#include "base/codici.h"
#include "base/nomi_file.h"
#include "base/righe.h"
#include "ingresso_file_binari.h"
#include "sources/payload.h"
#include "sources/scrittori.h"
#include "support/disco_memoria.h"
#include "support/generale_prova.h"

namespace {

namespace fs = std::filesystem;
using namespace scenario;

void scrivi(const fs::path& cartella, const std::string& bersaglio, const std::string& nome, const std::string& byte) {
  if (byte.empty()) return;
  fs::create_directories(cartella / bersaglio);
  std::ofstream(cartella / bersaglio / nome, std::ios::binary) << byte;
}

// The records whose first number is a position along the line.
constexpr std::string_view con_posizione[] = {"curva",    "pendenza", "montagna",      "indicatori_v",
                                              "cartello", "stazione", "rallentamento", "abbattimento",
                                              "segnale",  "velocit",  "aderenza"};

// A description cut to a route of `lunghezza` m: that length, and without
// the records whose position lies beyond it.
std::string accorcia(std::string_view testo, int32_t lunghezza) {
  std::string out;
  while (!testo.empty()) {
    // The line with its line end.
    const std::string_view riga = testo.substr(0, riga_da(testo, 0).dopo);
    testo.remove_prefix(riga.size());
    const size_t virgola = riga.find(',');
    if (riga.find("lunghezza percorso") != std::string_view::npos) {
      out += "lunghezza percorso,    " + std::to_string(lunghezza) + "\r\n";
      continue;
    }
    const bool posizionato =
        virgola != std::string_view::npos && std::any_of(std::begin(con_posizione), std::end(con_posizione),
                                                         [&](std::string_view k) { return riga.find(k) < virgola; });
    if (posizionato) {
      std::string_view campo = riga.substr(virgola + 1);
      while (!campo.empty() && campo[0] == ' ') campo.remove_prefix(1);
      int32_t posizione = 0;
      const auto [fine, errore] = std::from_chars(campo.data(), campo.data() + campo.size(), posizione);
      if (errore == std::errc() && posizione > lunghezza) continue;
    }
    out += riga;
  }
  return out;
}

// The text with `righe` put in just after the line `sezione`.
std::string aggiungi(std::string testo, std::string_view sezione, const std::string& righe) {
  const size_t dopo = riga_da(testo, std::min(testo.find(sezione), testo.size())).dopo;
  return testo.insert(std::min(dopo, testo.size()), righe);
}

// A slowdown below the repeat speed whose end is the last cell (160 of a
// 1000 m line, at 7950 m), 16 cells after its start, the cell before the
// end a station's stop (a platform of 800 m from 7200 m): the repeat due on
// the last cell finds it and the one before taken and looks past the last
// cell, the one marker rule that does. Compiled here to be sure it still
// does; empty if not.
std::string ripetizione_oltre_l_ultima_cella() {
  const std::string linea = accorcia(fuzz::linea_fissa(), 1000);
  std::string treno;
  auto riga = [&](const std::string& r) { (treno += r) += "\r\n"; };
  for (const std::string& r : test::righe_generale_treno("Ripetizioni fino all'ultima cella.")) riga(r);
  riga("velocita,   0,    30");
  riga("[stazioni]");
  riga("stazione,       0,  8,  800,  0, 0, 0,  1,1,0,  4,1,1,    1,   8,40, 0, PARTENZA");
  riga("stazione,    7200,  8,  800,  1, 0, 1,  1,1,0,  2,1,1,    0,   0, 0, 0, FERMATA");
  riga("[rallentamenti]");
  riga("rallentamento,  7150,  60,  800,  0,  0,  0");
  riga("[segnali]");
  riga("[codici]");
  riga("[fine]");
  fuzz::Compilazione c;
  fuzz::compila_tutto(c, linea, treno, 0);
  const int32_t ultima = c.stato.celle.allocate() ? c.stato.celle.ultimo_indice() : -1;
  for (const Problema& p : c.stato.problemi)
    if (p.tipo == Problema::Tipo::registrato && p.codice == problema::regola_ripetizione &&
        p.posizione == ultima * metri_cella)
      return linea + '\0' + treno;
  return {};
}

// A message as an editor frames it for the language server: the body, a
// JSON-RPC notification or request, after its length.
std::string messaggio_lsp(const std::string& corpo) {
  return "Content-Length: " + std::to_string(corpo.size()) + "\r\n\r\n" + corpo;
}

// A text as a JSON string.
std::string stringa_json(std::string_view testo) {
  std::string out = "\"";
  for (const char c : testo) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char u[8];
          std::snprintf(u, sizeof u, "\\u%04x", static_cast<unsigned>(c));
          out += u;
        } else {
          out += c;
        }
    }
  }
  return out + '"';
}

// An editor's session that opens a line description, whose diagnostics the
// server sends back, and then shuts the server down.
std::string sessione_lsp(const std::string& linea) {
  return messaggio_lsp(R"({"jsonrpc": "2.0", "id": 1, "method": "initialize", "params": {"capabilities": {}}})") +
         messaggio_lsp(R"({"jsonrpc": "2.0", "method": "initialized", "params": {}})") +
         messaggio_lsp(R"({"jsonrpc": "2.0", "method": "textDocument/didOpen", "params": {"textDocument": )"
                       R"({"uri": "file:///s/linea.txt", "languageId": "scenario", "version": 1, "text": )" +
                       stringa_json(linea) + "}}}") +
         messaggio_lsp(R"({"jsonrpc": "2.0", "id": 2, "method": "shutdown"})") +
         messaggio_lsp(R"({"jsonrpc": "2.0", "method": "exit"})");
}

// Bytes from a fixed linear congruential sequence, the same on every machine.
std::string byte_pseudocasuali(uint32_t seme, size_t n) {
  std::string s;
  for (size_t i = 0; i < n; ++i) {
    seme = seme * 1664525u + 1013904223u;
    s += static_cast<char>(seme >> 24);
  }
  return s;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "uso: genera_semi <cartella>\n");
    return 2;
  }
  const fs::path uscita = argv[1];

  const Payload& payload = payload_incorporato();
  const NomiScenario nomi{payload.nome_linea, payload.numero_treno};
  test::DiscoMemoria disco;
  const Percorso cartella = "/s";
  dati_linea(nomi, payload, disco, cartella);
  dati_treno(nomi, payload, disco, cartella);
  auto testo = [&](FileScenario f) {
    return disco.file.at(percorso_file(cartella, f, nomi.nome_linea, nomi.numero_treno).generic_string());
  };
  const std::string linea = testo(FileScenario::linea_txt), treno = testo(FileScenario::treno_txt);

  constexpr int32_t corta = 8000;
  const std::string linea_corta = accorcia(fuzz::linea_fissa(), corta),
                    treno_corto = accorcia(fuzz::treno_fisso(), corta);
  const std::string incorporata_corta = accorcia(linea, corta), incorporato_corto = accorcia(treno, corta);

  const std::pair<std::string, std::string> coppie[] = {
      {"corto", linea_corta + '\0' + fuzz::treno_fisso()},
      {"corto_tutti_e_due", linea_corta + '\0' + treno_corto},
      {"incorporato_corto", incorporata_corta + '\0' + incorporato_corto},
      {"linea_incorporata_corta", incorporata_corta + '\0' + treno_corto},
  };
  for (const auto& [nome, byte] : coppie) scrivi(uscita, "compilazione", nome, byte);
  scrivi(uscita, "descrizione_linea", "incorporata_corta", incorporata_corta);
  scrivi(uscita, "descrizione_linea", "corta", linea_corta);
  // The profile without room for its start rows or without a metre at all;
  // a speed board on a taken cell and one before the first cell; a sign in
  // the cell the contest codes reserve (a numbered error). For the line
  // reader and the whole compile.
  const std::string indicatori = "indicatori_vmax,  1300,  125,  135,  135,  0,  ,  ,  ,  0\r\n";
  const std::pair<std::string, std::string> linee_ai_limiti[] = {
      {"profilo_di_un_metro", accorcia(fuzz::linea_fissa(), -7000)},
      {"profilo_senza_metri", accorcia(fuzz::linea_fissa(), -7001)},
      {"indicatori_occupati", aggiungi(linea_corta, "[cartelli]", indicatori)},
      {"indicatori_prima_della_linea",
       aggiungi(linea_corta, "[cartelli]", "indicatori_vmax,  -500,  125,  135,  135,  0,  ,  ,  ,  0\r\n")},
      {"cartello_nella_cella_riservata",
       aggiungi(linea_corta, "[indicazioni]", "cartello indicatore,  0,  INIZIO LINEA\r\n")},
  };
  for (const auto& [nome, byte] : linee_ai_limiti) {
    scrivi(uscita, "descrizione_linea", nome, byte);
    scrivi(uscita, "compilazione", nome, byte + '\0' + treno_corto);
  }
  // A signal whose two cells before are both speed reductions below the
  // marker's value, 20 cells or less before a warning board: rule A lowers
  // the reduction's value to the marker's only where it is higher, so here
  // it stays.
  const std::string treno_abbassato = aggiungi(aggiungi(treno_corto, "[rallentamenti]",
                                                        "rallentamento,  4400,  60,  500,  0,  0,  0\r\n"
                                                        "abbattimento,  3000,  80\r\nabbattimento,  2950,  80\r\n"),
                                               "[segnali]", "segnale,    3000,   1, 4, 1,  0, 0,    1,  3,1,0, 0\r\n");
  scrivi(uscita, "compilazione", "segnale_dopo_due_abbattimenti", linea_corta + '\0' + treno_abbassato);
  if (const std::string t = ripetizione_oltre_l_ultima_cella(); !t.empty())
    scrivi(uscita, "compilazione", "ripetizione_oltre_l_ultima_cella", t);
  else
    std::fprintf(stderr, "genera_semi: nessuna ripetizione all'ultima cella trovata\n");
  scrivi(uscita, "descrizione_treno", "incorporato", treno);
  scrivi(uscita, "descrizione_treno", "fisso", fuzz::treno_fisso());
  // Two curves past the profile's last step: the check reads on after the
  // first, and the second asks for steps the profile has no room for.
  scrivi(uscita, "messaggi_lsp", "curve_oltre_il_profilo",
         sessione_lsp(aggiungi(linea_corta, "[curve]", "curvad1,  7800,  7300\r\ncurvas2,  7850,  7200\r\n")));
  // The field reader: all text fields, then text and numbers alternating.
  for (const auto& [nome, byte] : {std::pair{std::string("linea"), linea},
                                   {"treno", treno},
                                   {"linea_fissa", fuzz::linea_fissa()},
                                   {"treno_fisso", fuzz::treno_fisso()}}) {
    if (byte.empty()) continue;
    scrivi(uscita, "lettura_campi", nome + "_testo", std::string(1, '\0') + byte);
    scrivi(uscita, "lettura_campi", nome + "_misto", std::string("\x02\x00\x01", 3) + byte);
  }

  // The built scenarios: any bytes make one.
  for (uint32_t i = 0; i < 16; ++i)
    scrivi(uscita, "scenario_breve", "pseudocasuale_" + std::to_string(i), byte_pseudocasuali(i, 24 + 8 * i));

  // The binary files of a line whose cells and profile end 1 km from its
  // start (a route length of -6000 m: small files, quick to read, within the
  // target's length bound), each alone and all three together.
  fuzz::Compilazione c;
  fuzz::compila_tutto(c, accorcia(fuzz::linea_fissa(), -6000), accorcia(fuzz::treno_fisso(), 1000), 1);
  if (!c.esito.completo()) {
    std::fprintf(stderr, "genera_semi: la compilazione dei file binari non e' completa\n");
    return 1;
  }
  auto file = [&](const Percorso& p) { return c.disco.file.at(p.generic_string()); };
  namespace o = fuzz::opzioni_binari;
  const std::string profilo = file(c.file.linea_dat), sim = file(c.file.sim), dat = file(c.file.dat);
  scrivi(uscita, "file_binari", "profilo", char(o::solo_profilo) + profilo);
  scrivi(uscita, "file_binari", "stazioni", char(o::solo_stazioni) + sim);
  scrivi(uscita, "file_binari", "stazioni_json", char(o::solo_stazioni | o::json) + sim);
  scrivi(uscita, "file_binari", "celle", char(o::solo_celle) + dat);
  scrivi(uscita, "file_binari", "celle_tutte_anonime", char(o::solo_celle | o::tutte | o::anonimo) + dat);
  scrivi(uscita, "file_binari", "tutti", fuzz::componi_tutti(0, profilo, sim, dat));
  return 0;
}
