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
  EXPECT_EQ(d.registro, (std::vector<std::string>{"crea f.txt", "elimina f.txt", "scrivi f.txt"}));
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
