// scenario nuovo: a starter scenario in a new folder, which checks clean.

#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>

#include "support/cartella_temporanea.h"
#include "tools/strumento.h"

namespace scenario::test {
namespace {

namespace fs = std::filesystem;

TEST(Nuovo, UnoScenarioDiPartenzaPulitoSoloInUnaCartellaNuova) {
  CartellaTemporanea dir;
  const fs::path cartella = dir / "mio scenario";
  const auto e = esegui_strumento({"nuovo", cartella.string()});
  ASSERT_EQ(e.stato, 0) << e.uscita;
  for (const char* nome : {"linea.txt", "treno.txt", "note.txt", "rallentamenti.txt", "scheda_treno.txt"})
    EXPECT_TRUE(fs::is_regular_file(cartella / nome)) << nome;

  // Clean for the check, warnings counting as errors, and not one note: the
  // timetable card is compared too.
  const auto c = esegui_strumento({"check", cartella.string(), "--Werror", "--json"});
  EXPECT_EQ(c.stato, 0) << c.uscita;
  const auto j = nlohmann::json::parse(c.uscita);
  EXPECT_TRUE(j["scenari"][0]["diagnostiche"].empty()) << j.dump(2);
  // The installer's compile writes its three files from it.
  const auto k = esegui_strumento({"compile", cartella.string(), "--out", dir.percorso().string()});
  EXPECT_EQ(k.stato, 0) << k.uscita;
  EXPECT_TRUE(fs::exists(dir / "R_T.sim"));

  // Nothing of the author's is written over: a folder that holds anything,
  // or a file, is refused as it stands.
  scrivi_file(cartella / "linea.txt", "cambiata");
  for (const fs::path& p : {cartella, fs::path(dir / "R_T.sim")}) {
    const auto r = esegui_strumento({"nuovo", p.string()});
    EXPECT_EQ(r.stato, 2) << r.uscita;
    EXPECT_NE(r.uscita.find("non è una cartella vuota"), std::string::npos) << r.uscita;
  }
  EXPECT_EQ(leggi_file(cartella / "linea.txt"), "cambiata");
}

}  // namespace
}  // namespace scenario::test
