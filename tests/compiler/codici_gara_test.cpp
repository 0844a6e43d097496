#include "compiler/codici_gara.h"

#include <gtest/gtest.h>

#include "base/errori.h"
#include "compiler/stato.h"

namespace scenario {
namespace {

Stato con_nomi(const std::string& linea, const std::string& treno) {
  Stato s;
  s.stazioni[slot::linea].nome = linea;
  s.stazioni[slot::globale].nome = treno;
  s.celle.dimensiona(10);
  return s;
}

TEST(CodiciGara, Esempi) {
  struct Caso {
    const char* linea;
    const char* treno;
    int32_t st;
    int16_t og;
  } casi[] = {
      {"Ab", "1", 33703, 2496},
      {"AB", "1", 33703, 2496},  // letter case does not count
      {"", "", 34355, 2583},     // the table alone
  };
  for (const Caso& c : casi) {
    Stato s = con_nomi(c.linea, c.treno);
    EXPECT_EQ(codice_gara_st(s), c.st) << c.linea << "/" << c.treno;
    EXPECT_EQ(codice_gara_og(s), c.og) << c.linea << "/" << c.treno;
  }
}

TEST(CodiciGara, OltreVenticinqueCaratteriLaTabellaNonConta) {
  Stato a = con_nomi("Belmora_Solvenzia", "4816-4817");
  Stato b = con_nomi("Belmora_SolvenziaX", "4816-4817");  // the 27th character is ignored
  EXPECT_EQ(codice_gara_st(a), codice_gara_st(b));
  EXPECT_EQ(codice_gara_og(a), codice_gara_og(b));
  // Swapping the names keeps the plain sum when both fit in 25 characters.
  Stato c = con_nomi("ab", "cd"), d = con_nomi("cd", "ab");
  EXPECT_EQ(codice_gara_og(c), codice_gara_og(d));
  EXPECT_NE(codice_gara_st(c), codice_gara_st(d));
}

TEST(TimbraCodici, MarcatoriECodiciNeiPostiRiservati) {
  Stato s = con_nomi("Ab", "1");
  timbra_codici(s);
  EXPECT_EQ(s.stazioni[slot::linea].campo7, 610);
  EXPECT_EQ(s.stazioni[slot::linea].orario, 33703);
  EXPECT_EQ(s.celle[1].valore1, 5121);
  EXPECT_EQ(s.celle[1].valore2, 2496);
}

TEST(TimbraCodici, PostoOccupato) {
  struct Caso {
    void (*prepara)(Stato&);
    int32_t errore;
  } casi[] = {
      {[](Stato& s) { s.stazioni[slot::linea].campo7 = 1; }, 1250},
      {[](Stato& s) { s.celle[1].valore1 = 180; }, 1250},
      {[](Stato& s) { s.stazioni[slot::linea].orario = 1; }, 1251},
      {[](Stato& s) { s.celle[1].valore2 = -1; }, 1251},
      // 1251 only once 1250 passed.
      {[](Stato& s) {
         s.celle[1].valore1 = 1;
         s.celle[1].valore2 = 1;
       },
       1250},
  };
  for (const Caso& c : casi) {
    Stato s = con_nomi("Ab", "1");
    c.prepara(s);
    try {
      timbra_codici(s);
      ADD_FAILURE() << "nessun errore";
    } catch (const ErroreNumerato& e) {
      EXPECT_EQ(e.numero(), c.errore);
      EXPECT_STREQ(e.what(), (" Errore n. " + std::to_string(c.errore)).c_str());
    }
  }
}

}  // namespace
}  // namespace scenario
