// Reading the binary files back: scenario dump.

#include "binari/dump.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include <bit>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli/errore_strumento.h"
#include "compiler/tracciati.h"
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
  // A signal's coded values with the aspects written in the description beside them.
  EXPECT_NE(testo.find("\ncella 29 [1400 m]: codice=1 tipo=\"segnale\" valore1=43 (s1 4, d1 3) valore2=11 (s2 1, d2 1) "
                       "valore3=0 (s3 0, d3 0) valore4=4 (rapp 0, sx 1, dx 1) tempo_segnale=0 avvicinamento=0"),
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
  // Without --all, only where the track changes: straight, the right turn
  // of 0.0005 rad/m from 5001 to 6000 (the line parser's steps), straight
  // again, the empty tail.
  EXPECT_EQ(profilo.substr(profilo.find('\n') + 1),
            "metro 0: x=0 y=0 inizio\n"
            "metro 2: x=0 y=2 rettilineo\n"
            "metro 5001: x=0.00050000000000000001 y=5001 curva di 0.0005 rad/m\n"
            "metro 6001: x=245.57439780541654 y=5959.7262525056085 rettilineo\n"
            "metro 16999: x=vuoto y=vuoto vuoto\n");
  const std::string tutto = strumenti::dump_testo(TipoFile::profilo, b.profilo, "Prova_linea.dat", {true});
  EXPECT_NE(tutto.find("\nmetro 1: x=0 y=1\nmetro 2: x=0 y=2\n"), std::string::npos);
  EXPECT_NE(tutto.find("\nmetro 17000: x=vuoto y=vuoto\n"), std::string::npos);
}

// Beside a value its meaning, where the number alone does not say it;
// slots 81 to 86 with the names of what they hold; JSON keys in file order.
TEST(Dump, ValoriConIlLoroSignificatoENomiDegliSlot) {
  const Binari b = binari();
  const std::string dat = strumenti::dump_testo(TipoFile::celle, b.dat, "Prova_1.dat", {});
  EXPECT_NE(dat.find(" velocita_max=0 (0 km/h) pendenza=100 (0 \xE2\x80\xB0) aderenza=0\n"), std::string::npos) << dat;
  const std::string sim = strumenti::dump_testo(TipoFile::stazioni, b.sim, "Prova_1.sim", {});
  EXPECT_NE(sim.find(" orario=31200 (8:40:00)\n"), std::string::npos) << sim;
  EXPECT_NE(sim.find("\nslot 84: tipo_stazione=0 massa_frenata=0 lunghezza_percorso=10000 numero_vetture=0 "),
            std::string::npos)
      << sim;
  const std::string tutti = strumenti::dump_testo(TipoFile::stazioni, b.sim, "Prova_1.sim", {true});
  EXPECT_NE(tutti.find("\nslot 86: tipo_stazione=0 ripetizione_segnali_inizio=0 ripetizione_segnali_fine=0 "
                       "codici_ripetizione=0 campo4=0 numero_treno=\"\" sabbia=0 campo8=0 orologio_ore=0 "
                       "orologio_minuti=0 orologio_secondi=0 "),
            std::string::npos)
      << tutti;
  EXPECT_NE(tutti.find("\nslot 81: tipo_stazione=0 progressiva_inizio=0 progressiva_fine=0 progressiva_terzo=0 "),
            std::string::npos);

  const auto j = strumenti::dump_json(TipoFile::celle, b.dat, "Prova_1.dat", {});
  std::vector<std::string> chiavi;
  for (const auto& [k, v] : j["voci"][0].items()) chiavi.push_back(k);
  EXPECT_EQ(chiavi, (std::vector<std::string>{"cella", "metro", "codice", "tipo", "valore1", "valore2", "valore3",
                                              "valore4", "tempo_segnale", "avvicinamento", "tipo_montagna",
                                              "velocita_max", "pendenza", "aderenza"}));
  const auto p = strumenti::dump_json(TipoFile::profilo, b.profilo, "Prova_linea.dat", {});
  EXPECT_EQ(p["voci"].size(), 5u);
  EXPECT_EQ(p["voci"][2]["metro"], 5001);
  EXPECT_EQ(p["voci"][2]["tratto"], "curva di 0.0005 rad/m");
}

TEST(Dump, RiconosceIlFileDalNomeODalContenuto) {
  const Binari b = binari();
  EXPECT_EQ(strumenti::riconosci(b.dat, "Prova_1.sim"), TipoFile::stazioni);  // the name wins
  EXPECT_EQ(strumenti::riconosci(b.profilo, "Prova_linea.dat"), TipoFile::profilo);
  EXPECT_EQ(strumenti::riconosci(b.sim, "copia.bin"), TipoFile::stazioni);
  EXPECT_EQ(strumenti::riconosci(b.profilo, "copia.bin"), TipoFile::profilo);
  EXPECT_EQ(strumenti::riconosci(b.dat, "copia.bin"), TipoFile::celle);
}

