#include "compiler/lettura_campi.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/errori.h"

namespace scenario {
namespace {

// Reads the text field by field: 't' a text field, 'n' a number field. Each
// result is written as text; "|" marks where end of file was reached.
std::vector<std::string> leggi(const std::string& testo, const std::string& campi) {
  LetturaCampi f(testo);
  std::vector<std::string> out;
  for (char c : campi) {
    out.push_back(c == 't' ? "'" + f.leggi_testo() + "'" : std::to_string(f.leggi_long()));
    if (f.fine_file()) out.push_back("|");
  }
  return out;
}

struct Caso {
  const char* testo;
  const char* campi;
  std::vector<std::string> attesi;
};

TEST(LetturaCampi, CampiDiTestoENumero) {
  const Caso casi[] = {
      {"pendenza,   0,    0\r\n", "tnn", {"'pendenza'", "0", "0", "|"}},
      // Blanks after a number and then one delimiter go with it.
      {"5  ,6\r\n", "nn", {"5", "6", "|"}},
      {"orologio,    8               39            30 \r\n[fine]\r\n",
       "tnnnt",
       {"'orologio'", "8", "39", "30", "'[fine]'", "|"}},
      // An empty field and a field of blanks read as 0.
      {"x,  ,  ,  ,  0\r\n", "tnnnn", {"'x'", "0", "0", "0", "0", "|"}},
      {"x,,7\r\n", "tnn", {"'x'", "0", "7", "|"}},
      // A text field keeps its trailing blanks; leading blanks and tabs go.
      {"  \tab c  ,d\r\n", "tt", {"'ab c  '", "'d'", "|"}},
      // A line end separates fields like a comma; an empty line is one field.
      {"a\r\n\r\nb\r\n", "ttt", {"'a'", "''", "'b'", "|"}},
      {"velocita\r\n  1300,   135\r\n", "tnn", {"'velocita'", "1300", "135", "|"}},
      {"x,\r\n5\r\n", "tnn", {"'x'", "0", "5", "|"}},
      // Lone LF and lone CR are line ends too.
      {"a\nb\rc\r\n", "ttt", {"'a'", "'b'", "'c'", "|"}},
      {"1\n2\r3", "nnn", {"1", "2", "3", "|"}},
      // Quotes, tabs inside text and Ctrl-Z are ordinary characters.
      {"\"a\tb\",\x1A\r\n", "tt", {"'\"a\tb\"'", "'\x1A'", "|"}},
      // Signs.
      {"-50,+7\r\n", "nn", {"-50", "7", "|"}},
      {"2147483647,-2147483648\r\n", "nn", {"2147483647", "-2147483648", "|"}},
      // The last field without a line end.
      {"[fine]", "t", {"'[fine]'", "|"}},
      // A station name runs to the line end.
      {"0, BELMORA CENTRALE\r\nx\r\n", "ntt", {"0", "'BELMORA CENTRALE'", "'x'", "|"}},
  };
  for (const Caso& c : casi) EXPECT_EQ(leggi(c.testo, c.campi), c.attesi) << c.testo;
}

TEST(LetturaCampi, NumeriNonValidiSonoGuasti) {
  struct Errato {
    const char* testo;
    Guasto guasto;
  } casi[] = {
      {"abc\r\n", Guasto::tipo_non_corrispondente},   {"1.5\r\n", Guasto::tipo_non_corrispondente},
      {"1e3\r\n", Guasto::tipo_non_corrispondente},   {"-\r\n", Guasto::tipo_non_corrispondente},
      {"12x,3\r\n", Guasto::tipo_non_corrispondente}, {"2147483648\r\n", Guasto::overflow},
      {"-2147483649\r\n", Guasto::overflow},          {"99999999999999999999\r\n", Guasto::overflow},
  };
  for (const Errato& c : casi) {
    LetturaCampi f(c.testo);
    try {
      f.leggi_long();
      ADD_FAILURE() << c.testo;
    } catch (const ErroreEsecuzione& e) {
      EXPECT_EQ(e.guasto(), c.guasto) << c.testo;
    }
  }
}

// The failure quotes the field as a message can carry it: a NUL would end
// the message where it is shown, a field of megabytes would be copied whole.
TEST(LetturaCampi, IlCampoCitatoDalGuastoEVisibileELimitato) {
  const std::string enorme(1'000'000, '7');
  struct Citato {
    std::string testo;
    std::string messaggio;
  } casi[] = {
      {std::string("13\0006\r\n", 5), "Errore di run-time '13': Tipo non corrispondente (13\\x006)"},
      {"1\x7F"
       "2\r\n",
       "Errore di run-time '13': Tipo non corrispondente (1\\x7F2)"},
      {"x" + enorme + "\r\n",
       "Errore di run-time '13': Tipo non corrispondente (x" + enorme.substr(0, 255) + "... (1000001 byte))"},
      {enorme + enorme + "\r\n", "Errore di run-time '6': Overflow (" + enorme.substr(0, 256) + "... (2000000 byte))"},
  };
  for (const Citato& c : casi) {
    LetturaCampi f(c.testo);
    try {
      f.leggi_long();
      ADD_FAILURE() << c.testo.substr(0, 20);
    } catch (const ErroreEsecuzione& e) {
      EXPECT_EQ(std::string(e.what()), c.messaggio);
      EXPECT_EQ(std::string(e.what()).size(), std::strlen(e.what()));
    }
  }
}

TEST(LetturaCampi, CampiStretti) {
  LetturaCampi f("255,-1,32767,32768,256\r\n");
  EXPECT_EQ(f.leggi_byte(), 255);
  EXPECT_THROW(f.leggi_byte(), ErroreEsecuzione);  // a negative value into a byte
  EXPECT_EQ(f.leggi_intero(), 32767);
  EXPECT_THROW(f.leggi_intero(), ErroreEsecuzione);
  EXPECT_THROW(f.leggi_byte(), ErroreEsecuzione);
}

TEST(LetturaCampi, OltreLaFineDelFile) {
  LetturaCampi vuoto("");
  EXPECT_THROW(vuoto.leggi_testo(), ErroreEsecuzione);
  LetturaCampi f("a\r\n");
  f.leggi_testo();
  ASSERT_TRUE(f.fine_file());
  try {
    f.leggi_long();
    ADD_FAILURE();
  } catch (const ErroreEsecuzione& e) {
    EXPECT_EQ(e.guasto(), Guasto::input_oltre_fine_file);
  }
}

TEST(LetturaCampi, RigaEColonnaDelCampo) {
  LetturaCampi f("curvad3,  800,  300\r\n\r\n  segnale,1\r\n");
  f.leggi_testo();
  EXPECT_EQ(f.riga_campo(), 1);
  EXPECT_EQ(f.colonna_campo(), 1);
  f.leggi_long();
  EXPECT_EQ(f.colonna_campo(), 11);
  f.leggi_long();
  EXPECT_EQ(f.colonna_campo(), 17);
  f.leggi_testo();
  EXPECT_EQ(f.riga_campo(), 2);
  f.leggi_testo();
  EXPECT_EQ(f.riga_campo(), 3);
  EXPECT_EQ(f.colonna_campo(), 3);
}

TEST(ParoleChiave, MaiuscoleSoloAscii) {
  EXPECT_TRUE(contiene_ci("Lunghezza Percorso", "percorso"));
  EXPECT_TRUE(contiene_ci("CURVAd4", "curva"));
  EXPECT_FALSE(contiene("Progressiva chilometrica uno", "progressiva"));
  // Letters outside ASCII are not folded.
  EXPECT_FALSE(contiene_ci("VELOCIT\xC0", "velocit\xE0"));
  EXPECT_TRUE(contiene_ci("qualsiasi", ""));
}

}  // namespace
}  // namespace scenario
