// The check: the installer's compile is the same with the check listening,
// the reading on finds what lies past a stop, and each rule speaks where it
// should and nowhere else.

#include "verifica/controllo.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "support/cartella_temporanea.h"
#include "support/scenari_generati.h"
#include "support/testi_fissi.h"
#include "verifica/raccolta.h"
#include "verifica/regole_controllo.h"

namespace scenario::verifica {
namespace {

// A listener must not change what the compile does: every problem, place,
// cell and slot as without it.
TEST(Controllo, LaCompilazioneEsattaNonCambiaConChiAscolta) {
  for (const test::ScenarioGenerato& g : test::scenari_generati(40)) {
    SCOPED_TRACE(g.nome);
    const Testi t{g.nome_linea, g.numero_treno, g.linea, g.treno, std::nullopt};
    Raccolta raccolta;
    const auto solo = compila_in_memoria(t, nullptr, false);
    const auto ascoltata = compila_in_memoria(t, &raccolta, false);
    EXPECT_EQ(ascoltata->problemi, solo->problemi);
    EXPECT_EQ(ascoltata->codice_errore, solo->codice_errore);
    EXPECT_EQ(ascoltata->posizione_errore, solo->posizione_errore);
    EXPECT_EQ(ascoltata->stazioni, solo->stazioni);
    EXPECT_THAT(ascoltata->celle.tutte(), testing::ElementsAreArray(solo->celle.tutte()));
  }
}

// Reading on ends: whatever the text, the readers get through it.
TEST(Controllo, LaLetturaProseguitaArrivaInFondoAOgniTesto) {
  for (const test::ScenarioGenerato& g : test::scenari_generati(40)) {
    SCOPED_TRACE(g.nome);
    const Testi t{g.nome_linea, g.numero_treno, g.linea, g.treno, std::nullopt};
    Raccolta esatta, proseguita;
    const auto esatto = compila_in_memoria(t, &esatta, false);
    compila_in_memoria(t, &proseguita, true);
    EXPECT_TRUE(proseguita.linea_iniziata);
    EXPECT_TRUE(proseguita.treno_iniziato);
    // It reads at least what the installer's reading read.
    EXPECT_GE(proseguita.record.size(), esatta.record.size());
  }
}

// The inputs that once broke the compiler, each as the line and as the
// train description beside a fixed valid other: the reading on gets through
// each, and finds at least what the installer's compile found.
TEST(Controllo, LaLetturaProseguitaReggeGliIngressiDeiFuzzer) {
  const std::filesystem::path regressioni =
      std::filesystem::path(__FILE__).parent_path() / ".." / ".." / "fuzz" / "regressioni";
  size_t visti = 0;
  for (const auto& e : std::filesystem::recursive_directory_iterator(regressioni)) {
    if (!e.is_regular_file()) continue;
    SCOPED_TRACE(e.path().string());
    const std::string dati = test::leggi_file(e.path());
    for (bool come_linea : {true, false}) {
      const std::string& l = come_linea ? dati : test::linea_fissa();
      const std::string& t = come_linea ? test::treno_fisso() : dati;
      const Controllo c = controlla_testi({"R", "T", l, t, std::nullopt});
      const auto esatto = compila_in_memoria({"R", "T", l, t, std::nullopt}, nullptr, false);
      size_t errori = 0;
      for (const Diagnostica& d : c.diagnostiche) errori += d.gravita == Gravita::errore;
      EXPECT_GE(errori, esatto->problemi.size());
    }
    ++visti;
  }
  EXPECT_GE(visti, 7u);
}

const std::vector<std::string> linea_base = {
    "[generale]",
    "lunghezza percorso, 10000",
    "progressiva chilometrica uno, 0, 0, 0",
    "progressiva chilometrica due, 0, 0, 0",
    "progressiva chilometrica tre, 0, 0, 0",
    "sfondo uno, 1",
    "sfondo due, 0",
    "sfondo tre, 0",
    "ripetizione segnali 4 codici, 0, 0",
    "[curve]",
    "curvad3, 800, 300",
    "[pendenze]",
    "pendenza, 0, 0",
    "pendenza, 5000, 2",
    "[cartelli]",
    "indicatori_vmax, 2500, 100, 120, 120, 0, , , , 0",
    "[fine]",
};
const std::vector<std::string> treno_base = {
    "[generale]",
    "numero vetture, 2",
    "[vel_limite]",
    "velocita, 0, 30",
    "velocita, 1300, 120",
    "[stazioni]",
    "stazione, 0, 8, 800, 0, 0, 0, 1, 1, 0, 4, 1, 1, 1, 8, 40, 0, PRIMA",
    "[segnali]",
    "segnale, 1400, 1, 4, 1, 0, 0, 1, 3, 1, 0, 0",
    "[fine]",
};

// Lines replaced (from 1; a replacement may hold several lines).
using Modifiche = std::map<size_t, std::string>;

std::string testo(const std::vector<std::string>& base, const Modifiche& m) {
  std::string t;
  for (size_t i = 0; i < base.size(); ++i) {
    const auto it = m.find(i + 1);
    std::string r = it == m.end() ? base[i] : it->second;
    for (size_t p = r.find('\n'); p != std::string::npos; p = r.find('\n', p + 2)) r.replace(p, 1, "\r\n");
    t += r + "\r\n";
  }
  return t;
}

// Each diagnostic as "ID file:line", with " proseguendo" when only the
// reading on meets it.
std::vector<std::string> in_breve(const Controllo& c) {
  const char* file[] = {"-", "linea", "treno", "scheda"};
  std::vector<std::string> v;
  for (const Diagnostica& d : c.diagnostiche)
    v.push_back(d.id + " " + file[static_cast<int>(d.file)] + ":" + std::to_string(d.riga) +
                (d.fase == Fase::proseguendo ? " proseguendo" : ""));
  return v;
}

struct Caso {
  const char* nome;
  Modifiche linea, treno;
  std::vector<std::string> attese;
};

TEST(Controllo, OgniRegolaParlaDoveDeve) {
  const std::string segnale = "segnale, 1400, 1, 4, 1, 0, 0, 1, 3, 1, 0, 0";
  const std::string capolinea =
      "stazione, 0, 8, 800, 0, 0, 0, 1, 1, 0, 4, 1, 1, 1, 8, 40, 0, PRIMA\n"
      "stazione, 11000, 8, 800, 0, 0, 0, 1, 1, 0, 4, 1, 1, 1, 8, 40, 0, ULTIMA";
  const Caso casi[] = {
      {"pulito", {}, {}, {}},
      {"parola sbagliata", {}, {{9, "sengale, 1400, 1, 4, 1, 0, 0, 1, 3, 1, 0, 0"}}, {"W01 treno:9"}},
      {"sezione sbagliata", {}, {{8, "[segnli]"}}, {"W02 treno:8"}},
      {"record della linea nel treno", {}, {{9, "curvad3, 800, 300"}}, {"W03 treno:9"}},
      {"record delle sezioni in [generale]",
       {{9, "ripetizione segnali 4 codici, 0, 0\npendenza, 100, 1"}},
       {},
       {"W04 linea:10"}},
      {"treno senza [generale]", {}, {{1, "[generle]"}}, {"W05 treno:1"}},
      {"valore in piu'", {}, {{5, "velocita, 1300, 120, 7"}}, {"W06 treno:5"}},
      {"stazione senza nome",
       {},
       {{7, "stazione, 0, 8, 800, 0, 0, 0, 1, 1, 0, 4, 1, 1, 1, 8, 40, 0"}},
       {"W07 treno:7"}},
      {"oltre la linea", {}, {{9, "segnale, 12000, 1, 4, 1, 0, 0, 1, 3, 1, 0, 0"}}, {"W08 treno:9"}},
      // The line's end is the line's; a metre or a cell past it is not.
      {"alla fine della linea", {}, {{9, "segnale, 10000, 1, 4, 1, 0, 0, 1, 3, 1, 0, 0"}}, {}},
      {"un metro oltre la linea",
       {},
       {{9, "segnale, 10001, 1, 4, 1, 0, 0, 1, 3, 1, 0, 0"}},
       {"W08 treno:9", "W12 treno:9"}},
      {"una cella oltre la linea", {}, {{9, "segnale, 10050, 1, 4, 1, 0, 0, 1, 3, 1, 0, 0"}}, {"W08 treno:9"}},
      // A terminus past the line's end, in the cells that go on: what leads
      // to it is meant; what lies past it is not.
      {"capolinea oltre la linea",
       {},
       {{7, capolinea}, {9, "segnale, 10500, 1, 4, 1, 0, 0, 1, 3, 1, 0, 0"}},
       {"N05 treno:8"}},
      {"segnale oltre il capolinea",
       {},
       {{7, capolinea}, {9, "segnale, 11500, 1, 4, 1, 0, 0, 1, 3, 1, 0, 0"}},
       {"N05 treno:8", "W08 treno:10"}},
      {"fuori ordine", {}, {{5, "velocita, 1300, 120\nvelocita, 600, 60"}}, {"W09 treno:6"}},
      // Kilometres among metres: "2" after 1300 m would be 2000 m.
      {"chilometri", {}, {{5, "velocita, 1300, 120\nvelocita, 2, 60"}}, {"W09 treno:6", "W12 treno:6", "W20 treno:6"}},
      {"chilometri che non stanno tra i vicini",
       {},
       {{5, "velocita, 1300, 120\nvelocita, 1, 60"}},
       {"W09 treno:6", "W12 treno:6"}},
      {"stessa cella", {{14, "pendenza, 5000, 2\npendenza, 5010, 3"}}, {}, {"W10 linea:15", "W12 linea:15"}},
      {"curva dentro la precedente", {{11, "curvad3, 800, 300\ncurvas2, 1000, 400"}}, {}, {"W11 linea:12"}},
      // Curves that touch do not overlap: the first turns metres 800 to 1100.
      {"curva subito dopo la precedente", {{11, "curvad3, 800, 300\ncurvas2, 1100, 400"}}, {}, {}},
      {"curva un metro dopo la precedente", {{11, "curvad3, 800, 300\ncurvas2, 1101, 400"}}, {}, {}},
      {"curva un metro dentro la precedente", {{11, "curvad3, 800, 300\ncurvas2, 1099, 400"}}, {}, {"W11 linea:12"}},
      {"posizione arrotondata", {}, {{9, "segnale, 1420, 1, 4, 1, 0, 0, 1, 3, 1, 0, 0"}}, {"W12 treno:9"}},
      {"UTF-8",
       {},
       {{7, "stazione, 0, 8, 800, 0, 0, 0, 1, 1, 0, 4, 1, 1, 1, 8, 40, 0, CITT\xC3\x80"}},
       {"W13 treno:7"}},
      // Comments, which the format does not have: skipped as an unknown
      // keyword, read as a record because they hold a keyword, or read as
      // the values of the record before.
      {"commento saltato", {{10, "[curve]\n; curve principali"}}, {}, {"W19 linea:11"}},
      {"commento letto come curva",
       {{10, "[curve]\n# la curva di Monte Orso"}},
       {},
       {"P25 linea:11", "N01 linea:11", "N02 treno:0", "W19 linea:11"}},
      {"commento preso come valori",
       {},
       {{9, "segnale, 1400, 1, 4, 1, 0, 0, 1, 3, 1, 0\n// e 0 per l'ultimo"}},
       {"P25 treno:9", "N01 treno:9", "W19 treno:10"}},
      {"indicatori e velocita", {{16, "indicatori_vmax, 2500, 100, 100, 120, 0, , , , 0"}}, {}, {"W18 linea:16"}},
      // The line's reading stops at 12x: the train is read only reading on.
      {"numero sbagliato",
       {{13, "pendenza, 0, 12x"}},
       {{9, "segnale, 99000, 1, 4, 1, 0, 0, 1, 3, 1, 0, 0"}},
       {"P25 linea:13", "N01 linea:13", "N02 treno:0", "P15 treno:9 proseguendo"}},
      // Past the cells: the line stops, the train is read, and its first
      // stamped feature stops it, with no problem of its own.
      {"arresto silenzioso", {{14, "pendenza, 50000, 2"}}, {}, {"P15 linea:14", "N01 linea:14", "N01 treno:9"}},
      // The record ran out of values: the failure on the next line is its.
      {"stazione corta",
       {},
       {{7, "stazione, 0, 8, 800, 0, 0, 0, 1, 1, 0, 4, 1, 1, 1, 8, 40"}, {10, segnale + "\n[fine]"}},
       {"P25 treno:7", "N01 treno:7", "P16 treno:10 proseguendo"}},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.nome);
    const std::string l = testo(linea_base, c.linea), t = testo(treno_base, c.treno);
    EXPECT_EQ(in_breve(controlla_testi({"R", "T", l, t, std::nullopt})), c.attese);
  }
}

// A station or a speed reduction marker refused for where it stands is
// pointed at its position, not at its keyword.
TEST(Controllo, IlRifiutoDiUnaPosizionePuntaIlSuoCampo) {
  const std::string prima = "stazione, 1000, 8, 800, 0, 0, 0, 1, 1, 0, 4, 1, 1, 1, 8, 40, 0, PRIMA";
  struct Puntato {
    const char* nome;
    std::string riga7;
    std::string atteso;  // the first diagnostic: ID line:column
  } casi[] = {
      {"troppo vicina alla precedente",
       prima + "\nstazione,  1200, 8, 800, 0, 0, 0, 1, 1, 0, 4, 1, 1, 1, 8, 40, 0, SECONDA", "P22 8:12"},
      {"fermata all'inizio della linea", "stazione,    0, 8, 100, 0, 0, 0, 1, 1, 0, 4, 1, 1, 1, 8, 40, 0, PRIMA",
       "P24 7:14"},
      {"fuori dalle celle", "stazione, 16400, 8, 800, 0, 0, 0, 1, 1, 0, 4, 1, 1, 1, 8, 40, 0, PRIMA", "P15 7:11"},
  };
  for (const Puntato& c : casi) {
    SCOPED_TRACE(c.nome);
    const Controllo k =
        controlla_testi({"R", "T", testo(linea_base, {}), testo(treno_base, {{7, c.riga7}}), std::nullopt});
    ASSERT_FALSE(k.diagnostiche.empty());
    const Diagnostica& d = k.diagnostiche.front();
    EXPECT_EQ(d.id + " " + std::to_string(d.riga) + ":" + std::to_string(d.colonna), c.atteso);
  }
}

TEST(Controllo, IMessaggiDiconoCosaEDove) {
  auto messaggi = [](const Modifiche& l, const Modifiche& t) {
    std::vector<std::string> v;
    for (const Diagnostica& d :
         controlla_testi({"R", "T", testo(linea_base, l), testo(treno_base, t), std::nullopt}).diagnostiche)
      v.push_back(d.messaggio);
    return v;
  };
  EXPECT_THAT(messaggi({}, {{9, "sengale, 1400, 1, 4, 1, 0, 0, 1, 3, 1, 0, 0"}}),
              testing::ElementsAre(testing::HasSubstr("forse intendevi \xC2\xABsegnale\xC2\xBB?")));
  EXPECT_THAT(messaggi({}, {{7, "stazione, 0, 8, 800, 0, 0, 0, 1, 1, 0, 4, 1, 1, 1, 8, 40, 0"}}),
              testing::ElementsAre(testing::HasSubstr("16 valori invece di 17; il record continua sulla riga "
                                                      "seguente e prende \xC2\xAB[segnali]\xC2\xBB come nome")));
  EXPECT_THAT(messaggi({}, {{7, "stazione, 0, 8, 800, 0, 0, 0, 1, 1, 0, 4, 1, 1, 1, 8, 40"}}),
              testing::Contains(testing::HasSubstr("stazione: 15 valori invece di 17; il record continua")));
  EXPECT_THAT(messaggi({{14, "pendenza, 50000, 2"}}, {}),
              testing::Contains(testing::HasSubstr("un problema precedente, codice_errore 15")));
  EXPECT_THAT(messaggi({}, {{7, "stazione, 0, 8, 800, 0, 0, 0, 1, 1, 0, 4, 1, 1, 1, 8, 40, 0, CITT\xC3\x80"}}),
              testing::ElementsAre(testing::HasSubstr("\xC2\xAB"
                                                      "CITT\xC3\x80"
                                                      "\xC2\xBB viene letto \xC2\xAB"
                                                      "CITT\xC3\x83\xE2\x82\xAC\xC2\xBB")));
}

// Past the bound the first by place are kept, whatever the order the rules
// made them in, and the rest counted; below it nothing is left out.
TEST(Controllo, OltreIlLimiteRestanoLePrimePerPosto) {
  Tenuti t;
  const size_t troppe = 2 * massimo_per_identificatore + 500;
  for (size_t k = troppe; k > 0; --k)
    t.aggiungi({Gravita::avviso, "W01", "m", {}, File::linea, static_cast<int32_t>(k), 1, {}, {}});
  for (int32_t k = 3; k > 0; --k) t.aggiungi({Gravita::nota, "N03", "m", {}, File::treno, k, 1, {}, {}});
  std::map<std::string, Omesse> omesse;
  const std::vector<Diagnostica> d = std::move(t).ordinati(omesse);
  ASSERT_EQ(d.size(), massimo_per_identificatore + 3);
  for (size_t k = 0; k < massimo_per_identificatore; ++k) EXPECT_EQ(d[k].riga, static_cast<int32_t>(k + 1));
  EXPECT_EQ(d.back().id, "N03");
  EXPECT_EQ(d.back().riga, 3);
  ASSERT_EQ(omesse.size(), 1u);
  EXPECT_EQ(omesse["W01"].quante, troppe - massimo_per_identificatore);
  EXPECT_EQ(omesse["W01"].gravita, Gravita::avviso);
}

TEST(Controllo, LaNotaDelleOmesseDiceQuanteEDiQualeIdentificatore) {
  const std::pair<Omesse, const char*> casi[] = {
      {{Gravita::avviso, "W01", 123456}, "altri 123456 avvisi W01 non mostrati"},
      {{Gravita::avviso, "W01", 1}, "un altro avviso W01 non mostrato"},
      {{Gravita::errore, "P25", 2}, "altri 2 errori P25 non mostrati"},
      {{Gravita::nota, "N01", 5}, "altre 5 note N01 non mostrate"},
      {{Gravita::nota, "N01", 1}, "un'altra nota N01 non mostrata"},
  };
  for (const auto& [o, atteso] : casi) EXPECT_EQ(messaggio_omesse(o), atteso);
}

}  // namespace
}  // namespace scenario::verifica
