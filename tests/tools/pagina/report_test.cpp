// The report page: scenario report, and the output guard of the three
// drawing commands.

#include <gtest/gtest.h>

#include <string>

#include "platform/disco_file.h"
#include "support/cartella_temporanea.h"
#include "tools/scenari_vista.h"
#include "tools/strumento.h"

namespace scenario::test {
namespace {

// The data the page carries for its script.
nlohmann::json dati_della_pagina(const std::string& html) {
  const std::string apre = "<script type=\"application/json\" id=\"dati\">";
  const size_t inizio = html.find(apre);
  if (inizio == std::string::npos) return nullptr;
  const size_t fine = html.find("</script>", inizio);
  return nlohmann::json::parse(html.substr(inizio + apre.size(), fine - inizio - apre.size()));
}

const nlohmann::json& tabella(const nlohmann::json& dati, const std::string& id) {
  for (const auto& t : dati["tabelle"])
    if (t["id"] == id) return t;
  static const nlohmann::json vuota = {{"righe", nlohmann::json::array()}};
  return vuota;
}

std::string valore(const nlohmann::json& dati, const std::string& voce) {
  for (const auto& v : dati["valori"])
    if (v["voce"] == voce) return v["valore"].dump();
  return {};
}

TEST(Report, PaginaAutonomaConTabelleValoriEDisegni) {
  const auto r = disegna_prova(Prova::incorporato, "report", "rapporto.html");
  ASSERT_EQ(r->esecuzione.stato, 0) << r->esecuzione.uscita;
  const std::string pagina = leggi_file(r->file);
  // Nothing fetched from elsewhere: no external script, style, font or image.
  for (const char* esterno : {"src=", "href=\"http", "@import", "url(", "<link"})
    EXPECT_EQ(pagina.find(esterno), std::string::npos) << esterno;
  EXPECT_NE(pagina.find("<svg xmlns=\"http://www.w3.org/2000/svg\" id=\"pianta\""), std::string::npos);
  EXPECT_NE(pagina.find("<svg xmlns=\"http://www.w3.org/2000/svg\" id=\"profilo\""), std::string::npos);
  const auto d = dati_della_pagina(pagina);
  ASSERT_TRUE(d.is_object());
  EXPECT_TRUE(d["compilato"].get<bool>());
  // Clean: the check's notes are listed (the terminus past the line's end
  // is on purpose), no error and no warning.
  for (const auto& p : d["problemi"]) EXPECT_EQ(p["gravita"], "nota") << p;
  EXPECT_EQ(tabella(d, "stazioni")["righe"].size(), 25u);
  EXPECT_EQ(tabella(d, "segnali")["righe"].size(), 52u);
  EXPECT_EQ(tabella(d, "indicatori")["righe"].size(), 18u);
  // The .sim's slot in its own field order, the time as h:mm:ss.
  const auto& stazioni = tabella(d, "stazioni");
  const auto& colonne = stazioni["colonne"];
  ASSERT_EQ(colonne.size(), 18u);
  EXPECT_EQ(colonne[0], "slot");
  EXPECT_EQ(colonne[1], "tipo_stazione");
  EXPECT_EQ(colonne[16], "orario");
  EXPECT_EQ(stazioni["righe"][0]["celle"][16], "8:40:00");
  EXPECT_EQ(stazioni["righe"][0]["celle"][6], "BELMORA CENTRALE");
  EXPECT_EQ(valore(d, "lunghezza della linea (m)"), "136000");
  EXPECT_EQ(valore(d, "vetture"), "2");
  EXPECT_EQ(valore(d, "orologio"), "\"8:39:30\"");
  EXPECT_EQ(valore(d, "marcatore 610"), "610");
  EXPECT_EQ(valore(d, "marcatore 5121"), "5121");
  EXPECT_NE(valore(d, "codice di gara delle stazioni"), "0");
  EXPECT_NE(valore(d, "codice di gara della linea"), "0");
  EXPECT_GT(d["pianta"]["traccia"].size(), 10u);
}

// A row's cell under a heading.
nlohmann::json cella_di(const nlohmann::json& t, size_t riga, const std::string& colonna) {
  for (size_t i = 0; i < t["colonne"].size(); ++i)
    if (t["colonne"][i] == colonna) return t["righe"][riga]["celle"][i];
  return nullptr;
}

// The tables show what the author wrote, not the cells' codes: treno.txt:65
// "segnale, 1400, 1, 4, 1, 0, 0, 1, 3,1,0, 0" and linea.txt:249
// "indicatori_vmax, 1300, 125, 135, 135, 0, , , , 0", the line speed in km/h
// and the gradient in per mille, as the dump reads them.
TEST(Report, TabelleConIValoriComeLiHaScrittiLAutore) {
  const auto r = disegna_prova(Prova::incorporato, "report", "rapporto.html");
  ASSERT_EQ(r->esecuzione.stato, 0) << r->esecuzione.uscita;
  const auto d = dati_della_pagina(leggi_file(r->file));
  ASSERT_TRUE(d.is_object());
  const auto& segnali = tabella(d, "segnali");
  const auto& indicatori = tabella(d, "indicatori");
  struct Caso {
    const nlohmann::json* tabella;
    size_t riga;
    const char* colonna;
    nlohmann::json atteso;
  } casi[] = {
      {&segnali, 0, "posizione (m)", 1400},
      {&segnali, 0, "valore1", "s1 4, d1 3"},
      {&segnali, 0, "valore2", "s2 1, d2 1"},
      {&segnali, 0, "valore4", "rapp 0, sx 1, dx 1"},
      {&segnali, 0, "velocita_max", "135 km/h"},
      {&segnali, 0, "pendenza", "0 \xE2\x80\xB0"},
      {&segnali, 0, "tempo_segnale", 0},
      {&segnali, 0, "aderenza", 100},
      {&indicatori, 0, "posizione (m)", 1300},
      {&indicatori, 0, "valore1", "vas 125 km/h, vad 0 km/h"},
      {&indicatori, 0, "valore3", "vcs 135 km/h, vcd 0 km/h"},
      {&indicatori, 4, "posizione (m)", 34850},
      {&indicatori, 4, "valore1", "vas 90 km/h, vad 0 km/h"},
      {&indicatori, 4, "velocita_max", "100 km/h"},
      {&indicatori, 4, "pendenza", "3 \xE2\x80\xB0"},
  };
  for (const Caso& k : casi) EXPECT_EQ(cella_di(*k.tabella, k.riga, k.colonna), k.atteso) << k.colonna;
}

TEST(Report, ProblemiConLuogoRigaEPosizione) {
  const auto r = disegna_prova(Prova::problemi, "report", "rapporto.html");
  ASSERT_EQ(r->esecuzione.stato, 0) << r->esecuzione.uscita;
  const CartellaTemporanea& dir = r->dir;
  const auto d = dati_della_pagina(leggi_file(r->file));
  // The compile's three problems, then the check's note.
  ASSERT_EQ(d["problemi"].size(), 4u);
  const auto& p = d["problemi"][0];
  EXPECT_EQ(p["gravita"], "errore");
  EXPECT_EQ(p["id"], "P15");
  EXPECT_EQ(p["testo"].get<std::string>().rfind((dir / "Prova_1-.txt").string() + ":20:12: errore [P15] ", 0), 0u)
      << p["testo"];
  EXPECT_EQ(p["file"], (dir / "Prova_1-.txt").string());
  EXPECT_EQ(p["riga"], 20);
  EXPECT_EQ(p["colonna"], 12);
  EXPECT_EQ(p["posizione"], 99000);
  EXPECT_NE(p["testo_riga"].get<std::string>().find("99000"), std::string::npos);
  EXPECT_FALSE(p["suggerimento"].get<std::string>().empty());
  // A problem with no place in the line has no position.
  EXPECT_TRUE(d["problemi"][1]["posizione"].is_null());
  // The compile was in memory: the directory holds the two texts and the page only.
  size_t file = 0;
  for (const auto& f : std::filesystem::directory_iterator(dir.percorso())) {
    (void)f;
    ++file;
  }
  EXPECT_EQ(file, 3u);
}

// The page lists every diagnostic the check finds, in the check's order,
// and the drawings mark each one that has a place on the line in its lane:
// errors among the problems, warnings and notes among the warnings.
TEST(Report, OgniDiagnosticaDelControlloNellaListaENeiDisegni) {
  const std::filesystem::path verifica = std::filesystem::path(FIXTURE_STRUMENTI) / "verifica";
  struct Caso {
    std::filesystem::path in;
    size_t problemi, avvertimenti;  // marks in the plan's lanes
  };
  const Caso casi[] = {
      {verifica / "numero_sbagliato", 1, 0}, {verifica / "refusi", 0, 0},
      {verifica / "scheda_discorde", 0, 0},  {verifica / "stazione_corta", 0, 0},
      {FIXTURE_STRUMENTI "/problemi", 2, 0}, {SCENARIO_PAYLOAD_DIR, 0, 1},
  };
  for (const Caso& c : casi) {
    const std::filesystem::path& in = c.in;
    SCOPED_TRACE(in);
    const auto controllo = esegui_strumento({"check", in.string(), "--json"});
    const auto diagnostiche = nlohmann::json::parse(controllo.uscita)["scenari"][0]["diagnostiche"];
    CartellaTemporanea dir;
    const auto pagina = dir / "r.html";
    ASSERT_EQ(esegui_strumento({"report", in.string(), "--route", "R", "--train", "T", "-o", pagina.string()}).stato,
              0);
    const std::string html = leggi_file(pagina);
    const auto d = dati_della_pagina(html);
    ASSERT_EQ(d["problemi"].size(), diagnostiche.size());
    for (size_t i = 0; i < diagnostiche.size(); ++i) {
      EXPECT_EQ(d["problemi"][i]["id"], diagnostiche[i]["id"]);
      EXPECT_EQ(d["problemi"][i]["gravita"], diagnostiche[i]["gravita"]);
      EXPECT_EQ(d["problemi"][i]["testo_riga"], diagnostiche[i]["testo_riga"]);
    }
    const auto piano =
        esegui_strumento({"plan", in.string(), "--route", "R", "--train", "T", "-o", (dir / "p.svg").string()});
    if (piano.stato != 0) continue;  // no profile to draw the plan on
    const std::string svg = leggi_file(dir / "p.svg");
    auto conta = [&](const std::string& cosa) {
      size_t n = 0;
      for (size_t k = svg.find(cosa); k != std::string::npos; k = svg.find(cosa, k + 1)) ++n;
      return n;
    };
    EXPECT_EQ(conta("<g data-genere=\"problema\"><title>"), c.problemi) << svg.size();
    EXPECT_EQ(conta("<g data-genere=\"avvertimento\"><title>"), c.avvertimenti);
  }
}

TEST(Report, DaiSoliBinariSenzaProblemiEConTestiChiusiNellaPagina) {
  CartellaTemporanea dir;
  Stato st = stato_prova();
  // A sign's text that would end the page's script element early.
  st.stazioni[80].nome = "</script><script>alert(1)</script>";
  scrivi_file(dir / "Prova_linea.dat", serializza_profilo(st.profilo_linea));
  scrivi_file(dir / "Prova_1.sim", serializza_stazioni(st.stazioni));
  scrivi_file(dir / "Prova_1.dat", serializza_celle(st.celle));
  const auto html = dir / "rapporto.html";
  const ScenarioDiProva s{"binari", "Prova", "1", dir.percorso()};
  ASSERT_EQ(disegna("report", s, html).stato, 0);
  const std::string pagina = leggi_file(html);
  EXPECT_EQ(pagina.find("alert(1)</script>"), std::string::npos);
  const auto d = dati_della_pagina(pagina);
  ASSERT_TRUE(d.is_object());
  EXPECT_FALSE(d["compilato"].get<bool>());
  EXPECT_EQ(pagina.find("id=\"sezione-problemi\""), std::string::npos);
  EXPECT_EQ(tabella(d, "cartelli")["righe"][0]["celle"][2], st.stazioni[80].nome);
  EXPECT_EQ(tabella(d, "cartelli")["colonne"][2], "testo");
}

TEST(Report, NonScriveSuUnFileDelloScenarioENonParteSenzaDati) {
  CartellaTemporanea dir;
  const ScenarioDiProva s = prepara(Prova::binari, dir);
  const std::string prima = leggi_file(dir / "Prova_1.dat");
  for (const char* comando : {"plan", "profilo", "report"}) {
    for (const char* nome : {"Prova_1.dat", "Prova_linea.txt", "treno.txt", "./Prova_1.sim"}) {
      const auto e = disegna(comando, s, dir / nome);
      EXPECT_EQ(e.stato, 2) << comando << " " << nome;
      EXPECT_NE(e.uscita.find("è un file dello scenario"), std::string::npos) << e.uscita;
    }
  }
  EXPECT_EQ(leggi_file(dir / "Prova_1.dat"), prima);
  EXPECT_FALSE(std::filesystem::exists(dir / "Prova_linea.txt"));

  CartellaTemporanea vuota;
  const auto e = disegna("report", {"vuota", "Prova", "1", vuota.percorso()}, vuota / "r.html");
  EXPECT_EQ(e.stato, 2);
  EXPECT_NE(e.uscita.find("non ci sono"), std::string::npos) << e.uscita;
}

TEST(Report, DallaCartellaDelPayloadComeDaiTestiInstallati) {
  // The same texts as UTF-8 payload files and as installed Windows-1252
  // files give the same data, the place names aside.
  CartellaTemporanea payload, installati;
  std::filesystem::copy_file(fixture("problemi") / "linea.txt", payload / "linea.txt");
  std::filesystem::copy_file(fixture("problemi") / "treno.txt", payload / "treno.txt");
  prepara_testi("problemi", installati.percorso(), "Prova", "1");
  const auto a = dati_della_pagina(
      leggi_file((disegna("report", {"p", "Prova", "1", payload.percorso()}, payload / "r.html"), payload / "r.html")));
  const auto b = dati_della_pagina(leggi_file(
      (disegna("report", {"i", "Prova", "1", installati.percorso()}, installati / "r.html"), installati / "r.html")));
  ASSERT_TRUE(a.is_object());
  ASSERT_TRUE(b.is_object());
  EXPECT_EQ(a["tabelle"].size(), b["tabelle"].size());
  EXPECT_EQ(tabella(a, "segnali")["righe"].size(), tabella(b, "segnali")["righe"].size());
  EXPECT_EQ(a["problemi"].size(), b["problemi"].size());
  EXPECT_EQ(a["problemi"][0]["file"], (payload / "treno.txt").string());
  EXPECT_EQ(a["problemi"][0]["riga"], b["problemi"][0]["riga"]);
  EXPECT_EQ(a["pianta"]["traccia"], b["pianta"]["traccia"]);
}

}  // namespace
}  // namespace scenario::test
