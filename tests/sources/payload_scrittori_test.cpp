// The five writers on the real file system: the files hold the payload lines
// with CR LF after each, replace whatever stood under their names, and come
// out byte-identical from a second run.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <ostream>
#include <string>

#include "base/nomi_file.h"
#include "platform/disco_file.h"
#include "sources/payload.h"
#include "sources/scrittori.h"
#include "support/cartella_temporanea.h"

namespace scenario::test {
namespace {

using Scrittore = void (*)(const NomiScenario&, const Payload&, Disco&, const Percorso&);

struct Caso {
  const char* nome;
  Scrittore scrittore;
  const char* file;  // the name the run gives it
  std::span<const std::string_view> Payload::*righe;
  const char* sorgente;  // payload text in the repository
  size_t numero_righe;
};

void PrintTo(const Caso& c, std::ostream* os) { *os << c.nome; }

const Caso casi[] = {
    {"linea", dati_linea, "Belmora_Solvenzia_linea.txt", &Payload::linea, "linea.txt", 268},
    {"treno", dati_treno, "Belmora_Solvenzia_4816-4817-.txt", &Payload::treno, "treno.txt", 118},
    {"note", dati_note, "Belmora_Solvenzia_4816-4817_note.txt", &Payload::note, "note.txt", 0},
    {"rallentamenti", dati_rallentamenti, "Belmora_Solvenzia_4816-4817_rallentamenti.txt", &Payload::rallentamenti,
     "rallentamenti.txt", 46},
    {"scheda", dati_scheda, "Belmora_Solvenzia_4816-4817_scheda_treno.txt", &Payload::scheda, "scheda_treno.txt", 63},
};

NomiScenario nomi_scenario() { return {payload_incorporato().nome_linea, payload_incorporato().numero_treno}; }

// The repository text as the program must write it: LF becomes CR LF, and
// the two accented letters of the train preamble become their
// Windows-1252 bytes; everything else is ASCII.
std::string atteso_da_sorgente(const std::string& utf8) {
  std::string out;
  for (size_t i = 0; i < utf8.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(utf8[i]);
    if (c == '\n') {
      out += "\r\n";
    } else if (c == 0xC3 && i + 1 < utf8.size() &&
               (static_cast<unsigned char>(utf8[i + 1]) == 0xA8 || static_cast<unsigned char>(utf8[i + 1]) == 0xB9)) {
      out += static_cast<char>(static_cast<unsigned char>(utf8[i + 1]) + 0x40);  // è 0xE8, ù 0xF9
      ++i;
    } else {
      EXPECT_LT(c, 0x80) << "byte " << i;
      out += static_cast<char>(c);
    }
  }
  return out;
}

std::string atteso_da_righe(std::span<const std::string_view> righe) {
  std::string out;
  for (std::string_view r : righe) {
    out += r;
    out += "\r\n";
  }
  return out;
}

class PayloadScrittori : public ::testing::TestWithParam<Caso> {};

TEST_P(PayloadScrittori, ScriveLeRigheDelPayloadOgnunaConCrLf) {
  const Caso& c = GetParam();
  CartellaTemporanea cartella;
  DiscoFile disco;
  const NomiScenario nomi = nomi_scenario();
  c.scrittore(nomi, payload_incorporato(), disco, cartella.percorso());

  const std::string scritto = leggi_file(cartella / c.file);
  const auto righe = payload_incorporato().*c.righe;
  EXPECT_EQ(righe.size(), c.numero_righe);
  EXPECT_EQ(scritto, atteso_da_righe(righe));
  EXPECT_EQ(scritto, atteso_da_sorgente(leggi_file(std::filesystem::path(SCENARIO_PAYLOAD_DIR) / c.sorgente)));
  // Only this one file is written.
  size_t file = 0;
  for (const auto& voce : std::filesystem::directory_iterator(cartella.percorso())) {
    ++file;
    EXPECT_EQ(voce.path().filename().string(), c.file);
  }
  EXPECT_EQ(file, 1u);
}

TEST_P(PayloadScrittori, SostituisceIlFileCheCEraGia) {
  const Caso& c = GetParam();
  CartellaTemporanea cartella;
  DiscoFile disco;
  const NomiScenario nomi = nomi_scenario();
  scrivi_file(cartella / c.file, std::string(100000, 'x') + "\r\nriferimento fine del file\r\n");
  c.scrittore(nomi, payload_incorporato(), disco, cartella.percorso());
  EXPECT_EQ(leggi_file(cartella / c.file), atteso_da_righe(payload_incorporato().*c.righe));
}

TEST_P(PayloadScrittori, SecondaScritturaStessiByte) {
  const Caso& c = GetParam();
  CartellaTemporanea cartella;
  DiscoFile disco;
  const NomiScenario nomi = nomi_scenario();
  c.scrittore(nomi, payload_incorporato(), disco, cartella.percorso());
  const std::string primo = leggi_file(cartella / c.file);
  c.scrittore(nomi, payload_incorporato(), disco, cartella.percorso());
  EXPECT_EQ(leggi_file(cartella / c.file), primo);
  EXPECT_EQ(std::filesystem::file_size(cartella / c.file), primo.size());
}

INSTANTIATE_TEST_SUITE_P(Cinque, PayloadScrittori, ::testing::ValuesIn(casi),
                         [](const ::testing::TestParamInfo<Caso>& i) { return std::string(i.param.nome); });

TEST(PayloadScrittoriFile, FileDelleNoteVuotoAncheSopraUnContenuto) {
  CartellaTemporanea cartella;
  DiscoFile disco;
  const NomiScenario nomi = nomi_scenario();
  const auto nome = cartella / "Belmora_Solvenzia_4816-4817_note.txt";
  scrivi_file(nome, "note di una corsa precedente\r\n");
  dati_note(nomi, payload_incorporato(), disco, cartella.percorso());
  ASSERT_TRUE(std::filesystem::exists(nome));
  EXPECT_EQ(std::filesystem::file_size(nome), 0u);
}

TEST(PayloadScrittoriFile, ITestiIniziano_E_FinisconoComeIlPayload) {
  CartellaTemporanea cartella;
  DiscoFile disco;
  const NomiScenario nomi = nomi_scenario();
  dati_linea(nomi, payload_incorporato(), disco, cartella.percorso());
  dati_treno(nomi, payload_incorporato(), disco, cartella.percorso());
  dati_scheda(nomi, payload_incorporato(), disco, cartella.percorso());
  const std::string linea = leggi_file(cartella / "Belmora_Solvenzia_linea.txt");
  EXPECT_TRUE(linea.starts_with("[generale]\r\nlunghezza percorso,    136000\r\n"));
  EXPECT_TRUE(linea.ends_with("\r\n[indicazioni]\r\n[fine]\r\n"));
  EXPECT_EQ(linea.find("riferimento fine del file"), std::string::npos);
  const std::string treno = leggi_file(cartella / "Belmora_Solvenzia_4816-4817-.txt");
  EXPECT_EQ(treno.find("\r\n"), 164u);             // line 1: 164 bytes
  EXPECT_EQ(treno.find("\r\n", 166), 166u + 91u);  // line 2: 91 bytes
  EXPECT_NE(treno.find("\r\norologio,    8               39            30 \r\n"), std::string::npos);
  EXPECT_TRUE(treno.ends_with("\r\n[codici]\r\n[fine]\r\n"));
  const std::string scheda = leggi_file(cartella / "Belmora_Solvenzia_4816-4817_scheda_treno.txt");
  EXPECT_TRUE(scheda.starts_with("\r\n\r\n  ___"));
  EXPECT_NE(scheda.find("|  MASSA BLOCCATA   |       \r\n"), std::string::npos);
  EXPECT_TRUE(scheda.ends_with(" Nella colonna orario il simbolo '+' indica mezzo minuto\r\n\r\n\r\n"));
}

// The five writers in the run's order, twice in one directory: five files,
// the same bytes both times.
TEST(PayloadScrittoriFile, DueCorseNellaStessaCartellaDannoGliStessiCinqueFile) {
  CartellaTemporanea cartella;
  DiscoFile disco;
  auto esegui = [&] {
    const NomiScenario nomi = nomi_scenario();
    for (Scrittore s : {dati_linea, dati_treno, dati_note, dati_rallentamenti, dati_scheda})
      s(nomi, payload_incorporato(), disco, cartella.percorso());
    std::map<std::string, std::string> contenuto;
    for (const auto& voce : std::filesystem::directory_iterator(cartella.percorso()))
      contenuto[voce.path().filename().string()] = leggi_file(voce.path());
    return contenuto;
  };
  const auto primo = esegui();
  ASSERT_EQ(primo.size(), 5u);
  for (const Caso& c : casi) EXPECT_TRUE(primo.count(c.file)) << c.file;
  EXPECT_EQ(esegui(), primo);
}

}  // namespace
}  // namespace scenario::test
