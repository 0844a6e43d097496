// The installer as a user runs it: copied into a directory of its own,
// started from somewhere else.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <string>

#include "driver/installatore_prova.h"

namespace scenario {
namespace {

namespace fs = std::filesystem;
using namespace test;

TEST(Installatore, ScriveIFileAccantoASeEPoiFinisce) {
  CartellaTemporanea dir;
  const fs::path exe = copia_installatore(dir.percorso());
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
  for (const auto& nome : attesi) primo[nome] = leggi_file(dir / nome);
  for (const char* nome : {"Belmora_Solvenzia_4816-4817.dat", "Belmora_Solvenzia_4816-4817_note.txt",
                           "Belmora_Solvenzia_4816-4817_scheda_treno.txt"})
    scrivi_file(dir / nome, primo[nome] + std::string(5000, 'x'));
  ASSERT_EQ(esegui(exe), 0);
  for (const auto& nome : attesi) EXPECT_EQ(leggi_file(dir / nome), primo[nome]) << nome;
}

// A link left at an output name, pointing outside the directory at nothing:
// the program writes its own file in its place and never creates the target.
TEST(Installatore, UnCollegamentoAUnNomeDiTestoNonVieneSeguito) {
  CartellaTemporanea rif, dir, fuori;
  ASSERT_EQ(esegui(copia_installatore(rif.percorso())), 0);
  const fs::path exe = copia_installatore(dir.percorso());
  for (const char* nome : {"Belmora_Solvenzia_linea.txt", "Belmora_Solvenzia_4816-4817-.txt",
                           "Belmora_Solvenzia_4816-4817_note.txt", "Belmora_Solvenzia_4816-4817_scheda_treno.txt"})
    fs::create_symlink(fuori / (std::string(nome) + ".bersaglio"), dir / nome);

  ASSERT_EQ(esegui(exe), 0);
  EXPECT_TRUE(fs::is_empty(fuori.percorso()));
  EXPECT_EQ(contenuto(dir.percorso()), contenuto(rif.percorso()));
  for (const auto& nome : elenco(dir.percorso())) EXPECT_FALSE(fs::is_symlink(dir / nome)) << nome;
}

}  // namespace
}  // namespace scenario
