// What holds for both drawings of every scenario: well-formed SVG, a legend
// of exactly the kinds drawn, no two labels overlapping.

#include <gtest/gtest.h>

#include "tools/scenari_vista.h"
#include "tools/verifiche_svg.h"

namespace scenario::test {
namespace {

TEST(Disegni, SvgBenFormatoLegendaUgualeAiGeneriDisegnatiEtichetteSeparate) {
  for (const char* comando : {"plan", "profilo"}) {
    for (Prova p : {Prova::binari, Prova::incorporato, Prova::problemi}) {
      CartellaTemporanea dir, fuori;
      const ScenarioDiProva s = prepara(p, dir);
      const auto svg = fuori / "disegno.svg";
      const auto e = disegna(comando, s, svg);
      const std::string caso = std::string(comando) + ", " + s.nome;
      ASSERT_EQ(e.stato, 0) << caso << "\n" << e.uscita;
      const auto a = analizza_svg(svg);
      if (!a) GTEST_SKIP() << "python3 mancante";
      ASSERT_TRUE(a->is_object()) << caso << ": " << a->dump();
      EXPECT_TRUE((*a)["svg"].get<bool>()) << caso;
      const auto disegnati = generi_disegnati(*a);
      EXPECT_FALSE(disegnati.empty()) << caso;
      EXPECT_EQ(generi_in_legenda(*a), disegnati) << caso;
      const auto sovrapposte = etichette_sovrapposte(*a);
      EXPECT_TRUE(sovrapposte.empty()) << caso << ": " << sovrapposte.size() << " coppie, la prima " << sovrapposte[0];
    }
  }
}

}  // namespace
}  // namespace scenario::test
