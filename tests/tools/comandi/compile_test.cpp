// End to end: the compile command on small fixture scenarios.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <regex>
#include <string>

#include "autore/compilazione.h"
#include "autore/scenario_autore.h"
#include "base/codici.h"
#include "base/errori.h"
#include "cli/errore_strumento.h"
#include "compiler/stato.h"
#include "diagnostiche/rapporto.h"
#include "driver/memorizza_percorso.h"
#include "support/cartella_temporanea.h"
#include "support/disco_memoria.h"
#include "tools/strumento.h"
#include "verifica/problemi_compilazione.h"

namespace scenario::test {
namespace {

namespace fs = std::filesystem;

const std::string linea = "Prova";
const std::string treno = "1";

// What the installer's compile writes from the same two texts.
DiscoMemoria compila_in_memoria(const std::string& nome_fixture, int32_t scrivi_file) {
  DiscoMemoria disco;
  const fs::path dir = "/scenario";
  disco.file[(dir / "Prova_linea.txt").generic_string()] = leggi_file(fixture(nome_fixture) / "linea.txt");
  disco.file[(dir / "Prova_1-.txt").generic_string()] = leggi_file(fixture(nome_fixture) / "treno.txt");
  Stato stato;
  stato.nome_linea = linea;
  stato.numero_treno = treno;
  memorizza_percorso(stato, disco, dir, scrivi_file);
  return disco;
}

TEST(Compile, ScenarioPulitoScriveGliStessiFileDellInstallatoreESenzaToccareITesti) {
  CartellaTemporanea dir;
  prepara_testi("pulito", dir.percorso(), linea, treno);
  const std::string testo_linea = leggi_file(dir / "Prova_linea.txt");
  const std::string testo_treno = leggi_file(dir / "Prova_1-.txt");

  const auto e = esegui_strumento({"compile", "--route", linea, "--train", treno, "--in", dir.percorso().string()});
  EXPECT_EQ(e.stato, 0) << e.uscita;
  EXPECT_NE(e.uscita.find("0 problemi registrati, 0 errori numerati, 0 errori di esecuzione"), std::string::npos)
      << e.uscita;

  const DiscoMemoria atteso = compila_in_memoria("pulito", 1);
  for (const char* nome : {"Prova_linea.dat", "Prova_1.sim", "Prova_1.dat"}) {
    ASSERT_TRUE(fs::exists(dir / nome)) << nome;
    EXPECT_EQ(leggi_file(dir / nome), atteso.file.at("/scenario/" + std::string(nome))) << nome;
  }
  EXPECT_EQ(leggi_file(dir / "Prova_linea.txt"), testo_linea);
  EXPECT_EQ(leggi_file(dir / "Prova_1-.txt"), testo_treno);
}

TEST(Compile, OutENoProfileDecidonoDoveECosaSiScrive) {
  CartellaTemporanea in, out;
  prepara_testi("pulito", in.percorso(), linea, treno);
  fs::create_directory(out / "bin");
  const auto e = esegui_strumento({"compile", "--route", linea, "--train", treno, "--in", in.percorso().string(),
                                   "--out", (out / "bin").string(), "--no-profile"});
  EXPECT_EQ(e.stato, 0) << e.uscita;
  EXPECT_TRUE(fs::exists(out / "bin" / "Prova_1.sim"));
  EXPECT_TRUE(fs::exists(out / "bin" / "Prova_1.dat"));
  EXPECT_FALSE(fs::exists(out / "bin" / "Prova_linea.dat"));
  // Only the two texts stay in the input directory.
  EXPECT_EQ(std::distance(fs::directory_iterator(in.percorso()), fs::directory_iterator()), 2);
}

TEST(Compile, OgniProblemaHaIlSuoPostoNelTestoEUnaSommaFinale) {
  CartellaTemporanea dir;
  prepara_testi("problemi", dir.percorso(), linea, treno);
  const auto e = esegui_strumento({"compile", "--route", linea, "--train", treno, "--in", dir.percorso().string()});
  EXPECT_EQ(e.stato, 1) << e.uscita;
  const std::string treno_txt = (dir / "Prova_1-.txt").string();
  // The signal beyond the end of the line (line 20) and the slowdown whose
  // look-back cells are all taken by signals (line 14).
  EXPECT_TRUE(
      std::regex_search(e.uscita, std::regex(treno_txt + ":20:[0-9]+: errore \\[P15\\] .*\\(posizione 99000 m\\)\n"
                                                         "  segnale,   99000,.*\n *\\^\n")))
      << e.uscita;
  EXPECT_TRUE(
      std::regex_search(e.uscita, std::regex(treno_txt + ":14:[0-9]+: errore \\[P12\\] .*\\(posizione 5050 m\\)")))
      << e.uscita;
  // The chainage reference at 25 m is found only at the end: pointed at its
  // second value, as the check points it.
  EXPECT_TRUE(std::regex_search(e.uscita, std::regex("_linea.txt:3:40: errore \\[P2\\] "))) << e.uscita;
  EXPECT_NE(e.uscita.find("3 problemi registrati"), std::string::npos) << e.uscita;
  EXPECT_TRUE(fs::exists(dir / "Prova_1.dat"));

  const auto j =
      esegui_strumento({"compile", "--route", linea, "--train", treno, "--in", dir.percorso().string(), "--json"});
  EXPECT_EQ(j.stato, 1);
  const auto r = nlohmann::json::parse(j.uscita);
  std::vector<int> codici;
  for (const auto& p : r["problemi"]) codici.push_back(p["codice"]);
  EXPECT_EQ(codici, (std::vector<int>{15, 2, 12}));
  EXPECT_EQ(r["problemi"][0]["riga"], 20);
  EXPECT_EQ(r["codice_errore"], 12);
  EXPECT_EQ(r["posizione_errore"], 5050);
  EXPECT_EQ(r["file_scritti"], true);
}

TEST(Compile, Errore1250NonScriveNessunFileBinario) {
  CartellaTemporanea dir;
  prepara_testi("errore_1250", dir.percorso(), linea, treno);
  const auto e = esegui_strumento({"compile", "--route", linea, "--train", treno, "--in", dir.percorso().string()});
  EXPECT_EQ(e.stato, 2) << e.uscita;
  EXPECT_NE(e.uscita.find("errore [E1250]"), std::string::npos) << e.uscita;
  EXPECT_NE(e.uscita.find("nessun file binario scritto"), std::string::npos) << e.uscita;
  for (const char* nome : {"Prova_linea.dat", "Prova_1.sim", "Prova_1.dat"})
    EXPECT_FALSE(fs::exists(dir / nome)) << nome;

  const auto j =
      esegui_strumento({"compile", "--route", linea, "--train", treno, "--in", dir.percorso().string(), "--json"});
  const auto r = nlohmann::json::parse(j.uscita);
  EXPECT_EQ(r["problemi"].back()["tipo"], "numerato");
  EXPECT_EQ(r["problemi"].back()["codice"], 1250);
  EXPECT_EQ(r["codice_errore"], 0);
  EXPECT_EQ(r["file_scritti"], false);
}

TEST(Compile, ArgomentiEIngressiSbagliatiSonoRifiutatiSenzaScrivereNulla) {
  CartellaTemporanea dir;
  prepara_testi("pulito", dir.percorso(), linea, treno);
  const std::string in = dir.percorso().string();
  struct Caso {
    std::vector<std::string> argomenti;
    const char* messaggio;
  };
  const Caso casi[] = {
      {{"--route", linea, "--train", "2", "--in", in}, "file mancante"},
      {{"--route", "Assente", "--train", treno, "--in", in}, "file mancante"},
      {{"--route", "../Prova", "--train", treno, "--in", in}, "non puo' contenere"},
      {{"--route", linea, "--train", "1/..", "--in", in}, "non puo' contenere"},
      {{"--route", "Linea_\xCE\xA9", "--train", treno, "--in", in}, "Windows-1252"},
      {{"--route", "A:B", "--train", treno, "--in", in}, "--route \"A:B\": un nome di scenario non puo' contenere"},
      {{"--route", linea, "--train", "linea", "--in", in}, "--train \"linea\": con questo treno due file"},
      {{"--route", "cartella", "--train", "in_uso.lock", "--in", in},
       "--train \"in_uso.lock\": con questo treno due file"},
      {{"--route", "CON.1", "--train", treno, "--in", in}, "dispositivo di Windows"},
      {{"--route", linea, "--in", in, "--bis"}, "argomento non previsto: --bis"},
      {{"--route", linea, "--train", treno, "--in", in, "--out", (dir / "manca").string()},
       "la cartella di uscita non esiste"},
      {{"--route", linea, "--train", treno, "--in", in, "--out", (dir / (linea + "_linea.txt")).string()},
       "la cartella di uscita non è una cartella ma un file"},
  };
  for (const Caso& c : casi) {
    std::vector<std::string> argomenti{"compile"};
    argomenti.insert(argomenti.end(), c.argomenti.begin(), c.argomenti.end());
    const auto e = esegui_strumento(argomenti);
    EXPECT_EQ(e.stato, 2) << c.argomenti[1] << "\n" << e.uscita;
    EXPECT_NE(e.uscita.find(c.messaggio), std::string::npos) << e.uscita;
    // With --json, stdout holds one object that says why.
    argomenti.push_back("--json");
    const auto j = nlohmann::json::parse(esegui_strumento_in(dir.percorso(), argomenti).uscita);
    EXPECT_EQ(j["uscita"], 2);
    EXPECT_NE(j["errore"].get<std::string>().find(c.messaggio), std::string::npos) << j.dump();
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.percorso()), fs::directory_iterator()), 2);
}

