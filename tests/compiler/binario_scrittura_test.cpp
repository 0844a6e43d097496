// How the three binary files reach the disk: each replaces the earlier file
// only once complete, whatever fails on the way.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "compiler/binario.h"
#include "base/errori.h"
#include "compiler/stato.h"
#include "platform/disco_file.h"
#include "support/cartella_temporanea.h"
#include "support/disco_memoria.h"

#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#endif

namespace scenario {
namespace {

using test::CartellaTemporanea;
using test::DiscoMemoria;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

Stato stato_di_prova(int32_t ultimo_metro = 300) {
  Stato s;
  s.nome_linea = "R";
  s.numero_treno = "T";
  s.scrivi_file = 1;
  s.celle.dimensiona(ultimo_metro / 50);
  s.celle[1].valore1 = 5121;
  s.profilo_linea.dimensiona(ultimo_metro);
  for (int32_t m = 0; m <= ultimo_metro - 2; ++m) {
    s.profilo_linea(m, 0) = Variante::da_doppio(m * 0.5);
    s.profilo_linea(m, 1) = Variante::da_doppio(m);
  }
  s.stazioni[1].nome = "BELMORA";
  s.stazioni[85].campo7 = 610;
  return s;
}

const Percorso cartella = "/c";
// The three files under the names the run gives them.
FileBinari file_in(const Percorso& c) { return {c / "R_linea.dat", c / "R_T.sim", c / "R_T.dat"}; }
const std::string profilo = "/c/R_linea.dat", sim = "/c/R_T.sim", dat = "/c/R_T.dat";

// The files of an earlier run, longer than the new ones.
void file_precedenti(DiscoMemoria& disco) {
  for (const auto& p : {profilo, sim, dat}) disco.file[p] = std::string(200000, 'v') + p;
}

TEST(ScritturaBinari, OgniFileVieneScrittoAParteEPoiSpostatoSulSuoNome) {
  Stato s = stato_di_prova();
  DiscoMemoria disco;
  file_precedenti(disco);
  scrivi_file_binari(s, disco, file_in(cartella));

  EXPECT_EQ(disco.file.at(profilo), serializza_profilo(s.profilo_linea));
  EXPECT_EQ(disco.file.at(sim), serializza_stazioni(s.stazioni));
  EXPECT_EQ(disco.file.at(dat), serializza_celle(s.celle));
  EXPECT_EQ(disco.file.size(), 3u);  // no provisional file left
  EXPECT_THAT(disco.registro,
              ElementsAre("crea R_linea.dat.tmp", "elimina R_linea.dat.tmp", "scrivi R_linea.dat.tmp",
                          "rinomina R_linea.dat.tmp R_linea.dat",  //
                          "crea R_T.sim.tmp", "elimina R_T.sim.tmp", "scrivi R_T.sim.tmp",
                          "rinomina R_T.sim.tmp R_T.sim",  //
                          "crea R_T.dat.tmp", "elimina R_T.dat.tmp", "scrivi R_T.dat.tmp",
                          "rinomina R_T.dat.tmp R_T.dat"));
}

TEST(ScritturaBinari, UnProvvisorioRimastoDaUnaCorsaInterrottaVieneSostituito) {
  Stato s = stato_di_prova();
  DiscoMemoria disco;
  disco.file[dat + ".tmp"] = std::string(100000, 'x');
  scrivi_file_binari(s, disco, file_in(cartella));
  EXPECT_EQ(disco.file.at(dat), serializza_celle(s.celle));
  EXPECT_FALSE(disco.esiste(dat + ".tmp"));
}

// A failure on any of the three files, at any step: that file and the ones
// after it keep the earlier run's bytes, the ones before it are new, and no
// provisional file stays behind.
TEST(ScritturaBinari, UnGuastoLasciaInteroIlFileDellaCorsaPrecedente) {
  enum class Modo { crea, scrittura_parziale, scrittura, rinomina };
  struct Caso {
    std::string file;
    Modo modo;
  };
  const std::vector<Caso> casi = {
      {profilo, Modo::scrittura_parziale}, {profilo, Modo::rinomina}, {sim, Modo::crea},
      {sim, Modo::scrittura_parziale},     {sim, Modo::scrittura},    {dat, Modo::scrittura_parziale},
      {dat, Modo::rinomina},
  };
  const std::vector<std::string> ordine = {profilo, sim, dat};
  for (const Caso& caso : casi) {
    SCOPED_TRACE(caso.file + " modo " + std::to_string(static_cast<int>(caso.modo)));
    Stato s = stato_di_prova();
    const std::vector<std::string> nuovi = {serializza_profilo(s.profilo_linea), serializza_stazioni(s.stazioni),
                                            serializza_celle(s.celle)};
    DiscoMemoria disco;
    file_precedenti(disco);
    const auto precedenti = disco.file;
    const std::string provvisorio = caso.file + ".tmp";
    switch (caso.modo) {
      case Modo::crea: disco.crea_fallisce.insert(provvisorio); break;
      case Modo::scrittura_parziale: disco.scrivi_interrotto[provvisorio] = 100; break;
      case Modo::scrittura: disco.scrivi_fallisce.insert(provvisorio); break;
      case Modo::rinomina: disco.rinomina_fallisce.insert(caso.file); break;
    }

    EXPECT_THROW(scrivi_file_binari(s, disco, file_in(cartella)), ErroreEsecuzione);

    bool dopo_il_guasto = false;
    for (size_t i = 0; i < ordine.size(); ++i) {
      dopo_il_guasto = dopo_il_guasto || ordine[i] == caso.file;
      EXPECT_EQ(disco.file.at(ordine[i]), dopo_il_guasto ? precedenti.at(ordine[i]) : nuovi[i]) << ordine[i];
    }
    EXPECT_EQ(disco.file.size(), 3u);
  }
}

TEST(ScritturaBinari, SenzaScriviFileIlProfiloNonVieneToccato) {
  for (bool esistente : {false, true}) {
    SCOPED_TRACE(esistente);
    Stato s = stato_di_prova();
    s.scrivi_file = 0;
    DiscoMemoria disco;
    if (esistente) disco.file[profilo] = "profilo di prima";
    scrivi_file_binari(s, disco, file_in(cartella));
    EXPECT_EQ(disco.esiste(profilo), esistente);
    if (esistente) {
      EXPECT_EQ(disco.file.at(profilo), "profilo di prima");
    }
    for (const std::string& op : disco.registro) EXPECT_THAT(op, ::testing::Not(::testing::HasSubstr("linea.dat")));
    EXPECT_EQ(disco.file.at(sim), serializza_stazioni(s.stazioni));
    EXPECT_EQ(disco.file.at(dat), serializza_celle(s.celle));
  }
}

std::vector<std::string> nomi_in(const std::filesystem::path& cartella) {
  std::vector<std::string> nomi;
  for (const auto& e : std::filesystem::directory_iterator(cartella)) nomi.push_back(e.path().filename().string());
  std::sort(nomi.begin(), nomi.end());
  return nomi;
}

TEST(ScritturaBinariSuDisco, SostituisceIFileLunghiDiPrimaConQuelliNuovi) {
  CartellaTemporanea dir;
  for (const char* n : {"R_linea.dat", "R_T.sim", "R_T.dat"}) test::scrivi_file(dir / n, std::string(500000, 'v'));
  Stato s = stato_di_prova();
  DiscoFile disco;
  scrivi_file_binari(s, disco, file_in(dir.percorso()));
  EXPECT_EQ(test::leggi_file(dir / "R_linea.dat"), serializza_profilo(s.profilo_linea));
  EXPECT_EQ(test::leggi_file(dir / "R_T.sim"), serializza_stazioni(s.stazioni));
  EXPECT_EQ(test::leggi_file(dir / "R_T.dat"), serializza_celle(s.celle));
  EXPECT_THAT(nomi_in(dir.percorso()), ElementsAre("R_T.dat", "R_T.sim", "R_linea.dat"));
}

#ifndef _WIN32
// The file size limit makes the kernel stop a write part-way, as a full disk
// does: the profile (about 200 kB here) cannot be completed.
TEST(ScritturaBinariSuDisco, UnaScritturaInterrottaNonTroncaIlFileDiPrima) {
  CartellaTemporanea dir;
  test::scrivi_file(dir / "R_linea.dat", "profilo di prima");
  Stato s = stato_di_prova(10000);
  DiscoFile disco;

  rlimit prima{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &prima), 0);
  rlimit limite = prima;
  limite.rlim_cur = 65536;
  auto segnale = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limite), 0);
  EXPECT_THROW(scrivi_file_binari(s, disco, file_in(dir.percorso())), ErroreEsecuzione);
  setrlimit(RLIMIT_FSIZE, &prima);
  std::signal(SIGXFSZ, segnale);

  EXPECT_EQ(test::leggi_file(dir / "R_linea.dat"), "profilo di prima");
  EXPECT_THAT(nomi_in(dir.percorso()), ElementsAre("R_linea.dat"));
}
#endif

}  // namespace
}  // namespace scenario
