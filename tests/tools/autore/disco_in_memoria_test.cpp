// The tool's disk in memory over a real directory that already holds a set
// of files: replacing the set in memory shows the new files and no
// provisional one, and leaves the real directory exactly as it was.

#include "autore/disco_in_memoria.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>

#include "base/sostituzione.h"
#include "platform/disco_file.h"
#include "support/cartella_temporanea.h"

namespace scenario::test {
namespace {

Pezzi byte(std::string s) {
  return [s](const std::function<void(std::string_view)>& pezzo) { pezzo(s); };
}

TEST(DiscoInMemoria, SostituireUnInsiemeNonToccaLaCartellaVera) {
  CartellaTemporanea dir;
  const std::array<std::string, 2> nomi = {"R_linea.dat", "R_T.sim"};
  scrivi_file(dir / nomi[0], "vecchio 0");  // an earlier file in memory's way
  DiscoFile reale;
  strumenti::DiscoInMemoria memoria(reale);

  const std::array<FileNuovo, 2> set = {FileNuovo{dir / nomi[0], byte("nuovo 0")},
                                        FileNuovo{dir / nomi[1], byte("nuovo 1")}};
  sostituisci_insieme(memoria, set);

  EXPECT_EQ(memoria.leggi(dir / nomi[0]), "nuovo 0");
  EXPECT_EQ(memoria.leggi(dir / nomi[1]), "nuovo 1");
  auto elenco = memoria.elenca(dir.percorso());
  std::sort(elenco.begin(), elenco.end());
  EXPECT_EQ(elenco, (std::vector<Percorso>{dir / nomi[1], dir / nomi[0]}));  // in path order

  EXPECT_EQ(reale.elenca(dir.percorso()), std::vector<Percorso>{dir / nomi[0]});
  EXPECT_EQ(leggi_file(dir / nomi[0]), "vecchio 0");
}

}  // namespace
}  // namespace scenario::test