// A payload folder compiles as the installer built from it would, its
// names R and T unless given; installed names give the names themselves.
TEST(Compile, CartellaDiCaricoENomiDaiFile) {
  CartellaTemporanea carico, installati;
  for (const char* f : {"linea.txt", "treno.txt"}) fs::copy_file(fixture("pulito") / f, carico / f);
  const auto e = esegui_strumento({"compile", "--in", carico.percorso().string()});
  EXPECT_EQ(e.stato, 0) << e.uscita;
  // The same texts as the installer's: the profile does not depend on the names.
  const DiscoMemoria atteso = compila_in_memoria("pulito", 1);
  EXPECT_EQ(leggi_file(carico / "R_linea.dat"), atteso.file.at("/scenario/Prova_linea.dat"));
  for (const char* f : {"R_T.sim", "R_T.dat"}) EXPECT_TRUE(fs::exists(carico / f)) << f;

  prepara_testi("pulito", installati.percorso(), linea, treno);
  const auto n = esegui_strumento({"compile", "--in", installati.percorso().string()});
  EXPECT_EQ(n.stato, 0) << n.uscita;
  EXPECT_TRUE(fs::exists(installati / "Prova_1.sim"));
}

// The folder as check takes it: positional as well as with --in, not both.
TEST(Compile, LaCartellaComeLaPrendeCheck) {
  CartellaTemporanea carico;
  for (const char* f : {"linea.txt", "treno.txt"}) fs::copy_file(fixture("pulito") / f, carico / f);
  const std::string dir = carico.percorso().string();
  const auto e = esegui_strumento({"compile", dir});
  EXPECT_EQ(e.stato, 0) << e.uscita;
  EXPECT_TRUE(fs::exists(carico / "R_T.dat"));
  const auto p = esegui_strumento({"plan", dir, "--route", "R", "--train", "T", "-o", (carico / "p.svg").string()});
  EXPECT_EQ(p.stato, 0) << p.uscita;
  EXPECT_TRUE(fs::exists(carico / "p.svg"));
  const auto entrambi = esegui_strumento({"compile", dir, "--in", dir});
  EXPECT_EQ(entrambi.stato, 2);
  EXPECT_NE(entrambi.uscita.find("CARTELLA e --in insieme"), std::string::npos) << entrambi.uscita;
}

