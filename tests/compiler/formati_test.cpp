// The table of the two formats against the readers: every record kind is
// found by its keyword and takes exactly the values the table lists, in
// that order and of those types.

#include "compiler/formati.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "compiler/stato.h"
#include "compiler/tracciati.h"
#include "support/generale_prova.h"
#include "verifica/controllo.h"
#include "verifica/raccolta.h"

namespace scenario {
namespace {

// A value each check of its record lets through.
std::string valore_di_prova(const formato::Valore& v) {
  if (v.tipo == formato::Tipo::testo) return "PROVA";
  if (v.ruolo != formato::Ruolo::valore || v.passo != 0) return "1000";
  return v.nome == "tipo" ? "8" : "1";
}

std::string unisci(const std::vector<std::string>& righe) {
  std::string t;
  for (const std::string& r : righe) t += r + "\r\n";
  return t;
}

// The record alone on its line, then a header: the header must be the next
// keyword, neither taken as a value nor left behind.
verifica::Raccolta leggi_solo(const formato::Record& r, std::unique_ptr<Stato>* stato = nullptr,
                              std::string (*valore)(const formato::Valore&) = valore_di_prova) {
  std::string riga(r.esempio);
  for (const formato::Valore& v : r.valori) riga += ", " + valore(v);
  std::vector<std::string> linea = test::righe_generale("10000"), treno = {"[generale]"};
  const bool della_linea = std::ranges::count(formato::linea().record, &r) > 0;
  std::vector<std::string>& dove = della_linea ? linea : treno;
  if (della_linea && r.parte == formato::Parte::sezioni) linea.push_back("[curve]");
  dove.push_back(riga);
  // The last field of a text is never taken as a keyword: an empty line ends it.
  dove.push_back("[fine]");
  dove.push_back("");
  const std::string l = unisci(linea), t = unisci(treno);
  verifica::Raccolta raccolta;
  raccolta.tieni_ignorati = true;
  auto s = verifica::compila_in_memoria({"R", "T", l, t, std::nullopt}, &raccolta, false);
  if (stato) *stato = std::move(s);
  return raccolta;
}

TEST(Formati, OgniRecordPrendeIValoriDellaTabella) {
  for (const formato::Testo* testo : {&formato::linea(), &formato::treno()})
    for (const formato::Record* r : testo->record) {
      SCOPED_TRACE(std::string(r->nome));
      const verifica::Raccolta raccolta = leggi_solo(*r);
      const RecordLetto* letto = nullptr;
      for (const RecordLetto* x : raccolta.record)
        if (x->formato == r && x->sorgente == testo->sorgente && x->chiave == r->esempio) letto = x;
      ASSERT_NE(letto, nullptr) << "la parola chiave non trova il record";
      EXPECT_FALSE(letto->problema);
      ASSERT_EQ(letto->valori.size(), r->valori.size());
      for (size_t k = 0; k < r->valori.size(); ++k) {
        const formato::Valore& v = r->valori[k];
        if (v.tipo == formato::Tipo::testo)
          EXPECT_EQ(letto->valori[k].testo, "PROVA") << v.nome;
        else
          EXPECT_EQ(std::to_string(letto->valori[k].numero), valore_di_prova(v)) << v.nome;
      }
      // Nothing of the record's line is left, and the header is read as a keyword.
      bool fine = false;
      for (const verifica::Ignorato& i : raccolta.ignorati) {
        if (i.campo.sorgente != testo->sorgente) continue;
        EXPECT_NE(i.campo.campo.riga, letto->campo_chiave.riga) << i.campo.testo;
        fine = fine || (i.campo.testo == "[fine]" && i.campo.inizio_riga);
      }
      EXPECT_TRUE(fine);
    }
}

// A field too large for its type is refused by the reader as the table
// says: 8-bit and 16-bit values at their bound and one past it.
TEST(Formati, ITipiDeiValoriSonoQuelliCheIlLettoreRifiuta) {
  const formato::Record& st = formato::stazione;
  for (size_t k = 0; k < st.valori.size(); ++k) {
    const formato::Valore& v = st.valori[k];
    if (v.tipo != formato::Tipo::byte && v.tipo != formato::Tipo::intero) continue;
    SCOPED_TRACE(std::string(v.nome));
    for (const auto& [valore, rifiutato] : {std::pair{v.massimo, false}, std::pair{v.massimo + 1, true}}) {
      std::string riga = "stazione";
      for (size_t j = 0; j < st.valori.size(); ++j)
        riga += ", " + (j == k ? std::to_string(valore) : valore_di_prova(st.valori[j]));
      const std::string l = unisci(test::righe_generale("10000")), t = unisci({"[generale]", riga, "[fine]"});
      const auto s = verifica::compila_in_memoria({"R", "T", l, t, std::nullopt}, nullptr, false);
      EXPECT_EQ(s->codice_errore == problema::errore_esecuzione, rifiutato) << valore;
    }
  }
}

// Where the table says a value goes in the slots that hold no station, the
// reader puts it.
TEST(Formati, IValoriVannoNegliSlotCheLaTabellaDice) {
  size_t controllati = 0;
  for (const formato::Testo* testo : {&formato::linea(), &formato::treno()})
    for (const formato::Record* r : testo->record) {
      std::unique_ptr<Stato> s;
      // A distinct multiple of 50 for each value, that every check lets through.
      leggi_solo(*r, &s, [](const formato::Valore& v) {
        return std::to_string(v.destinazione.slot < 0 ? 1000
                                                      : 1000 + 50 * (v.nome.size() + v.destinazione.campo.size()));
      });
      for (const formato::Valore& v : r->valori) {
        if (v.destinazione.slot < 0) continue;
        SCOPED_TRACE(std::string(r->nome) + "." + std::string(v.nome));
        int64_t trovato = -1;
        per_ogni_campo(s->stazioni[static_cast<size_t>(v.destinazione.slot)], [&](const char* nome, const auto& x) {
          if constexpr (std::is_arithmetic_v<std::remove_cvref_t<decltype(x)>>)
            if (nome == v.destinazione.campo) trovato = x;
        });
        EXPECT_EQ(trovato, int64_t{1000} + 50 * static_cast<int64_t>(v.nome.size() + v.destinazione.campo.size()));
        ++controllati;
      }
    }
  EXPECT_EQ(controllati, 12u);
}

TEST(Formati, LeSezioniELeParoleSonoQuelleDeiLettori) {
  EXPECT_TRUE(formato::intestazione("[curve]"));
  EXPECT_TRUE(formato::intestazione("  x [a] y"));
  EXPECT_FALSE(formato::intestazione("-[curve]"));
  EXPECT_EQ(formato::primo_che_corrisponde(formato::linea(), "CURVAS2"), &formato::curva);
  EXPECT_EQ(formato::primo_che_corrisponde(formato::linea(), "Progressiva Chilometrica tre"), nullptr);
  EXPECT_EQ(formato::primo_che_corrisponde(formato::treno(), "velocità"), &formato::velocita);
  EXPECT_EQ(formato::stazione.indice("nome"), 16u);
  EXPECT_EQ(formato::stazione.indice("assente"), formato::stazione.valori.size());
}

}  // namespace
}  // namespace scenario
