// The binary files of one scenario checked against one another, and plan and
// dump on files that do not belong together.

#include "binari/coerenza.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "comandi/comandi.h"
#include "support/disco_memoria.h"
#include "tools/binari_prova.h"

namespace scenario::test {
namespace {

using strumenti::FileLetti;
using strumenti::incoerenze;
using strumenti::ProfiloLetto;

// A straight profile of `metri` metres per column, as the compiler writes it.
ProfiloLetto profilo(size_t metri) {
  ProfiloLetto p;
  p.x = {Variante::da_intero(0), Variante::da_intero(0)};
  p.y = {Variante::da_intero(0), Variante::da_intero(1)};
  for (size_t m = 2; m < metri; ++m) {
    p.x.push_back(m + 2 < metri ? Variante::da_doppio(0) : Variante{});
    p.y.push_back(m + 2 < metri ? Variante::da_doppio(static_cast<double>(m)) : Variante{});
  }
  return p;
}

std::array<stazione, slot::numero> stazioni(int32_t lunghezza) {
  std::array<stazione, slot::numero> s{};
  s[slot::treno].fine_zona = lunghezza;
  return s;
}

std::string tutte(const std::vector<std::string>& elenco) { return strumenti::testo_incoerenze(elenco); }

TEST(Coerenza, ITreFileDiUnaLineaVannoInsieme) {
  // L + 7001 metres and round((L + 7000) / 50) + 1 cells, rounded half to
  // even: 7025 / 50 = 140.5 gives 140, 7075 / 50 = 141.5 gives 142.
  struct Caso {
    int32_t lunghezza;
    size_t celle;
  };
  for (const Caso& c : {Caso{10000, 341}, Caso{25, 141}, Caso{75, 143}, Caso{-6900, 3}, Caso{0, 141}}) {
    const ProfiloLetto p = profilo(static_cast<size_t>(c.lunghezza + 7001));
    const auto s = stazioni(c.lunghezza);
    const std::vector<cella> celle(c.celle);
    EXPECT_EQ(incoerenze({&p, &s, &celle}), std::vector<std::string>{}) << c.lunghezza;
    // Each file alone, and any two.
    EXPECT_TRUE(incoerenze({&p, nullptr, &celle}).empty()) << c.lunghezza;
    EXPECT_TRUE(incoerenze({nullptr, &s, &celle}).empty()) << c.lunghezza;
    EXPECT_TRUE(incoerenze({&p, nullptr, nullptr}).empty()) << c.lunghezza;
  }
}

TEST(Coerenza, FileCheNonVannoInsiemeSonoNominatiConIlPerche) {
  const ProfiloLetto p = profilo(17001);  // a 10 km route
  ProfiloLetto doppio = p;                // the file written twice over, read back
  doppio.x.insert(doppio.x.end(), p.y.begin(), p.y.end());
  doppio.y = doppio.x;
  ProfiloLetto nan = p, infinito = p, enorme = p;
  nan.y[9] = Variante::da_doppio(std::numeric_limits<double>::quiet_NaN());
  nan.x[5] = Variante::da_doppio(-std::numeric_limits<double>::quiet_NaN());
  infinito.x[100] = Variante::da_doppio(std::numeric_limits<double>::infinity());
  enorme.y[200] = Variante::da_doppio(-2e9);
  const auto s = stazioni(10000), s_lunga = stazioni(2'000'000), s_corta = stazioni(-7001);
  const std::vector<cella> celle(341), celle_di_1000_km(20141), celle_troppe(20142);

  struct Caso {
    FileLetti file;
    std::vector<const char*> attesi;  // a fragment of each message, in order
  };
  const Caso casi[] = {
      {{&p, &s, &celle_di_1000_km},
       {"celle: 20141 celle, ma ne servono 341 per la linea di 10000 m di tabella delle stazioni (slot 84)"}},
      {{&doppio, &s, &celle}, {"profilo: 34002 metri per colonna, ma ne servono 17001 per la linea di 10000 m"}},
      {{&doppio, nullptr, &celle},
       {"celle: 341 celle, ma ne servono 681 per la linea di 27001 m che danno i 34002 metri di profilo"}},
      {{&nan, &s, &celle}, {"profilo: 2 coordinate non finite (NaN o infinito) o oltre 1e9 m, la prima x al metro 5"}},
      {{&infinito, nullptr, nullptr},
       {"1 coordinate non finite (NaN o infinito) o oltre 1e9 m, la prima x al metro 100"}},
      {{&enorme, nullptr, nullptr}, {"la prima y al metro 200"}},
      {{nullptr, &s_lunga, &celle}, {"lunghezza della linea 2000000 m nello slot 84, fuori da -7000..1000000 m"}},
      {{nullptr, &s_corta, nullptr}, {"lunghezza della linea -7001 m"}},
      {{nullptr, nullptr, &celle_troppe}, {"20142 celle, oltre le 20141 della linea più lunga"}},
      {{&p, &s_lunga, &celle}, {"fuori da -7000..1000000 m"}},  // the other two agree
  };
  for (const Caso& c : casi) {
    const auto elenco = incoerenze(c.file);
    ASSERT_EQ(elenco.size(), c.attesi.size()) << tutte(elenco);
    for (size_t i = 0; i < elenco.size(); ++i) EXPECT_NE(elenco[i].find(c.attesi[i]), std::string::npos) << elenco[i];
  }
  // Everything wrong at once: one line each.
  const auto s_5_km = stazioni(5000);
  const auto tre = incoerenze({&nan, &s_5_km, &celle_di_1000_km, "R_linea.dat", "R_T.sim", "R_T.dat"});
  ASSERT_EQ(tre.size(), 3u) << tutte(tre);
  EXPECT_EQ(tutte(tre).rfind("file binari incoerenti:\n  R_linea.dat: 17001 metri per colonna", 0), 0u) << tutte(tre);
}

// The scenario of binari_prova.h on a disk in memory, and the tool's commands on it.
class ComandiSuFileIncoerenti : public ::testing::Test {
 protected:
  ComandiSuFileIncoerenti() { prepara(); }