TEST(Compile, UnTestoIlleggibileERifiutatoPrimaDiCompilare) {
  DiscoMemoria disco;
  disco.file["/s/Prova_linea.txt"] = "[generale]\n";
  disco.file["/s/Prova_1-.txt"] = "[generale]\n";
  disco.leggi_fallisce.insert("/s/Prova_1-.txt");
  strumenti::RichiestaCompilazione r{linea, treno, "/s", fs::temp_directory_path(), 1};
  try {
    strumenti::compila(r, disco);
    FAIL() << "nessun errore";
  } catch (const strumenti::ErroreStrumento& e) {
    EXPECT_NE(std::string(e.what()).find("impossibile leggere /s/Prova_1-.txt"), std::string::npos) << e.what();
  }
  EXPECT_EQ(disco.file.size(), 2u);
}

// Each problem carries the meaning and the usual fix of its code, from the
// one table: a recorded problem, a numbered error and a failure on writing.
TEST(Compile, OgniVoceDelRapportoPortaSignificatoESuggerimentoDallaTabella) {
  struct Caso {
    const char* fixture;
    const char* scrittura_fallita;  // a binary file whose write fails, or nullptr
    Famiglia famiglia;
    int32_t codice;
  };
  const Caso casi[] = {
      {"problemi", nullptr, Famiglia::problema, problema::fuori_linea},
      {"errore_1250", nullptr, Famiglia::numerato, numerato::marcatori_occupati},
      {"pulito", "Prova_1.dat", Famiglia::guasto, static_cast<int32_t>(Guasto::disco_pieno)},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.fixture);
    DiscoMemoria disco;
    const fs::path in = "/s", out = fs::temp_directory_path();
    disco.file["/s/Prova_linea.txt"] = leggi_file(fixture(c.fixture) / "linea.txt");
    disco.file["/s/Prova_1-.txt"] = leggi_file(fixture(c.fixture) / "treno.txt");
    // The track file's provisional name: the third one the run takes.
    if (c.scrittura_fallita)
      disco.scrivi_fallisce.insert(nome_provvisorio(out / c.scrittura_fallita, disco.esecuzione, 2).generic_string());
    auto a = strumenti::apri_scenario({in, linea, treno, 1, out, false}, disco);
    const auto s = strumenti::verificato(in, std::move(a), out);
    const Codice* atteso = cerca_codice(c.famiglia, c.codice);
    ASSERT_NE(atteso, nullptr);

    const auto voce = std::ranges::find(s.diagnostiche, verifica::identificatore(*atteso), &verifica::Diagnostica::id);
    ASSERT_NE(voce, s.diagnostiche.end());
    EXPECT_EQ(voce->suggerimento, atteso->suggerimento);
    // A failure tells itself, number and detail; the others take the table's meaning.
    if (c.famiglia == Famiglia::guasto)
      EXPECT_EQ(voce->messaggio.rfind(ErroreEsecuzione(Guasto::disco_pieno).what(), 0), 0u) << voce->messaggio;
    else
      EXPECT_EQ(voce->messaggio, atteso->significato);

    const std::string testo = strumenti::rapporto_testo(s, {});
    EXPECT_NE(testo.find(voce->messaggio), std::string::npos) << testo;
    EXPECT_NE(testo.find("\n  suggerimento: " + std::string(atteso->suggerimento) + "\n"), std::string::npos) << testo;
    const auto j = strumenti::rapporto_json(s);
    const auto& problemi = j["problemi"];
    const auto p = std::ranges::find_if(problemi, [&](const auto& x) { return x["codice"] == c.codice; });
    ASSERT_NE(p, problemi.end());
    EXPECT_EQ((*p)["suggerimento"], atteso->suggerimento);
  }
}

