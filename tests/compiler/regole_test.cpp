#include "compiler/regole.h"

#include <gtest/gtest.h>

#include <vector>

#include "base/codici.h"
#include "base/errori.h"
#include "compiler/stato.h"

namespace scenario {
namespace {

using namespace codice_cella;

class Regole : public ::testing::Test {
 protected:
  Regole() { ricomincia(); }

  void ricomincia() {
    stato = Stato{};
    stato.celle.dimensiona(400);
  }

  void metti(int32_t i, uint8_t codice, int16_t valore1 = 0) {
    stato.celle[i].codice = codice;
    stato.celle[i].valore1 = valore1;
  }
  // Start and end of a slowdown.
  void rallentamento(int32_t inizio, int32_t fine, int16_t velocita) {
    metti(inizio, inizio_rallentamento, velocita);
    metti(fine, fine_rallentamento, velocita);
  }
  // Cells holding a marker of value 180.
  std::vector<int32_t> marcatori() const {
    std::vector<int32_t> r;
    const auto& tutte = stato.celle.tutte();
    for (size_t i = 0; i < tutte.size(); ++i)
      if (tutte[i].codice == abbattimento && tutte[i].valore1 == 180) r.push_back(static_cast<int32_t>(i));
    return r;
  }

  Stato stato;
};

using V = std::vector<int32_t>;

TEST_F(Regole, EsempioDelRallentamento) {
  rallentamento(200, 230, 60);
  applica_regole(stato);
  EXPECT_EQ(marcatori(), (V{182, 189, 195, 208, 216, 224}));
  EXPECT_EQ(stato.codice_errore, 0);
  EXPECT_TRUE(stato.problemi.empty());
}

TEST_F(Regole, DaCentoDieciSoloLeTreFinestreENienteB5) {
  rallentamento(200, 230, 110);
  metti(235, segnale);
  applica_regole(stato);
  EXPECT_EQ(marcatori(), (V{182, 189, 195}));

  // Below 110 the same signal gets its marker.
  ricomincia();
  rallentamento(200, 230, 109);
  metti(235, segnale);
  applica_regole(stato);
  EXPECT_EQ(marcatori(), (V{182, 189, 195, 208, 216, 224, 234}));
}

TEST_F(Regole, RipetizioniContateDalMarcatorePosato) {
  struct Caso {
    V occupate;
    V attesi;  // the repeats only
  };
  const Caso casi[] = {
      {{}, {208, 216, 224}},
      {{208}, {207, 215, 223}},       // k - 1, counter 1
      {{207, 208}, {209, 217, 225}},  // k + 1, counter -1
  };
  for (const Caso& c : casi) {
    ricomincia();
    rallentamento(200, 230, 60);
    for (int32_t o : c.occupate) metti(o, fermata);
    applica_regole(stato);
    V attesi{182, 189, 195};
    attesi.insert(attesi.end(), c.attesi.begin(), c.attesi.end());
    EXPECT_EQ(marcatori(), attesi) << c.occupate.size();
    EXPECT_EQ(stato.codice_errore, 0);
  }
}

TEST_F(Regole, RipetizioneSenzaPostoDa13EFermaLaCamminata) {
  rallentamento(200, 230, 60);
  for (int32_t o : {207, 208, 209}) metti(o, fermata);
  stato.origine_cella[200] = {Sorgente::treno, 70, 1};
  applica_regole(stato);
  EXPECT_EQ(marcatori(), (V{182, 189, 195}));
  EXPECT_EQ(stato.codice_errore, problema::regola_ripetizione);
  EXPECT_EQ(stato.posizione_errore, 208 * 50);
  EXPECT_EQ(stato.problemi.back().origine, (Origine{Sorgente::treno, 70, 1}));
}

TEST_F(Regole, LaCamminataFinisceAllaPrimaFineQualunque) {
  rallentamento(200, 230, 60);
  metti(205, fine_rallentamento);  // the end of another slowdown
  metti(210, segnale);
  applica_regole(stato);
  // B5 searches from 205 and marks before the signal at 210; no repeats.
  EXPECT_EQ(marcatori(), (V{182, 189, 195, 209}));
}

TEST_F(Regole, SegnaleDopoLaFine) {
  struct Caso {
    V occupate;
    V dopo;  // markers after the end
    int32_t codice;
  };
  const Caso casi[] = {
      {{}, {234}, 0},
      {{234}, {233}, 0},
      {{233, 234}, {}, problema::regola_ripetizione},
  };
  for (const Caso& c : casi) {
    ricomincia();
    rallentamento(200, 230, 60);
    metti(235, segnale);
    for (int32_t o : c.occupate) metti(o, fermata);
    applica_regole(stato);
    V attesi{182, 189, 195, 208, 216, 224};
    attesi.insert(attesi.end(), c.dopo.begin(), c.dopo.end());
    EXPECT_EQ(marcatori(), attesi);
    EXPECT_EQ(stato.codice_errore, c.codice);
    if (c.codice) {
      EXPECT_EQ(stato.posizione_errore, 230 * 50);  // the end cell, not the signal
    }
  }
}

TEST_F(Regole, SegnaleADodiciCelleDallaFine) {
  rallentamento(200, 230, 60);
  metti(242, segnale);
  applica_regole(stato);
  EXPECT_EQ(marcatori(), (V{182, 189, 195, 208, 216, 224, 241}));
}

TEST_F(Regole, SegnaleOltreTrediciCelleIgnorato) {
  rallentamento(200, 230, 60);
  metti(243, segnale);
  applica_regole(stato);
  EXPECT_EQ(marcatori(), (V{182, 189, 195, 208, 216, 224}));
}

TEST_F(Regole, FinestraSenzaCellaLiberaDa12) {
  rallentamento(200, 230, 60);
  for (int32_t o : {193, 194, 195}) metti(o, fermata);
  stato.origine_cella[200] = {Sorgente::treno, 12, 1};
  applica_regole(stato);
  EXPECT_EQ(marcatori(), (V{182, 189, 208, 216, 224}));
  EXPECT_EQ(stato.codice_errore, problema::regola_inizio);
  EXPECT_EQ(stato.posizione_errore, 200 * 50);
  EXPECT_EQ(stato.problemi.back().origine, (Origine{Sorgente::treno, 12, 1}));
}

TEST_F(Regole, OgniFinestraDaLaCellaDopoLaSuaUltima) {
  // B1 looks back 5 to 7 cells, B2 11 to 13, B3 18 to 20; each applies only
  // to a start above its last cell. Speed 120: no repeats.
  struct Caso {
    int32_t inizio;
    V attesi;
  };
  const Caso casi[] = {
      {7, {}}, {8, {3}}, {13, {8}}, {14, {3, 9}}, {20, {9, 15}}, {21, {3, 10, 16}},
  };
  for (const Caso& c : casi) {
    ricomincia();
    rallentamento(c.inizio, c.inizio + 30, 120);
    applica_regole(stato);
    EXPECT_EQ(marcatori(), c.attesi) << c.inizio;
    EXPECT_EQ(stato.codice_errore, 0) << c.inizio;
  }
}

TEST_F(Regole, FinestreSoloSopraLaLoroUltimaCella) {
  // At 8 only B1 applies and its last cell is 1.
  rallentamento(8, 30, 120);
  for (int32_t o : {2, 3}) metti(o, fermata);
  applica_regole(stato);
  EXPECT_EQ(marcatori(), (V{1}));
  EXPECT_EQ(stato.codice_errore, 0);
}

TEST_F(Regole, SegnaleVicinoAllAvviso) {
  struct Caso {
    uint8_t codice89;
    int16_t valore89;
    uint8_t codice88;
    V attesi;
    int16_t valore89_finale;
    int32_t problema;
  };
  const Caso casi[] = {
      {codice_cella::libera, 0, codice_cella::libera, {89}, 180, 0},
      {montagna, 0, codice_cella::libera, {89}, 180, 0},
      {fermata, 0, codice_cella::libera, {88}, 0, 0},
      {abbattimento, 270, codice_cella::libera, {88}, 270, 0},  // a free cell comes first
      {abbattimento, 270, fermata, {89}, 180, 0},
      {abbattimento, 120, fermata, {}, 120, 0},
      {fermata, 0, fermata, {}, 0, problema::regola_segnale},
  };
  for (const Caso& c : casi) {
    ricomincia();
    metti(100, avviso_rallentamento);
    metti(90, segnale);
    metti(89, c.codice89, c.valore89);
    metti(88, c.codice88);
    stato.origine_cella[90] = {Sorgente::treno, 40, 1};
    applica_regole(stato);
    EXPECT_EQ(marcatori(), c.attesi);
    EXPECT_EQ(stato.celle[89].valore1, c.valore89_finale);
    EXPECT_EQ(stato.codice_errore, c.problema);
    if (c.problema) {
      EXPECT_EQ(stato.posizione_errore, 90 * 50);
      EXPECT_EQ(stato.problemi.back().origine, (Origine{Sorgente::treno, 40, 1}));
    }
  }
}

TEST_F(Regole, AvvisoGuardaVentiCelleENonSottoLaTerza) {
  metti(100, avviso_rallentamento);
  metti(79, segnale);  // 21 cells back: out of reach
  metti(6, avviso_rallentamento);
  metti(2, segnale);  // never the signal of the rule
  metti(3, segnale);  // 2 is busy, so its marker lands in cell 1
  applica_regole(stato);
  EXPECT_EQ(marcatori(), (V{1}));
}

TEST_F(Regole, AvvisoRaggiungeIlSegnaleVentiCelleIndietro) {
  metti(100, avviso_rallentamento);
  metti(80, segnale);
  applica_regole(stato);
  EXPECT_EQ(marcatori(), (V{79}));
}

TEST_F(Regole, VinceLUltimoProblema) {
  metti(100, avviso_rallentamento);
  metti(90, segnale);
  metti(89, fermata);
  metti(88, fermata);
  rallentamento(200, 230, 60);
  for (int32_t o : {193, 194, 195}) metti(o, fermata);
  applica_regole(stato);
  EXPECT_EQ(stato.codice_errore, problema::regola_inizio);
  EXPECT_EQ(stato.posizione_errore, 10000);
  ASSERT_EQ(stato.problemi.size(), 2u);
  EXPECT_EQ(stato.problemi[0].codice, problema::regola_segnale);
  EXPECT_EQ(stato.problemi[0].posizione, 4500);
}

TEST_F(Regole, NonOltreLUltimaCella) {
  // Last cell 400. The walk from 392 reaches its 8th cell at 400 with 399
  // and 400 busy; 401 does not exist and counts as busy.
  rallentamento(392, 400, 60);
  metti(399, fermata);
  applica_regole(stato);
  EXPECT_EQ(stato.codice_errore, problema::regola_ripetizione);
  EXPECT_EQ(stato.posizione_errore, 400 * 50);

  // A start without an end: the walk places its marker in the last cell
  // and stops there, recording nothing.
  ricomincia();
  metti(392, inizio_rallentamento, 60);
  applica_regole(stato);
  EXPECT_EQ(stato.codice_errore, 0);
  EXPECT_EQ(marcatori(), (V{374, 381, 387, 400}));

  // An end cell near the last one: the signal search stops at the last cell.
  ricomincia();
  rallentamento(390, 397, 60);
  applica_regole(stato);
  EXPECT_EQ(stato.codice_errore, 0);
}

TEST(RegoleSenzaCelle, GuastoDiEsecuzione) {
  Stato stato;
  EXPECT_THROW(applica_regole(stato), ErroreEsecuzione);
}

TEST(Minimo, IlMinoreEXSuiPari) {
  EXPECT_EQ(minimo(180, 270), 180);
  EXPECT_EQ(minimo(180, 120), 120);
  EXPECT_EQ(minimo(180, 180), 180);
}

}  // namespace
}  // namespace scenario
