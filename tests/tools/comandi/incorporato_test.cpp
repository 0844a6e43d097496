// The tool on the embedded scenario, its texts written as the installer
// writes them.

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>

#include "compiler/stato.h"
#include "platform/disco_file.h"
#include "sources/payload.h"
#include "sources/scrittori.h"
#include "support/cartella_temporanea.h"
#include "tools/strumento.h"

namespace scenario::test {
namespace {

// The project's own example is clean even with warnings counted as errors:
// its terminus past the line's end, with what leads to it, is one note.
TEST(StrumentoSulloScenarioIncorporato, IlControlloEPulitoAncheConWerror) {
  const auto payload = std::filesystem::path(FIXTURE_STRUMENTI).parent_path().parent_path().parent_path() / "payload";
  const auto c = esegui_strumento({"check", payload.string(), "--Werror", "--formato", "gcc"});
  EXPECT_EQ(c.stato, 0) << c.uscita;
  EXPECT_EQ(c.uscita.find("warning:"), std::string::npos) << c.uscita;
  EXPECT_NE(c.uscita.find("note: [N05]"), std::string::npos) << c.uscita;
}

TEST(StrumentoSulloScenarioIncorporato, DumpMostraIlSegnaleDellaCella29EPlanDaUnSvgBenFormato) {
  CartellaTemporanea dir;
  const Payload& payload = payload_incorporato();
  const NomiScenario nomi{payload.nome_linea, payload.numero_treno};
  DiscoFile disco;
  dati_linea(nomi, payload, disco, dir.percorso());
  dati_treno(nomi, payload, disco, dir.percorso());
  const std::string linea(payload.nome_linea), treno(payload.numero_treno), in = dir.percorso().string();

  const auto c = esegui_strumento({"compile", "--route", linea, "--train", treno, "--in", in});
  ASSERT_EQ(c.stato, 0) << c.uscita;

  const auto d = esegui_strumento({"dump", (dir / (linea + "_" + treno + ".dat")).string()});
  ASSERT_EQ(d.stato, 0) << d.uscita;
  EXPECT_NE(
      d.uscita.find("\ncella 29 [1400 m]: codice=1 tipo=\"segnale\" valore1=43 (s1 4, d1 3) valore2=11 (s2 1, d2 1) "
                    "valore3=0 (s3 0, d3 0) valore4=4 (rapp 0, sx 1, dx 1) tempo_segnale=0"),
      std::string::npos);

  const auto svg = dir / "pianta.svg";
  const auto p = esegui_strumento({"plan", "--route", linea, "--train", treno, "--in", in, "-o", svg.string()});
  ASSERT_EQ(p.stato, 0) << p.uscita;
  const auto x = analizza_svg(svg);
  if (!x) GTEST_SKIP() << "python3 mancante";
  ASSERT_TRUE(x->is_object()) << x->dump();
  std::string testi;
  for (const auto& t : (*x)["testi"]) testi += t["testo"].get<std::string>() + "|";
  for (const char* atteso : {"BELMORA CENTRALE|", "SOLVENZIA CENTRALE|", "km 0|"})
    EXPECT_NE(testi.find(atteso), std::string::npos) << atteso;
}

}  // namespace
}  // namespace scenario::test
