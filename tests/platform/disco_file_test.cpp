// The real disk's directory lock: one holder at a time, a bounded wait, and
// no lock file left once the holder lets go.

#include "platform/disco_file.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <future>
#include <thread>

#include "base/errori.h"
#include "support/cartella_temporanea.h"

namespace scenario {
namespace {

using namespace std::chrono;
using test::CartellaTemporanea;

size_t file_in(const CartellaTemporanea& dir) {
  return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(dir.percorso()), {}));
}

TEST(BloccoCartella, ChiArrivaSecondoAttendeFinoAlLimiteEPoiFallisceNominandoIlBlocco) {
  CartellaTemporanea dir;
  DiscoFile primo, secondo(milliseconds(300));
  {
    const auto tenuto = primo.blocca(dir.percorso());
    EXPECT_EQ(file_in(dir), 1u);
    const auto inizio = steady_clock::now();
    try {
      secondo.blocca(dir.percorso());
      ADD_FAILURE() << "due corse nella stessa cartella";
    } catch (const ErroreEsecuzione& e) {
      EXPECT_EQ(e.guasto(), Guasto::cartella_in_uso);
      EXPECT_STREQ(
          e.what(),
          "Errore di run-time '55': Cartella in uso da un'altra esecuzione (cartella_in_uso.lock, attesa 300 ms)");
    }
    EXPECT_GE(steady_clock::now() - inizio, milliseconds(300));
  }
  EXPECT_EQ(file_in(dir), 0u);
  // Free again: taken at once.
  EXPECT_NO_THROW(secondo.blocca(dir.percorso()));
}

// The one waiting gets the directory when the holder lets go; and holds it
// for real: the holder removed the file it had locked, so the waiter must
// have taken the lock again on the file that stands under the name now, or
// a third run would get in beside it.
TEST(BloccoCartella, ChiAttendeEntraQuandoLAltroLasciaESoloLui) {
  CartellaTemporanea dir;
  DiscoFile disco(seconds(10)), terzo(milliseconds(100));
  auto tenuto = disco.blocca(dir.percorso());
  std::promise<void> preso, lascia;
  auto in_attesa = std::async(std::launch::async, [&] {
    const auto b = disco.blocca(dir.percorso());
    preso.set_value();
    lascia.get_future().wait();
  });
  std::this_thread::sleep_for(milliseconds(200));  // the waiter has opened the lock file by now
  tenuto.reset();
  ASSERT_EQ(preso.get_future().wait_for(seconds(5)), std::future_status::ready);
  EXPECT_THROW(terzo.blocca(dir.percorso()), ErroreEsecuzione);
  lascia.set_value();
  in_attesa.get();
  EXPECT_EQ(file_in(dir), 0u);
}

// A lock file left by a run that was killed holds nothing.
TEST(BloccoCartella, UnFileDiBloccoRimastoNonFermaNessuno) {
  CartellaTemporanea dir;
  test::scrivi_file(dir / nome_file_blocco, "");
  DiscoFile disco(milliseconds(100));
  EXPECT_NO_THROW(disco.blocca(dir.percorso()));
  EXPECT_EQ(file_in(dir), 0u);
}

}  // namespace
}  // namespace scenario
