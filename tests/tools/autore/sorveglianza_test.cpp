// Waiting for a text to change, with inotify and with the polling fallback:
// a save wakes the wait, a file of another kind does not.

#include "autore/sorveglianza.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <thread>

#include "support/cartella_temporanea.h"

namespace scenario::strumenti {
namespace {

using namespace std::chrono_literals;

class Sorveglianza : public testing::TestWithParam<bool> {};

TEST_P(Sorveglianza, UnTestoSalvatoSvegliaLAttesaUnAltroFileNo) {
  test::CartellaTemporanea dir;
  test::scrivi_file(dir / "linea.txt", "[generale]\n");
  Sorvegliante s({dir.percorso()}, GetParam());
  auto attesa = std::async(std::launch::async, [&] { s.attendi_modifica(); });
  std::this_thread::sleep_for(150ms);
  test::scrivi_file(dir / "R_linea.dat", "binario");
  EXPECT_EQ(attesa.wait_for(300ms), std::future_status::timeout);
  test::scrivi_file(dir / "linea.txt", "[generale]\nlunghezza percorso, 1000\n");
  EXPECT_EQ(attesa.wait_for(5s), std::future_status::ready);
}

INSTANTIATE_TEST_SUITE_P(InotifyESondaggio, Sorveglianza, testing::Values(false, true),
                         [](const auto& i) { return i.param ? "Sondaggio" : "Automatico"; });

}  // namespace
}  // namespace scenario::strumenti