  void prepara() {
    const Stato s = stato_prova();
    disco.file[profilo_] = serializza_profilo(s.profilo_linea);
    disco.file[sim_] = serializza_stazioni(s.stazioni);
    disco.file[dat_] = serializza_celle(s.celle);
  }

  int plan() {
    strumenti::ArgomentiVista a;
    a.linea = "Prova", a.treno = "1", a.ingresso = "/s", a.uscita = "/s/pianta.svg";
    return strumenti::esegui_plan(a, disco, out, err);
  }
  int dump(const std::string& file, bool json = false) {
    strumenti::ArgomentiDump a;
    a.file = file, a.json = json;
    return strumenti::esegui_dump(a, disco, out, err);
  }
  // The x of metre m in the profile file: two Integer metres of 4 bytes,
  // then 10 bytes a metre, the value after its 2-byte tag.
  void x_del_metro(size_t m, double v) {
    char byte[8];
    std::memcpy(byte, &v, sizeof byte);
    disco.file[profilo_].replace(8 + (m - 2) * 10 + 2, 8, byte, 8);
  }

  const std::string profilo_ = "/s/Prova_linea.dat", sim_ = "/s/Prova_1.sim", dat_ = "/s/Prova_1.dat";
  DiscoMemoria disco;
  std::ostringstream out, err;
};

TEST_F(ComandiSuFileIncoerenti, PlanLiRifiutaSenzaScrivereLaPianta) {
  ASSERT_EQ(plan(), 0) << err.str();
  disco.file.erase("/s/pianta.svg");
  out.str("");

  struct Caso {
    const char* nome;
    std::function<void(DiscoMemoria&)> guasta;
    const char* messaggio;
  };
  const std::string profilo = disco.file[profilo_];
  const Caso casi[] = {
      {"profilo doppio", [&](DiscoMemoria& d) { d.file[profilo_] += profilo; },
       "Prova_linea.dat: 34002 metri per colonna, ma ne servono 17001 per la linea di 10000 m di Prova_1.sim (slot "
       "84)"},
      {"celle di 1000 km", [&](DiscoMemoria& d) { d.file[dat_] = std::string(20141 * 15, '\0'); },
       "Prova_1.dat: 20141 celle"},
      {"coordinata NaN", [&](DiscoMemoria&) { x_del_metro(7, std::numeric_limits<double>::quiet_NaN()); },
       "la prima x al metro 7"},
  };
  for (const Caso& c : casi) {
    prepara();
    c.guasta(disco);
    EXPECT_EQ(plan(), 2) << c.nome;
    EXPECT_NE(err.str().find("scenario: file binari incoerenti:\n  "), std::string::npos) << err.str();
    EXPECT_NE(err.str().find(c.messaggio), std::string::npos) << err.str();
    EXPECT_NE(err.str().find("nessun file scritto"), std::string::npos) << err.str();
    EXPECT_FALSE(disco.esiste("/s/pianta.svg")) << c.nome;
    EXPECT_EQ(out.str(), "") << c.nome;
    err.str("");
  }
}

TEST_F(ComandiSuFileIncoerenti, DumpDecodificaEAvverte) {
  EXPECT_EQ(dump(profilo_), 0);
  EXPECT_EQ(err.str(), "");

  x_del_metro(7, std::numeric_limits<double>::quiet_NaN());
  out.str("");
  EXPECT_EQ(dump(profilo_), 1);
  EXPECT_NE(out.str().find("\nmetro 7: x=nan y=7"), std::string::npos) << out.str().substr(0, 300);
  EXPECT_EQ(
      err.str(),
      "scenario: attenzione, file binari incoerenti:\n  Prova_linea.dat: 1 coordinate non finite (NaN o infinito) "
      "o oltre 1e9 m, la prima x al metro 7\n");

  out.str(""), err.str("");
  EXPECT_EQ(dump(profilo_, true), 1);
  const auto j = nlohmann::json::parse(out.str());
  ASSERT_EQ(j["avvisi"].size(), 1u);
  EXPECT_NE(j["avvisi"][0].get<std::string>().find("la prima x al metro 7"), std::string::npos);
  EXPECT_EQ(err.str(), "");

  // A table whose route no compile has: decoded, and said.
  std::array<stazione, slot::numero> st = stato_prova().stazioni;
  st[slot::treno].fine_zona = 1'000'001;
  disco.file[sim_] = serializza_stazioni(st);
  out.str(""), err.str("");
  EXPECT_EQ(dump(sim_), 1);
  EXPECT_NE(err.str().find("Prova_1.sim: lunghezza della linea 1000001 m nello slot 84"), std::string::npos)
      << err.str();
}

}  // namespace
}  // namespace scenario::test
