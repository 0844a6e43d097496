// Finding a scenario in a folder: the installed names, with the route and
// train taken from them when they are the only ones, or a payload folder.

#include "autore/ingressi.h"

#include <gtest/gtest.h>

#include <string>

#include "cli/errore_strumento.h"
#include "platform/disco_file.h"
#include "support/cartella_temporanea.h"

namespace scenario::strumenti {
namespace {

using test::CartellaTemporanea;
using test::scrivi_file;

std::string errore_di(const Percorso& dir, const std::string& linea = {}, const std::string& treno = {}) {
  DiscoFile disco;
  try {
    trova_testi(disco, dir, linea, treno);
  } catch (const ErroreStrumento& e) {
    return e.what();
  }
  return "nessun errore";
}

TEST(Ingressi, INomiInstallatiDannoLineaETreno) {
  CartellaTemporanea dir;
  scrivi_file(dir / "Valle_Alta_linea.txt", "[generale]\r\n");
  scrivi_file(dir / "Valle_Alta_12-A-.txt", "[generale]\r\n");
  scrivi_file(dir / "Valle_Alta_12-A_scheda_treno.txt", "SCHEDA\r\n");
  DiscoFile disco;
  const TestiAutore t = trova_testi(disco, dir.percorso(), "", "");
  EXPECT_EQ(t.nome_linea, "Valle_Alta");
  EXPECT_EQ(t.numero_treno, "12-A");
  EXPECT_FALSE(t.carico);
  EXPECT_EQ(t.file_treno, dir / "Valle_Alta_12-A-.txt");
  ASSERT_TRUE(t.file_scheda);
  EXPECT_EQ(t.scheda, "SCHEDA\r\n");

  // A second train makes the train ambiguous, not the route.
  scrivi_file(dir / "Valle_Alta_13-.txt", "[generale]\r\n");
  EXPECT_EQ(errore_di(dir.percorso()), "più di una descrizione del treno in " + dir.percorso().string() +
                                           ": Valle_Alta_12-A-.txt, Valle_Alta_13-.txt; indicare --train");
  EXPECT_EQ(trova_testi(disco, dir.percorso(), "", "13").numero_treno, "13");
  scrivi_file(dir / "Monte_linea.txt", "[generale]\r\n");
  EXPECT_NE(errore_di(dir.percorso()).find("più di una descrizione della linea"), std::string::npos);
  EXPECT_EQ(errore_di(dir.percorso(), "Monte"),
            "nessuna descrizione del treno in " + dir.percorso().string() +
                " (né Monte_...-.txt né una cartella di carico con linea.txt e treno.txt)");
}

TEST(Ingressi, UnaCartellaDiCaricoEConvertitaComeNellaBuild) {
  CartellaTemporanea dir;
  scrivi_file(dir / "linea.txt", "[generale]\nsfondo uno, 1\n");
  scrivi_file(dir / "treno.txt", "[generale]\nstazione, CITT\xC3\x80\n");
  DiscoFile disco;
  const TestiAutore t = trova_testi(disco, dir.percorso(), "", "");
  EXPECT_TRUE(t.carico);
  EXPECT_EQ(t.nome_linea, "R");
  EXPECT_EQ(t.numero_treno, "T");
  EXPECT_EQ(t.treno, "[generale]\r\nstazione, CITT\xC0\r\n");
  EXPECT_FALSE(t.file_scheda);

  scrivi_file(dir / "treno.txt", "[generale]\nstazione, CITT\xC0\n");
  EXPECT_EQ(errore_di(dir.percorso()),
            (dir / "treno.txt").string() + ", riga 2: testo non UTF-8 valido (la build lo rifiuta)");
  std::filesystem::remove(dir / "treno.txt");
  EXPECT_EQ(errore_di(dir.percorso()), "file mancante: " + (dir / "treno.txt").string());
}

TEST(Ingressi, SenzaTestiOConNomiNonValidi) {
  CartellaTemporanea dir;
  EXPECT_EQ(errore_di(dir.percorso()), "nessuna descrizione della linea in " + dir.percorso().string() +
                                           " (né ..._linea.txt né una cartella di carico con linea.txt e treno.txt)");
  EXPECT_EQ(errore_di(dir / "assente"), "cartella inesistente o non leggibile: " + (dir / "assente").string());
  EXPECT_NE(errore_di(dir.percorso(), "../x", "1").find("non puo' contenere"), std::string::npos);
}

}  // namespace
}  // namespace scenario::strumenti
