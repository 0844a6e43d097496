// Writes the longest-route scenario as a payload directory (linea.txt,
// treno.txt and three empty texts), for an installer that carries it.
//
//   genera_percorso <directory>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "percorso_lungo.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "uso: genera_percorso <cartella>\n");
    return 2;
  }
  const std::filesystem::path cartella = argv[1];
  std::filesystem::create_directories(cartella);
  const auto testi = scenario::bench::percorso_piu_lungo();
  auto scrivi = [&](const char* nome, const std::vector<std::string>& righe) {
    std::ofstream f(cartella / nome, std::ios::binary);
    for (const auto& r : righe) f << r << '\n';
  };
  scrivi("linea.txt", testi.linea);
  scrivi("treno.txt", testi.treno);
  for (const char* nome : {"note.txt", "rallentamenti.txt", "scheda_treno.txt"}) scrivi(nome, {});
  return 0;
}
