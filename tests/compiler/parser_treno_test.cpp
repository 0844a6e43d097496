#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/codici.h"
#include "base/errori.h"
#include "compiler/memorizza_dati.h"
#include "compiler/stato.h"
#include "support/disco_memoria.h"

namespace scenario {
namespace {

constexpr int32_t n = 2860;  // last cell of a 136 km line

// A station record in the columns the payload uses; the values after the
// first six are 1, 1, 0, 4, 1, 1, 1, 8, 40, 0.
std::string record_stazione(int32_t posizione, int tipo, int32_t len, int v6 = 0, int v5 = 0,
                            const std::string& nome = "STAZIONE") {
  return "stazione, " + std::to_string(posizione) + ", " + std::to_string(tipo) + ", " + std::to_string(len) +
         ",  0, " + std::to_string(v5) + ", " + std::to_string(v6) + ",  1,1,0,  4,1,1,    1,   8,40, 0, " + nome +
         "\r\n";
}

class ParserTreno : public ::testing::Test {
 protected:
  ParserTreno() { stato.celle.dimensiona(n); }

  void leggi_testo(const std::string& testo, int32_t slot_cartello = 80) {
    disco.file[t.generic_string()] = testo;
    leggi_descrizione_treno(stato, disco, t, slot_cartello);
  }
  // The records between a short preamble with its own "-" and "," and the
  // closing header, which is never read.
  void leggi(const std::string& record, int32_t slot_cartello = 80) {
    leggi_testo("Scenario di prova - treno, solo per test\r\n\r\n[generale]\r\n" + record + "[fine]\r\n",
                slot_cartello);
  }
  bool eliminato() const { return !disco.esiste(t); }
  const cella& c(int32_t i) const { return stato.celle[i]; }

