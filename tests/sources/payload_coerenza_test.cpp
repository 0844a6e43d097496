// The embedded line and train descriptions fit together cell by cell: what
// the compiler will stamp, computed here from the texts with the compiler's
// own cell rules but independently of the parser, leaves no problem to record.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "base/cp1252.h"
#include "sources/payload.h"
#include "sources/payload_campi.h"
#include "verifica/controllo.h"

namespace scenario::test {
namespace {

Righe linea() { return payload_incorporato().linea; }
Righe treno() { return payload_incorporato().treno; }

std::vector<std::vector<int64_t>> record(Righe righe, std::string_view nome, size_t valori) {
  std::vector<std::vector<int64_t>> out;
  for (std::string_view r : sezione(righe, nome)) {
    // Empty values (the blanks of an indicator record) read as 0.
    std::vector<int64_t> v;
    auto c = campi(r);
    for (size_t i = 1; i <= valori && i < c.size(); ++i)
      v.push_back(blank_iniziali(c[i]) == c[i].size() ? 0 : numero(c[i]).value_or(-1));
    out.push_back(v);
  }
  return out;
}

int64_t lunghezza() { return *numero(campi(sezione(linea(), "[generale]")[0])[1]); }

// Highest cell index: (L + 7000) / 50, half to even.
int64_t ultima_cella() { return arrotonda((lunghezza() + 7000) / 50.0); }

int64_t cella_punto(int64_t p) { return arrotonda(p / 50.0 + 1); }

struct Stazione {
  int64_t posizione = 0, tipo = 0, len = 0, campo6 = 0;
  int64_t inizio_zona = 0, fine_zona = 0;
  std::optional<int64_t> fermata;      // stop cell
  std::vector<int64_t> avvicinamento;  // cells marked 81, 82, 83, 84
};

// Zones, stop cell and approach marks as the train reader computes them.
std::vector<Stazione> stazioni() {
  std::vector<Stazione> out;
  for (const auto& v : record(treno(), "[stazioni]", 16)) {
    Stazione s;
    s.posizione = v[0];
    s.tipo = v[1];
    s.len = v[2];
    s.campo6 = v[5];  // the first station's zone too is computed before it is cleared
    if (s.tipo == 5 || s.tipo == 6) {
      s.fine_zona = s.posizione + 150;
      s.inizio_zona = s.posizione - s.len;
    } else if (s.tipo == 7 || s.tipo == 8) {
      s.inizio_zona = s.posizione - s.len;
      s.fine_zona = s.posizione + s.len;
    } else {
      s.inizio_zona = arrotonda(s.posizione - s.len / 2.0);
      s.fine_zona = arrotonda(s.posizione + s.len / 2.0 + (s.campo6 != 0 ? 50 : 0));
    }
    if (s.tipo < 25 && s.tipo != 5 && s.tipo != 6)
      for (int i = 1; i <= 4; ++i) {
        double x = s.fine_zona / 50.0 - i - 1;
        if (x > 1) s.avvicinamento.push_back(arrotonda(x));
      }
    if (s.tipo < 25) s.fermata = arrotonda(s.fine_zona / 50.0 - 1);
    out.push_back(s);
  }
  return out;
}

// The cell codes in the order the compiler stamps them: boards (6) while the
// line is read, then stop cells (10) and signals (1) in the train's order.
// Each stamp that would fail, or overwrite, is reported.
struct Stampa {
  std::map<int64_t, int> codice;
  std::map<int64_t, std::string> avvicinamento;  // who marked the cell
  std::vector<std::string> problemi;
};

Stampa stampa() {
  Stampa s;
  auto occupata = [&](int64_t c) { return s.codice.count(c) && s.codice[c] != 0 && s.codice[c] != 11; };
  auto segna = [&](int64_t c, const std::string& chi) {
    if (s.avvicinamento.count(c))
      s.problemi.push_back(chi + " marks cell " + std::to_string(c) + " over " + s.avvicinamento[c]);
    s.avvicinamento[c] = chi;
  };
  for (const auto& v : record(linea(), "[cartelli]", 9)) {
    int64_t c = cella_punto(v[0]);
    if (occupata(c)) s.problemi.push_back("board " + std::to_string(v[0]) + ": 21");
    s.codice[c] = 6;
  }
  for (const Stazione& st : stazioni()) {
    std::string chi = "station " + std::to_string(st.posizione);
    for (int64_t c : st.avvicinamento) {
      if (occupata(c)) s.problemi.push_back(chi + ": approach mark on busy cell " + std::to_string(c));
      segna(c, chi);
    }
    if (st.fermata) {
      // Written without a check: it must find the cell free.
      if (s.codice.count(*st.fermata)) s.problemi.push_back(chi + ": stop cell on busy cell");
      s.codice[*st.fermata] = 10;
    }
  }
  for (const auto& v : record(treno(), "[segnali]", 11)) {
    int64_t c = cella_punto(v[0]);
    std::string chi = "signal " + std::to_string(v[0]);
    if (occupata(c)) s.problemi.push_back(chi + ": 16");
    if (s.avvicinamento.count(c) && s.avvicinamento[c].starts_with("station"))
      s.problemi.push_back(chi + " stands on an approach cell of " + s.avvicinamento[c]);
    s.codice[c] = 1;
    for (int k = 1; k <= 4; ++k) {
      if (s.codice.count(c - 2 * k) && s.codice[c - 2 * k] == 10)
        s.problemi.push_back(chi + ": approach mark on a stop cell");
      segna(c - 2 * k, chi);
    }
  }
  return s;
}

TEST(PayloadCoerenza, LeCelleFinisconoAllaDuemilaottocentosessanta) {
  EXPECT_EQ(lunghezza(), 136000);
  EXPECT_EQ(ultima_cella(), 2860);
}

// The readers' position checks: a record at p passes when
// n >= (p + margin) / 50 (real division).
TEST(PayloadCoerenza, OgniRecordPassaIlControlloDiPosizione) {
  struct Caso {
    bool del_treno;
    std::string_view sezione;
    int64_t margine;
  };
  const Caso casi[] = {{false, "[curve]", 100},    {false, "[pendenze]", 100}, {false, "[montagne]", 100},
                       {false, "[cartelli]", 100}, {true, "[aderenze]", 100},  {true, "[vel_limite]", 100},
                       {true, "[segnali]", 100},   {true, "[stazioni]", 800}};
  const double n = static_cast<double>(ultima_cella());
  for (const Caso& c : casi) {
    auto r = record(c.del_treno ? treno() : linea(), c.sezione, 1);
    EXPECT_FALSE(r.empty()) << c.sezione;
    for (const auto& v : r) EXPECT_GE(n, (v[0] + c.margine) / 50.0) << c.sezione << " " << v[0];
  }
}

TEST(PayloadCoerenza, PrimaEUltimaStazioneConLeLoroZoneCalcolate) {
  auto st = stazioni();
  ASSERT_EQ(st.size(), 25u);
  EXPECT_EQ(st.front().inizio_zona, -800);
  EXPECT_EQ(st.front().fine_zona, 800);
  EXPECT_EQ(st.front().fermata, 15);
  EXPECT_EQ(st.front().avvicinamento, (std::vector<int64_t>{14, 13, 12, 11}));
  EXPECT_EQ(st.back().inizio_zona, 137300);
  EXPECT_EQ(st.back().fine_zona, 138150);
  EXPECT_EQ(st.back().fermata, 2762);
  EXPECT_TRUE(st.back().avvicinamento.empty());
}

TEST(PayloadCoerenza, StazioniSuperanoIControlli) {
  auto st = stazioni();
  for (size_t i = 0; i < st.size(); ++i) {
    SCOPED_TRACE("station at " + std::to_string(st[i].posizione));
    EXPECT_EQ(st[i].posizione % 50, 0);  // code 8
    EXPECT_EQ(st[i].len % 100, 0);       // code 9
    if (st[i].fermata) {
      EXPECT_GT(*st[i].fermata, 1);  // code 24
    }
    if (i > 0) {
      EXPECT_GE(st[i].inizio_zona - 350, st[i - 1].fine_zona);  // code 22
    }
  }
  // Code 10: the stations stay below the first sign slot (80: the line has no
  // sign record).
  EXPECT_LT(st.size() + 1, 80u);
}

TEST(PayloadCoerenza, CelleCalcolateDelPrimoIndicatoreEDelPrimoSegnale) {
  auto s = stampa();
  EXPECT_EQ(s.codice[27], 6);
  EXPECT_EQ(s.codice[29], 1);
  EXPECT_EQ(s.codice[15], 10);
  for (int64_t c : {27, 25, 23, 21}) EXPECT_EQ(s.avvicinamento[c], "signal 1400") << c;
}

TEST(PayloadCoerenza, OgniElementoTrovaLiberaLaSuaCella) {
  auto s = stampa();
  EXPECT_THAT(s.problemi, ::testing::IsEmpty());
}

// Cell 1 is reserved for the marker 5121 and a contest code: nothing of the
// scenario may reach it, and no slowdown or speed reduction gives the track
// rules a marker to place.
TEST(PayloadCoerenza, CellaRiservataLibera) {
  auto s = stampa();
  EXPECT_EQ(s.codice.count(1), 0u);
  for (std::string_view r : treno()) {
    EXPECT_FALSE(contiene(campi(r)[0], "rallentamento")) << r;
    EXPECT_FALSE(contiene(campi(r)[0], "abbattimento")) << r;
  }
  // Every signal's approach markers stay inside the cells (350 m or more).
  for (const auto& v : record(treno(), "[segnali]", 1)) EXPECT_GE(cella_punto(v[0]) - 8, 0) << v[0];
}

TEST(PayloadCoerenza, LimitiDelTrenoInQuintiInteri) {
  for (const auto& v : record(treno(), "[vel_limite]", 2))
    EXPECT_EQ(v[1] % 5, 0) << v[0];  // a whole fifth in the cell byte
}

// The check of the embedded scenario: no error, no warning, only the note
// that its terminus stands past the line's declared 136 km (at 138 km, inside
// the cells, the speed, signal, curves and gradient around it leading to it).
// Its rule W18 also holds: the train's speed at every board is the board's.
TEST(PayloadCoerenza, IlControlloDiceSoloDelCapolineaOltreLaLunghezzaDellaLinea) {
  auto unisci = [](Righe righe) {
    std::string t;
    for (std::string_view r : righe) (t += r) += "\r\n";
    return t;
  };
  const Payload& p = payload_incorporato();
  const std::string l = unisci(p.linea), t = unisci(p.treno);
  std::vector<std::string> trovati;
  for (const verifica::Diagnostica& d :
       verifica::controlla_testi({p.nome_linea, p.numero_treno, l, t, std::nullopt}).diagnostiche)
    trovati.push_back(d.id + (d.file == verifica::File::linea ? " linea:" : " treno:") + std::to_string(d.riga));
  EXPECT_THAT(trovati, ::testing::ElementsAre("N05 treno:62"));
}

// The card beside the descriptions agrees with them; station names that
// differ from the card's only in letter case pair up, each with a note.
TEST(PayloadCoerenza, LaSchedaConcordaAncheConNomiInMinuscolo) {
  auto unisci = [](Righe righe, bool minuscole) {
    std::string t;
    for (std::string_view r : righe) {
      std::string riga(r);
      // "BELMORA CENTRALE" -> "Belmora centrale" in the station records only.
      if (minuscole && riga.starts_with("stazione,"))
        for (size_t k = riga.rfind(',') + 3; k < riga.size(); ++k) riga[k] = minuscola_cp1252(riga[k]);
      (t += riga) += "\r\n";
    }
    return t;
  };
  const Payload& p = payload_incorporato();
  for (const bool minuscole : {false, true}) {
    SCOPED_TRACE(minuscole ? "nomi in minuscolo" : "nomi come la scheda");
    const std::string l = unisci(p.linea, false), t = unisci(p.treno, minuscole), s = unisci(p.scheda, false);
    std::map<std::string, int> quanti;
    for (const verifica::Diagnostica& d :
         verifica::controlla_testi({p.nome_linea, p.numero_treno, l, t, s}).diagnostiche)
      ++quanti[d.id];
    EXPECT_EQ(quanti["N05"], 1);
    EXPECT_EQ(quanti.count("W14"), 0u);
    if (minuscole) {
      EXPECT_GT(quanti["N06"], 3);
    } else {
      EXPECT_EQ(quanti.size(), 1u);
    }
  }
}

TEST(PayloadCoerenza, ValoriDellIntestazioneSuperanoIControlli) {
  // Codes 2, 3, 4, 5: kilometre references and signal repetition in steps of 50.
  for (std::string_view r : sezione(linea(), "[generale]")) {
    auto c = campi(r);
    if (!contiene(c[0], "progressiva") && !contiene(c[0], "ripetizione")) continue;
    for (size_t i = 1; i < c.size(); ++i) EXPECT_EQ(*numero(c[i]) % 50, 0) << r;
  }
  EXPECT_NE(campi(sezione(linea(), "[generale]")[7])[0].find('4'), std::string_view::npos);
}

TEST(PayloadCoerenza, MontagneConservanoIlLoroTipo) {
  auto spans = record(linea(), "[montagne]", 3);
  EXPECT_LE(spans.size(), 80u);
  for (size_t i = 1; i < spans.size(); ++i)
    EXPECT_GT(spans[i][0] - spans[i - 1][1], 150) << "span at " << spans[i][0] << " would become kind 3";
  for (const auto& v : record(linea(), "[pendenze]", 2)) EXPECT_TRUE(v[1] + 100 >= 0 && v[1] + 100 <= 255);
}

}  // namespace
}  // namespace scenario::test
