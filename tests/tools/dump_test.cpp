// Reading the binary files back: scenario dump.

#include "dump.h"

#include <gtest/gtest.h>

#include <string>

#include "errore_strumento.h"
#include "tools/binari_prova.h"
#include "tools/strumento.h"

namespace scenario::test {
namespace {

using strumenti::OpzioniDump;
using strumenti::TipoFile;

size_t righe_che_iniziano(const std::string& testo, const std::string& inizio) {
  size_t n = 0;
  for (size_t p = 0; (p = testo.find("\n" + inizio, p)) != std::string::npos; ++p) ++n;
  return n;
}

struct Binari {
  std::string profilo, sim, dat;
};

Binari binari() {
  const Stato s = stato_prova();
  return {serializza_profilo(s.profilo_linea), serializza_stazioni(s.stazioni), serializza_celle(s.celle)};
}

TEST(Dump, CelleNonVuoteConINomiDeiCampiETutteConAll) {
  const Binari b = binari();
  const std::string testo = strumenti::dump_testo(TipoFile::celle, b.dat, "Prova_1.dat", {});
  EXPECT_NE(testo.find("\ncella 29 [1400 m]: codice=1 tipo=\"segnale\" valore1=43 valore2=11 valore3=0 valore4=4 "
                       "tempo_segnale=0 avvicinamento=0"),
            std::string::npos)
      << testo;
  EXPECT_NE(testo.find("\ncella 27 [1300 m]: codice=0 tipo=\"libera\" valore1=0 valore2=0 valore3=0 valore4=0 "
                       "tempo_segnale=0 avvicinamento=41"),
            std::string::npos);
  // Cells with range attributes only are left out.
  EXPECT_EQ(testo.find("\ncella 0 "), std::string::npos);
  EXPECT_EQ(righe_che_iniziano(testo, "cella "), 1u + 4 + 3 + 4 + 1);  // signal, approach, slowdown, pre-warning, sign
  EXPECT_EQ(righe_che_iniziano(strumenti::dump_testo(TipoFile::celle, b.dat, "Prova_1.dat", {true}), "cella "), 341u);

  const auto j = strumenti::dump_json(TipoFile::celle, b.dat, "Prova_1.dat", {});
  EXPECT_EQ(j["tipo"], "celle");
  EXPECT_EQ(j["voci"][4]["cella"], 29);
  EXPECT_EQ(j["voci"][4]["valore1"], 43);
}

TEST(Dump, SlotDelleStazioniEMetriDelProfilo) {
  const Binari b = binari();
  const std::string sim = strumenti::dump_testo(TipoFile::stazioni, b.sim, "Prova_1.sim", {});
  EXPECT_NE(
      sim.find("\nslot 1: tipo_stazione=8 inizio_zona=0 fine_zona=0 posizione_stazione=0 campo4=0 nome=\"PRIMA\""),
      std::string::npos)
      << sim;
  EXPECT_EQ(righe_che_iniziano(sim, "slot "), 3u);  // 1, 80, 84
  EXPECT_EQ(righe_che_iniziano(strumenti::dump_testo(TipoFile::stazioni, b.sim, "Prova_1.sim", {true}), "slot "), 87u);

  const std::string profilo = strumenti::dump_testo(TipoFile::profilo, b.profilo, "Prova_linea.dat", {});
  EXPECT_NE(profilo.find("\nmetro 1: x=0 y=1\nmetro 2: x=0 y=2\n"), std::string::npos);
  EXPECT_EQ(profilo.find("vuoto"), std::string::npos);
  const std::string tutto = strumenti::dump_testo(TipoFile::profilo, b.profilo, "Prova_linea.dat", {true});
  EXPECT_NE(tutto.find("\nmetro 17000: x=vuoto y=vuoto\n"), std::string::npos);
}

TEST(Dump, RiconosceIlFileDalNomeODalContenuto) {
  const Binari b = binari();
  EXPECT_EQ(strumenti::riconosci(b.dat, "Prova_1.sim"), TipoFile::stazioni);  // the name wins
  EXPECT_EQ(strumenti::riconosci(b.profilo, "Prova_linea.dat"), TipoFile::profilo);
  EXPECT_EQ(strumenti::riconosci(b.sim, "copia.bin"), TipoFile::stazioni);
  EXPECT_EQ(strumenti::riconosci(b.profilo, "copia.bin"), TipoFile::profilo);
  EXPECT_EQ(strumenti::riconosci(b.dat, "copia.bin"), TipoFile::celle);
}

TEST(Dump, FileTroncatiOEstraneiDannoUnErroreChiaro) {
  const Binari b = binari();
  std::string tag_sconosciuto = b.profilo;
  tag_sconosciuto[8] = 7;
  struct Caso {
    TipoFile tipo;
    std::string byte;
    const char* messaggio;
  };
  const Caso casi[] = {
      {TipoFile::stazioni, b.sim.substr(0, b.sim.size() - 1), "file troncato"},
      {TipoFile::stazioni, b.sim.substr(0, 20), "file troncato"},
      {TipoFile::stazioni, b.sim + "x", "oltre gli 87 slot"},
      {TipoFile::celle, b.dat.substr(0, b.dat.size() - 1), "non un multiplo di 15"},
      {TipoFile::celle, "", "non un multiplo di 15"},
      {TipoFile::profilo, b.profilo.substr(0, b.profilo.size() - 25), "file troncato"},
      {TipoFile::profilo, tag_sconosciuto, "tipo di valore sconosciuto"},
      {TipoFile::profilo, b.dat, "non e' un profilo"},
  };
  for (const Caso& c : casi) {
    EXPECT_THROW(
        {
          try {
            strumenti::dump_testo(c.tipo, c.byte, "f", {});
          } catch (const strumenti::ErroreStrumento& e) {
            EXPECT_NE(std::string(e.what()).find(c.messaggio), std::string::npos) << e.what();
            throw;
          }
        },
        strumenti::ErroreStrumento)
        << c.messaggio;
  }
  EXPECT_THROW(strumenti::riconosci("Buongiorno, non sono un file di scenario.", "nota.txt"),
               strumenti::ErroreStrumento);
}

TEST(Dump, DallaRigaDiComando) {
  CartellaTemporanea dir;
  scrivi_binari_prova(dir.percorso());
  const auto e = esegui_strumento({"dump", (dir / "Prova_1.dat").string()});
  EXPECT_EQ(e.stato, 0) << e.uscita;
  EXPECT_NE(e.uscita.find("cella 29 [1400 m]: codice=1"), std::string::npos);

  scrivi_file(dir / "rotto.sim", leggi_file(dir / "Prova_1.sim").substr(0, 100));
  const auto t = esegui_strumento({"dump", (dir / "rotto.sim").string(), "--json"});
  EXPECT_EQ(t.stato, 2);
  EXPECT_NE(t.uscita.find("scenario: rotto.sim: file troncato"), std::string::npos) << t.uscita;
  EXPECT_EQ(esegui_strumento({"dump", (dir / "manca.dat").string()}).stato, 2);
}

}  // namespace
}  // namespace scenario::test