  Stato stato;
  test::DiscoMemoria disco;
  const Percorso t{"/prova/Linea_1-.txt"};
};

TEST_F(ParserTreno, DatiGeneraliEOrologio) {
  leggi(
      "numero vetture,    2\r\n"
      "percentuale massa frenata,    100\r\n"
      "sabbia,    1\r\n"
      "orologio,    8               39            30 \r\n"
      "massa,    55\r\n"
      "[aderenze]\r\n");
  const stazione& treno = stato.stazioni[slot::treno];
  const stazione& globale = stato.stazioni[slot::globale];
  EXPECT_EQ(treno.posizione_stazione, 2);
  EXPECT_EQ(treno.inizio_zona, 100);  // "massa" alone stores nothing
  EXPECT_EQ(globale.campo7, 1);
  EXPECT_EQ(globale.campo10, 8);
  EXPECT_EQ(globale.campo11, 39);
  EXPECT_EQ(globale.campo12, 30);
  EXPECT_TRUE(eliminato());
  EXPECT_EQ(stato.codice_errore, 0);
}

TEST_F(ParserTreno, PrimaStazioneDelTreno) {
  leggi("stazione,       0,  8,  800,  0, 1, 1,  1,1,0,  4,1,1,    1,   8,40, 0, BELMORA CENTRALE\r\n");
  const stazione& s = stato.stazioni[1];
  EXPECT_EQ(s.tipo_stazione, 8);
  EXPECT_EQ(s.inizio_zona, -800);
  EXPECT_EQ(s.fine_zona, 800);
  EXPECT_EQ(s.posizione_stazione, 0);
  EXPECT_EQ(s.nome, "BELMORA CENTRALE");
  EXPECT_EQ(s.campo7, 1);
  EXPECT_EQ(s.campo8, 1);
  EXPECT_EQ(s.campo9, 0);
  EXPECT_EQ(s.campo10, 4);
  EXPECT_EQ(s.campo11, 1);
  EXPECT_EQ(s.campo12, 1);
  EXPECT_EQ(s.campo13, 1);
  EXPECT_EQ(s.campo5, 0);  // cleared for the first station
  EXPECT_EQ(s.campo6, 0);
  EXPECT_EQ(s.orario, 31200);
  for (int32_t i = 1; i <= 4; ++i) EXPECT_EQ(c(15 - i).avvicinamento, 80 + i) << i;
  EXPECT_EQ(c(15).codice, codice_cella::fermata);
  EXPECT_EQ(c(15).valore1, 1);
}

TEST_F(ParserTreno, PrimaStazioneZonaConIlValoreSeiPrimaDiAzzerarlo) {
  leggi(record_stazione(3000, 4, 600, 1, 1));
  EXPECT_EQ(stato.stazioni[1].fine_zona, 3350);
  EXPECT_EQ(stato.stazioni[1].campo6, 0);
  EXPECT_EQ(stato.stazioni[1].campo5, 0);
}

TEST_F(ParserTreno, ZonaSecondoIlTipo) {
  struct Caso {
    int tipo;
    int32_t len;
    int v6;
    int32_t inizio, fine;
    int campo6, campo5;
  };
  const Caso casi[] = {
      {4, 600, 0, 2700, 3300, 0, 1}, {4, 600, 1, 2700, 3350, 1, 1},  {4, 500, 1, 2750, 3300, 1, 0},
      {4, 300, 0, 2850, 3150, 0, 0},  // 150 is even: no half to round
      {5, 600, 1, 2400, 3150, 0, 1}, {6, 700, 0, 2300, 3150, 0, 1},  {7, 600, 1, 2400, 3600, 0, 1},
      {8, 400, 0, 2600, 3400, 0, 0}, {26, 600, 1, 2700, 3350, 1, 1},
  };
  for (const Caso& k : casi) {
    stato = Stato{};
    stato.celle.dimensiona(n);
    // The first station takes slot 1; the one under test is the second.
    leggi(record_stazione(0, 26, 200) + record_stazione(3000, k.tipo, k.len, k.v6, 1));
    const stazione& s = stato.stazioni[2];
    EXPECT_EQ(s.inizio_zona, k.inizio) << k.tipo << " " << k.len;
    EXPECT_EQ(s.fine_zona, k.fine) << k.tipo << " " << k.len;
    EXPECT_EQ(s.campo6, k.campo6) << k.tipo;
    EXPECT_EQ(s.campo5, k.campo5) << k.tipo;
    EXPECT_EQ(stato.codice_errore, 0);
  }
}

TEST_F(ParserTreno, SegniDiCellaSecondoIlTipo) {
  struct Caso {
    int tipo;
    bool avvicinamento, fermata;
  };
  const Caso casi[] = {{4, true, true},  {5, false, true},   {6, false, true},
                       {24, true, true}, {25, false, false}, {26, false, false}};
  for (const Caso& k : casi) {
    stato = Stato{};
    stato.celle.dimensiona(n);
    leggi(record_stazione(3000, k.tipo, 600));
    const int32_t f = stato.stazioni[1].fine_zona / 50 - 1;
    int marcate = 0;
    for (const cella& x : stato.celle.tutte()) marcate += x.avvicinamento != 0;
    EXPECT_EQ(marcate, k.avvicinamento ? 4 : 0) << k.tipo;
    if (k.avvicinamento) {
      EXPECT_EQ(c(f - 1).avvicinamento, 81) << k.tipo;
    }
    EXPECT_EQ(c(f).codice, k.fermata ? codice_cella::fermata : 0) << k.tipo;
  }
}

TEST_F(ParserTreno, AvvicinamentoMaiNellaCellaUno) {
  // Zone 100 to 300: the stop in cell 5, the approach marks would reach
  // cells 4 to 1, and cell 1 is left out.
  leggi(record_stazione(200, 4, 200));
  EXPECT_EQ(stato.codice_errore, 0);
  EXPECT_EQ(c(5).codice, codice_cella::fermata);
  for (int32_t i = 2; i <= 4; ++i) EXPECT_EQ(c(i).avvicinamento, 85 - i) << i;
  EXPECT_EQ(c(1).avvicinamento, 0);
}

TEST_F(ParserTreno, DistanzaTraStazioni) {
  // The second zone starts at 2700; 2700 - 350 = 2350.
  leggi(record_stazione(2050, 4, 600) + record_stazione(3000, 4, 600));
  EXPECT_EQ(stato.codice_errore, 0);

  stato = Stato{};
  stato.celle.dimensiona(n);
  stato.posizione_errore = -1;
  leggi(record_stazione(2100, 4, 600) + record_stazione(3000, 4, 600) + record_stazione(9000, 4, 600));
  EXPECT_EQ(stato.codice_errore, problema::stazioni_vicine);
  EXPECT_EQ(stato.posizione_errore, 3000);
  EXPECT_TRUE(eliminato());
  EXPECT_EQ(stato.stazioni[2].nome, "STAZIONE");  // the refused record stays
  EXPECT_EQ(stato.stazioni[3].posizione_stazione, 0);
}

std::string stazioni(int quante) {
  std::string r;
  for (int k = 0; k < quante; ++k) r += record_stazione(k * 600, 26, 200);
  return r;
}

TEST_F(ParserTreno, TabellaPienaControICartelli) {
  leggi(stazioni(78));
  EXPECT_EQ(stato.codice_errore, 0);
  EXPECT_EQ(stato.stazioni[78].posizione_stazione, 77 * 600);

  stato = Stato{};
  stato.celle.dimensiona(n);
  stato.posizione_errore = -1;
  leggi(stazioni(79));
  EXPECT_EQ(stato.codice_errore, problema::tabella_piena);
  EXPECT_EQ(stato.posizione_errore, -1);
  EXPECT_EQ(stato.stazioni[79].posizione_stazione, 78 * 600);
  EXPECT_TRUE(eliminato());

  // One board in slot 80: 77 stations pass.
  stato = Stato{};
  stato.celle.dimensiona(n);
  leggi(stazioni(78), 79);
  EXPECT_EQ(stato.codice_errore, problema::tabella_piena);
  EXPECT_EQ(stato.stazioni[78].posizione_stazione, 77 * 600);
}

TEST_F(ParserTreno, OttantaCartelliNessunaStazione) {
  stato.stazioni[1].nome = "CARTELLO";
  leggi(record_stazione(3000, 4, 600), 0);
  EXPECT_EQ(stato.codice_errore, problema::tabella_piena);
  EXPECT_EQ(stato.stazioni[1].nome, "CARTELLO");
  EXPECT_EQ(stato.stazioni[1].posizione_stazione, 0);
  EXPECT_EQ(c(65).codice, 0);
  EXPECT_TRUE(eliminato());
}

TEST_F(ParserTreno, StazioniRifiutate) {
  struct Caso {
    std::string record;
    int32_t codice;
    int32_t posizione;  // -1: unchanged
    int32_t posizione_salvata;
    int tipo_salvato;
  };
  const Caso casi[] = {
      {record_stazione(3025, 4, 600), problema::stazione_non_multipla, 3025, 3025, 0},
      {record_stazione(3000, 4, 650), problema::marciapiede_non_multiplo, 3000, 3000, 4},
      {record_stazione(0, 4, 200), problema::fermata_iniziale, -1, 0, 4},
      // Zone end 145000: the stop cell 2899 lies beyond the cells.
      {record_stazione(140000, 7, 5000), problema::fuori_celle, 140000, 140000, 7},
  };
  for (const Caso& k : casi) {
    stato = Stato{};
    stato.celle.dimensiona(n);
    stato.posizione_errore = -1;
    leggi(k.record + record_stazione(20000, 4, 600));
    EXPECT_EQ(stato.codice_errore, k.codice) << k.record;
    EXPECT_EQ(stato.posizione_errore, k.posizione) << k.record;
    EXPECT_EQ(stato.stazioni[1].posizione_stazione, k.posizione_salvata);
    EXPECT_EQ(stato.stazioni[1].tipo_stazione, k.tipo_salvato);
    EXPECT_EQ(stato.stazioni[2].posizione_stazione, 0);  // no record after it is read
    EXPECT_TRUE(eliminato());
    EXPECT_EQ(c(0).velocita_max, 0);  // no completion either
  }
}

TEST_F(ParserTreno, ProblemaSulCampoDelValore) {
  leggi("stazione, 3000, 4\r\n  650, 0\r\n");
  ASSERT_EQ(stato.problemi.size(), 1u);
  EXPECT_EQ(stato.problemi[0].origine, (Origine{Sorgente::treno, 5, 3}));
}

TEST_F(ParserTreno, ControlloDiPosizione) {
  // A record passes up to 50 n - 100 (stations 50 n - 800).
  leggi("velocita, " + std::to_string(50 * n - 100) + ", 30\r\n" + record_stazione(50 * n - 800, 26, 200));
  EXPECT_EQ(stato.codice_errore, 0);

  stato = Stato{};
  stato.celle.dimensiona(n);
  leggi("velocita, 0, 30\r\nvelocita, " + std::to_string(50 * n - 99) + ", 60\r\nsabbia, 4\r\n");
  EXPECT_EQ(stato.codice_errore, problema::fuori_linea);
  EXPECT_EQ(stato.posizione_errore, 50 * n - 99);
  EXPECT_EQ(stato.stazioni[slot::globale].campo7, 0);  // reading stopped
  EXPECT_EQ(c(n - 3).velocita_max, 6);                 // completion still ran
  EXPECT_TRUE(eliminato());
  EXPECT_EQ(stato.problemi[0].origine, (Origine{Sorgente::treno, 5, 11}));

  stato = Stato{};
  stato.celle.dimensiona(n);
  leggi(record_stazione(50 * n - 750, 26, 200));
  EXPECT_EQ(stato.codice_errore, problema::fuori_linea);
  EXPECT_EQ(stato.posizione_errore, 50 * n - 750);
}

TEST_F(ParserTreno, VelocitaECompletamento) {
  leggi("velocita,   0,    30\r\nvelocita,    1300,   135\r\n");
  for (int32_t i = 0; i <= 25; ++i) ASSERT_EQ(c(i).velocita_max, 6) << i;
  for (int32_t i = 26; i <= n - 3; ++i) ASSERT_EQ(c(i).velocita_max, 27) << i;
  for (int32_t i = n - 2; i <= n; ++i) EXPECT_EQ(c(i).velocita_max, 0) << i;
}

TEST_F(ParserTreno, VelocitaArrotondataAlPari) {
  for (auto [v, attesa] : {std::pair{32, 6}, {33, 7}, {1277, 255}}) {
    stato = Stato{};
    stato.celle.dimensiona(n);
    leggi("velocita, 0, " + std::to_string(v) + "\r\n");
    EXPECT_EQ(c(0).velocita_max, attesa) << v;
  }
  stato = Stato{};
  stato.celle.dimensiona(n);
  EXPECT_THROW(leggi("velocita, 0, 1278\r\n"), ErroreEsecuzione);
}

TEST_F(ParserTreno, VelocitaArrotondataAncheTraDueRecord) {
  // 33 / 5 = 6.6 fills cells 0 to 19 before the next record, as 7.
  leggi("velocita, 0, 33\r\nvelocita, 1000, 60\r\n");
  for (int32_t i = 0; i <= 19; ++i) EXPECT_EQ(c(i).velocita_max, 7) << i;
  EXPECT_EQ(c(20).velocita_max, 12);
}

TEST_F(ParserTreno, DuePosizioniUgualiRiempionoUnaCella) {
  leggi(
      "velocita, 0, 30\r\nvelocita, 1000, 60\r\nvelocita, 1000, 90\r\nvelocita, 2000, 100\r\n"
      "aderenza, 0, 10\r\naderenza, 1000, 20\r\naderenza, 1000, 30\r\naderenza, 2000, 40\r\n");
  const std::vector<std::pair<int32_t, int>> attesi = {{0, 6}, {19, 6}, {20, 12}, {21, 18}, {39, 18}, {40, 20}};
  for (auto [i, v] : attesi) EXPECT_EQ(c(i).velocita_max, v) << i;
  const std::vector<std::pair<int32_t, int>> aderenze = {{19, 10}, {20, 20}, {21, 30}, {39, 30}, {40, 40}};
  for (auto [i, a] : aderenze) EXPECT_EQ(c(i).aderenza, a) << i;
}

TEST_F(ParserTreno, ValoriPrecedentiPartonoDaZero) {
  for (int32_t i = 0; i <= n; ++i) {
    stato.celle[i].velocita_max = 99;
    stato.celle[i].aderenza = 99;
  }
  leggi("velocita, 1000, 60\r\naderenza, 500, 300\r\n");
  EXPECT_EQ(c(19).velocita_max, 0);
  EXPECT_EQ(c(20).velocita_max, 12);
  EXPECT_EQ(c(9).aderenza, 0);
  EXPECT_EQ(c(10).aderenza, 44);  // low 8 bits of 300
  EXPECT_EQ(c(n - 3).aderenza, 44);
  EXPECT_EQ(c(n - 2).aderenza, 99);
}

TEST_F(ParserTreno, SegnaleEAbbattimenti) {
  leggi(
      "segnale,    1400,   1, 4, 1,  0, 0,    1,  3,1,0, 0\r\n"
      "abbattimento, 2000, 270\r\nabbattimento, 2100, 0\r\n");
  EXPECT_EQ(c(29).codice, codice_cella::segnale);
  EXPECT_EQ(stato.origine_cella.at(29), (Origine{Sorgente::treno, 4, 1}));
  EXPECT_EQ(c(40).codice, codice_cella::abbattimento);
  EXPECT_EQ(c(40).valore1, 270);
  EXPECT_EQ(c(42).codice, codice_cella::abbattimento_nullo);
  EXPECT_EQ(stato.codice_errore, 0);
}

TEST_F(ParserTreno, RifiutiDiSegnaliEAbbattimenti) {
  struct Caso {
    std::string record;
    int32_t codice;
    int32_t posizione;
  };
  const Caso casi[] = {
      {"segnale, 1400, 1, 4, 1, 0, 0, 1, 3, 1, 0, 0\r\n", problema::segnale_occupato, 1400},
      {"abbattimento, 1450, 100\r\n", problema::abbattimento_occupato, 1450},
      {"abbattimento, -100, 100\r\n", problema::fuori_celle, -100},
      {"rallentamento, 3000, 60, 500, 1, 0, 0\r\n", problema::avviso_occupato, 3000},
  };
  for (const Caso& k : casi) {
    stato = Stato{};
    stato.celle.dimensiona(n);
    stato.celle[29].codice = codice_cella::fermata;
    stato.celle[37].codice = codice_cella::fermata;  // 3000 - 1200 = 1800
    leggi(k.record + "sabbia, 3\r\n");
    EXPECT_EQ(stato.codice_errore, k.codice) << k.record;
    EXPECT_EQ(stato.posizione_errore, k.posizione) << k.record;
    EXPECT_EQ(stato.stazioni[slot::globale].campo7, 0);
    EXPECT_TRUE(eliminato());
  }
}

TEST_F(ParserTreno, CodiceGiaPresenteFermaAlPrimoSegnale) {
  stato.codice_errore = problema::fuori_linea;
  stato.posizione_errore = 99999;
  leggi("velocita, 0, 30\r\nsegnale, 1400, 1, 4, 1, 0, 0, 1, 3, 1, 0, 0\r\nsabbia, 3\r\n");
  EXPECT_EQ(stato.codice_errore, problema::fuori_linea);
  EXPECT_EQ(stato.posizione_errore, 1400);
  EXPECT_EQ(stato.stazioni[slot::globale].campo7, 0);
  EXPECT_EQ(c(0).velocita_max, 0);
  EXPECT_TRUE(eliminato());
}

TEST_F(ParserTreno, SenzaGeneraleSoloCompletamento) {
  for (int32_t i = 0; i <= n; ++i) stato.celle[i].aderenza = 7;
  leggi_testo("sabbia, 3\r\nvelocita, 0, 30\r\n[fine]\r\n");
  EXPECT_EQ(stato.stazioni[slot::globale].campo7, 0);
  EXPECT_EQ(c(0).aderenza, 0);
  EXPECT_EQ(c(n - 2).aderenza, 7);
  EXPECT_TRUE(eliminato());
  EXPECT_EQ(stato.codice_errore, 0);
}

TEST_F(ParserTreno, TrattiniSaltati) {
  leggi("- nota -\r\nsabbia, 3\r\n");
  EXPECT_EQ(stato.stazioni[slot::globale].campo7, 3);
}

TEST_F(ParserTreno, ProgressiveNonMultipleDiCinquanta) {
  stato.stazioni[slot::progressiva_due].fine_zona = 1025;
  stato.posizione_errore = -1;
  leggi("sabbia, 3\r\n");
  EXPECT_EQ(stato.codice_errore, problema::progressiva_non_multipla);
  EXPECT_EQ(stato.posizione_errore, -1);
  EXPECT_TRUE(eliminato());
}

TEST_F(ParserTreno, GuastiDiEsecuzione) {
  // Missing text, empty text, a value that does not fit its field, a record
  // cut short by the end of the file.
  EXPECT_THROW(leggi_descrizione_treno(stato, disco, t, 80), ErroreEsecuzione);
  EXPECT_THROW(leggi_testo(""), ErroreEsecuzione);
  EXPECT_THROW(leggi("orologio, 8, 39, 40000\r\n"), ErroreEsecuzione);
  EXPECT_EQ(stato.origine_corrente, (Origine{Sorgente::treno, 4, 18}));  // the field that failed
  EXPECT_THROW(leggi_testo("[generale]\r\nstazione, 3000, 4, 600\r\n"), ErroreEsecuzione);
}

}  // namespace
}  // namespace scenario
