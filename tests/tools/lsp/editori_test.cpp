// The VS Code extension's manifest and grammar: well-formed JSON, and the
// file names it claims are the texts the server takes by the same rule.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "autore/ingressi.h"
#include "support/cartella_temporanea.h"

namespace scenario::strumenti {
namespace {

nlohmann::json leggi_json(const std::string& relativo) {
  return nlohmann::json::parse(test::leggi_file(std::string(EDITORI) + "/vscode/" + relativo));
}

TEST(EstensioneVscode, ILinguaggiPrendonoITestiCheIlServerPrende) {
  const nlohmann::json pacchetto = leggi_json("package.json");
  const nlohmann::json& c = pacchetto.at("contributes");
  size_t nomi = 0;
  for (const nlohmann::json& l : c.at("languages")) {
    for (const char* chiave : {"filenamePatterns", "filenames"})
      for (const nlohmann::json& n : l.value(chiave, nlohmann::json::array())) {
        std::string nome = n.get<std::string>();
        if (const size_t stella = nome.find('*'); stella != std::string::npos) nome.replace(stella, 1, "Valle_9");
        EXPECT_NE(tipo_di_testo(nome), Sorgente::nessuna) << nome;
        ++nomi;
      }
    EXPECT_TRUE(std::ranges::any_of(c.at("grammars"), [&](const nlohmann::json& g) {
      return g["language"] == l["id"];
    })) << l["id"];
  }
  EXPECT_EQ(nomi, 4u);  // the two texts, installed and in a payload folder
  EXPECT_EQ(leggi_json("syntaxes/scenario.tmLanguage.json").at("scopeName"), "source.scenario");
  EXPECT_NO_THROW(leggi_json("language-configuration.json"));
}

}  // namespace
}  // namespace scenario::strumenti