// The third file cannot take its place (a directory stands under its name):
// the two before it are not replaced either, and the report says that no
// binary file was written.
TEST(Compile, SeIlTerzoFileNonEntraNessunoCambiaEIlRapportoLoDice) {
  CartellaTemporanea dir;
  prepara_testi("pulito", dir.percorso(), linea, treno);
  scrivi_file(dir / "Prova_linea.dat", "profilo di prima");
  scrivi_file(dir / "Prova_1.sim", "stazioni di prima");
  fs::create_directories(dir / "Prova_1.dat" / "occupata");
  const std::vector<std::string> argomenti = {
      "compile", "--route", linea, "--train", treno, "--in", dir.percorso().string()};

  const auto e = esegui_strumento(argomenti);
  EXPECT_EQ(e.stato, 2) << e.uscita;
  EXPECT_NE(e.uscita.find("errore [G75]"), std::string::npos) << e.uscita;
  EXPECT_NE(e.uscita.find("(Prova_1.dat)"), std::string::npos) << e.uscita;
  EXPECT_NE(e.uscita.find("; nessun file binario scritto\n"), std::string::npos) << e.uscita;
  std::vector<std::string> json = argomenti;
  json.push_back("--json");
  const auto r = nlohmann::json::parse(esegui_strumento(json).uscita);
  EXPECT_EQ(r["file_scritti"], false);
  EXPECT_EQ(r["uscita"], 2);

  EXPECT_EQ(leggi_file(dir / "Prova_linea.dat"), "profilo di prima");
  EXPECT_EQ(leggi_file(dir / "Prova_1.sim"), "stazioni di prima");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.percorso()), fs::directory_iterator()), 5);
}

