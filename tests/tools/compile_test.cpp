// End to end: the compile command on small fixture scenarios.

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <regex>
#include <string>

#include "compilazione.h"
#include "compiler/stato.h"
#include "driver/memorizza_percorso.h"
#include "errore_strumento.h"
#include "support/cartella_temporanea.h"
#include "support/disco_memoria.h"
#include "tools/strumento.h"

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
  EXPECT_TRUE(std::regex_search(e.uscita, std::regex(treno_txt + ":20:[0-9]+: problema 15: .*\\(posizione 99000 m\\)\n"
                                                                 "  segnale,   99000,.*\n *\\^\n")))
      << e.uscita;
  EXPECT_TRUE(std::regex_search(e.uscita, std::regex(treno_txt + ":14:[0-9]+: problema 12: .*\\(posizione 5050 m\\)")))
      << e.uscita;
  // The chainage reference at 25 m is found only at the end, with no place.
  EXPECT_TRUE(std::regex_search(e.uscita, std::regex("_linea.txt: problema 2: "))) << e.uscita;
  EXPECT_NE(e.uscita.find("3 problemi registrati"), std::string::npos) << e.uscita;
  EXPECT_TRUE(fs::exists(dir / "Prova_1.dat"));

  const auto j = esegui_strumento({"compile", "--route", linea, "--train", treno, "--in", dir.percorso().string(), "--json"});
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
  EXPECT_NE(e.uscita.find("errore n. 1250"), std::string::npos) << e.uscita;
  EXPECT_NE(e.uscita.find("nessun file binario scritto"), std::string::npos) << e.uscita;
  for (const char* nome : {"Prova_linea.dat", "Prova_1.sim", "Prova_1.dat"}) EXPECT_FALSE(fs::exists(dir / nome)) << nome;

  const auto j = esegui_strumento({"compile", "--route", linea, "--train", treno, "--in", dir.percorso().string(), "--json"});
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
      {{"--route", "CON.1", "--train", treno, "--in", in}, "dispositivo di Windows"},
      {{"--route", linea, "--in", in}, "argomento obbligatorio mancante"},
      {{"--route", linea, "--train", treno, "--in", in, "--out", (dir / "manca").string()}, "la cartella di uscita non esiste"},
  };
  for (const Caso& c : casi) {
    std::vector<std::string> argomenti{"compile"};
    argomenti.insert(argomenti.end(), c.argomenti.begin(), c.argomenti.end());
    const auto e = esegui_strumento(argomenti);
    EXPECT_EQ(e.stato, 2) << c.argomenti[1] << "\n" << e.uscita;
    EXPECT_NE(e.uscita.find(c.messaggio), std::string::npos) << e.uscita;
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.percorso()), fs::directory_iterator()), 2);
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

}  // namespace
}  // namespace scenario::test
