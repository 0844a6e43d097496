#pragma once
// Running the scenario tool as a user would, and the fixture scenarios.

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

namespace scenario::test {

struct Esecuzione {
  int stato = -1;      // exit status
  std::string uscita;  // stdout and stderr together
};

inline std::string tra_apici(const std::string& s) {
  std::string r = "'";
  for (char c : s) r += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return r + "'";
}

// A shell command's exit status and output.
inline Esecuzione esegui_comando(const std::string& comando) {
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

inline std::string riga_strumento(const std::vector<std::string>& argomenti) {
  std::string comando = tra_apici(STRUMENTO_SCENARIO);
  for (const auto& a : argomenti) comando += " " + tra_apici(a);
  return comando;
}

inline Esecuzione esegui_strumento(const std::vector<std::string>& argomenti) {
  return esegui_comando(riga_strumento(argomenti) + " 2>&1");
}

// The tool run from dir, so that the paths it reports are the arguments';
// stdout alone (stderr is dropped).
inline Esecuzione esegui_strumento_in(const std::filesystem::path& dir, const std::vector<std::string>& argomenti) {
  return esegui_comando("cd " + tra_apici(dir.string()) + " && " + riga_strumento(argomenti) + " 2>/dev/null");
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

// What analizza_svg.py reads from an SVG (it parses it with python's XML
// parser, a well-formedness check): the view box, the marks by kind with
// their titles, the legend's kinds, every text. Nothing when python3 is
// missing; a parse failure is a JSON string holding python's message.
inline std::optional<nlohmann::json> analizza_svg(const std::filesystem::path& svg) {
  if (std::system("python3 -c pass >/dev/null 2>&1") != 0) return std::nullopt;
  const auto script = std::filesystem::path(FIXTURE_STRUMENTI).parent_path() / "analizza_svg.py";
  FILE* p = popen(("python3 " + tra_apici(script.string()) + " " + tra_apici(svg.string()) + " 2>&1").c_str(), "r");
  std::string out;
  std::array<char, 4096> buf;
  size_t n;
  while ((n = fread(buf.data(), 1, buf.size(), p)) > 0) out.append(buf.data(), n);
  const int stato = pclose(p);
  if (stato != 0) return nlohmann::json(out);
  return nlohmann::json::parse(out);
}

}  // namespace scenario::test
