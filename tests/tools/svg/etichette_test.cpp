// Label placement: crowded cases, each checked for boxes that meet.

#include "svg/etichette.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace scenario::strumenti {
namespace {

struct Caso {
  const char* nome;
  std::vector<Etichetta> etichette;
  std::vector<Riquadro> ostacoli;
  size_t posate_almeno;  // how many must find a place
};

// A label of width l centred on x in a lane at y, with the usual stacking.
Etichetta in_corsia(double x, double l, int righe = 3, int priorita = 0) {
  const Riquadro base{x - l / 2, 0, l, 12};
  return {posti_spostati(base, spostamenti_a_pila(l, 0, 0, 14, righe)), priorita};
}

std::vector<Caso> casi() {
  std::vector<Caso> c;
  {
    Caso k{"dieci etichette sullo stesso punto", {}, {}, 0};
    for (int i = 0; i < 10; ++i) k.etichette.push_back(in_corsia(500, 120));
    k.posate_almeno = 3;  // one per row at least
    c.push_back(k);
  }
  {
    Caso k{"stazioni fitte lungo la linea", {}, {}, 20};
    for (int i = 0; i < 60; ++i) k.etichette.push_back(in_corsia(10.0 * i, 90));
    c.push_back(k);
  }
  {
    Caso k{"due nomi lunghi vicini, come alla fine di una linea", {in_corsia(1400, 140), in_corsia(1420, 160)}, {}, 2};
    c.push_back(k);
  }
  {
    // Obstacles fill the first row: every label goes lower or out.
    Caso k{"una riga occupata da ostacoli", {}, {{0, 0, 2000, 12}}, 5};
    for (int i = 0; i < 5; ++i) k.etichette.push_back(in_corsia(100.0 + 300 * i, 80));
    c.push_back(k);
  }
  {
    Caso k{"etichette senza alcun posto libero", {in_corsia(50, 40, 1), in_corsia(50, 40, 1)}, {}, 1};
    k.ostacoli.push_back({-100, 20, 300, 100});
    c.push_back(k);
  }
  {
    std::mt19937 caso(12345);
    std::uniform_real_distribution<double> x(0, 800), l(20, 200);
    Caso k{"trecento etichette a caso", {}, {}, 30};
    for (int i = 0; i < 300; ++i) k.etichette.push_back(in_corsia(x(caso), l(caso), 4, i % 3));
    c.push_back(k);
  }
  return c;
}

TEST(PosaEtichette, NessunaCoppiaDiRiquadriPosatiSiTocca) {
  for (const Caso& k : casi()) {
    const auto scelti = posa_etichette(k.etichette, k.ostacoli);
    ASSERT_EQ(scelti.size(), k.etichette.size()) << k.nome;
    std::vector<Riquadro> posati;
    for (size_t i = 0; i < scelti.size(); ++i) {
      if (!scelti[i]) continue;
      ASSERT_LT(*scelti[i], k.etichette[i].posti.size()) << k.nome;
      posati.push_back(k.etichette[i].posti[*scelti[i]]);
    }
    EXPECT_GE(posati.size(), k.posate_almeno) << k.nome;
    for (size_t i = 0; i < posati.size(); ++i) {
      for (const Riquadro& o : k.ostacoli) EXPECT_FALSE(posati[i].tocca(o)) << k.nome << ": etichetta " << i;
      for (size_t j = i + 1; j < posati.size(); ++j)
        EXPECT_FALSE(posati[i].tocca(posati[j])) << k.nome << ": etichette " << i << " e " << j;
    }
  }
}

TEST(PosaEtichette, PrimaLaPrioritaPoiIlPrimoPostoLibero) {
  // The later label has the higher priority: it keeps the contested place.
  const std::vector<Etichetta> e{in_corsia(100, 50, 1, 0), in_corsia(100, 50, 1, 5)};
  const auto scelti = posa_etichette(e);
  ASSERT_TRUE(scelti[1].has_value());
  EXPECT_EQ(*scelti[1], 0u);
  // The other slides aside rather than stacking, as its places are ordered.
  ASSERT_TRUE(scelti[0].has_value());
  EXPECT_GT(*scelti[0], 0u);

  // A lone label takes the place where it belongs.
  EXPECT_EQ(posa_etichette({in_corsia(300, 50)}).front(), std::optional<size_t>(0));
}

TEST(PosaEtichette, TraDueEtichetteRestaAriaSuiLati) {
  // Two boxes exactly side by side would be legal geometry but unreadable.
  const std::vector<Etichetta> e{{{{0, 0, 50, 10}}, 0}, {{{50, 0, 50, 10}, {50 + 2 * aria_orizzontale, 0, 50, 10}}, 0}};
  const auto scelti = posa_etichette(e);
  EXPECT_EQ(scelti[1], std::optional<size_t>(1));
}

TEST(PosaEtichette, IPostiPiuViciniAlPuntoVengonoPrima) {
  // Far, touching the point, near, touching the point again.
  std::vector<Riquadro> posti{{100, 0, 10, 10}, {-5, -5, 10, 10}, {20, 0, 10, 10}, {0, 0, 10, 10}};
  ordina_per_vicinanza(posti, 0, 0);
  EXPECT_EQ(posti[0].x, -5);  // equals keep their order
  EXPECT_EQ(posti[1].x, 0);
  EXPECT_EQ(posti[2].x, 20);
  EXPECT_EQ(posti[3].x, 100);
}

}  // namespace
}  // namespace scenario::strumenti
