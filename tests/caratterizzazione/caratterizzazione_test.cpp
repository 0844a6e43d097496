// The characterization corpus: every kind of scenario the compiler meets,
// compiled with and without the line profile, each outcome reduced to one
// line (the final code and position, how many problems, and a digest of the
// problems with their places and of every file left on the disk). The lines
// are kept in attese.txt; a change that alters any of them fails here.
//
// After a change that is meant to alter outputs, rewrite the expected lines
// with
//
//   AGGIORNA_CARATTERIZZAZIONE=1 build/tests/test_scenario --gtest_filter='Caratterizzazione.*'
//
// and say in the commit which lines changed and why.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "base/cp1252.h"
#include "base/errori.h"
#include "base/nomi_file.h"
#include "compiler/stato.h"
#include "driver/form1.h"
#include "driver/memorizza_percorso.h"
#include "sources/payload.h"
#include "support/disco_memoria.h"
#include "support/scenari_generati.h"
#include "support/testi_fissi.h"

namespace scenario {
namespace {

namespace fs = std::filesystem;

const fs::path qui = fs::path(__FILE__).parent_path();

struct Voce {
  std::string nome;
  std::string nome_linea, numero_treno;
  std::string linea, treno;
  bool senza_linea = false;  // no line description on the disk
};

// FNV-1a, 64 bits: the same digest on every platform.
struct Impronta {
  uint64_t h = 0xcbf29ce484222325ull;
  void aggiungi(std::string_view s) {
    for (unsigned char c : s) h = (h ^ c) * 0x100000001b3ull;
    h = (h ^ 0xff) * 0x100000001b3ull;  // separates consecutive pieces
  }
  std::string esadecimale() const {
    char b[17];
    std::snprintf(b, sizeof b, "%016llx", static_cast<unsigned long long>(h));
    return b;
  }
};

std::string leggi(const fs::path& p) {
  std::ifstream f(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

// A payload folder's text: UTF-8 with LF, as the build converts it.
std::string da_cartella(const fs::path& p) {
  const std::string utf8 = leggi(p);
  std::string crlf;
  for (char c : utf8) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  return da_utf8(crlf).value_or(crlf);
}

std::string unisci_righe(std::span<const std::string_view> righe) {
  std::string t;
  for (std::string_view r : righe) (t += r) += "\r\n";
  return t;
}

std::vector<Voce> corpus() {
  std::vector<Voce> v;
  const Payload& inc = payload_incorporato();
  v.push_back({"incorporato", std::string(inc.nome_linea), std::string(inc.numero_treno), unisci_righe(inc.linea),
               unisci_righe(inc.treno)});

  v.push_back({"senza_linea", "R", "T", {}, test::treno_fisso(), true});

  std::vector<fs::path> cartelle;
  // A fixture is a folder with a line description; the check's own cases
  // (fixtures/verifica/) are grouped one level down and stay out.
  for (const auto& e : fs::directory_iterator(qui / ".." / "tools" / "fixtures"))
    if (fs::exists(e.path() / "linea.txt")) cartelle.push_back(e.path());
  std::sort(cartelle.begin(), cartelle.end());
  for (const fs::path& c : cartelle)
    v.push_back(
        {"fixture_" + c.filename().string(), "R", "T", da_cartella(c / "linea.txt"), da_cartella(c / "treno.txt")});

  // Fuzz regressions, paired with the fixed texts as their targets pair them.
  const fs::path regressioni = qui / ".." / ".." / "fuzz" / "regressioni";
  std::vector<fs::path> file;
  for (const auto& e : fs::recursive_directory_iterator(regressioni))
    if (e.is_regular_file()) file.push_back(e.path());
  std::sort(file.begin(), file.end());
  for (const fs::path& f : file) {
    const std::string bersaglio = f.parent_path().filename().string();
    const std::string dati = leggi(f);
    Voce x{"fuzz_" + bersaglio + "_" + f.filename().string(), "Belmora_Solvenzia", "4816-4817", {}, {}};
    if (bersaglio == "descrizione_treno") {
      x.linea = test::linea_fissa();
      x.treno = dati;
    } else if (bersaglio == "compilazione") {
      const size_t taglio = dati.find('\0');
      x.linea = dati.substr(0, taglio);
      x.treno = taglio == std::string::npos ? std::string() : dati.substr(taglio + 1);
    } else {
      x.linea = dati;
      x.treno = test::treno_fisso();
    }
    v.push_back(std::move(x));
  }

  for (test::ScenarioGenerato& g : test::scenari_generati(200))
    v.push_back({std::move(g.nome), std::move(g.nome_linea), std::move(g.numero_treno), std::move(g.linea),
                 std::move(g.treno)});
  return v;
}

void impronta_problemi(Impronta& im, const Stato& stato) {
  for (const Problema& p : stato.problemi) {
    std::ostringstream o;
    o << static_cast<int>(p.tipo) << ' ' << p.codice << ' ' << (p.posizione ? std::to_string(*p.posizione) : "-") << ' '
      << static_cast<int>(p.origine.sorgente) << ':' << p.origine.riga << ':' << p.origine.colonna << ' '
      << p.dettaglio;
    im.aggiungi(o.str());
  }
}

void impronta_file(Impronta& im, const test::DiscoMemoria& disco) {
  for (const auto& [percorso, byte] : disco.file) {
    im.aggiungi(fs::path(percorso).filename().string());
    im.aggiungi(std::to_string(byte.size()));
    im.aggiungi(byte);
  }
}

// Every problem code the corpus met, by kind, for the test of its reach.
std::map<std::string, int>& codici_incontrati() {
  static std::map<std::string, int> visti;
  return visti;
}

std::string riga(const std::string& nome, int32_t modo, const std::string& esito, const Stato& stato,
                 const test::DiscoMemoria& disco) {
  ++codici_incontrati()[esito];
  for (const Problema& p : stato.problemi) ++codici_incontrati()["problema=" + std::to_string(p.codice)];
  Impronta im;
  impronta_problemi(im, stato);
  impronta_file(im, disco);
  std::ostringstream o;
  o << nome << " s" << modo << ' ' << esito << " codice=" << stato.codice_errore
    << " posizione=" << stato.posizione_errore << " problemi=" << stato.problemi.size() << ' ' << im.esadecimale();
  return o.str();
}

std::string compila(const Voce& v, int32_t modo) {
  const Percorso cartella = "/scenario";
  test::DiscoMemoria disco;
  if (!v.senza_linea)
    disco.file[percorso_file(cartella, FileScenario::linea_txt, v.nome_linea, v.numero_treno).generic_string()] =
        v.linea;
  disco.file[percorso_file(cartella, FileScenario::treno_txt, v.nome_linea, v.numero_treno).generic_string()] = v.treno;
  Stato stato;
  stato.nome_linea = v.nome_linea;
  stato.numero_treno = v.numero_treno;
  const Esito e = memorizza_percorso(stato, disco, cartella, modo);
  const char* tipi[] = {"ok", "numerato=", "esecuzione="};
  const std::string esito = tipi[static_cast<int>(e.tipo)] + (e.completo() ? std::string() : std::to_string(e.numero));
  return riga(v.nome, modo, esito, stato, disco);
}

// The installer's whole run of its embedded scenario: six files left.
std::string installatore() {
  test::DiscoMemoria disco;
  std::vector<std::string> messaggi;
  Form1 form(payload_incorporato(), Servizi{disco, "/scenario", [] { return std::make_unique<Finestra>(); },
                                            [&](const std::string& t) { messaggi.push_back(t); }});
  const Uscita u = form.Form_Load();
  return riga("installatore", 1,
              "uscita=" + std::to_string(static_cast<int>(u)) + "/" + std::to_string(messaggi.size()), form.stato(),
              disco);
}

// Computed once for both tests.
const std::vector<std::string>& risultati() {
  static const std::vector<std::string> r = [] {
    std::vector<std::string> r = {installatore()};
    for (const Voce& v : corpus())
      for (int32_t modo : {1, 0}) r.push_back(compila(v, modo));
    return r;
  }();
  return r;
}

TEST(Caratterizzazione, OgniUscitaComePrima) {
  const fs::path attese = qui / "attese.txt";
  const std::vector<std::string> ora = risultati();
  if (std::getenv("AGGIORNA_CARATTERIZZAZIONE")) {
    std::ofstream f(attese, std::ios::binary);
    for (const std::string& r : ora) f << r << '\n';
    GTEST_SKIP() << "righe attese riscritte: " << ora.size();
  }
  std::vector<std::string> prima;
  std::istringstream in(leggi(attese));
  for (std::string r; std::getline(in, r);) prima.push_back(r);
  ASSERT_FALSE(prima.empty()) << "manca " << attese;

  int diverse = 0;
  for (size_t i = 0; i < std::max(prima.size(), ora.size()); ++i) {
    const std::string a = i < prima.size() ? prima[i] : "(nessuna)";
    const std::string b = i < ora.size() ? ora[i] : "(nessuna)";
    if (a != b && ++diverse <= 20) ADD_FAILURE() << "attesa: " << a << "\n  ora:    " << b;
  }
  EXPECT_EQ(diverse, 0) << "righe diverse su " << prima.size();
}

// The corpus must keep reaching what it was built to reach: every problem
// code, the numbered error and the failures outside the parser.
TEST(Caratterizzazione, IlCorpusToccaOgniEsito) {
  risultati();
  std::map<std::string, int>& visti = codici_incontrati();
  for (int codice :
       {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 15, 16, 17, 18, 19, 20, 21, 22, 24, 25, 26, 27, 28, 101, 102, 103})
    EXPECT_GT(visti["problema=" + std::to_string(codice)], 0) << codice;
  EXPECT_GT(visti["ok"], 0);
  EXPECT_GT(visti["numerato=1250"], 0);
  EXPECT_GT(visti["esecuzione=9"], 0);
  if (HasFailure()) {
    for (const auto& [k, quanti] : visti) std::printf("%s: %d\n", k.c_str(), quanti);
  }
}

}  // namespace
}  // namespace scenario
