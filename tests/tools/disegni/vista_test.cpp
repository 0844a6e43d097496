// What holds for both drawings of every scenario: well-formed SVG, a legend
// of exactly the kinds drawn with no empty band under it, no two labels
// overlapping.

#include <gtest/gtest.h>

#include "tools/scenari_vista.h"
#include "tools/verifiche_svg.h"

namespace scenario::test {
namespace {

TEST(Disegni, SvgBenFormatoLegendaUgualeAiGeneriDisegnatiEtichetteSeparate) {
  for (const char* comando : {"plan", "profilo"}) {
    for (Prova p : {Prova::binari, Prova::incorporato, Prova::problemi}) {
      const auto d = disegna_prova(p, comando, "disegno.svg");
      const std::string caso = std::string(comando) + ", " + d->scenario.nome;
      ASSERT_EQ(d->esecuzione.stato, 0) << caso << "\n" << d->esecuzione.uscita;
      const auto a = analizza_svg(d->file);
      if (!a) GTEST_SKIP() << "python3 mancante";
      ASSERT_TRUE(a->is_object()) << caso << ": " << a->dump();
      EXPECT_TRUE((*a)["svg"].get<bool>()) << caso;
      const auto disegnati = generi_disegnati(*a);
      EXPECT_FALSE(disegnati.empty()) << caso;
      EXPECT_EQ(generi_in_legenda(*a), disegnati) << caso;
      EXPECT_LT(spazio_sotto_la_legenda(*a), 60) << caso;
      const auto sovrapposte = etichette_sovrapposte(*a);
      EXPECT_TRUE(sovrapposte.empty()) << caso << ": " << sovrapposte.size() << " coppie, la prima " << sovrapposte[0];
    }
  }
}

// Without --route and --train the names come from the files, as check finds
// them: the texts' (a payload folder is R and T), else the only R_T.sim's;
// where they cannot be told, the tool says to give them.
TEST(Disegni, NomiDaiFileQuandoNonSonoIndicati) {
  struct Caso {
    Prova prova;
    const char* titolo;  // what the drawing's title starts with; nullptr: refused
    std::vector<std::string> nomi;
  };
  const Caso casi[] = {
      {Prova::incorporato, "R - treno T", {}},
      {Prova::problemi, "Prova - treno 1", {}},
      {Prova::binari, "Prova - treno 1", {}},
      {Prova::problemi, nullptr, {"--route", "Prova"}},
  };
  for (const Caso& c : casi) {
    CartellaTemporanea dir;
    const ScenarioDiProva s = prepara(c.prova, dir);
    SCOPED_TRACE(s.nome);
    CartellaTemporanea fuori;
    std::vector<std::string> argomenti = {"profilo", s.cartella.string(), "-o", (fuori / "p.svg").string()};
    argomenti.insert(argomenti.end(), c.nomi.begin(), c.nomi.end());
    const auto e = esegui_strumento(argomenti);
    if (!c.titolo) {
      EXPECT_EQ(e.stato, 2) << e.uscita;
      EXPECT_NE(e.uscita.find("indicare sia --route sia --train"), std::string::npos) << e.uscita;
      continue;
    }
    ASSERT_EQ(e.stato, 0) << e.uscita;
    EXPECT_NE(leggi_file(fuori / "p.svg").find(std::string(">") + c.titolo), std::string::npos);
  }

  // Two scenarios' binary files in one folder: which one is not guessed.
  CartellaTemporanea dir;
  prepara(Prova::binari, dir);
  std::filesystem::copy_file(dir / "Prova_1.sim", dir / "Prova_2.sim");
  const auto e = esegui_strumento({"plan", dir.percorso().string(), "-o", (dir / "p.svg").string()});
  EXPECT_EQ(e.stato, 2);
  EXPECT_NE(e.uscita.find("più di uno scenario"), std::string::npos) << e.uscita;
}

}  // namespace
}  // namespace scenario::test
