#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "base/codici.h"
#include "compiler/memorizza_dati.h"
#include "compiler/stato.h"
#include "support/disco_memoria.h"
#include "support/generale_prova.h"

namespace scenario {
namespace {

using test::DiscoMemoria;

const Percorso cartella = "/gioco";
const Percorso file_linea = "/gioco/R_linea.txt";
const Percorso file_treno = "/gioco/R_T-.txt";

std::string testo(const std::vector<std::string>& righe) {
  std::string t;
  for (const auto& r : righe) t += r + "\r\n";
  return t;
}

std::vector<std::string> generale(const std::string& lunghezza = "136000") { return test::righe_generale(lunghezza); }

// A line description: the general section, then these records under one
// header, then "[fine]".
std::string linea(const std::vector<std::string>& record, const std::string& lunghezza = "136000") {
  auto righe = generale(lunghezza);
  righe.push_back("[curve]");
  righe.insert(righe.end(), record.begin(), record.end());
  righe.push_back("[fine]");
  return testo(righe);
}

class ParserLinea : public testing::Test {
 protected:
  ParserLinea() {
    s.nome_linea = "R";
    s.numero_treno = "T";
    s.scrivi_file = 1;
  }

  // Reads the line description only; returns the next board slot.
  std::optional<int32_t> leggi(const std::string& t) {
    disco.file[file_linea.generic_string()] = t;
    return leggi_descrizione_linea(s, disco, file_linea);
  }
  bool cancellata() const { return !disco.esiste(file_linea); }
  double x(int m) const { return s.profilo_linea(m, 0).valore(); }
  double y(int m) const { return s.profilo_linea(m, 1).valore(); }

