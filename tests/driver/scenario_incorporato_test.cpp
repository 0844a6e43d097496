// The scenario this installer carries, compiled as a run compiles it.

#include <gtest/gtest.h>

#include "compiler/records.h"
#include "driver/form1.h"
#include "support/disco_memoria.h"

namespace scenario {
namespace {

class ScenarioIncorporato : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    disco_ = new test::DiscoMemoria;
    form_ = new Form1(payload_incorporato(), Servizi{*disco_, "/gioco", [] { return std::make_unique<Finestra>(); },
                                                     [](const std::string& t) { ADD_FAILURE() << t; }});
    uscita_ = form_->Form_Load();
  }
  static void TearDownTestSuite() {
    delete form_;
    delete disco_;
  }
  const Stato& s() const { return form_->stato(); }

  static inline test::DiscoMemoria* disco_ = nullptr;
  static inline Form1* form_ = nullptr;
  static inline Uscita uscita_{};
};

TEST_F(ScenarioIncorporato, NessunProblema) {
  EXPECT_EQ(uscita_, Uscita::ok);
  EXPECT_EQ(s().codice_errore, 0);
  EXPECT_TRUE(s().problemi.empty());
  EXPECT_EQ(s().celle.ultimo_indice(), 2860);
}

TEST_F(ScenarioIncorporato, PrimoSegnaleEPrimaStazione) {
  const cella& c = s().celle[29];
  EXPECT_EQ(c.codice, codice_cella::segnale);
  EXPECT_EQ(c.valore1, 43);
  EXPECT_EQ(c.valore2, 11);
  EXPECT_EQ(c.valore3, 0);
  EXPECT_EQ(c.valore4, 4);
  EXPECT_EQ(s().celle[27].avvicinamento, 41);
  EXPECT_EQ(s().celle[25].avvicinamento, 42);
  EXPECT_EQ(s().celle[23].avvicinamento, 43);
  EXPECT_EQ(s().celle[21].avvicinamento, 44);
  // The station's zone, marks and stop cell.
  const stazione& st = s().stazioni[1];
  EXPECT_EQ(st.nome, "BELMORA CENTRALE");
  EXPECT_EQ(st.inizio_zona, -800);
  EXPECT_EQ(st.fine_zona, 800);
  EXPECT_EQ(st.orario, 31200);
  EXPECT_EQ(s().celle[15].codice, codice_cella::fermata);
  EXPECT_EQ(s().celle[15].valore1, 1);
  for (int i = 1; i <= 4; ++i) EXPECT_EQ(s().celle[15 - i].avvicinamento, 80 + i);
}

TEST_F(ScenarioIncorporato, ValoriDelloScenario) {
  const auto& st = s().stazioni;
  EXPECT_EQ(st[84].inizio_zona, 100);
  EXPECT_EQ(st[84].fine_zona, 136000);
  EXPECT_EQ(st[84].posizione_stazione, 2);
  EXPECT_EQ(st[85].inizio_zona, 1);
  EXPECT_EQ(st[85].fine_zona, 0);
  EXPECT_EQ(st[85].posizione_stazione, 0);
  EXPECT_EQ(st[85].nome, "Belmora_Solvenzia");
  EXPECT_EQ(st[85].campo7, 610);
  EXPECT_EQ(st[86].inizio_zona, 0);
  EXPECT_EQ(st[86].fine_zona, 43500);
  EXPECT_EQ(st[86].posizione_stazione, 4);
  EXPECT_EQ(st[86].nome, "4816-4817");
  EXPECT_EQ(st[86].campo7, 0);
  EXPECT_EQ(st[86].campo10, 8);
  EXPECT_EQ(st[86].campo11, 39);
  EXPECT_EQ(st[86].campo12, 30);
  for (int k = 81; k <= 83; ++k) EXPECT_EQ(st[k], stazione{}) << k;
  // Contest codes of "4816-4817" and "Belmora_Solvenzia".
  EXPECT_EQ(st[85].orario, 32700);
  EXPECT_EQ(s().celle[1].valore1, 5121);
  EXPECT_EQ(s().celle[1].valore2, 2191);
}

TEST_F(ScenarioIncorporato, FileScritti) {
  EXPECT_EQ(disco_->file["/gioco/Belmora_Solvenzia_linea.dat"].size(), 2859964u);
  EXPECT_EQ(disco_->file["/gioco/Belmora_Solvenzia_4816-4817.dat"].size(), 42915u);
  EXPECT_FALSE(disco_->esiste("/gioco/Belmora_Solvenzia_linea.txt"));
  EXPECT_FALSE(disco_->esiste("/gioco/Belmora_Solvenzia_4816-4817-.txt"));
}

}  // namespace
}  // namespace scenario
