// The embedded slowdown order form and notes.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sources/payload.h"
#include "sources/payload_campi.h"

namespace scenario::test {
namespace {

Righe modulo() { return payload_incorporato().rallentamenti; }

const std::string intestazione_tabella =
    " |___|____________________________|____________|__________|_________|____________|";
const std::string riga_vuota = " |   |                            |            |          |         |            |";

// The form, line by line.
std::vector<std::string> modulo_atteso() {
  std::vector<std::string> m = {
      "",
      "                               Modulo M. 3",
      "                           ORDINE DI RALLENTAMENTO",
      " ________________________________________________________________________________",
      "  Linea  xxxxxx xxxxxxx",
      "",
      "  Si ordina al macchinista del treno xxxxx di effettuare i seguenti rallentamenti",
      "  _______________________________________________________________________________",
      " |   |                            |Inizio dopo |          |         |            |",
      " | N.|      FRA LE STAZIONI       | il cippo   | Velocita'|Lunghezza|Prescrizioni|",
      " |   |   (o nelle Stazioni di)    |chilometrico|          |   metri | specifiche |",
      intestazione_tabella,
  };
  m.insert(m.end(), 26, riga_vuota);
  const std::vector<std::string> coda = {
      intestazione_tabella,
      "",
      "              Prescrizioni specifiche",
      " A - Da rispettare con tutto il treno (per i treni viaggiatori)",
      " B - Interessa anche la stazione di.......",
      " D - Rallentamneto N. ... e N. ...  sono contigui",
      " C - Da rispettare dalle ore ....  alle ore ..... di tutti",
      "     i giorni esclusi i seguenti:.........",
  };
  m.insert(m.end(), coda.begin(), coda.end());
  return m;
}

TEST(PayloadRallentamenti, ModuloByteAByteComeCitato) {
  std::vector<std::string> letto(modulo().begin(), modulo().end());
  EXPECT_EQ(letto, modulo_atteso());
}

TEST(PayloadRallentamenti, ModuloConservaLaSuaForma) {
  ASSERT_EQ(modulo().size(), 46u);
  struct Caso {
    size_t riga;  // from 1
    size_t lunghezza;
  };
  const Caso vuote[] = {{1, 0}, {6, 0}, {40, 0}};
  for (const Caso& c : vuote) EXPECT_EQ(modulo()[c.riga - 1].size(), c.lunghezza) << "line " << c.riga;
  // The table: lines 9 to 39, 82 characters, the same seven bars.
  const std::vector<size_t> barre = {1, 5, 34, 47, 58, 68, 81};
  for (size_t r = 9; r <= 39; ++r) {
    std::string_view riga = modulo()[r - 1];
    EXPECT_EQ(riga.size(), 82u) << "line " << r;
    std::vector<size_t> trovate;
    for (size_t i = 0; i < riga.size(); ++i)
      if (riga[i] == '|') trovate.push_back(i);
    EXPECT_EQ(trovate, barre) << "line " << r;
  }
  for (size_t r = 13; r <= 38; ++r) EXPECT_EQ(modulo()[r - 1], riga_vuota) << "line " << r;
  // The legend runs A, B, D, C; C goes on over the last line.
  std::string lettere;
  for (size_t r = 42; r <= 45; ++r) lettere += modulo()[r - 1].substr(1, 4);
  EXPECT_EQ(lettere, "A - B - D - C - ");
  for (std::string_view r : modulo()) {
    EXPECT_FALSE(!r.empty() && r.back() == ' ') << "trailing blank: " << r;
    for (char c : r) EXPECT_TRUE(c >= 0x20 && c < 0x7f) << r;
  }
}

TEST(PayloadRallentamenti, NoteSenzaRighe) { EXPECT_TRUE(payload_incorporato().note.empty()); }

}  // namespace
}  // namespace scenario::test
