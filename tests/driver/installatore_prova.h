#pragma once
// The real installer, run as a user runs it: copied into a directory of its
// own and started from somewhere else; the files it leaves, by name.

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <string>

#include "support/cartella_temporanea.h"

namespace scenario::test {

inline const std::string nome_installatore = "Belmora_Solvenzia_4816-4817";
// The three files the simulator loads as one set.
inline const std::set<std::string> file_binari = {"Belmora_Solvenzia_linea.dat", "Belmora_Solvenzia_4816-4817.sim",
                                                  "Belmora_Solvenzia_4816-4817.dat"};

// The texts a run keeps for the user.
inline const std::set<std::string> testi_tenuti = {"Belmora_Solvenzia_4816-4817_note.txt",
                                                   "Belmora_Solvenzia_4816-4817_rallentamenti.txt",
                                                   "Belmora_Solvenzia_4816-4817_scheda_treno.txt"};

inline std::set<std::string> elenco(const std::filesystem::path& dir) {
  std::set<std::string> nomi;
  for (const auto& e : std::filesystem::directory_iterator(dir)) nomi.insert(e.path().filename().string());
  return nomi;
}

// Every file beside the installer (not the installer itself), with its bytes.
inline std::map<std::string, std::string> contenuto(const std::filesystem::path& dir) {
  std::map<std::string, std::string> c;
  for (const auto& nome : elenco(dir))
    if (nome != nome_installatore) c[nome] = leggi_file(dir / nome);
  return c;
}

inline std::filesystem::path copia_installatore(const std::filesystem::path& dir) {
  const auto exe = dir / nome_installatore;
  std::filesystem::copy_file(INSTALLATORE, exe);
  return exe;
}

// The exit status, or -1 when the run did not end by itself. Started from
// another working directory: the files go beside the executable. prima goes
// before the program on the command line (strace and its options).
inline int esegui(const std::filesystem::path& exe, const std::string& prima = "") {
  const std::string comando = "cd / && " + prima + " '" + exe.string() + "' 2>/dev/null";
  const int stato = std::system(comando.c_str());
  return WIFEXITED(stato) ? WEXITSTATUS(stato) : -1;
}

inline bool strace_presente() { return std::system("strace -V >/dev/null 2>&1") == 0; }

}  // namespace scenario::test
