// The tool's reader against the compiler's writer: whatever the writer puts
// into a file, the reader gives back, member for member, at the extremes of
// every width and sign.

#include "binari/file_binari.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <limits>
#include <string>

#include "compiler/binario.h"

namespace scenario::test {
namespace {

template <typename T>
constexpr T minimo = std::numeric_limits<T>::min();
template <typename T>
constexpr T massimo = std::numeric_limits<T>::max();

TEST(FileBinari, CelleRiletteComeScritte) {
  Celle celle;
  celle.dimensiona(3);
  celle[1] = {massimo<uint8_t>, minimo<int16_t>, massimo<int16_t>, -1, 1, 128, 127, 1, 200, 255, 254};
  celle[2] = {codice_cella::cartello, 80, -2, 0x1234, -0x1234, 0, 1, 2, 3, 4, 5};
  celle[3] = {codice_cella::segnale, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};

  const auto lette = strumenti::leggi_celle(serializza_celle(celle), "f.dat");
  EXPECT_TRUE(std::ranges::equal(lette, celle.tutte()));
}

TEST(FileBinari, SlotRilettiComeScritti) {
  std::array<stazione, slot::numero> st{};
  stazione& s = st[1];
  s = {massimo<uint8_t>,
       minimo<int32_t>,
       massimo<int32_t>,
       -1,
       7,
       std::string("A\0\xFF\xE8", 4),
       minimo<int16_t>,
       massimo<int16_t>,
       -1,
       1,
       2,
       3,
       4,
       5,
       6,
       -31200};
  st[slot::linea].nome = "Belmora_Solvenzia";
  st[slot::globale].nome = std::string(300, 'x');  // a length above one byte

  EXPECT_EQ(strumenti::leggi_stazioni(serializza_stazioni(st), "f.sim"), st);
}

// The writer's profile: the two Integers, the Doubles of a straight and of
// a turned run, and the Empty rows after them.
TEST(FileBinari, ProfiloRilettoComeScritto) {
  Profilo pr;
  pr.dimensiona(40);
  pr.inizia();
  pr.avanza_fino_a(10, 0.0, false);
  pr.avanza_fino_a(30, -0.003, true);
  pr.avanza_fino_a(38, 0.0, false);

  const auto letto = strumenti::leggi_profilo(serializza_profilo(pr), "f_linea.dat");
  ASSERT_EQ(letto.x.size(), 41u);
  ASSERT_EQ(letto.y.size(), 41u);
  for (int32_t m = 0; m <= 40; ++m) {
    for (int k = 0; k < 2; ++k) {
      const Variante scritto = pr(m, k);
      const Variante& riletto = k == 0 ? letto.x[m] : letto.y[m];
      EXPECT_EQ(riletto, scritto) << m << "," << k;
      EXPECT_EQ(std::bit_cast<uint64_t>(riletto.doppio), std::bit_cast<uint64_t>(scritto.doppio)) << m << "," << k;
    }
  }
}

// Values no compile makes, at the extremes of each width, in bytes laid out
// by hand: the reader follows the layout, not the writer's habits.
TEST(FileBinari, ProfiloAgliEstremi) {
  const Variante x[] = {Variante::da_intero(minimo<int16_t>),
                        Variante::da_intero(massimo<int16_t>),
                        Variante::da_doppio(-0.0),
                        Variante::da_doppio(1e308),
                        Variante::da_doppio(std::numeric_limits<double>::denorm_min()),
                        Variante{}};
  const Variante y[] = {Variante::da_intero(-7), Variante::da_intero(-7), x[3], x[2], x[1], x[0]};
  std::string byte;
  auto metti = [&](uint64_t u, int n) {
    for (int i = 0; i < n; ++i) byte += static_cast<char>(u >> (8 * i));
  };
  for (const auto* colonna : {&x, &y}) {
    for (const Variante& v : *colonna) {
      metti(static_cast<uint16_t>(v.tipo), 2);
      if (v.tipo == Variante::Tipo::intero) metti(static_cast<uint16_t>(v.intero), 2);
      if (v.tipo == Variante::Tipo::doppio) metti(std::bit_cast<uint64_t>(v.doppio), 8);
    }
  }

  const auto letto = strumenti::leggi_profilo(byte, "f_linea.dat");
  ASSERT_EQ(letto.x.size(), 6u);
  for (size_t m = 0; m < 6; ++m) {
    EXPECT_EQ(letto.x[m], x[m]) << m;
    EXPECT_EQ(letto.y[m], y[m]) << m;
    // The sign of -0.0 too.
    EXPECT_EQ(std::bit_cast<uint64_t>(letto.x[m].doppio), std::bit_cast<uint64_t>(x[m].doppio)) << m;
    EXPECT_EQ(std::bit_cast<uint64_t>(letto.y[m].doppio), std::bit_cast<uint64_t>(y[m].doppio)) << m;
  }
}

}  // namespace
}  // namespace scenario::test