// A set that could be neither completed nor taken back is said to be
// incomplete, not unwritten.
TEST(Compile, UnInsiemeRimastoIncompletoNonEDettoNonScritto) {
  const strumenti::RichiestaCompilazione r{linea, treno, "/s", fs::temp_directory_path(), 1};
  auto disco_con_testi = [] {
    DiscoMemoria d;
    d.file["/s/Prova_linea.txt"] = leggi_file(fixture("pulito") / "linea.txt");
    d.file["/s/Prova_1-.txt"] = leggi_file(fixture("pulito") / "treno.txt");
    return d;
  };
  DiscoMemoria pulito = disco_con_testi();
  ASSERT_TRUE(strumenti::compila(r, pulito).file_scritti);
  const auto seconda = std::find_if(pulito.passi_fatti.begin(), pulito.passi_fatti.end(),
                                    [](const std::string& op) { return op.starts_with("rinomina Prova_1.sim"); });
  ASSERT_NE(seconda, pulito.passi_fatti.end());

  // The station table's rename fails, and so does moving the profile back.
  DiscoMemoria disco = disco_con_testi();
  const size_t passo = static_cast<size_t>(seconda - pulito.passi_fatti.begin()) + 1;
  disco.passi_che_falliscono = {passo, passo + 1};
  auto a = strumenti::apri_scenario({"/s", linea, treno, 1, r.uscita, false}, disco);
  EXPECT_FALSE(a.esito.file_scritti);
  EXPECT_EQ(a.esito.uscita, strumenti::Uscita::nessun_file);
  const std::string testo = strumenti::rapporto_testo(strumenti::verificato("/s", std::move(a), r.uscita), {});
  EXPECT_NE(testo.find("[G57]"), std::string::npos) << testo;
  EXPECT_NE(testo.find("file binari incompleti in "), std::string::npos) << testo;
}

}  // namespace
}  // namespace scenario::test