  Stato s;
  DiscoMemoria disco;
};

TEST_F(ParserLinea, LineaDelloScenario) {
  ASSERT_TRUE(leggi(linea({"curvad3,  800,  300"})));
  EXPECT_EQ(s.codice_errore, 0);
  EXPECT_TRUE(cancellata());
  EXPECT_EQ(s.celle.ultimo_indice(), 2860);
  EXPECT_EQ(s.profilo_linea.ultimo_metro(), 143000);
  EXPECT_EQ(s.profilo_linea(142998, 0).tipo, Variante::Tipo::doppio);
  EXPECT_EQ(s.profilo_linea(142999, 0).tipo, Variante::Tipo::vuoto);
  EXPECT_EQ(s.profilo_linea(143000, 1).tipo, Variante::Tipo::vuoto);
  EXPECT_EQ(s.profilo_linea(1, 1), Variante::da_intero(1));
  EXPECT_EQ(s.profilo_linea(0, 0), Variante::da_intero(0));
  EXPECT_EQ(s.stazioni[slot::treno].fine_zona, 136000);
  EXPECT_EQ(s.stazioni[slot::linea].inizio_zona, 1);
  EXPECT_EQ(s.stazioni[slot::globale].inizio_zona, 0);
  EXPECT_EQ(s.stazioni[slot::globale].fine_zona, 43500);
  EXPECT_EQ(s.stazioni[slot::globale].posizione_stazione, 4);
}

TEST_F(ParserLinea, PrimaCurva) {
  ASSERT_TRUE(leggi(linea({"curvad3,  800,  300"})));
  EXPECT_EQ(x(800), 0.0);
  EXPECT_EQ(y(800), 800.0);
  EXPECT_EQ(x(801), 0.0004);
  EXPECT_EQ(y(801), 801.0);
  EXPECT_DOUBLE_EQ(x(802), 0.0012);
  EXPECT_NEAR(y(802), 801.99999984, 1e-9);
  // By metre 1100 the heading has turned 0.12 rad and the step grown a little.
  const double dx = x(1100) - x(1099), dy = y(1100) - y(1099);
  EXPECT_NEAR(std::atan2(dx, dy), 0.12, 1e-4);
  EXPECT_NEAR(std::hypot(dx, dy), 1.000024, 1e-6);
  // The straight after the curve keeps the heading.
  EXPECT_DOUBLE_EQ(x(1102) - x(1101), dx);
}

TEST_F(ParserLinea, ParoleChiaveDelleCurve) {
  struct Caso {
    const char* chiave;
    double curvatura;
  } casi[] = {{"curvad4", 0.001},  {"curvaD4", 0.001},   {"curva4", 0.001},  {"curvaS4", -0.001},
              {"curvas4", -0.001}, {"curvad14", 0.0001}, {"curvad6", 0.003}, {"CURVAD2", 0.0002}};
  for (const Caso& c : casi) {
    Stato t;
    t.nome_linea = "R";
    t.scrivi_file = 1;
    DiscoMemoria d;
    d.file[file_linea.generic_string()] = linea({std::string(c.chiave) + ",  800,  300"});
    ASSERT_TRUE(leggi_descrizione_linea(t, d, file_linea)) << c.chiave;
    EXPECT_EQ(t.profilo_linea(801, 0).valore(), c.curvatura) << c.chiave;
  }
  EXPECT_FALSE(leggi(linea({"curvad7,  800,  300"})));
  EXPECT_EQ(s.codice_errore, problema::curva_non_valida);
  EXPECT_TRUE(cancellata());
}

TEST_F(ParserLinea, SenzaProfiloLeCurveNonSiLeggono) {
  s.scrivi_file = 0;
  ASSERT_TRUE(leggi(linea({"curvad7,  800,  300", "pendenza,  0,  2"})));
  EXPECT_EQ(s.codice_errore, 0);
  EXPECT_FALSE(s.profilo_linea.allocato());
  EXPECT_EQ(s.celle[5].pendenza, 102);
}

TEST_F(ParserLinea, RiempimentoDellePendenze) {
  ASSERT_TRUE(leggi(linea({"pendenza,   0,    0", "pendenza,  100,   2"})));
  const int n = 2860;
  EXPECT_EQ(s.celle[0].pendenza, 100);
  EXPECT_EQ(s.celle[1].pendenza, 100);
  EXPECT_EQ(s.celle[2].pendenza, 102);
  EXPECT_EQ(s.celle[n - 3].pendenza, 102);
  for (int i = n - 2; i <= n; ++i) EXPECT_EQ(s.celle[i].pendenza, 0) << i;
}

TEST_F(ParserLinea, DuePendenzeNelloStessoPunto) {
  ASSERT_TRUE(leggi(linea({"pendenza,  500,  1", "pendenza,  500,  2", "pendenza,  1000,  3"})));
  // The second record writes one cell, at the fill index, with the first's value.
  EXPECT_EQ(s.celle[9].pendenza, 100);
  EXPECT_EQ(s.celle[10].pendenza, 101);
  EXPECT_EQ(s.celle[11].pendenza, 102);
  EXPECT_EQ(s.celle[19].pendenza, 102);
  EXPECT_EQ(s.celle[20].pendenza, 103);
}

TEST_F(ParserLinea, TestDellIntestazione) {
  ASSERT_TRUE(leggi(testo({"[generale]", "Lunghezza Percorso,    1000", "Progressiva chilometrica uno,  5,  5,  5",
                           "progressiva chilometrica due,  100,  200,  1", "sfondo uno due,    7,    8",
                           "ripetizione segnali 9 codici,    50,    100", "[curve]", "[fine]"})));
  EXPECT_EQ(s.codice_errore, 0);
  EXPECT_EQ(s.celle.ultimo_indice(), 160);
  // Case matters for the chainage tests: "Progressiva" passes none.
  EXPECT_EQ(s.stazioni[slot::progressiva_uno].inizio_zona, 0);
  EXPECT_EQ(s.stazioni[slot::progressiva_tre].fine_zona, 300);  // "due" ordered first, +100
  EXPECT_EQ(s.stazioni[slot::linea].inizio_zona, 7);
  EXPECT_EQ(s.stazioni[slot::linea].posizione_stazione, 8);
  EXPECT_EQ(s.stazioni[slot::globale].posizione_stazione, 9);
}

TEST_F(ParserLinea, RipetizioneSegnali) {
  // Both values are stored before either is checked; a second value that
  // cannot be read is a run-time failure whatever the first one is.
  struct Caso {
    const char* riga;
    bool ultima;  // the record ends the text
    int32_t codice;
    int32_t a, b, codici;
  } casi[] = {
      {"ripetizione segnali 9 codici,    50,    0", false, 0, 50, 0, 0},
      {"ripetizione segnali 4 codici,    0,    43500", false, 0, 0, 43500, 4},
      {"ripetizione segnali 49 codici,    0,    50", false, 0, 0, 50, 4},
      {"ripetizione segnali 9 codici,    25,    0", false, problema::ripetizione_inizio, 25, 0, 0},
      {"ripetizione segnali 4 codici,    25,    850", false, problema::ripetizione_inizio, 25, 850, 0},
      {"ripetizione segnali 4 codici,    25,    75", false, problema::ripetizione_inizio, 25, 75, 0},
      {"ripetizione segnali 9 codici,    50,    75", false, problema::ripetizione_fine, 50, 75, 0},
      {"ripetizione segnali codici,    50,    100", false, problema::ripetizione_codici, 50, 100, 0},
      {"ripetizione segnali 4 codici,    25", true, problema::errore_esecuzione, 25, 0, 0},
      {"ripetizione segnali 4 codici,    25,    8x0", false, problema::errore_esecuzione, 25, 0, 0},
  };
  for (const Caso& c : casi) {
    Stato t;
    t.nome_linea = "R";
    t.numero_treno = "T";
    DiscoMemoria d;
    std::vector<std::string> righe = {"[generale]", "lunghezza percorso,  1000", c.riga};
    if (!c.ultima) righe.insert(righe.end(), {"[curve]", "[fine]"});
    d.file[file_linea.generic_string()] = testo(righe);
    d.file[file_treno.generic_string()] = "[generale]\r\n";
    memorizza_dati(t, d, file_linea, file_treno);
    EXPECT_EQ(t.codice_errore, c.codice) << c.riga;
    EXPECT_FALSE(d.esiste(file_linea)) << c.riga;
    // Codes 3 to 5 stop before the train description, which stays unread.
    const bool treno_letto = c.codice == 0 || c.codice == problema::errore_esecuzione;
    EXPECT_EQ(d.esiste(file_treno), !treno_letto) << c.riga;
    const stazione& g = t.stazioni[slot::globale];
    EXPECT_EQ(g.inizio_zona, c.a) << c.riga;
    EXPECT_EQ(g.fine_zona, c.b) << c.riga;
    EXPECT_EQ(g.posizione_stazione, c.codici) << c.riga;
  }
}

TEST_F(ParserLinea, RipetizioneSegnaliIndicaIlSuoCampo) {
  struct Caso {
    const char* riga;
    int32_t colonna;
  } casi[] = {
      {"ripetizione segnali 4 codici,    25,    850", 34},  // the first value
      {"ripetizione segnali 4 codici,    50,    75", 41},   // the second value
      {"ripetizione segnali codici,    50,    100", 32},    // the first value
  };
  for (const Caso& c : casi) {
    Stato t;
    DiscoMemoria d;
    d.file[file_linea.generic_string()] =
        testo({"[generale]", "lunghezza percorso,  1000", c.riga, "[curve]", "[fine]"});
    leggi_descrizione_linea(t, d, file_linea);
    ASSERT_EQ(t.problemi.size(), 1u) << c.riga;
    EXPECT_EQ(t.problemi[0].origine, (Origine{Sorgente::linea, 3, c.colonna})) << c.riga;
  }
}

TEST_F(ParserLinea, RicercaDiGenerale) {
  EXPECT_FALSE(leggi(testo({"note", "nessuna sezione", "[generale]"})));
  EXPECT_EQ(s.codice_errore, problema::manca_generale);
  EXPECT_TRUE(cancellata());

  Stato t;
  t.nome_linea = "R";
  DiscoMemoria d;
  EXPECT_FALSE(leggi_descrizione_linea(t, d, file_linea));
  EXPECT_EQ(t.codice_errore, problema::manca_linea);
  EXPECT_TRUE(d.registro.empty() || d.registro.back().rfind("elimina", 0) != 0);
}

TEST_F(ParserLinea, LunghezzaOltreIlMassimo) {
  EXPECT_FALSE(leggi(linea({}, "1000001")));
  EXPECT_EQ(s.codice_errore, problema::lunghezza_eccessiva);
  EXPECT_EQ(s.stazioni[slot::treno].fine_zona, 1000001);
  EXPECT_FALSE(s.celle.allocate());
  EXPECT_TRUE(cancellata());
}

TEST_F(ParserLinea, SaltoDeiTrattini) {
  // Ten dashed fields in a row in the general section, two in the sections.
  std::vector<std::string> righe = {"[generale]"};
  for (int i = 0; i < 10; ++i) righe.push_back("-- nota --");
  righe.push_back("lunghezza percorso,  1000");
  righe.push_back("[curve]");
  righe.push_back("- a -");
  righe.push_back("- b -");
  righe.push_back("pendenza,  100,  5");
  righe.push_back("- a -");
  righe.push_back("- b -");
  righe.push_back("- c -");  // a third one is a keyword: matches nothing
  righe.push_back("pendenza,  200,  7");
  righe.push_back("[fine]");
  ASSERT_TRUE(leggi(testo(righe)));
  EXPECT_EQ(s.codice_errore, 0);
  EXPECT_EQ(s.celle.ultimo_indice(), 160);
  EXPECT_EQ(s.celle[2].pendenza, 105);
  EXPECT_EQ(s.celle[4].pendenza, 107);
}

TEST_F(ParserLinea, CartelliIndicatori) {
  ASSERT_TRUE(leggi(linea({"cartello indicatore,  1000, STAZIONE DI PROVA", "cartello indicatore,  2000, altro"})));
  EXPECT_EQ(s.celle[21].codice, codice_cella::cartello);
  EXPECT_EQ(s.celle[21].valore1, 80);
  EXPECT_EQ(s.stazioni[80].nome, "STAZIONE DI PROVA");
  EXPECT_EQ(s.celle[41].valore1, 79);
  EXPECT_EQ(s.stazioni[79].nome, "altro");
  EXPECT_EQ(*leggi(linea({"cartello indicatore,  1000, a"})), 79);
}

TEST_F(ParserLinea, CartelloSuCellaOccupata) {
  EXPECT_FALSE(
      leggi(linea({"indicatori_vmax,  1000,  125,  135,  135,  0,  ,  ,  ,  0", "cartello indicatore,  1000, x"})));
  EXPECT_EQ(s.codice_errore, problema::cartello_occupato);
  EXPECT_EQ(s.posizione_errore, 1000);
  EXPECT_TRUE(cancellata());
}

TEST_F(ParserLinea, TroppiCartelli) {
  std::vector<std::string> record;
  for (int i = 0; i < 81; ++i) record.push_back("cartello indicatore,  " + std::to_string(1000 + 100 * i) + ", c");
  EXPECT_FALSE(leggi(linea(record)));
  EXPECT_EQ(s.codice_errore, problema::troppi_cartelli);
  EXPECT_EQ(s.posizione_errore, 9000);
  EXPECT_EQ(s.stazioni[1].nome, "c");
  EXPECT_EQ(s.stazioni[0].nome, "");
}

TEST_F(ParserLinea, ControlloDellaPosizione) {
  // n = 2860: 50n - 100 = 142900 passes, 142901 does not.
  ASSERT_TRUE(leggi(linea({"pendenza,  142900,  1"})));
  EXPECT_EQ(s.codice_errore, 0);
  ASSERT_TRUE(leggi(linea({"pendenza,  142901,  1", "pendenza,  200,  2"})));
  EXPECT_EQ(s.codice_errore, problema::fuori_linea);
  EXPECT_EQ(s.posizione_errore, 142901);
  EXPECT_TRUE(cancellata());
  // The rest of the file is not read, but the completion runs.
  EXPECT_EQ(s.celle[3].pendenza, 100);
  EXPECT_EQ(s.celle[2857].pendenza, 100);
}

TEST_F(ParserLinea, ErroriDelleMontagneEDegliIndicatori) {
  EXPECT_FALSE(leggi(linea({"montagna,   23400,  900000,  2"})));
  EXPECT_EQ(s.codice_errore, problema::fuori_celle);
  EXPECT_EQ(s.posizione_errore, 23400);
  EXPECT_EQ(s.problemi.back().posizione, 23400);
  EXPECT_TRUE(cancellata());

  s.codice_errore = 0;
  EXPECT_FALSE(leggi(linea({"indicatori_vmax,  1300,  125,  135,  135,  0,  ,  ,  ,  0",
                            "indicatori_vmax,  1300,  125,  135,  135,  0,  ,  ,  ,  0"})));
  EXPECT_EQ(s.codice_errore, problema::indicatori_occupati);
  EXPECT_EQ(s.posizione_errore, 1300);
}

TEST_F(ParserLinea, CurvaOltreIlProfilo) {
  // L = 1000: the profile ends at metre 8000; a step for metre 7999 is refused.
  EXPECT_FALSE(leggi(linea({"curvad3,  7000,  999"}, "1000")));
  EXPECT_EQ(s.codice_errore, problema::curva_non_valida);
  EXPECT_EQ(s.profilo_linea(7998, 0).tipo, Variante::Tipo::doppio);
  EXPECT_EQ(s.profilo_linea(7999, 0).tipo, Variante::Tipo::vuoto);
  // Rows never reached stay empty.
  Stato t;
  t.scrivi_file = 1;
  DiscoMemoria d;
  d.file[file_linea.generic_string()] = linea({"curvad3,  800,  300", "curvad9,  2000,  300"}, "1000");
  EXPECT_FALSE(leggi_descrizione_linea(t, d, file_linea));
  EXPECT_EQ(t.profilo_linea(1100, 0).tipo, Variante::Tipo::doppio);
  EXPECT_EQ(t.profilo_linea(1101, 0).tipo, Variante::Tipo::vuoto);
}

TEST_F(ParserLinea, PercorsoPiuLungoCompleto) {
  ASSERT_TRUE(leggi(linea({"curvas4,  999000,  1100"}, "1000000")));
  EXPECT_EQ(s.codice_errore, 0);
  EXPECT_EQ(s.profilo_linea.ultimo_metro(), 1007000);
  EXPECT_EQ(s.profilo_linea(1006998, 1).tipo, Variante::Tipo::doppio);
  EXPECT_EQ(s.profilo_linea(1006999, 1).tipo, Variante::Tipo::vuoto);
  EXPECT_LT(s.profilo_linea(1006998, 0).valore(), 0.0);  // turned left
}

TEST(MemorizzaDati, GuastoDuranteLaLetturaCancellaEntrambiITesti) {
  Stato s;
  s.nome_linea = "R";
  s.numero_treno = "T";
  DiscoMemoria d;
  d.file[file_linea.generic_string()] = linea({"pendenza,  abc,  1"});
  d.file[file_treno.generic_string()] = "[generale]\r\n";
  memorizza_dati(s, d, file_linea, file_treno);
  EXPECT_EQ(s.codice_errore, problema::errore_esecuzione);
  EXPECT_TRUE(d.file.empty());
  EXPECT_EQ(s.stazioni[slot::linea].nome, "R");
  EXPECT_EQ(s.stazioni[slot::globale].nome, "T");
  ASSERT_FALSE(s.problemi.empty());
  EXPECT_EQ(s.problemi.back().origine, (Origine{Sorgente::linea, 11, 12}));
  EXPECT_NE(s.problemi.back().dettaglio.find("13"), std::string::npos);
}

TEST(MemorizzaDati, TestoVuotoEUnGuasto) {
  Stato s;
  s.nome_linea = "R";
  s.numero_treno = "T";
  DiscoMemoria d;
  d.file[file_linea.generic_string()] = "";
  memorizza_dati(s, d, file_linea, file_treno);
  EXPECT_EQ(s.codice_errore, problema::errore_esecuzione);
  EXPECT_FALSE(d.esiste(file_linea));
}

TEST(MemorizzaDati, SenzaLunghezzaIlPrimoRecordEUnGuasto) {
  Stato s;
  s.nome_linea = "R";
  s.numero_treno = "T";
  DiscoMemoria d;
  d.file[file_linea.generic_string()] = testo({"[generale]", "sfondo uno, 1", "[curve]", "pendenza,  0,  0", "[fine]"});
  memorizza_dati(s, d, file_linea, file_treno);
  EXPECT_EQ(s.codice_errore, problema::errore_esecuzione);
  EXPECT_FALSE(d.esiste(file_linea));
}

}  // namespace
}  // namespace scenario
