#include "sources/scrittura.h"

#include <gtest/gtest.h>

#include <vector>

#include "base/errori.h"
#include "platform/disco_file.h"
#include "support/cartella_temporanea.h"
#include "support/disco_memoria.h"

namespace scenario {
namespace {

TEST(ScriviRighe, CrLfDopoOgniRigaESpaziConservati) {
  test::DiscoMemoria d;
  const std::vector<std::string_view> righe = {"[generale]", "", "x,  ,  ,  ,  0", "fine  "};
  scrivi_righe(d, "/c/f.txt", righe);
  EXPECT_EQ(d.file["/c/f.txt"], "[generale]\r\n\r\nx,  ,  ,  ,  0\r\nfine  \r\n");
  // Written beside its name, then moved in whole.
  EXPECT_EQ(d.registro,
            (std::vector<std::string>{"crea f.txt.1.0.tmp", "scrivi f.txt.1.0.tmp", "rinomina f.txt.1.0.tmp f.txt"}));
}

// A text that cannot be written whole (a full disk) leaves the earlier one
// as it was, and no provisional file; the failure names the text.
TEST(ScriviRighe, UnaScritturaFallitaLasciaIlTestoDiPrima) {
  for (const bool c_era : {true, false}) {
    SCOPED_TRACE(c_era ? "con un testo di prima" : "senza");
    test::DiscoMemoria d;
    if (c_era) d.file["/c/f.txt"] = "di prima\r\n";
    d.scrivi_interrotto["/c/f.txt.1.0.tmp"] = 3;
    const std::vector<std::string_view> righe = {"nuova riga"};
    try {
      scrivi_righe(d, "/c/f.txt", righe);
      ADD_FAILURE();
    } catch (const ErroreEsecuzione& e) {
      EXPECT_EQ(e.guasto(), Guasto::disco_pieno);
      EXPECT_EQ(e.dettaglio(), "f.txt");
    }
    EXPECT_EQ(d.file.size(), c_era ? 1u : 0u);
    if (c_era) {
      EXPECT_EQ(d.file["/c/f.txt"], "di prima\r\n");
    }
  }
}

TEST(ScriviRighe, SiFermaAllaRigaDiFine) {
  test::DiscoMemoria d;
  const std::vector<std::string_view> righe = {"a", fine_del_file, "b"};
  scrivi_righe(d, "/c/f.txt", righe);
  EXPECT_EQ(d.file["/c/f.txt"], "a\r\n");
  scrivi_righe(d, "/c/vuoto.txt", {});
  EXPECT_EQ(d.file["/c/vuoto.txt"], "");
}

TEST(ScriviRighe, FileEsistenteSostituito) {
  test::CartellaTemporanea dir;
  DiscoFile disco;
  test::scrivi_file(dir / "f.txt", std::string(1000, 'x'));
  const std::vector<std::string_view> righe = {"uno"};
  scrivi_righe(disco, dir / "f.txt", righe);
  EXPECT_EQ(test::leggi_file(dir / "f.txt"), "uno\r\n");
}

TEST(ScriviRighe, CartellaNonScrivibile) {
  test::CartellaTemporanea dir;
  test::scrivi_file(dir / "non_una_cartella", "");
  DiscoFile disco;
  const std::vector<std::string_view> righe = {"uno"};
  EXPECT_THROW(scrivi_righe(disco, dir / "non_una_cartella" / "f.txt", righe), ErroreEsecuzione);
}

TEST(ScriviRighe, IlGuastoNominaIlFileInWindows1252) {
  test::CartellaTemporanea dir;
  DiscoFile disco;
  const std::vector<std::string_view> righe = {"uno"};
  const std::string nome = "citt\xC3\xA0.txt";  // "città" on disk
  try {
    scrivi_righe(disco, dir / "manca" / nome, righe);
    ADD_FAILURE();
  } catch (const ErroreEsecuzione& e) {
    EXPECT_EQ(e.dettaglio(), "citt\xE0.txt");
  }
}

}  // namespace
}  // namespace scenario
