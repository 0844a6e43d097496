// docs/formati.md is the formats table's own page: written from it, linked
// from the README.

#include "formati/formati_md.h"

#include <gtest/gtest.h>

#include "support/cartella_temporanea.h"

namespace scenario::strumenti {
namespace {

TEST(DocumentoFormati, EUgualeAQuelloScrittoDallaTabella) {
  // When this fails, `cmake --build build --target formati_md` writes it again.
  EXPECT_EQ(test::leggi_file(FORMATI_MD), formati_markdown());
}

TEST(DocumentoFormati, OgniRecordConIValoriEIlReadmeLoCita) {
  const std::string pagina = formati_markdown();
  for (const formato::Testo* t : {&formato::linea(), &formato::treno()})
    for (const formato::Record* r : t->record) {
      const size_t titolo = pagina.find("### " + std::string(r->nome) + "\n");
      ASSERT_NE(titolo, std::string::npos) << r->nome;
      for (const formato::Valore& v : r->valori)
        EXPECT_NE(pagina.find("`" + std::string(v.nome) + "`", titolo), std::string::npos) << r->nome << " " << v.nome;
    }
  EXPECT_NE(test::leggi_file(README_PROGETTO).find("(docs/formati.md)"), std::string::npos);
}

}  // namespace
}  // namespace scenario::strumenti
