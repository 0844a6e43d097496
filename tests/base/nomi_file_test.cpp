#include "base/nomi_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

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

struct RigaNomi {
  std::string testo;  // as the table writes it
  std::string linea, treno, atteso;
};

// \xHH escapes of the table into their bytes.
std::string senza_escape(const std::string& s) {
  std::string r;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s.compare(i, 2, "\\x") == 0 && i + 4 <= s.size()) {
      r += static_cast<char>(std::stoi(s.substr(i + 2, 2), nullptr, 16));
      i += 3;
    } else {
      r += s[i];
    }
  }
  return r;
}

std::vector<RigaNomi> tabella_dei_nomi() {
  std::ifstream f(TABELLA_NOMI, std::ios::binary);
  std::vector<RigaNomi> righe;
  for (std::string riga; std::getline(f, riga);) {
    if (riga.empty() || riga[0] == '#') continue;
    const size_t a = riga.find('|'), b = riga.find('|', a + 1);
    if (a == std::string::npos || b == std::string::npos) {
      ADD_FAILURE() << "riga della tabella non valida: " << riga;
      continue;
    }
    righe.push_back(
        {riga, senza_escape(riga.substr(0, a)), senza_escape(riga.substr(a + 1, b - a - 1)), riga.substr(b + 1)});
  }
  return righe;
}

// The same table as the build's rule (tests/nomi_scenario.cmake).
TEST(RegolaDeiNomi, LaTabellaDeiNomi) {
  const std::vector<RigaNomi> righe = tabella_dei_nomi();
  ASSERT_GT(righe.size(), 50u);
  for (const RigaNomi& r : righe) {
    const auto rifiuto = rifiuto_nomi(r.linea, r.treno);
    EXPECT_EQ(rifiuto ? std::string(parola_motivo(rifiuto->motivo)) : "ammessi", r.atteso) << r.testo;
  }
}

TEST(RegolaDeiNomi, SpiegazioniComeNellaBuild) {
  // set(nomi_scenario_<word> "<explanation>") in cmake/nomi_scenario.cmake.
  std::ifstream f(REGOLA_NOMI_CMAKE);
  int trovate = 0;
  for (std::string riga; std::getline(f, riga);) {
    const std::string inizio = "set(nomi_scenario_";
    const size_t spazio = riga.find(" \"");
    if (riga.rfind(inizio, 0) != 0 || spazio == std::string::npos || riga.size() < spazio + 4) continue;
    const std::string parola = riga.substr(inizio.size(), spazio - inizio.size());
    std::string spiegazione;
    for (size_t i = spazio + 2; i + 2 < riga.size(); ++i) {
      if (riga[i] == '\\') ++i;  // CMake's escapes: \\ and \"
      spiegazione += riga[i];
    }
    for (MotivoRifiuto m :
         {MotivoRifiuto::vuoto, MotivoRifiuto::codifica, MotivoRifiuto::controllo, MotivoRifiuto::carattere,
          MotivoRifiuto::finale, MotivoRifiuto::lungo, MotivoRifiuto::dispositivo, MotivoRifiuto::coincidenti}) {
      if (parola != parola_motivo(m)) continue;
      ++trovate;
      EXPECT_EQ(spiegazione, spiegazione_motivo(m)) << parola;
    }
  }
  EXPECT_EQ(trovate, 8);
}

TEST(RegolaDeiNomi, NomeAmmessoInWindows1252) {
  const NomeVerificato v = verifica_nome("Citt\xC3\xA0 \xE2\x82\xAC", RuoloNome::linea);
  EXPECT_FALSE(v.rifiuto);
  EXPECT_EQ(v.cp1252, "Citt\xE0 \x80");
}

TEST(RegolaDeiNomi, IlRifiutoDiceQualeNomeEPerche) {
  const auto r = rifiuto_nomi("Prova", "linea");
  ASSERT_TRUE(r);
  EXPECT_EQ(r->ruolo, RuoloNome::treno);
  EXPECT_EQ(r->motivo, MotivoRifiuto::coincidenti);
  EXPECT_EQ(r->spiegazione, "con questo treno due file dello scenario avrebbero lo stesso nome");
  EXPECT_TRUE(verifica_nome("A:B", RuoloNome::treno).cp1252.empty());
}

}  // namespace
}  // namespace scenario
