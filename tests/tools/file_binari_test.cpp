// The tool's reader against the compiler's writer: whatever the writer puts
// into a file, the reader gives back, member for member, at the extremes of
// every width and sign.

#include "file_binari.h"

#include <gtest/gtest.h>

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
  EXPECT_EQ(lette, celle.tutte());
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

TEST(FileBinari, ProfiloRilettoComeScritto) {
  Profilo pr;
  pr.dimensiona(5);
  const Variante valori[] = {Variante::da_intero(minimo<int16_t>),
                             Variante::da_intero(massimo<int16_t>),
                             Variante::da_doppio(-0.0),
                             Variante::da_doppio(1e308),
                             Variante::da_doppio(std::numeric_limits<double>::denorm_min()),
                             Variante{}};
  for (int32_t m = 0; m <= 5; ++m) {
    pr(m, 0) = valori[m];
    pr(m, 1) = valori[5 - m];
  }
  pr(0, 1) = pr(1, 1) = Variante::da_intero(-7);  // each column starts with two Integers

  const auto letto = strumenti::leggi_profilo(serializza_profilo(pr), "f_linea.dat");
  ASSERT_EQ(letto.x.size(), 6u);
  for (int32_t m = 0; m <= 5; ++m) {
    for (int k = 0; k < 2; ++k) {
      const Variante scritto = static_cast<const Profilo&>(pr)(m, k);
      const Variante& riletto = k == 0 ? letto.x[m] : letto.y[m];
      EXPECT_EQ(riletto, scritto) << m << "," << k;
      // The sign of -0.0 too.
      EXPECT_EQ(std::bit_cast<uint64_t>(riletto.doppio), std::bit_cast<uint64_t>(scritto.doppio)) << m << "," << k;
    }
  }
}

}  // namespace
}  // namespace scenario::test
