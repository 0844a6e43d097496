// Writes the seed corpora of the fuzz targets into a directory: the
// embedded scenario's two texts exactly as the installer writes them, and the
// small valid texts the targets pair with their input.
//
//   genera_semi <directory>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "banco.h"
#include "base/nomi_file.h"
#include "sources/payload.h"
#include "sources/scrittori.h"
#include "support/disco_memoria.h"

namespace {

namespace fs = std::filesystem;

void scrivi(const fs::path& cartella, const std::string& bersaglio, const std::string& nome, const std::string& byte) {
  if (byte.empty()) return;
  fs::create_directories(cartella / bersaglio);
  std::ofstream(cartella / bersaglio / nome, std::ios::binary) << byte;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace scenario;
  if (argc != 2) {
    std::fprintf(stderr, "uso: genera_semi <cartella>\n");
    return 2;
  }
  const fs::path uscita = argv[1];

  const Payload& payload = payload_incorporato();
  const NomiScenario nomi{payload.nome_linea, payload.numero_treno};
  test::DiscoMemoria disco;
  const Percorso cartella = "/s";
  dati_linea(nomi, payload, disco, cartella);
  dati_treno(nomi, payload, disco, cartella);
  auto testo = [&](FileScenario f) {
    return disco.file.at(percorso_file(cartella, f, nomi.nome_linea, nomi.numero_treno).generic_string());
  };
  const std::string linea = testo(FileScenario::linea_txt), treno = testo(FileScenario::treno_txt);

  // The same line cut to 8 km: a short route compiles many times faster, so
  // the fuzzer starts from inputs it can run often.
  std::string linea_corta = fuzz::linea_fissa();
  linea_corta.replace(linea_corta.find("140000"), 6, "8000");

  const std::pair<std::string, std::string> coppie[] = {
      {"corto", linea_corta + '\0' + fuzz::treno_fisso()},
      {"incorporato", linea + '\0' + treno},
      {"fisso", fuzz::linea_fissa() + '\0' + fuzz::treno_fisso()},
      {"linea_incorporata", linea + '\0' + fuzz::treno_fisso()},
  };
  for (const auto& [nome, byte] : coppie) scrivi(uscita, "compilazione", nome, byte);
  scrivi(uscita, "descrizione_linea", "incorporata", linea);
  scrivi(uscita, "descrizione_linea", "fissa", fuzz::linea_fissa());
  scrivi(uscita, "descrizione_linea", "corta", linea_corta);
  scrivi(uscita, "descrizione_treno", "incorporato", treno);
  scrivi(uscita, "descrizione_treno", "fisso", fuzz::treno_fisso());
  // The field reader: all text fields, then text and numbers alternating.
  for (const auto& [nome, byte] : {std::pair{std::string("linea"), linea},
                                   {"treno", treno},
                                   {"linea_fissa", fuzz::linea_fissa()},
                                   {"treno_fisso", fuzz::treno_fisso()}}) {
    if (byte.empty()) continue;
    scrivi(uscita, "lettura_campi", nome + "_testo", std::string(1, '\0') + byte);
    scrivi(uscita, "lettura_campi", nome + "_misto", std::string("\x02\x00\x01", 3) + byte);
  }
  return 0;
}
