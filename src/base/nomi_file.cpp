#include "base/nomi_file.h"

#include "base/cp1252.h"

namespace scenario {

std::string nome_file(FileScenario f, std::string_view nome_linea, std::string_view numero_treno) {
  std::string linea(nome_linea);
  std::string treno = linea + "_" + std::string(numero_treno);
  switch (f) {
    case FileScenario::linea_txt: return linea + "_linea.txt";
    case FileScenario::treno_txt: return treno + "-.txt";
    case FileScenario::note: return treno + "_note.txt";
    case FileScenario::rallentamenti: return treno + "_rallentamenti.txt";
    case FileScenario::scheda: return treno + "_scheda_treno.txt";
    case FileScenario::linea_dat: return linea + "_linea.dat";
    case FileScenario::sim: return treno + ".sim";
    case FileScenario::dat: return treno + ".dat";
  }
  return {};
}

Percorso percorso_in(const Percorso& cartella, std::string_view nome) {
  std::string utf8 = a_utf8(nome);
  return cartella / Percorso(std::u8string(utf8.begin(), utf8.end()));
}

Percorso percorso_file(const Percorso& cartella, FileScenario f, std::string_view nome_linea,
                       std::string_view numero_treno) {
  return percorso_in(cartella, nome_file(f, nome_linea, numero_treno));
}

FileCompilazione file_compilazione(const Percorso& testi, const Percorso& binari, const NomiScenario& nomi) {
  auto nome = [&](const Percorso& cartella, FileScenario f) {
    return percorso_file(cartella, f, nomi.nome_linea, nomi.numero_treno);
  };
  return {nome(testi, FileScenario::linea_txt), nome(testi, FileScenario::treno_txt),
          nome(binari, FileScenario::linea_dat), nome(binari, FileScenario::sim), nome(binari, FileScenario::dat)};
}

}  // namespace scenario
