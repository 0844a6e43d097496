// How the three binary files reach the disk: written and flushed under
// provisional names, then moved over the earlier ones as one set, whatever
// fails on the way.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "base/errori.h"
#include "compiler/binario.h"
#include "compiler/stato.h"
#include "platform/disco_file.h"
#include "support/cartella_temporanea.h"
#include "support/disco_memoria.h"

#ifndef _WIN32
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#endif

namespace scenario {
namespace {

using test::CartellaTemporanea;
using test::DiscoMemoria;
using ::testing::ElementsAre;

Stato stato_di_prova(int32_t ultimo_metro = 300) {
  Stato s;
  s.nome_linea = "R";
  s.numero_treno = "T";
  s.scrivi_file = 1;
  s.celle.dimensiona(ultimo_metro / 50);
  s.celle[1].valore1 = 5121;
  s.profilo_linea.dimensiona(ultimo_metro);
  s.profilo_linea.inizia();
  s.profilo_linea.avanza_fino_a(ultimo_metro / 2, 0.001, true);
  s.profilo_linea.avanza_fino_a(ultimo_metro - 2, 0.0, false);
  s.stazioni[1].nome = "BELMORA";
  s.stazioni[85].campo7 = 610;
  return s;
}

const Percorso cartella = "/c";
// The three files under the names the run gives them.
FileBinari file_in(const Percorso& c) { return {c / "R_linea.dat", c / "R_T.sim", c / "R_T.dat"}; }
const std::string profilo = "/c/R_linea.dat", sim = "/c/R_T.sim", dat = "/c/R_T.dat";
const std::vector<std::string> insieme = {profilo, sim, dat};

// The files of an earlier run, longer than the new ones.
void file_precedenti(DiscoMemoria& disco) {
  for (const auto& p : insieme) disco.file[p] = std::string(200000, 'v') + p;
}

std::vector<std::string> nuovi_di(const Stato& s) {
  return {serializza_profilo(s.profilo_linea), serializza_stazioni(s.stazioni), serializza_celle(s.celle)};
}

TEST(ScritturaBinari, TuttiScrittiEFissatiPrimaDiSpostarliInUnSoloTratto) {
  Stato s = stato_di_prova();
  DiscoMemoria disco;
  file_precedenti(disco);
  scrivi_file_binari(s, disco, file_in(cartella));

  EXPECT_EQ(disco.file.at(profilo), serializza_profilo(s.profilo_linea));
  EXPECT_EQ(disco.file.at(sim), serializza_stazioni(s.stazioni));
  EXPECT_EQ(disco.file.at(dat), serializza_celle(s.celle));
  EXPECT_EQ(disco.file.size(), 3u);  // no provisional file left
  // All three written, then all flushed, before the first rename; nothing
  // but renames between the first rename and the last: the earlier files
  // aside, then the new ones in, then the directory to the device.
  EXPECT_THAT(
      disco.registro,
      ElementsAre("crea R_linea.dat.1.0.tmp", "crea R_T.sim.1.1.tmp", "crea R_T.dat.1.2.tmp",
                  "scrivi R_linea.dat.1.0.tmp", "scrivi R_T.sim.1.1.tmp", "scrivi R_T.dat.1.2.tmp",
                  "sincronizza R_linea.dat.1.0.tmp", "sincronizza R_T.sim.1.1.tmp", "sincronizza R_T.dat.1.2.tmp",
                  "rinomina R_linea.dat R_linea.dat.1.3.tmp", "rinomina R_T.sim R_T.sim.1.4.tmp",
                  "rinomina R_T.dat R_T.dat.1.5.tmp", "rinomina R_linea.dat.1.0.tmp R_linea.dat",
                  "rinomina R_T.sim.1.1.tmp R_T.sim", "rinomina R_T.dat.1.2.tmp R_T.dat", "sincronizza c/",
                  "elimina R_linea.dat.1.3.tmp", "elimina R_T.sim.1.4.tmp", "elimina R_T.dat.1.5.tmp"));
}

TEST(ScritturaBinari, IProvvisoriDiUnaCorsaMortaVengonoTolti) {
  Stato s = stato_di_prova();
  DiscoMemoria disco;
  for (const char* rimasto : {"/c/R_T.dat.4242.0.tmp", "/c/R_T.sim.4242.7.tmp", "/c/R_linea.dat.1.3.tmp"})
    disco.file[rimasto] = std::string(100000, 'x');
  // Not of this program's making, though close.
  for (const char* altro : {"/c/R_T.dat.tmp", "/c/R_T.dat.4242.tmp", "/c/R_T.dat.a.1.tmp", "/c/R_T.dat.1.1.bak",
                            "/c/R_T.datx.1.1.tmp", "/c/altra/R_T.dat.1.1.tmp"})
    disco.file[altro] = "dell'autore";
  scrivi_file_binari(s, disco, file_in(cartella));
  EXPECT_EQ(disco.file.at(dat), serializza_celle(s.celle));
  std::vector<std::string> rimasti;
  for (const auto& [p, byte] : disco.file) rimasti.push_back(p);
  EXPECT_THAT(rimasti, ElementsAre("/c/R_T.dat", "/c/R_T.dat.1.1.bak", "/c/R_T.dat.4242.tmp", "/c/R_T.dat.a.1.tmp",
                                   "/c/R_T.dat.tmp", "/c/R_T.datx.1.1.tmp", "/c/R_T.sim", "/c/R_linea.dat",
                                   "/c/altra/R_T.dat.1.1.tmp"));
}

// The whole set or none of it: a failure at any step (the directory's flush
// after the renames included), with or without an earlier set and with or
// without the profile, leaves every final name as it was before (the earlier
// file, or none); only a run with no failure leaves the new set. No
// provisional file stays either way.
TEST(ScritturaBinari, UnGuastoAOgniPassoLasciaTuttoIlVecchioInsiemeOTuttoIlNuovo) {
  for (bool precedenti : {true, false}) {
    for (int32_t scrivi_file : {1, 0}) {
      bool completato = false;
      for (size_t passo = 1; !completato; ++passo) {
        SCOPED_TRACE("precedenti " + std::to_string(precedenti) + " scrivi_file " + std::to_string(scrivi_file) +
                     " passo " + std::to_string(passo));
        Stato s = stato_di_prova();
        s.scrivi_file = scrivi_file;
        DiscoMemoria disco;
        if (precedenti) file_precedenti(disco);
        const auto prima = disco.file;
        disco.passi_che_falliscono = {passo};
        bool guasto = false;
        try {
          scrivi_file_binari(s, disco, file_in(cartella));
        } catch (const ErroreEsecuzione& e) {
          guasto = true;
          EXPECT_NE(e.guasto(), Guasto::file_binari_incompleti);
        }
        completato = disco.passi < passo;
        EXPECT_EQ(guasto, !completato);
        const std::vector<std::string> nuovi = nuovi_di(s);
        for (size_t i = 0; i < insieme.size(); ++i) {
          const bool toccato = completato && (i > 0 || scrivi_file != 0);
          auto atteso = toccato ? std::optional(nuovi[i]) : std::nullopt;
          if (!toccato && prima.count(insieme[i])) atteso = prima.at(insieme[i]);
          const auto it = disco.file.find(insieme[i]);
          EXPECT_EQ(it == disco.file.end() ? std::nullopt : std::optional(it->second), atteso) << insieme[i];
        }
        for (const auto& [p, byte] : disco.file) EXPECT_FALSE(p.ends_with(".tmp")) << p;
        ASSERT_LT(passo, 100u);
      }
    }
  }
}

// A rename that fails, and then its undoing too: the set is left as it
// stands, never with an earlier file beside a new one, and the failure says
// so.
TEST(ScritturaBinari, SeAncheLAnnullamentoFallisceLInsiemeEDichiaratoIncompleto) {
  Stato s = stato_di_prova();
  DiscoMemoria pulito;
  file_precedenti(pulito);
  scrivi_file_binari(s, pulito, file_in(cartella));
  std::vector<size_t> rinomine;  // the steps that are renames
  for (size_t i = 0; i < pulito.passi_fatti.size(); ++i)
    if (pulito.passi_fatti[i].starts_with("rinomina")) rinomine.push_back(i + 1);
  ASSERT_EQ(rinomine.size(), 6u);

  const std::vector<std::string> nuovi = nuovi_di(s);
  for (size_t k = 0; k < rinomine.size(); ++k) {
    SCOPED_TRACE("rinomina " + std::to_string(k + 1));
    DiscoMemoria disco;
    file_precedenti(disco);
    const auto prima = disco.file;
    // The rename, and the first move back that follows it.
    disco.passi_che_falliscono = {rinomine[k], rinomine[k] + 1};
    try {
      scrivi_file_binari(s, disco, file_in(cartella));
      ADD_FAILURE() << "nessun guasto";
    } catch (const ErroreEsecuzione& e) {
      // The first rename has nothing to undo.
      EXPECT_EQ(e.guasto() == Guasto::file_binari_incompleti, k > 0) << e.what();
    }
    size_t vecchi = 0, nuovi_presenti = 0;
    for (size_t i = 0; i < insieme.size(); ++i) {
      const auto it = disco.file.find(insieme[i]);
      if (it == disco.file.end()) continue;
      if (it->second == prima.at(insieme[i])) ++vecchi;
      if (it->second == nuovi[i]) ++nuovi_presenti;
    }
    EXPECT_TRUE(vecchi == 0 || nuovi_presenti == 0) << vecchi << " vecchi, " << nuovi_presenti << " nuovi";
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
// does: the profile (about 200 kB here) cannot be completed, and the other
// two files keep their earlier bytes too.
TEST(ScritturaBinariSuDisco, UnaScritturaInterrottaNonToccaNessunFileDiPrima) {
  CartellaTemporanea dir;
  for (const char* n : {"R_linea.dat", "R_T.sim", "R_T.dat"}) test::scrivi_file(dir / n, std::string("prima ") + n);
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

  for (const char* n : {"R_linea.dat", "R_T.sim", "R_T.dat"})
    EXPECT_EQ(test::leggi_file(dir / n), std::string("prima ") + n);
  EXPECT_THAT(nomi_in(dir.percorso()), ElementsAre("R_T.dat", "R_T.sim", "R_linea.dat"));
}

// A link left at a provisional name (a dangling one, pointing outside) is
// passed over: its target is never created and the link stays as it was.
TEST(ScritturaBinariSuDisco, UnCollegamentoAlNomeProvvisorioNonVieneSeguito) {
  CartellaTemporanea dir, fuori;
  std::vector<std::filesystem::path> collegamenti;
  for (const char* n : {"R_linea.dat", "R_T.sim", "R_T.dat"}) {
    collegamenti.push_back(dir / (std::string(n) + ".tmp"));
    for (int i = 0; i < 12; ++i)
      collegamenti.push_back(dir /
                             (std::string(n) + "." + std::to_string(getpid()) + "." + std::to_string(i) + ".tmp"));
  }
  for (size_t i = 0; i < collegamenti.size(); ++i)
    std::filesystem::create_symlink(fuori / ("bersaglio" + std::to_string(i)), collegamenti[i]);

  Stato s = stato_di_prova();
  DiscoFile disco;
  scrivi_file_binari(s, disco, file_in(dir.percorso()));

  EXPECT_EQ(test::leggi_file(dir / "R_T.dat"), serializza_celle(s.celle));
  EXPECT_TRUE(std::filesystem::is_empty(fuori.percorso()));
  for (const auto& c : collegamenti) EXPECT_TRUE(std::filesystem::is_symlink(c)) << c;
  EXPECT_EQ(nomi_in(dir.percorso()).size(), 3u + collegamenti.size());
}
#endif

}  // namespace
}  // namespace scenario
