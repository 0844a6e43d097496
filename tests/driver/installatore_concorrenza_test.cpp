// Several installers started at once in one directory (a double click, two
// users): each waits for the one before, and every run ends with the files
// of a complete run.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include <filesystem>
#include <string>
#include <vector>

#include "driver/installatore_prova.h"

extern char** environ;

namespace scenario {
namespace {

namespace fs = std::filesystem;
using namespace test;

TEST(InstallatoreConcorrente, DueEQuattroCorseInsiemeFinisconoTutteBeneConIFileDiUnaCorsaCompleta) {
  CartellaTemporanea rif;
  ASSERT_EQ(esegui(copia_installatore(rif.percorso())), 0);
  const auto atteso = contenuto(rif.percorso());

  for (int corse : {2, 4}) {
    CartellaTemporanea dir;
    const fs::path exe = copia_installatore(dir.percorso());
    const std::string percorso = exe.string();
    // The window and the messages of the console build go to standard error.
    posix_spawn_file_actions_t azioni;
    posix_spawn_file_actions_init(&azioni);
    posix_spawn_file_actions_addopen(&azioni, 2, "/dev/null", O_WRONLY, 0);
    // Each round over the files the round before left.
    for (int giro = 0; giro < 8; ++giro) {
      SCOPED_TRACE(std::to_string(corse) + " corse, giro " + std::to_string(giro));
      std::vector<pid_t> figli;
      for (int i = 0; i < corse; ++i) {
        pid_t pid;
        char* argv[] = {const_cast<char*>(percorso.c_str()), nullptr};
        ASSERT_EQ(posix_spawn(&pid, percorso.c_str(), &azioni, nullptr, argv, environ), 0);
        figli.push_back(pid);
      }
      for (pid_t pid : figli) {
        int stato = 0;
        ASSERT_EQ(waitpid(pid, &stato, 0), pid);
        EXPECT_TRUE(WIFEXITED(stato) && WEXITSTATUS(stato) == 0) << "stato " << stato;
      }
      EXPECT_TRUE(contenuto(dir.percorso()) == atteso);
      EXPECT_EQ(elenco(dir.percorso()).size(), atteso.size() + 1);
    }
    posix_spawn_file_actions_destroy(&azioni);
  }
}

}  // namespace
}  // namespace scenario
