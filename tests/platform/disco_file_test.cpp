// The real disk's directory lock: one holder at a time, a bounded wait, and
// no lock file left once the holder lets go.

#include "platform/disco_file.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <future>
#include <thread>

#if !defined(_WIN32)
#include <sys/wait.h>
#include <unistd.h>
#endif

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

#if !defined(_WIN32)
// The failure blocca meets in a child process that, when started as root,
// runs as an ordinary user, as the permissions it meets would not stop root:
// its code (0 when it took the lock), or -1 when the child could not run.
int guasto_in_un_utente_comune(const std::filesystem::path& cartella) {
  const pid_t figlio = ::fork();
  if (figlio == 0) {
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(255);
    try {
      DiscoFile(milliseconds(100)).blocca(cartella);
      ::_exit(0);
    } catch (const ErroreEsecuzione& e) {
      ::_exit(static_cast<int>(e.guasto()));
    }
  }
  int stato = 0;
  if (figlio < 0 || ::waitpid(figlio, &stato, 0) != figlio || !WIFEXITED(stato) || WEXITSTATUS(stato) == 255) return -1;
  return WEXITSTATUS(stato);
}

// A directory the user may not write: the lock file cannot be made, and the
// failure says so, not that some file was not found.
TEST(BloccoCartella, UnaCartellaProtettaDaScritturaEPermessoNegato) {
  CartellaTemporanea dir;
  const auto cartella = dir / "protetta";
  std::filesystem::create_directory(cartella);
  std::filesystem::permissions(cartella, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec |
                                             std::filesystem::perms::group_read | std::filesystem::perms::group_exec |
                                             std::filesystem::perms::others_read | std::filesystem::perms::others_exec);
  const int guasto = guasto_in_un_utente_comune(cartella);
  std::filesystem::permissions(cartella, std::filesystem::perms::owner_all);
  ASSERT_NE(guasto, -1) << "il processo figlio non e' partito";
  EXPECT_EQ(guasto, static_cast<int>(Guasto::permesso_negato));
}

// A link standing at the lock's name is taken away as at any output name:
// the run gets the directory, writes nothing through the link, and leaves
// neither the link nor a lock file.
TEST(BloccoCartella, UnCollegamentoAlNomeDelBloccoVieneTolto) {
  struct Caso {
    const char* nome;
    bool bersaglio_esiste;
  };
  for (const Caso caso : {Caso{"verso un file che manca", false}, Caso{"verso un file che c'e'", true}}) {
    SCOPED_TRACE(caso.nome);
    CartellaTemporanea dir, altrove;
    const auto bersaglio = altrove / "bersaglio";
    if (caso.bersaglio_esiste) test::scrivi_file(bersaglio, "dati");
    std::filesystem::create_symlink(bersaglio, dir / nome_file_blocco);
    DiscoFile disco(milliseconds(100));
    {
      std::unique_ptr<Blocco> b;
      ASSERT_NO_THROW(b = disco.blocca(dir.percorso()));
      EXPECT_TRUE(std::filesystem::is_regular_file(std::filesystem::symlink_status(dir / nome_file_blocco)));
    }
    EXPECT_EQ(file_in(dir), 0u);
    EXPECT_EQ(std::filesystem::exists(bersaglio), caso.bersaglio_esiste);
    if (caso.bersaglio_esiste) {
      EXPECT_EQ(test::leggi_file(bersaglio), "dati");
    }
  }
}
#endif

}  // namespace
}  // namespace scenario
