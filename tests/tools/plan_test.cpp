// The plan of a line: scenario plan.

#include <gtest/gtest.h>

#include <string>

#include "support/cartella_temporanea.h"
#include "tools/binari_prova.h"
#include "tools/strumento.h"

namespace scenario::test {
namespace {

TEST(Plan, PiantaBenFormataConStazioniCartelliChilometriELegenda) {
  CartellaTemporanea dir;
  scrivi_binari_prova(dir.percorso());
  const auto svg = dir / "pianta.svg";
  const auto e = esegui_strumento({"plan", "--route", "Prova", "--train", "1", "--in", dir.percorso().string(), "-o", svg.string()});
  ASSERT_EQ(e.stato, 0) << e.uscita;
  const auto x = esegui_xml(svg);
  if (!x) GTEST_SKIP() << "python3 mancante";
  const std::string& analisi = *x;
  EXPECT_EQ(analisi.rfind("True ", 0), 0u) << analisi;
  for (const char* atteso : {"PRIMA", "PASSO DEL LUPO", "km 0", "km 10", "segnale", "avviso di rallentamento", "60"})
    EXPECT_NE(analisi.find(atteso), std::string::npos) << atteso << "\n" << analisi;
  // The signal and the station carry their position as a tooltip.
  const std::string testo = leggi_file(svg);
  EXPECT_NE(testo.find("<title>segnale a 1400 m: valore1 43, valore2 11"), std::string::npos);
}

TEST(Plan, SenzaProfiloOConFileRottiSiFermaConUnMessaggio) {
  CartellaTemporanea dir;
  scrivi_binari_prova(dir.percorso());
  std::filesystem::remove(dir / "Prova_linea.dat");
  const auto svg = (dir / "pianta.svg").string();
  const auto e = esegui_strumento({"plan", "--route", "Prova", "--train", "1", "--in", dir.percorso().string(), "-o", svg});
  EXPECT_EQ(e.stato, 2);
  EXPECT_NE(e.uscita.find("manca il profilo"), std::string::npos) << e.uscita;

  scrivi_binari_prova(dir.percorso());
  scrivi_file(dir / "Prova_1.dat", "troppo corto");
  const auto r = esegui_strumento({"plan", "--route", "Prova", "--train", "1", "--in", dir.percorso().string(), "-o", svg});
  EXPECT_EQ(r.stato, 2);
  EXPECT_NE(r.uscita.find("Prova_1.dat"), std::string::npos) << r.uscita;
  EXPECT_FALSE(std::filesystem::exists(svg));
}

// Needs the line and train parsers.
TEST(Plan, PiantaDelloScenarioPulitoCompilato) {
  CartellaTemporanea dir;
  prepara_testi("pulito", dir.percorso(), "Prova", "1");
  ASSERT_EQ(esegui_strumento({"compile", "--route", "Prova", "--train", "1", "--in", dir.percorso().string()}).stato, 0);
  const auto svg = dir / "pianta.svg";
  ASSERT_EQ(esegui_strumento({"plan", "--route", "Prova", "--train", "1", "--in", dir.percorso().string(), "-o", svg.string()}).stato, 0);
  const auto x = esegui_xml(svg);
  if (!x) GTEST_SKIP() << "python3 mancante";
  const std::string& analisi = *x;
  EXPECT_EQ(analisi.rfind("True ", 0), 0u) << analisi;
  for (const char* atteso : {"PRIMA CENTRALE", "SECONDA", "PASSO DEL LUPO"})
    EXPECT_NE(analisi.find(atteso), std::string::npos) << atteso;
}

}  // namespace
}  // namespace scenario::test
