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

}  // namespace
}  // namespace scenario::test