// The profile without its last n values: cut where a value starts (a tag of
// two bytes, then nothing, a 16-bit integer or a double).
std::string senza_ultimi_valori(const std::string& profilo, size_t n) {
  std::vector<size_t> inizi;
  for (size_t i = 0; i + 2 <= profilo.size();) {
    inizi.push_back(i);
    const auto tag = static_cast<unsigned char>(profilo[i]);
    i += 2 + (tag == 2 ? 2 : tag == 5 ? 8 : 0);
  }
  return profilo.substr(0, inizi[inizi.size() - n]);
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
      {TipoFile::celle, "", "file vuoto: nessuna cella"},
      {TipoFile::profilo, b.profilo.substr(0, b.profilo.size() - 25), "file troncato"},
      // Cut between values, past the half: one value and two values short.
      {TipoFile::profilo, senza_ultimi_valori(b.profilo, 1), "profilo troncato"},
      {TipoFile::profilo, senza_ultimi_valori(b.profilo, 2),
       "la colonna y non comincia a meta' dei valori: profilo troncato"},
      {TipoFile::profilo, tag_sconosciuto, "tipo di valore sconosciuto"},
      {TipoFile::profilo, b.dat, "non è un profilo"},
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

// A profile written byte by byte as the writer lays it out: two Integers,
// Doubles, two Empty elements, for each column.
std::string profilo_lungo(size_t metri) {
  std::string b;
  auto metti = [&](uint64_t v, size_t n) {
    for (size_t i = 0; i < n; ++i) b += static_cast<char>((v >> (8 * i)) & 0xFF);
  };
  auto elemento = [&](Variante::Tipo t, double v) {
    metti(static_cast<EtichettaVariante>(t), sizeof(EtichettaVariante));
    if (t == Variante::Tipo::intero) metti(static_cast<uint16_t>(static_cast<int16_t>(v)), 2);
    if (t == Variante::Tipo::doppio) metti(std::bit_cast<uint64_t>(v), 8);
  };
  for (int colonna = 0; colonna < 2; ++colonna) {
    elemento(Variante::Tipo::intero, 0);
    elemento(Variante::Tipo::intero, colonna);
    for (size_t m = 2; m + 2 < metri; ++m)
      elemento(Variante::Tipo::doppio, colonna == 0 ? 0.0 : static_cast<double>(m));
    elemento(Variante::Tipo::vuoto, 0);
    elemento(Variante::Tipo::vuoto, 0);
  }
  return b;
}

// The whole JSON of a 20 MB profile (the longest route's) is written in
// constant memory: the tool's peak stays under 50 MB.
TEST(Dump, UnProfiloDiVentiMegabyteInMemoriaCostante) {
  CartellaTemporanea dir;
  const std::filesystem::path file = dir / "Lungo_linea.dat";
  scrivi_file(file, profilo_lungo(1'007'001));
  ASSERT_GT(std::filesystem::file_size(file), 20'000'000u);
  // Every metre, as JSON and as text.
  for (const char* opzione : {"--json", "--no-json"}) {
    SCOPED_TRACE(opzione);
    const std::filesystem::path misura = dir / "picco.txt";
    posix_spawn_file_actions_t azioni;
    posix_spawn_file_actions_init(&azioni);
    posix_spawn_file_actions_addopen(&azioni, 1, "/dev/null", O_WRONLY, 0);
    std::vector<std::string> a = {PICCO_MEMORIA, misura.string(), STRUMENTO_SCENARIO, "dump", file.string(), "--all"};
    if (std::string(opzione) == "--json") a.push_back(opzione);
    std::vector<char*> argv;
    for (std::string& x : a) argv.push_back(x.data());
    argv.push_back(nullptr);
    pid_t pid;
    ASSERT_EQ(posix_spawn(&pid, a[0].c_str(), &azioni, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&azioni);
    int stato = 0;
    ASSERT_EQ(waitpid(pid, &stato, 0), pid);
    ASSERT_TRUE(WIFEXITED(stato) && WEXITSTATUS(stato) == 0);
    long picco_kb = 0;
    int uscita = -1;
    std::istringstream(leggi_file(misura)) >> picco_kb >> uscita;
    EXPECT_EQ(uscita, 0);
#ifndef __SANITIZE_ADDRESS__
    // AddressSanitizer holds freed memory in quarantine: the peak would
    // measure the sanitizer, not the tool.
    EXPECT_LT(picco_kb, 50 * 1024) << "kB";
#endif
  }
}

}  // namespace
}  // namespace scenario::test
