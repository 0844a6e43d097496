#include "driver/form1.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/nomi_file.h"
#include "driver/memorizza_percorso.h"
#include "support/disco_memoria.h"

namespace scenario {
namespace {

using test::DiscoMemoria;

const std::vector<std::string_view> linea_corta = {"[generale]",
                                                   "lunghezza percorso,    2000",
                                                   "ripetizione segnali 4 codici,    0,    0",
                                                   "[curve]",
                                                   "curvad3,  800,  300",
                                                   "[pendenze]",
                                                   "pendenza,   0,    1",
                                                   "[fine]"};
const std::vector<std::string_view> linea_cartello_in_cella_1 = {
    "[generale]", "lunghezza percorso,    2000", "[cartelli]", "cartello indicatore,  0, INIZIO", "[fine]"};
const std::vector<std::string_view> treno_corto = {"nota", "[generale]", "numero vetture,    2", "velocita,   0,    30",
                                                   "[fine]"};
const std::vector<std::string_view> una_riga = {"riga"};
// Boards in cells 2 and 3, and a slowdown starting in cell 8: rule B1 can put
// its marker only in cell 1, where the contest codes go.
const std::vector<std::string_view> linea_cartelli_in_celle_2_e_3 = {"[generale]",
                                                                     "lunghezza percorso,    2000",
                                                                     "[cartelli]",
                                                                     "cartello indicatore,  50, A",
                                                                     "cartello indicatore,  100, B",
                                                                     "[fine]"};
const std::vector<std::string_view> treno_rallentamento_in_cella_8 = {
    "nota", "[generale]", "velocita,   0,    30", "rallentamento, 350, 120, 200, 0, 0, 0", "[fine]"};

struct Prova {
  explicit Prova(std::span<const std::string_view> linea = linea_corta,
                 std::span<const std::string_view> treno = treno_corto) {
    payload = {"R", "T", linea, treno, {}, una_riga, una_riga};
  }

  Uscita esegui() {
    Form1 form(payload, Servizi{disco, "/gioco",
                                [this] {
                                  eventi.push_back("finestra");
                                  return std::make_unique<Finestra>();
                                },
                                [this](const std::string& t) { messaggi.push_back(t); }});
    Uscita u = form.Form_Load();
    stato_finale = form.stato().codice_errore;
    return u;
  }
  bool esiste(FileScenario f) const { return disco.esiste(percorso_file("/gioco", f, "R", "T")); }

