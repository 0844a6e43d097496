// A payload folder's text converted as the build converts it: the embedded
// payload, which the build made, is the tool's conversion of payload/; and
// what the build refuses is refused, naming the line.

#include "base/testo_carico.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>

#include "sources/payload.h"
#include "support/cartella_temporanea.h"

namespace scenario {
namespace {

std::string righe(std::span<const std::string_view> v) {
  std::string t;
  for (std::string_view r : v) (t += r) += "\r\n";
  return t;
}

TEST(TestoCarico, ComeLoIncorporaLaBuild) {
  const Payload& p = payload_incorporato();
  const std::pair<const char*, std::span<const std::string_view>> testi[] = {{"linea.txt", p.linea},
                                                                             {"treno.txt", p.treno},
                                                                             {"note.txt", p.note},
                                                                             {"rallentamenti.txt", p.rallentamenti},
                                                                             {"scheda_treno.txt", p.scheda}};
  for (const auto& [nome, attese] : testi) {
    SCOPED_TRACE(nome);
    std::string errore;
    const auto t = testo_da_carico(test::leggi_file(std::filesystem::path(SCENARIO_PAYLOAD_DIR) / nome), errore);
    ASSERT_TRUE(t) << errore;
    EXPECT_EQ(*t, righe(attese));
  }
  std::string errore;
  EXPECT_EQ(testo_da_carico("a\r\nb\n\nCITT\xC3\x80", errore), "a\r\nb\r\n\r\nCITT\xC0\r\n");
  EXPECT_EQ(testo_da_carico("", errore), "");
}

TEST(TestoCarico, RifiutaCioCheLaBuildRifiuta) {
  const std::pair<std::string, const char*> casi[] = {
      {std::string("a\nb\0c\n", 6), "riga 2: carattere NUL"},
      {"a\rb\n", "riga 1: CR isolato"},
      {"ok\n\xC0\xAF\n", "riga 2: testo non UTF-8 valido"},
      {"ok\nCITT\xC3", "riga 2: testo non UTF-8 valido"},
      {"\xC4\x80\n", "riga 1: il carattere U+0100 non esiste in Windows-1252"},
      {"x\nriferimento fine del file\n", "riga 2: la riga \"riferimento fine del file\" e' riservata"},
      {std::string(1001, '\n'), "piu' di 1000 righe"},
  };
  for (const auto& [testo, atteso] : casi) {
    std::string errore;
    EXPECT_FALSE(testo_da_carico(testo, errore)) << atteso;
    EXPECT_EQ(errore, atteso);
  }
}

}  // namespace
}  // namespace scenario
