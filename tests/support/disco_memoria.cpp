#include "support/disco_memoria.h"

namespace scenario::test {

std::string DiscoMemoria::leggi(const Percorso& p) {
  const std::string k = p.generic_string();
  registro.push_back("leggi " + p.filename().string());
  if (leggi_fallisce.count(k)) throw ErroreEsecuzione(Guasto::errore_accesso, k);
  auto it = file.find(k);
  if (it == file.end()) throw ErroreEsecuzione(Guasto::file_non_trovato, k);
  return it->second;
}

void DiscoMemoria::crea(const Percorso& p) {
  const std::string k = p.generic_string();
  registro.push_back("crea " + p.filename().string());
  if (crea_fallisce.count(k)) throw ErroreEsecuzione(Guasto::permesso_negato, k);
  file.try_emplace(k);
}

void DiscoMemoria::elimina(const Percorso& p) {
  const std::string k = p.generic_string();
  registro.push_back("elimina " + p.filename().string());
  if (file.erase(k) == 0) throw ErroreEsecuzione(Guasto::file_non_trovato, k);
}

void DiscoMemoria::scrivi(const Percorso& p, std::string_view byte) {
  const std::string k = p.generic_string();
  registro.push_back("scrivi " + p.filename().string());
  if (scrivi_fallisce.count(k)) throw ErroreEsecuzione(Guasto::disco_pieno, k);
  if (auto it = scrivi_interrotto.find(k); it != scrivi_interrotto.end() && it->second < byte.size()) {
    file[k] = std::string(byte.substr(0, it->second));
    throw ErroreEsecuzione(Guasto::disco_pieno, k);
  }
  file[k] = std::string(byte);
}

void DiscoMemoria::rinomina(const Percorso& da, const Percorso& a) {
  registro.push_back("rinomina " + da.filename().string() + " " + a.filename().string());
  if (rinomina_fallisce.count(a.generic_string())) throw ErroreEsecuzione(Guasto::permesso_negato, a.generic_string());
  auto it = file.find(da.generic_string());
  if (it == file.end()) throw ErroreEsecuzione(Guasto::file_non_trovato, da.generic_string());
  std::string byte = std::move(it->second);
  file.erase(it);
  file[a.generic_string()] = std::move(byte);
}

}  // namespace scenario::test
