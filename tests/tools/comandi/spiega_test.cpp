// scenario spiega: every code, warning, note and record kind explained by
// the tool from its own tables.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/codici.h"
#include "compiler/formati.h"
#include "tools/strumento.h"
#include "verifica/avvisi.h"
#include "verifica/problemi_compilazione.h"

namespace scenario::test {
namespace {

TEST(Spiega, OgniVoceColSuoSignificatoEUnaVoceSbagliataColPiuVicino) {
  struct Caso {
    std::vector<std::string> argomenti;
    int stato;
    std::vector<std::string> contiene;
  };
  const Caso casi[] = {
      {{"spiega", "P15"},
       0,
       {"P15: posizione oltre la fine della linea", "problema registrato",
        "suggerimento: ", "record che possono darlo:", "- segnale (descrizione del treno)"}},
      {{"spiega", "e1250"}, 0, {"E1250: ", "errore numerato"}},
      {{"spiega", "w01"}, 0, {"W01: ", "avviso del controllo", "suggerimento: "}},
      {{"spiega", "N05"}, 0, {"N05: ", "nota del controllo"}},
      {{"spiega", "segnale"}, 0, {"### segnale\n", "| N. | Valore | Significato |", "problemi che può dare: "}},
      {{"spiega", "sengale"}, 2, {"voce sconosciuta «sengale»: forse intendevi «segnale»?"}},
      {{"spiega", "P999"}, 2, {"voce sconosciuta «P999»"}},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.argomenti.back());
    const auto e = esegui_strumento(c.argomenti);
    EXPECT_EQ(e.stato, c.stato) << e.uscita;
    for (const std::string& t : c.contiene) EXPECT_NE(e.uscita.find(t), std::string::npos) << t << "\n" << e.uscita;
  }
}

// Without a word, every entry of the tables, each on its line: none is left
// out of what the tool can explain.
TEST(Spiega, LElencoHaOgniCodiceAvvisoNotaERecord) {
  const auto e = esegui_strumento({"spiega"});
  ASSERT_EQ(e.stato, 0) << e.uscita;
  for (const Codice& c : tabella_codici())
    EXPECT_NE(e.uscita.find("\n  " + verifica::identificatore(c) + "  "), std::string::npos) << c.numero;
  for (const verifica::Regola& r : verifica::tabella_regole())
    EXPECT_NE(e.uscita.find("\n  " + verifica::identificatore(r) + "  "), std::string::npos) << r.numero;
  for (const auto* t : {&formato::linea(), &formato::treno()})
    for (const formato::Record* r : t->record)
      EXPECT_NE(e.uscita.find("\n  " + std::string(r->nome) + "  ("), std::string::npos) << r->nome;
}

}  // namespace
}  // namespace scenario::test
