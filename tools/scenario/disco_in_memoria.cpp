#include "disco_in_memoria.h"

#include <utility>

#include "base/errori.h"

namespace scenario::strumenti {

bool DiscoInMemoria::esiste(const Percorso& p) const {
  auto it = file_.find(p.lexically_normal());
  return it != file_.end() ? it->second.has_value() : reale_.esiste(p);
}

std::string DiscoInMemoria::leggi(const Percorso& p) {
  auto it = file_.find(p.lexically_normal());
  if (it == file_.end()) return reale_.leggi(p);
  if (!it->second) throw ErroreEsecuzione(Guasto::file_non_trovato, p.filename().string());
  return *it->second;
}

void DiscoInMemoria::crea(const Percorso& p) {
  if (!esiste(p)) file_[p.lexically_normal()] = std::string();
}

void DiscoInMemoria::elimina(const Percorso& p) {
  if (!esiste(p)) throw ErroreEsecuzione(Guasto::file_non_trovato, p.filename().string());
  file_[p.lexically_normal()] = std::nullopt;
}

void DiscoInMemoria::scrivi(const Percorso& p, std::string_view byte) {
  file_[p.lexically_normal()] = std::string(byte);
}

void DiscoInMemoria::rinomina(const Percorso& da, const Percorso& a) {
  std::string byte = leggi(da);
  file_[da.lexically_normal()] = std::nullopt;
  file_[a.lexically_normal()] = std::move(byte);
}

}  // namespace scenario::strumenti
