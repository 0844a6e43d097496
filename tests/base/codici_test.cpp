// The table of codes: complete entries, one per code, the failure texts the
// installer shows, and the README's tables in step with it.

#include "base/codici.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <utility>

#include "base/errori.h"
#include "support/testo_semplice.h"

namespace scenario {
namespace {

using test::testo_semplice;

TEST(Codici, OgniVoceHaSignificatoESuggerimentoEUnSoloPosto) {
  std::set<std::pair<Famiglia, int32_t>> visti;
  std::pair<Famiglia, int32_t> precedente{Famiglia::problema, 0};
  for (const Codice& c : tabella_codici()) {
    SCOPED_TRACE(c.numero);
    EXPECT_TRUE(testo_semplice(c.significato));
    EXPECT_TRUE(testo_semplice(c.suggerimento));
    EXPECT_TRUE(visti.insert({c.famiglia, c.numero}).second) << "codice ripetuto";
    // By kind, then by number: the order the authors' listing follows.
    EXPECT_LT(precedente, std::pair(c.famiglia, c.numero));
    precedente = {c.famiglia, c.numero};
    EXPECT_EQ(cerca_codice(c.famiglia, c.numero), &c);
  }
  EXPECT_EQ(visti.size(), 29u + 2u + 12u);
}

TEST(Codici, UnNumeroValeSoloNellaSuaFamiglia) {
  EXPECT_EQ(cerca_codice(Famiglia::problema, 14), nullptr);
  EXPECT_EQ(cerca_codice(Famiglia::problema, 23), nullptr);
  EXPECT_EQ(cerca_codice(Famiglia::problema, 1250), nullptr);
  EXPECT_EQ(cerca_codice(Famiglia::guasto, problema::errore_esecuzione), nullptr);
  EXPECT_EQ(cerca_codice(Famiglia::numerato, 1252), nullptr);
  // Problem 13 and failure 13 are different codes.
  EXPECT_STRNE(cerca_codice(Famiglia::problema, 13)->significato, cerca_codice(Famiglia::guasto, 13)->significato);
}

// What the installer shows for each failure, to the byte.
TEST(Codici, IGuastiHannoIlTestoCheLInstallatoreMostra) {
  const std::pair<Guasto, const char*> attesi[] = {
      {Guasto::argomento_non_valido, "Errore di run-time '5': Chiamata di routine o argomento non valido"},
      {Guasto::overflow, "Errore di run-time '6': Overflow"},
      {Guasto::memoria_esaurita, "Errore di run-time '7': Memoria esaurita"},
      {Guasto::indice_fuori_intervallo, "Errore di run-time '9': Indice non compreso nell'intervallo"},
      {Guasto::tipo_non_corrispondente, "Errore di run-time '13': Tipo non corrispondente"},
      {Guasto::file_non_trovato, "Errore di run-time '53': Impossibile trovare il file"},
      {Guasto::cartella_in_uso, "Errore di run-time '55': Cartella in uso da un'altra esecuzione"},
      {Guasto::file_binari_incompleti, "Errore di run-time '57': File binari incompleti: eseguire di nuovo"},
      {Guasto::disco_pieno, "Errore di run-time '61': Disco pieno"},
      {Guasto::input_oltre_fine_file, "Errore di run-time '62': Input oltre la fine del file"},
      {Guasto::permesso_negato, "Errore di run-time '70': Autorizzazione negata"},
      {Guasto::errore_accesso, "Errore di run-time '75': Errore di accesso al percorso/file"},
  };
  for (const auto& [g, testo] : attesi) {
    EXPECT_EQ(ErroreEsecuzione(g).what(), std::string(testo));
    EXPECT_NE(cerca_codice(Famiglia::guasto, static_cast<int32_t>(g)), nullptr) << testo;
  }
  EXPECT_STREQ(ErroreEsecuzione(Guasto::tipo_non_corrispondente, "abc").what(),
               "Errore di run-time '13': Tipo non corrispondente (abc)");
}

TEST(Codici, IlReadmeRiportaOgniCodiceComeLaTabella) {
  std::ifstream in(README_PROGETTO);
  ASSERT_TRUE(in) << README_PROGETTO;
  std::stringstream testo;
  testo << in.rdbuf();
  const std::string readme = testo.str();
  const size_t inizio = readme.find("\n## Problem codes\n");
  ASSERT_NE(inizio, std::string::npos);
  const std::string sezione = readme.substr(inizio, readme.find("\n## ", inizio + 1) - inizio);
  for (const Codice& c : tabella_codici()) {
    const std::string riga =
        "\n| " + std::to_string(c.numero) + " | " + c.significato + " | " + c.suggerimento + " |\n";
    EXPECT_NE(sezione.find(riga), std::string::npos) << "manca nel README:" << riga;
  }
}

}  // namespace
}  // namespace scenario
