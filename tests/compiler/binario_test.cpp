#include "compiler/binario.h"

#include <gtest/gtest.h>

#include "base/errori.h"
#include "compiler/stato.h"
#include "compiler/tracciati.h"

namespace scenario {
namespace {

// The record sizes the layouts give are those of the simulator's files.
static_assert(byte_fissi<cella> == 15);
static_assert(byte_fissi<stazione> == 34);
static_assert(byte_variante(Variante::Tipo::vuoto) == 2);
static_assert(byte_variante(Variante::Tipo::intero) == 4);
static_assert(byte_variante(Variante::Tipo::doppio) == 10);

std::string byte(std::initializer_list<int> b) {
  std::string s;
  for (int x : b) s += static_cast<char>(x);
  return s;
}

TEST(SerializzaStazioni, PrimaStazioneDiEsempio) {
  std::array<stazione, slot::numero> st{};
  stazione& s = st[1];
  s.tipo_stazione = 8;
  s.inizio_zona = -800;
  s.fine_zona = 800;
  s.posizione_stazione = 0;
  s.campo4 = 0;
  s.nome = "BELMORA CENTRALE";
  s.campo7 = 1;
  s.campo8 = 1;
  s.campo10 = 4;
  s.campo11 = 1;
  s.campo12 = 1;
  s.campo9 = 0;
  s.campo13 = 1;
  s.orario = 31200;

  const std::string file = serializza_stazioni(st);
  const std::string atteso = byte({0x08, 0xE0, 0xFC, 0xFF, 0xFF, 0x20, 0x03, 0, 0, 0, 0, 0, 0, 0x00, 0x10, 0x00}) +
                             "BELMORA CENTRALE" +
                             byte({1, 0, 1, 0, 4, 0, 1, 0, 1, 0, 0x00, 0x01, 0x00, 0x00, 0xE0, 0x79, 0, 0});
  ASSERT_EQ(atteso.size(), 50u);
  // Slot 0 is blank: 34 bytes, then slot 1.
  EXPECT_EQ(file.substr(0, 34), std::string(34, '\0'));
  EXPECT_EQ(file.substr(34, 50), atteso);
  EXPECT_EQ(file.size(), 2958u + 16u);
}

TEST(SerializzaStazioni, LunghezzaDelNomeInByte) {
  std::array<stazione, slot::numero> st{};
  st[85].nome = "Ab";
  st[86].nome = "\xE8";  // one byte in Windows-1252
  const std::string file = serializza_stazioni(st);
  EXPECT_EQ(file.size(), 2958u + 3u);
  // Slot 86 is the last record: 34 + 1 bytes, its length field 01 00.
  EXPECT_EQ(file.substr(file.size() - 35 + 14, 3), byte({1, 0, 0xE8}));
}

TEST(SerializzaStazioni, NomeTroppoLungoRifiutato) {
  std::array<stazione, slot::numero> st{};
  st[3].nome = std::string(65536, 'A');
  EXPECT_THROW(serializza_stazioni(st), ErroreEsecuzione);
}

TEST(SerializzaCelle, CampiInOrdineLittleEndian) {
  Celle celle;
  celle.dimensiona(2);
  celle[1].pendenza = 102;
  cella& c = celle[2];
  c.codice = 1;
  c.valore1 = -2;  // two's complement, low byte first
  c.valore2 = 0x1234;
  c.valore3 = -32768;
  c.valore4 = 4;
  c.tempo_segnale = 101;
  c.avvicinamento = 84;
  c.tipo_montagna = 3;
  c.velocita_max = 27;
  c.pendenza = 100;
  c.aderenza = 255;

  const std::string file = serializza_celle(celle);
  ASSERT_EQ(file.size(), 45u);
  EXPECT_EQ(file.substr(0, 15), std::string(15, '\0'));
  EXPECT_EQ(file.substr(15, 15), std::string(13, '\0') + byte({0x66, 0}));
  EXPECT_EQ(file.substr(30, 15), byte({1, 0xFE, 0xFF, 0x34, 0x12, 0x00, 0x80, 4, 0, 101, 84, 3, 27, 100, 255}));
}

TEST(SerializzaProfilo, LineaDiLunghezzaZero) {
  // L = 0: rows 0..7000; 0 and 1 Integer, 2..6998 Double, the last two Empty.
  Profilo pr;
  const int32_t n = 7000;
  pr.dimensiona(n);
  pr.inizia();
  EXPECT_TRUE(pr.avanza_fino_a(n - 2, 0.0, false));
  const std::string file = serializza_profilo(pr);
  ASSERT_EQ(file.size(), 139964u);
  ASSERT_EQ(file.size(), static_cast<size_t>(20 * n - 36));
  EXPECT_EQ(file.substr(0, 8), byte({2, 0, 0, 0, 2, 0, 0, 0}));
  EXPECT_EQ(file.substr(8, 2), byte({5, 0}));
  EXPECT_EQ(file.substr(10 * n - 22, 4), byte({0, 0, 0, 0}));
  EXPECT_EQ(file.substr(10 * n - 18, 8), byte({2, 0, 0, 0, 2, 0, 1, 0}));
  // y(2) = 2.0
  EXPECT_EQ(file.substr(10 * n - 10, 10), byte({5, 0, 0, 0, 0, 0, 0, 0, 0, 0x40}));
  EXPECT_EQ(file.substr(20 * n - 40, 4), byte({0, 0, 0, 0}));
}

}  // namespace
}  // namespace scenario
