#include "base/nomi_file.h"

#include <gtest/gtest.h>

namespace scenario {
namespace {

TEST(NomiFile, TabellaDeiNomi) {
  struct Caso {
    FileScenario file;
    const char* nome;
  } casi[] = {
      {FileScenario::linea_txt, "Belmora_Solvenzia_linea.txt"},
      {FileScenario::treno_txt, "Belmora_Solvenzia_4816-4817-.txt"},
      {FileScenario::note, "Belmora_Solvenzia_4816-4817_note.txt"},
      {FileScenario::rallentamenti, "Belmora_Solvenzia_4816-4817_rallentamenti.txt"},
      {FileScenario::scheda, "Belmora_Solvenzia_4816-4817_scheda_treno.txt"},
      {FileScenario::linea_dat, "Belmora_Solvenzia_linea.dat"},
      {FileScenario::sim, "Belmora_Solvenzia_4816-4817.sim"},
      {FileScenario::dat, "Belmora_Solvenzia_4816-4817.dat"},
  };
  for (const Caso& c : casi) {
    EXPECT_EQ(nome_file(c.file, "Belmora_Solvenzia", "4816-4817"), c.nome);
    const Percorso p = percorso_file("/cartella", c.file, "Belmora_Solvenzia", "4816-4817");
    EXPECT_EQ(p.parent_path(), Percorso("/cartella"));
    EXPECT_EQ(p.filename().string(), c.nome);
  }
}

TEST(NomiFile, NomiWindows1252) {
  // "Città" in Windows-1252 becomes the Unicode name on disk.
  const Percorso p = percorso_in("/c", "Citt\xE0");
  const std::u8string nome = p.filename().u8string();
  EXPECT_EQ(std::string(nome.begin(), nome.end()), "Citt\xC3\xA0");
}

}  // namespace
}  // namespace scenario
