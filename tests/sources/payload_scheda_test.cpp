// The embedded timetable card against its layout rules, and its
// agreement with the line and train descriptions.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <optional>
#include <regex>
#include <set>
#include <string>

#include "sources/payload.h"
#include "sources/payload_campi.h"
#include "verifica/controllo.h"

namespace scenario::test {
namespace {

Righe scheda() { return payload_incorporato().scheda; }

constexpr size_t prima_riga_tabella = 17, ultima_riga_tabella = 59;  // lines, from 1

TEST(PayloadScheda, RigheFisseEsatte) {
  ASSERT_EQ(scheda().size(), 63u);
  struct Caso {
    size_t riga;
    std::string_view testo;
  };
  const Caso casi[] = {
      {1, ""},
      {2, ""},
      {3, "  ___________________                                               ______________"},
      {4, " |                   |                    SCHEDA                   |              |"},
      {5, " | TRENO n.4816-4817 |                   da: BELMORA C.le          |    V200 B    |"},
      {6, " |___________________|                    a: SOLVENZIA C.le        |     125%     |"},
      {7, "                                                                   |______________|"},
      {8, "  ___________________                ___________________"},
      {9, " |  CLASSIFICAZIONE  |              |  MASSA BLOCCATA   |       "},
      {10, " |      DIRETTO      |              |      180T         |"},
      {11, " |___________________|              |___________________|"},
      {12, ""},
      {13, "  ________________________________________________________________________________"},
      {14, " | Vel.| Vel.| Progr Km |  No |   Localita' di  Servizio   |     Orario     | Rec |"},
      {15, " | Lim.|Marc.|          |  Rs |                            |                |     |"},
      {16, " |_____|_____|__________|_____|____________________________|________________|_____|"},
      {60, " |_____|_____|__________|_____|____________________________|________________|_____|"},
      {61, " Nella colonna orario il simbolo '+' indica mezzo minuto"},
      {62, ""},
      {63, ""},
  };
  for (const Caso& c : casi) EXPECT_EQ(scheda()[c.riga - 1], c.testo) << "line " << c.riga;
}

TEST(PayloadScheda, RigheDellaLoroLunghezzaEAscii) {
  struct Caso {
    size_t da, a, lunghezza;
  };
  const Caso casi[] = {{1, 2, 0},   {3, 3, 82},   {4, 7, 83},   {8, 8, 56},   {9, 9, 64}, {10, 11, 57},
                       {12, 12, 0}, {13, 13, 82}, {14, 60, 83}, {61, 61, 56}, {62, 63, 0}};
  for (const Caso& c : casi)
    for (size_t r = c.da; r <= c.a; ++r) EXPECT_EQ(scheda()[r - 1].size(), c.lunghezza) << "line " << r;
  EXPECT_TRUE(scheda()[8].ends_with("|       "));
  for (std::string_view r : scheda())
    for (char c : r) EXPECT_TRUE(c >= 0x20 && c < 0x7f) << r;
}

// The eight "|" of lines 14 to 60 (0-based columns).
const std::vector<size_t> barre = {1, 7, 13, 24, 30, 59, 76, 82};

TEST(PayloadScheda, RigheDellaTabellaConLeBarreNelleStesseOttoColonne) {
  for (size_t r = 14; r <= 60; ++r) {
    std::string_view riga = scheda()[r - 1];
    std::vector<size_t> trovate;
    for (size_t i = 0; i < riga.size(); ++i)
      if (riga[i] == '|') trovate.push_back(i);
    EXPECT_EQ(trovate, barre) << "line " << r;
    EXPECT_EQ(riga[0], ' ') << "line " << r;
  }
}

// One table row, read back from its cells.
struct Riga {
  std::string testo;
  std::optional<int64_t> lim, marc;
  int64_t metri = 0;
  std::string etichetta;
  std::string orario;
};

std::string_view cella(std::string_view riga, size_t n) {
  return riga.substr(barre[n] + 1, barre[n + 1] - barre[n] - 1);
}

std::optional<int64_t> velocita_cella(std::string_view c) {
  if (c == "     ") return std::nullopt;
  EXPECT_EQ(c.back(), ' ') << c;
  auto v = numero(c.substr(0, 4));
  EXPECT_TRUE(v) << c;
  return v;
}

std::vector<Riga> righe_tabella() {
  std::vector<Riga> out;
  for (size_t r = prima_riga_tabella; r <= ultima_riga_tabella; ++r) {
    std::string_view t = scheda()[r - 1];
    Riga riga;
    riga.testo = t;
    if (t.size() != 83) {
      ADD_FAILURE() << "line " << r << " is " << t.size() << " long";
      continue;
    }
    riga.lim = velocita_cella(cella(t, 0));
    riga.marc = velocita_cella(cella(t, 1));
    std::smatch m;
    std::string km(cella(t, 2));
    if (std::regex_match(km, m, std::regex(" *([0-9]+)\\+([0-9]{3}) ")))
      riga.metri = std::stoll(m[1]) * 1000 + std::stoll(m[2]);
    else
      ADD_FAILURE() << "line " << r << ": kilometre cell '" << km << "'";
    std::string etichetta(cella(t, 4));
    EXPECT_NE(etichetta[0], ' ') << "line " << r;
    riga.etichetta = etichetta.substr(0, etichetta.find_last_not_of(' ') + 1);
    riga.orario = cella(t, 5);
    out.push_back(riga);
  }
  return out;
}

TEST(PayloadScheda, RigheConservanoLeLoroCelle) {
  auto righe = righe_tabella();
  ASSERT_EQ(righe.size(), 43u);
  for (const Riga& r : righe) {
    SCOPED_TRACE(r.testo);
    EXPECT_EQ(cella(r.testo, 3), "     ");
    EXPECT_EQ(cella(r.testo, 6), "     ");
    std::string km = std::to_string(r.metri / 1000) + "+" +
                     std::string(3 - std::to_string(r.metri % 1000).size(), '0') + std::to_string(r.metri % 1000);
    EXPECT_EQ(cella(r.testo, 2), std::string(9 - km.size(), ' ') + km + " ");
  }
  EXPECT_EQ(righe.front().metri, 0);
  EXPECT_EQ(righe.back().metri, 138000);
  for (size_t i = 1; i < righe.size(); ++i) EXPECT_GT(righe[i].metri, righe[i - 1].metri) << righe[i].testo;
}

TEST(PayloadScheda, RigheCitatePresenti) {
  const std::string casi[] = {
      " |  30 |  30 |    0+000 |     |BELMORA CENTRALE            |           8.40 |     |",
      " |     |     |  138+000 |     |SOLVENZIA CENTRALE          | 10.45          |     |",
      " |     |     |  134+000 |     |SOLVENZIA BASSA             | 10.39    10.40 |     |",
      " | 135 | 130 |    1+300 |     |Dev.U                       |                |     |",
      " | 125 | 120 |   12+350 |     |Dev.I                       |                |     |",
      " | 100 |     |   34+850 |     |Cartello Indicatore         |                |     |",
  };
  std::vector<std::string> tabella(scheda().begin() + prima_riga_tabella - 1, scheda().begin() + ultima_riga_tabella);
  for (const std::string& c : casi) EXPECT_THAT(tabella, ::testing::Contains(c));
  EXPECT_EQ(tabella.front(), casi[0]);
  EXPECT_EQ(tabella.back(), casi[1]);
}

// The time cell, read as one of the four forms.
enum class Forma { nessuna, partenza, transito, fermata, arrivo };

struct Orario {
  Forma forma = Forma::nessuna;
  std::vector<int64_t> secondi;  // the times of the cell, "+" adding 30 s
  bool mezzo = false;
};

Orario leggi_orario(const std::string& cella_orario) {
  Orario o;
  if (cella_orario == std::string(16, ' ')) return o;
  static const std::regex tempo("([1-9]?[0-9])\\.([0-5][0-9])(\\+?)");
  std::vector<std::string> testi;
  for (auto it = std::sregex_iterator(cella_orario.begin(), cella_orario.end(), tempo); it != std::sregex_iterator();
       ++it) {
    const auto& m = *it;
    o.secondi.push_back(std::stoll(m[1]) * 3600 + std::stoll(m[2]) * 60 + (m[3].length() ? 30 : 0));
    o.mezzo = o.mezzo || m[3].length();
    testi.push_back(m[1].str() + "." + m[2].str());
  }
  std::string attesa;
  auto blank = [](size_t n) { return std::string(n, ' '); };
  if (testi.size() == 2) {
    o.forma = Forma::fermata;
    attesa = " " + testi[0] + blank(14 - testi[0].size() - testi[1].size()) + testi[1] + " ";
  } else if (testi.size() == 1 && cella_orario[1] != ' ') {
    o.forma = Forma::arrivo;
    attesa = " " + testi[0] + blank(15 - testi[0].size());
  } else if (testi.size() == 1 && cella_orario[14] != ' ') {
    o.forma = Forma::partenza;
    attesa = blank(15 - testi[0].size()) + testi[0] + " ";
  } else if (testi.size() == 1) {
    o.forma = Forma::transito;
    attesa = blank(10 - testi[0].size()) + testi[0] + (o.mezzo ? "+" : " ") + blank(5);
  }
  EXPECT_EQ(cella_orario, attesa) << "time cell '" << cella_orario << "'";
  if (o.forma != Forma::transito) {
    EXPECT_FALSE(o.mezzo) << cella_orario;
  }
  return o;
}

enum class Tipo { stazione, dev_u, dev_i, cartello, seg_prot };

Tipo tipo(const Riga& r) {
  if (r.etichetta == "Dev.U") return Tipo::dev_u;
  if (r.etichetta == "Dev.I") return Tipo::dev_i;
  if (r.etichetta == "Cartello Indicatore") return Tipo::cartello;
  if (r.etichetta.starts_with("Seg.Prot. ")) return Tipo::seg_prot;
  return Tipo::stazione;
}

TEST(PayloadScheda, TipiDiRigaConQuantitaVelocitaEOrari) {
  struct Caso {
    Tipo tipo;
    size_t righe;
    size_t entrambe, sola_lim, nessuna;  // speed cells filled
    bool con_orario;
  };
  const Caso casi[] = {{Tipo::stazione, 25, 3, 0, 22, true},
                       {Tipo::dev_u, 6, 6, 0, 0, false},
                       {Tipo::dev_i, 2, 2, 0, 0, false},
                       {Tipo::cartello, 9, 8, 1, 0, false},
                       {Tipo::seg_prot, 1, 1, 0, 0, false}};
  auto righe = righe_tabella();
  for (const Caso& c : casi) {
    size_t n = 0, entrambe = 0, sola_lim = 0, nessuna = 0;
    for (const Riga& r : righe) {
      if (tipo(r) != c.tipo) continue;
      ++n;
      if (r.lim && r.marc) ++entrambe;
      if (r.lim && !r.marc) ++sola_lim;
      if (!r.lim && !r.marc) ++nessuna;
      EXPECT_FALSE(!r.lim && r.marc) << r.testo;
      if (r.lim && r.marc) {
        EXPECT_LE(*r.marc, *r.lim) << r.testo;
      }
      EXPECT_EQ(leggi_orario(r.orario).forma != Forma::nessuna, c.con_orario) << r.testo;
    }
    EXPECT_EQ(n, c.righe) << static_cast<int>(c.tipo);
    EXPECT_EQ(entrambe, c.entrambe) << static_cast<int>(c.tipo);
    EXPECT_EQ(sola_lim, c.sola_lim) << static_cast<int>(c.tipo);
    EXPECT_EQ(nessuna, c.nessuna) << static_cast<int>(c.tipo);
  }
}

TEST(PayloadScheda, OrariNelleQuattroFormeECrescenti) {
  std::vector<Orario> orari;
  for (const Riga& r : righe_tabella())
    if (tipo(r) == Tipo::stazione) orari.push_back(leggi_orario(r.orario));
  ASSERT_EQ(orari.size(), 25u);
  std::map<Forma, size_t> conta;
  size_t mezzi = 0;
  std::vector<int64_t> tutti;
  for (const Orario& o : orari) {
    ++conta[o.forma];
    mezzi += o.mezzo;
    tutti.insert(tutti.end(), o.secondi.begin(), o.secondi.end());
  }
  EXPECT_EQ(orari.front().forma, Forma::partenza);
  EXPECT_EQ(orari.back().forma, Forma::arrivo);
  EXPECT_EQ(conta[Forma::partenza], 1u);
  EXPECT_EQ(conta[Forma::arrivo], 1u);
  EXPECT_EQ(conta[Forma::transito], 14u);
  EXPECT_EQ(conta[Forma::fermata], 9u);
  EXPECT_EQ(mezzi, 8u);
  for (size_t i = 1; i < tutti.size(); ++i) EXPECT_GT(tutti[i], tutti[i - 1]) << "time " << i;
  EXPECT_EQ(tutti.front(), 8 * 3600 + 40 * 60);
  EXPECT_EQ(tutti.back(), 10 * 3600 + 45 * 60);
}

// ------------------------------------------------------------ agreement

// The card against the line and train descriptions is the check's to judge
// (its rules W14 to W17): station rows, times, speeds, the protection row.
TEST(PayloadScheda, IlControlloTrovaLaSchedaDAccordoConLeDescrizioni) {
  auto unisci = [](Righe righe) {
    std::string t;
    for (std::string_view r : righe) (t += r) += "\r\n";
    return t;
  };
  const Payload& p = payload_incorporato();
  const std::string linea = unisci(p.linea), treno = unisci(p.treno), scheda = unisci(p.scheda);
  const auto c = verifica::controlla_testi({p.nome_linea, p.numero_treno, linea, treno, scheda});
  for (const verifica::Diagnostica& d : c.diagnostiche)
    EXPECT_THAT(d.id, ::testing::Not(::testing::AnyOf("W14", "W15", "W16", "W17", "N04"))) << d.messaggio;
  // It does read the card: a row moved by a kilometre is told.
  std::string spostata = scheda;
  spostata.replace(spostata.find("   31+800 "), 10, "   32+800 ");
  const auto d = verifica::controlla_testi({p.nome_linea, p.numero_treno, linea, treno, spostata});
  EXPECT_TRUE(std::ranges::any_of(d.diagnostiche, [](const auto& x) { return x.id == "W14"; }));
}

}  // namespace
}  // namespace scenario::test
