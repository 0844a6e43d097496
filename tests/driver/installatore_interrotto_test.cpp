// The installer stopped dead (SIGKILL, as a power cut or a killed process
// stops it) at each system call that writes, and what the simulator's three
// files are afterwards; and the order in which they reach the device. strace
// delivers the signal exactly at the n-th call, with no hook in the program.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "driver/installatore_prova.h"

namespace scenario {
namespace {

namespace fs = std::filesystem;
using namespace test;

std::string righe_strace(const fs::path& exe, const std::string& chiamate, const fs::path& uscita) {
  esegui(exe, "strace -f -qq -o '" + uscita.string() + "' -e trace=" + chiamate);
  return leggi_file(uscita);
}

size_t conta_chiamate(const fs::path& exe, const std::string& chiamata, const fs::path& uscita) {
  std::istringstream righe(righe_strace(exe, chiamata, uscita));
  size_t n = 0;
  for (std::string r; std::getline(righe, r);)
    if (r.find(chiamata + "(") != std::string::npos) ++n;
  return n;
}

// What each final name holds.
enum class Stato { vecchio, nuovo, mancante, altro };

// The three binary files: the earlier set or the new one, never mixed. The
// texts kept for the user: each the earlier one or the new one, whole.
TEST(InstallatoreInterrotto, UccisoAOgniChiamataLasciaIlVecchioInsiemeOIlNuovoMaiMescolati) {
  if (!strace_presente()) GTEST_SKIP() << "strace non installato (apt-get install strace)";
  CartellaTemporanea rif, dir, tracce;
  ASSERT_EQ(esegui(copia_installatore(rif.percorso())), 0);
  const auto completo = contenuto(rif.percorso());
  const fs::path exe = copia_installatore(dir.percorso());

  auto prepara = [&] {
    for (const auto& nome : elenco(dir.percorso()))
      if (nome != nome_installatore) fs::remove(dir / nome);
    for (const auto& nome : file_binari) scrivi_file(dir / nome, "vecchio " + nome);
    for (const auto& nome : testi_tenuti) scrivi_file(dir / nome, "vecchio " + nome);
  };
  auto stato_di = [&](const std::string& nome) {
    if (!fs::exists(dir / nome)) return Stato::mancante;
    const std::string byte = leggi_file(dir / nome);
    if (byte == "vecchio " + nome) return Stato::vecchio;
    return byte == completo.at(nome) ? Stato::nuovo : Stato::altro;
  };

  // The earlier files move aside with renameat2 (no name taken over), the
  // new ones in with rename.
  for (const std::string chiamata : {"openat", "write", "fsync", "renameat2", "rename"}) {
    prepara();
    const size_t quante = conta_chiamate(exe, chiamata, tracce / "conta");
    ASSERT_GT(quante, 0u) << chiamata;
    for (size_t n = 1; n <= quante; ++n) {
      SCOPED_TRACE(chiamata + " n. " + std::to_string(n) + " di " + std::to_string(quante));
      prepara();
      EXPECT_NE(
          esegui(exe, "strace -f -qq -o /dev/null -e inject=" + chiamata + ":signal=SIGKILL:when=" + std::to_string(n)),
          0);
      std::map<Stato, int> stati;
      for (const auto& nome : file_binari) ++stati[stato_di(nome)];
      EXPECT_EQ(stati.count(Stato::altro), 0u) << "un file binario troncato o estraneo";
      // Never an earlier file beside a new one. A name may be missing only
      // within the renames at the end, the earlier files moving aside first.
      EXPECT_FALSE(stati.count(Stato::vecchio) && stati.count(Stato::nuovo));
      if (!chiamata.starts_with("rename")) {
        EXPECT_EQ(stati.count(Stato::mancante), 0u);
      }
      for (const auto& nome : testi_tenuti) {
        const Stato s = stato_di(nome);
        EXPECT_TRUE(s == Stato::vecchio || s == Stato::nuovo) << nome << " mancante, troncato o estraneo";
      }

      // The next run finds the directory as the killed one left it, and
      // leaves exactly what a complete run leaves.
      EXPECT_EQ(esegui(exe), 0);
      EXPECT_TRUE(contenuto(dir.percorso()) == completo);
      EXPECT_EQ(elenco(dir.percorso()).size(), completo.size() + 1);
    }
  }
}

// Every provisional file is on the device before the first rename, and the
// directory (the renames) after the last one.
TEST(InstallatoreInterrotto, IFileArrivanoSulDispositivoPrimaDiEssereSpostati) {
  if (!strace_presente()) GTEST_SKIP() << "strace non installato (apt-get install strace)";
  CartellaTemporanea dir, tracce;
  const fs::path exe = copia_installatore(dir.percorso());
  ASSERT_EQ(esegui(exe), 0);  // so that there are earlier files to replace
  std::istringstream righe(righe_strace(exe, "openat,write,fsync,rename,renameat2,close", tracce / "traccia"));

  const std::regex apertura(R"re(openat\([^"]*"([^"]+)".*\)\s+=\s+(\d+))re"), chiusura(R"re(close\((\d+)\))re"),
      sincronia(R"re(fsync\((\d+)\)\s+=\s+0)re"), scrittura(R"re(write\((\d+),)re"),
      rinomina(R"re(rename(?:at2\(AT_FDCWD, |\()"([^"]+)", (?:AT_FDCWD, )?"([^"]+)")re");
  std::map<std::string, std::string> aperti;  // descriptor -> file
  std::set<std::string> scritti, sincronizzati;
  std::vector<std::string> rinominati;
  bool cartella_dopo = false, binari_spostati = false;
  // A binary file's final name or one of its provisional names.
  auto di_binario = [](const std::string& percorso) {
    const std::string nome = fs::path(percorso).filename().string();
    return std::any_of(file_binari.begin(), file_binari.end(),
                       [&](const std::string& b) { return nome == b || nome.starts_with(b + "."); });
  };
  for (std::string r; std::getline(righe, r);) {
    std::smatch m;
    if (std::regex_search(r, m, apertura)) {
      aperti[m[2]] = m[1];
    } else if (std::regex_search(r, m, scrittura)) {
      scritti.insert(aperti[m[1]]);
    } else if (std::regex_search(r, m, sincronia)) {
      sincronizzati.insert(aperti[m[1]]);
      if (!rinominati.empty() && aperti[m[1]] == dir.percorso().string()) cartella_dopo = true;
    } else if (std::regex_search(r, m, rinomina)) {
      // The texts move in as they are written, without a flush; the binary
      // files only once all three are on the device.
      if (di_binario(m[1]) || di_binario(m[2])) {
        if (!binari_spostati)
          for (const auto& f : scritti)
            if (f.ends_with(".tmp") && di_binario(f)) {
              EXPECT_TRUE(sincronizzati.count(f)) << f << " spostato senza fsync";
            }
        binari_spostati = true;
      }
      rinominati.push_back(m[2]);
      cartella_dopo = false;
    } else if (std::regex_search(r, m, chiusura)) {
      aperti.erase(m[1]);
    }
  }
  for (const auto& nome : file_binari)
    EXPECT_NE(std::find(rinominati.begin(), rinominati.end(), (dir / nome).string()), rinominati.end()) << nome;
  EXPECT_TRUE(cartella_dopo) << "la cartella non e' sincronizzata dopo l'ultimo spostamento";
}

}  // namespace
}  // namespace scenario
