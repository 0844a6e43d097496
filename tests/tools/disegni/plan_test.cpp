// The plan of a line: scenario plan.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "tools/scenari_vista.h"
#include "tools/verifiche_svg.h"

namespace scenario::test {
namespace {

double distanza(const nlohmann::json& a, const nlohmann::json& b) {
  return std::hypot(a["luogo"][0].get<double>() - b["luogo"][0].get<double>(),
                    a["luogo"][1].get<double>() - b["luogo"][1].get<double>());
}

bool finisce_con(const std::string& s, const std::string& fine) {
  return s.size() >= fine.size() && s.compare(s.size() - fine.size(), fine.size(), fine) == 0;
}

TEST(Plan, DaiBinariStazioniCartelliChilometriETitoliConIValori) {
  const auto d = disegna_prova(Prova::binari, "plan", "pianta.svg");
  ASSERT_EQ(d->esecuzione.stato, 0) << d->esecuzione.uscita;
  const auto a = analizza_svg(d->file);
  if (!a) GTEST_SKIP() << "python3 mancante";
  const std::string testi = testi_uniti(*a);
  for (const char* atteso :
       {"PRIMA|", "PASSO DEL LUPO|", "km 0|", "km 10|", "60|", "segnale|", "avviso di rallentamento|"})
    EXPECT_NE(testi.find(atteso), std::string::npos) << atteso << "\n" << testi;
  // The signal's aspects as written (sx 1, s1 4, s2 1, s3 0, rapp 0, dx 1, d1 3, d2 1, d3 0), not as the cell codes
  // them.
  const auto segnale = segni(*a, "segnale", "segnale a 1400 m: sx 1, s1 4, s2 1, s3 0, rapp 0, dx 1, d1 3, d2 1, d3 0");
  EXPECT_EQ(segnale.size(), 1u);
  // Without the texts, nothing says where a feature was described.
  for (const auto& x : (*a)["segni"]) EXPECT_EQ(x["titolo"].get<std::string>().find(".txt:"), std::string::npos);
}

TEST(Plan, SenzaProfiloOConFileRottiSiFermaConUnMessaggio) {
  CartellaTemporanea dir;
  const ScenarioDiProva s = prepara(Prova::binari, dir);
  std::filesystem::remove(dir / "Prova_linea.dat");
  const auto svg = dir / "pianta.svg";
  const auto e = disegna("plan", s, svg);
  EXPECT_EQ(e.stato, 2);
  EXPECT_NE(e.uscita.find("manca il profilo"), std::string::npos) << e.uscita;

  scrivi_binari_prova(dir.percorso());
  scrivi_file(dir / "Prova_1.dat", "troppo corto");
  const auto r = disegna("plan", s, svg);
  EXPECT_EQ(r.stato, 2);
  EXPECT_NE(r.uscita.find("Prova_1.dat"), std::string::npos) << r.uscita;
  EXPECT_FALSE(std::filesystem::exists(svg));
}

// SOLVENZIA CENTRALE lies 2 km past the line's end (136 km), SOLVENZIA BASSA
// 2 km before it: the three points are distinct, in that order.
TEST(Plan, UnaStazioneOltreLaFineStaDoveLaMetteIlProfilo) {
  const auto d = disegna_prova(Prova::incorporato, "plan", "pianta.svg");
  ASSERT_EQ(d->esecuzione.stato, 0) << d->esecuzione.uscita;
  const auto a = analizza_svg(d->file);
  if (!a) GTEST_SKIP() << "python3 mancante";
  const auto centrale = segni(*a, "stazione", "stazione SOLVENZIA CENTRALE a 138000 m");
  const auto bassa = segni(*a, "stazione", "stazione SOLVENZIA BASSA a 134000 m");
  const auto fine = segni(*a, "fine_linea");
  ASSERT_EQ(centrale.size(), 1u);
  ASSERT_EQ(bassa.size(), 1u);
  ASSERT_EQ(fine.size(), 1u);
  EXPECT_GT(distanza(centrale[0], fine[0]), 5);
  EXPECT_GT(distanza(centrale[0], bassa[0]), distanza(fine[0], bassa[0]));
}

// Compiled from the texts, each mark's title ends with the record it came
// from: a signal and a board by their cells, a station by its stop cell, and
// one of a kind that marks no stop cell by its name.
TEST(Plan, DaiTestiOgniSegnoDiceDoveEDescritto) {
  const auto d = disegna_prova(Prova::incorporato, "plan", "pianta.svg");
  ASSERT_EQ(d->esecuzione.stato, 0) << d->esecuzione.uscita;
  const auto a = analizza_svg(d->file);
  if (!a) GTEST_SKIP() << "python3 mancante";
  struct Atteso {
    const char* genere;
    const char* titolo;
    const char* luogo;
  };
  for (const Atteso& x : {Atteso{"segnale", "segnale a 1400 m", "treno.txt:65"},
                          Atteso{"indicatori", "indicatori di velocità massima a 1300 m", "linea.txt:249"},
                          Atteso{"stazione", "stazione BELMORA CENTRALE a 0 m", "treno.txt:38"},
                          Atteso{"stazione", "stazione CASCINE DI BELMORA a 9600 m", "treno.txt:40"}}) {
    const auto trovati = segni(*a, x.genere, x.titolo);
    ASSERT_EQ(trovati.size(), 1u) << x.titolo;
    const std::string titolo = trovati[0]["titolo"];
    EXPECT_TRUE(finisce_con(titolo, std::string("payload/") + x.luogo)) << titolo;
  }
}

TEST(Plan, PiantaDelloScenarioPulitoCompilato) {
  CartellaTemporanea dir;
  prepara_testi("pulito", dir.percorso(), "Prova", "1");
  ASSERT_EQ(esegui_strumento({"compile", "--route", "Prova", "--train", "1", "--in", dir.percorso().string()}).stato,
            0);
  const auto svg = dir / "pianta.svg";
  ASSERT_EQ(esegui_strumento(
                {"plan", "--route", "Prova", "--train", "1", "--in", dir.percorso().string(), "-o", svg.string()})
                .stato,
            0);
  const auto a = analizza_svg(svg);
  if (!a) GTEST_SKIP() << "python3 mancante";
  const std::string testi = testi_uniti(*a);
  for (const char* atteso : {"PRIMA CENTRALE", "SECONDA", "PASSO DEL LUPO"})
    EXPECT_NE(testi.find(atteso), std::string::npos) << atteso;
}

}  // namespace
}  // namespace scenario::test
