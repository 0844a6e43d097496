// Source lines under the messages: the line index, the window of a long
// line, escaped control bytes, the caret's indent; and a report of
// thousands of problems on a large text in well under a second.

#include "diagnostiche/righe_sorgente.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "autore/compilazione.h"
#include "diagnostiche/rapporto.h"
#include "diagnostiche/rapporto_verifica.h"

namespace scenario::strumenti {
namespace {

TEST(RigheSorgente, LeRigheFinisconoComeLeContaIlLettore) {
  const IndiceRighe r("uno\r\ndue\nt\rquattro\r\n");
  EXPECT_EQ(r.riga(1), "uno");
  EXPECT_EQ(r.riga(2), "due");
  EXPECT_EQ(r.riga(3), "t");
  EXPECT_EQ(r.riga(4), "quattro");
  EXPECT_EQ(r.riga(5), "");
  EXPECT_EQ(r.riga(6), "");
  EXPECT_EQ(r.riga(0), "");
}

// Many lines, each ending its own way, some blank: every one found, in any
// order, as the reader counts them.
TEST(RigheSorgente, OgniRigaDiUnTestoLungo) {
  const char* fini[] = {"\r\n", "\n", "\r", "\r\n\r\n", "\n\r"};
  std::string testo;
  std::vector<std::string> attese;
  for (int i = 0; i < 700; ++i) {
    std::string riga = i % 7 == 0 ? std::string() : "riga " + std::to_string(i);
    testo += riga;
    attese.push_back(riga);
    const std::string fine = fini[i % 5];
    testo += fine;
    // A CR LF pair is one line end; any other pair is two.
    if (fine.size() == 2 && fine != "\r\n") attese.emplace_back();
    if (fine == "\r\n\r\n") attese.emplace_back();
  }
  attese.emplace_back();  // after the last line end
  const IndiceRighe r(testo);
  for (size_t n = attese.size(); n >= 1; --n) EXPECT_EQ(r.riga(static_cast<int32_t>(n)), attese[n - 1]) << n;
  EXPECT_EQ(r.riga(static_cast<int32_t>(attese.size()) + 1), "");
}

TEST(RigheSorgente, LaRigaMostrataTieneIlCaretSottoLaColonna) {
  struct Caso {
    std::string riga;
    int32_t colonna;
    std::string testo, rientro;
  };
  const std::string lunga = std::string(150, 'a') + "X" + std::string(149, 'b');
  const Caso casi[] = {
      {"pendenza, 12O", 11, "pendenza, 12O", std::string(10, ' ')},
      {"\tsegnale,\t1", 11, "\tsegnale,\t1", "\t" + std::string(8, ' ') + "\t"},
      {"a\x01"
       "b",
       3, "a\\x01b", std::string(5, ' ')},
      {"CITT\xC0, 5", 7, "CITT\xC3\x80, 5", std::string(6, ' ')},
      {"nome\x81", 5, "nome\\x81", std::string(4, ' ')},
      // A long line: a window around the column, "..." where it is cut.
      {lunga, 151, "..." + std::string(40, 'a') + "X" + std::string(73, 'b') + "...", std::string(43, ' ')},
      {lunga, 2, std::string(114, 'a') + "...", " "},
      {lunga, 300, "..." + std::string(114, 'b'), std::string(3 + 113, ' ')},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.riga.substr(0, 20));
    const RigaMostrata m = mostra_riga(c.riga, c.colonna);
    EXPECT_EQ(m.testo, c.testo);
    EXPECT_EQ(m.rientro, c.rientro);
  }
}

// 5000 problems, one every dozen lines of a 6 MB text.
TEST(RigheSorgente, CinquemilaProblemiSuSeiMegabyteInMenoDiUnSecondo) {
  std::string testo;
  while (testo.size() < 6'000'000)
    testo += "segnale,  1400,   1, 4, 1,  0, 0,    1,  3,1,0, 0" + std::string(50, ' ') + "\r\n";
  ScenarioVerificato s;
  s.testi.treno = testo;
  s.testi.file_treno = "R_T-.txt";
  for (int32_t i = 0; i < 5000; ++i) {
    const Origine o{Sorgente::treno, 1 + i * 12, 11};
    s.diagnostiche.push_back(
        {verifica::Gravita::errore, "P16", "segnale", "", verifica::File::treno, o.riga, 11, {}, {}});
  }
  const auto inizio = std::chrono::steady_clock::now();
  const std::string compile = rapporto_testo(s, {});
  const std::string check = verifica_testo({s}, {});
  const std::string json = verifica_json({s}, 1, {}).dump();
  const auto durata = std::chrono::steady_clock::now() - inizio;
#ifndef __SANITIZE_ADDRESS__
  // AddressSanitizer's allocator makes every one of the report's strings
  // several times dearer: the bound would measure the sanitizer.
  EXPECT_LT(durata, std::chrono::seconds(1));
#else
  (void)durata;
#endif
  EXPECT_NE(compile.find(":59989:11: errore [P16]"), std::string::npos);
  EXPECT_NE(check.find(":59989:11: errore [P16]"), std::string::npos);
}

}  // namespace
}  // namespace scenario::strumenti