  Payload payload;
  DiscoMemoria disco;
  std::vector<std::string> eventi, messaggi;
  int32_t stato_finale = -1;
};

TEST(Form1, UnaCorsaCompleta) {
  Prova p;
  EXPECT_EQ(p.esegui(), Uscita::ok);
  EXPECT_TRUE(p.messaggi.empty());
  EXPECT_EQ(p.stato_finale, 0);
  // The directory held from before the first text to after the last file;
  // the writers in their order, each text moved in whole over its name,
  // before anything is read.
  ASSERT_GT(p.disco.registro.size(), 16u);
  EXPECT_EQ(p.disco.registro.front(), "blocca gioco");
  EXPECT_EQ(p.disco.registro.back(), "sblocca gioco");
  const std::vector<std::string> inizio(p.disco.registro.begin() + 1, p.disco.registro.begin() + 16);
  const std::vector<std::string> atteso = {"crea R_linea.txt.1.0.tmp",
                                           "scrivi R_linea.txt.1.0.tmp",
                                           "rinomina R_linea.txt.1.0.tmp R_linea.txt",
                                           "crea R_T-.txt.1.1.tmp",
                                           "scrivi R_T-.txt.1.1.tmp",
                                           "rinomina R_T-.txt.1.1.tmp R_T-.txt",
                                           "crea R_T_note.txt.1.2.tmp",
                                           "scrivi R_T_note.txt.1.2.tmp",
                                           "rinomina R_T_note.txt.1.2.tmp R_T_note.txt",
                                           "crea R_T_rallentamenti.txt.1.3.tmp",
                                           "scrivi R_T_rallentamenti.txt.1.3.tmp",
                                           "rinomina R_T_rallentamenti.txt.1.3.tmp R_T_rallentamenti.txt",
                                           "crea R_T_scheda_treno.txt.1.4.tmp",
                                           "scrivi R_T_scheda_treno.txt.1.4.tmp",
                                           "rinomina R_T_scheda_treno.txt.1.4.tmp R_T_scheda_treno.txt"};
  EXPECT_EQ(inizio, atteso);
  EXPECT_EQ(p.eventi, std::vector<std::string>{"finestra"});
  for (FileScenario f : {FileScenario::note, FileScenario::rallentamenti, FileScenario::scheda, FileScenario::linea_dat,
                         FileScenario::sim, FileScenario::dat})
    EXPECT_TRUE(p.esiste(f)) << nome_file(f, "R", "T");
  EXPECT_FALSE(p.esiste(FileScenario::linea_txt));
  EXPECT_FALSE(p.esiste(FileScenario::treno_txt));
  EXPECT_EQ(p.disco.file["/gioco/R_T_note.txt"], "");
  EXPECT_EQ(p.disco.file["/gioco/R_T.dat"].size(), 15u * 181u);
  EXPECT_EQ(p.disco.file["/gioco/R_linea.dat"].size(), 20u * 9000u - 36u);
}

TEST(Form1, Errore1250PrimaDeiFileBinari) {
  Prova p(linea_cartello_in_cella_1);
  EXPECT_EQ(p.esegui(), Uscita::errore_numerato);
  EXPECT_EQ(p.messaggi, std::vector<std::string>{" Errore n. 1250"});
  for (FileScenario f : {FileScenario::linea_dat, FileScenario::sim, FileScenario::dat})
    EXPECT_FALSE(p.esiste(f)) << nome_file(f, "R", "T");
  for (FileScenario f : {FileScenario::note, FileScenario::rallentamenti, FileScenario::scheda})
    EXPECT_TRUE(p.esiste(f)) << nome_file(f, "R", "T");
  EXPECT_FALSE(p.esiste(FileScenario::linea_txt));
  EXPECT_FALSE(p.esiste(FileScenario::treno_txt));
}

TEST(Form1, Errore1250DalMarcatoreDelleRegoleNellaCellaUno) {
  // The track rules run before the contest codes are stamped.
  Prova p(linea_cartelli_in_celle_2_e_3, treno_rallentamento_in_cella_8);
  EXPECT_EQ(p.esegui(), Uscita::errore_numerato);
  EXPECT_EQ(p.messaggi, std::vector<std::string>{" Errore n. 1250"});
  EXPECT_FALSE(p.esiste(FileScenario::dat));
}

TEST(Form1, GuastoDiUnoScrittoreFermaTutto) {
  Prova p;
  p.disco.crea_fallisce.insert("/gioco/R_linea.txt.1.0.tmp");
  EXPECT_EQ(p.esegui(), Uscita::errore_esecuzione);
  ASSERT_EQ(p.messaggi.size(), 1u);
  // Told of the name the user knows, not of the provisional one.
  EXPECT_EQ(p.messaggi[0], "Errore di run-time '70': Autorizzazione negata (R_linea.txt)");
  EXPECT_TRUE(p.disco.file.empty());
}

// A failure at any step of the run (every create, write, flush and rename)
// ends it with status 2 and leaves the three binary files of the earlier run,
// all of them; only a run with no failure leaves the new three. No
// provisional file stays, and the directory is let go either way.
TEST(Form1, UnGuastoAOgniPassoLasciaTuttiIFileDiPrimaOTuttiINuovi) {
  const std::vector<FileScenario> binari = {FileScenario::linea_dat, FileScenario::sim, FileScenario::dat};
  Prova riferimento;
  ASSERT_EQ(riferimento.esegui(), Uscita::ok);
  bool completato = false;
  for (size_t passo = 1; !completato; ++passo) {
    SCOPED_TRACE("passo " + std::to_string(passo));
    Prova p;
    for (FileScenario f : binari) p.disco.file[percorso_file("/gioco", f, "R", "T").generic_string()] = "vecchio";
    p.disco.passi_che_falliscono = {passo};
    const Uscita u = p.esegui();
    completato = p.disco.passi < passo;
    EXPECT_EQ(u, completato ? Uscita::ok : Uscita::errore_esecuzione);
    EXPECT_EQ(p.messaggi.size(), completato ? 0u : 1u);
    for (FileScenario f : binari) {
      const std::string k = percorso_file("/gioco", f, "R", "T").generic_string();
      EXPECT_TRUE(p.disco.file[k] == (completato ? riferimento.disco.file.at(k) : "vecchio")) << k;
    }
    for (const auto& [k, byte] : p.disco.file) EXPECT_FALSE(k.ends_with(".tmp")) << k;
    EXPECT_TRUE(p.disco.bloccate.empty());
    ASSERT_LT(passo, 200u);
  }
}

// Another run holds the directory: this one ends with the failure that names
// the lock, having written nothing.
TEST(Form1, UnaCartellaInUsoFermaLaCorsaPrimaDiScrivere) {
  Prova p;
  const auto altra_corsa = p.disco.blocca("/gioco");
  EXPECT_EQ(p.esegui(), Uscita::errore_esecuzione);
  ASSERT_EQ(p.messaggi.size(), 1u);
  EXPECT_NE(p.messaggi[0].find("'55': Cartella in uso da un'altra esecuzione"), std::string::npos) << p.messaggi[0];
  EXPECT_TRUE(p.disco.file.empty());
  EXPECT_EQ(p.eventi, std::vector<std::string>{"finestra"});
}

TEST(MemorizzaPercorso, SenzaProfiloIlFileDelProfiloNonSiTocca) {
  Prova p;
  p.esegui();
  p.disco.file["/gioco/R_linea.dat"] = "vecchio";
  p.disco.file["/gioco/R_linea.txt"] = std::string("[generale]\r\nlunghezza percorso,    2000\r\n[fine]\r\n");
  p.disco.file["/gioco/R_T-.txt"] = "[generale]\r\n[fine]\r\n";
  p.disco.registro.clear();
  Stato s;
  s.nome_linea = "R";
  s.numero_treno = "T";
  memorizza_percorso(s, p.disco, "/gioco", 0);
  EXPECT_EQ(p.disco.file["/gioco/R_linea.dat"], "vecchio");
  for (const auto& r : p.disco.registro) EXPECT_EQ(r.find("R_linea.dat"), std::string::npos) << r;
  EXPECT_TRUE(p.esiste(FileScenario::sim));
}

}  // namespace
}  // namespace scenario
