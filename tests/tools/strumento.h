#pragma once
// Running the scenario tool as a user would, and the fixture scenarios.

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace scenario::test {

struct Esecuzione {
  int stato = -1;     // exit status
  std::string uscita;  // stdout and stderr together
};

inline std::string tra_apici(const std::string& s) {
  std::string r = "'";
  for (char c : s) r += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return r + "'";
}

inline Esecuzione esegui_strumento(const std::vector<std::string>& argomenti) {
  std::string comando = tra_apici(STRUMENTO_SCENARIO);
  for (const auto& a : argomenti) comando += " " + tra_apici(a);
  comando += " 2>&1";
  Esecuzione e;
  FILE* p = popen(comando.c_str(), "r");
  if (!p) return e;
  std::array<char, 4096> buf;
  size_t n;
  while ((n = fread(buf.data(), 1, buf.size(), p)) > 0) e.uscita.append(buf.data(), n);
  const int s = pclose(p);
  e.stato = WIFEXITED(s) ? WEXITSTATUS(s) : -1;
  return e;
}

inline std::filesystem::path fixture(const std::string& nome) {
  return std::filesystem::path(FIXTURE_STRUMENTI) / nome;
}

// Puts a fixture's two texts into dir under the names the compiler reads.
inline void prepara_testi(const std::string& nome, const std::filesystem::path& dir, const std::string& linea,
                          const std::string& treno) {
  std::filesystem::copy_file(fixture(nome) / "linea.txt", dir / (linea + "_linea.txt"));
  std::filesystem::copy_file(fixture(nome) / "treno.txt", dir / (linea + "_" + treno + "-.txt"));
}

}  // namespace scenario::test
