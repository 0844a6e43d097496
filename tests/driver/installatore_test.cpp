// The installer as a user runs it: copied into a directory of its own,
// started from somewhere else.

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <string>

#include "support/cartella_temporanea.h"

namespace scenario {
namespace {

namespace fs = std::filesystem;

std::set<std::string> elenco(const fs::path& dir) {
  std::set<std::string> nomi;
  for (const auto& e : fs::directory_iterator(dir)) nomi.insert(e.path().filename().string());
  return nomi;
}

int esegui(const fs::path& exe) {
  // Started from another working directory: the files go beside the executable.
  const std::string comando = "cd / && '" + exe.string() + "' 2>/dev/null";
  const int stato = std::system(comando.c_str());
  return WIFEXITED(stato) ? WEXITSTATUS(stato) : -1;
}

TEST(Installatore, ScriveIFileAccantoASeEPoiFinisce) {
  test::CartellaTemporanea dir;
  const fs::path exe = dir / "Belmora_Solvenzia_4816-4817";
  fs::copy_file(INSTALLATORE, exe);
  ASSERT_EQ(esegui(exe), 0);

  const std::set<std::string> attesi = {
      "Belmora_Solvenzia_4816-4817",
      "Belmora_Solvenzia_4816-4817_note.txt",
      "Belmora_Solvenzia_4816-4817_rallentamenti.txt",
      "Belmora_Solvenzia_4816-4817_scheda_treno.txt",
      "Belmora_Solvenzia_linea.dat",
      "Belmora_Solvenzia_4816-4817.sim",
      "Belmora_Solvenzia_4816-4817.dat",
  };
  EXPECT_EQ(elenco(dir.percorso()), attesi);
  EXPECT_EQ(fs::file_size(dir / "Belmora_Solvenzia_linea.dat"), 2859964u);
  EXPECT_EQ(fs::file_size(dir / "Belmora_Solvenzia_4816-4817.dat"), 42915u);
  EXPECT_EQ(fs::file_size(dir / "Belmora_Solvenzia_4816-4817_note.txt"), 0u);

  // A second run, over files that have grown in between, gives the same bytes.
  std::map<std::string, std::string> primo;
  for (const auto& nome : attesi) primo[nome] = test::leggi_file(dir / nome);
  for (const char* nome : {"Belmora_Solvenzia_4816-4817.dat", "Belmora_Solvenzia_4816-4817_note.txt",
                           "Belmora_Solvenzia_4816-4817_scheda_treno.txt"})
    test::scrivi_file(dir / nome, primo[nome] + std::string(5000, 'x'));
  ASSERT_EQ(esegui(exe), 0);
  for (const auto& nome : attesi) EXPECT_EQ(test::leggi_file(dir / nome), primo[nome]) << nome;
}

}  // namespace
}  // namespace scenario
