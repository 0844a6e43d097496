// The line along its length: scenario profilo.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "disegni/grafico_profilo.h"
#include "tools/scenari_vista.h"
#include "tools/verifiche_svg.h"

namespace scenario::test {
namespace {

TEST(Profilo, SegniAlloroKmTitoliConIlLuogoEProblemiOltreLeCelleAllaFineDellAsse) {
  const auto d = disegna_prova(Prova::problemi, "profilo", "profilo.svg");
  ASSERT_EQ(d->esecuzione.stato, 0) << d->esecuzione.uscita;
  EXPECT_NE(d->esecuzione.uscita.find("controllo dei testi (scenario check li spiega): 3 errori, 0 avvisi, 1 nota\n"),
            std::string::npos)
      << d->esecuzione.uscita;
  const auto a = analizza_svg(d->file);
  if (!a) GTEST_SKIP() << "python3 mancante";
  // Signals at 1400, 4650, 4700 and 4750 (the one at 99 km is refused), in order along the axis.
  const auto segnali = segni(*a, "segnale");
  ASSERT_EQ(segnali.size(), 4u);
  for (size_t i = 1; i < segnali.size(); ++i)
    EXPECT_LT(segnali[i - 1]["luogo"][0].get<double>(), segnali[i]["luogo"][0].get<double>());
  EXPECT_NE(segnali[0]["titolo"].get<std::string>().find("Prova_1-.txt:16"), std::string::npos) << segnali[0]["titolo"];
  // Problem 15 at 99 000 m lies past the last cell (17 000 m): marked at the axis' end, and said so.
  const auto oltre = segni(*a, "problema", "errore P15 a 99000 m");
  ASSERT_EQ(oltre.size(), 1u);
  EXPECT_NE(oltre[0]["titolo"].get<std::string>().find("oltre l'ultima cella"), std::string::npos);
  EXPECT_LE(oltre[0]["luogo"][0].get<double>(), (*a)["vista"][2].get<double>());
  EXPECT_EQ(segni(*a, "problema", "errore P12 a 5050 m").size(), 1u);
  for (const char* genere : {"pendenza", "velocita", "montagna", "rallentamento", "abbattimento", "cartello"})
    EXPECT_FALSE(segni(*a, genere).empty()) << genere;
}

TEST(Profilo, AsseDaZeroAllUltimaCellaConTaccheAdattateAllaLunghezza) {
  const auto d = disegna_prova(Prova::incorporato, "profilo", "profilo.svg");
  ASSERT_EQ(d->esecuzione.stato, 0) << d->esecuzione.uscita;
  const auto a = analizza_svg(d->file);
  if (!a) GTEST_SKIP() << "python3 mancante";
  const std::string testi = testi_uniti(*a);
  // 143 km of cells: a tick every 10 km.
  for (const char* atteso :
       {"km 0|", "km 140|", "celle fino a 143000 m", "BELMORA CENTRALE 8:40:00|", "SOLVENZIA BASSA 10:40:01|"})
    EXPECT_NE(testi.find(atteso), std::string::npos) << atteso << "\n" << testi;
  EXPECT_EQ(testi.find("km 150|"), std::string::npos);
  // The station past the line's end stands past the dashed line at the end.
  const auto centrale = segni(*a, "stazione", "stazione SOLVENZIA CENTRALE");
  const auto fine = segni(*a, "fine_linea");
  ASSERT_EQ(centrale.size(), 1u);
  ASSERT_EQ(fine.size(), 1u);
  EXPECT_GT(centrale[0]["luogo"][0].get<double>(), fine[0]["luogo"][0].get<double>() + 5);
}

// The speed indicator boards read as written (linea.txt:249 "indicatori_vmax,
// 1300, 125, 135, 135, ..."), in km/h, in their labels and their titles;
// never as the cells keep them (2500/2700/2700).
TEST(Profilo, IndicatoriInKmHComeLiHaScrittiLAutore) {
  const auto d = disegna_prova(Prova::incorporato, "profilo", "profilo.svg");
  ASSERT_EQ(d->esecuzione.stato, 0) << d->esecuzione.uscita;
  const auto a = analizza_svg(d->file);
  if (!a) GTEST_SKIP() << "python3 mancante";
  EXPECT_NE(testi_uniti(*a).find("|125/135/135|"), std::string::npos) << testi_uniti(*a);
  size_t etichette = 0;
  for (const auto& t : (*a)["testi"]) {
    const std::string testo = t["testo"];
    int x = 0, y = 0, z = 0;
    char resto = 0;
    if (std::sscanf(testo.c_str(), "%d/%d/%d%c", &x, &y, &z, &resto) != 3) continue;
    ++etichette;
    for (int v : {x, y, z}) EXPECT_TRUE(v > 0 && v <= 300 && v % 5 == 0) << testo;
  }
  EXPECT_GE(etichette, 10u);
  const auto primo = segni(*a, "indicatori",
                           "indicatori di velocità massima a 1300 m: vas 125 km/h, vbs 135 km/h, "
                           "vcs 135 km/h, strisces 0, vad 0 km/h");
  EXPECT_EQ(primo.size(), 1u);
  EXPECT_EQ(segni(*a, "indicatori").size(), 18u);
}

// A step line thinned to the pixels keeps, in each half-pixel column, the
// extremes it had there.
TEST(Profilo, AssottigliaTieneGliEstremiDiOgniColonna) {
  using strumenti::PuntoGrafico;
  std::vector<PuntoGrafico> p;
  for (int i = 0; i < 1000; ++i) p.push_back({i * 0.01, i % 7 == 0 ? 10.0 - i % 3 : 5.0});
  const auto a = strumenti::assottiglia(p);
  EXPECT_LT(a.size(), 100u);
  for (size_t i = 1; i < a.size(); ++i) EXPECT_LE(a[i - 1].x, a[i].x);
  double massimo = 0, minimo = 100;
  for (const auto& q : a) massimo = std::max(massimo, q.y), minimo = std::min(minimo, q.y);
  EXPECT_EQ(massimo, 10.0);
  EXPECT_EQ(minimo, 5.0);
  // Points already a pixel apart are left as they are.
  const std::vector<PuntoGrafico> radi{{0, 1}, {1, 2}, {2, 1}};
  EXPECT_EQ(strumenti::assottiglia(radi).size(), 3u);
}

}  // namespace
}  // namespace scenario::test
