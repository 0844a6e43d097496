#include "autore/disco_in_memoria.h"

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
  if (!it->second) throw ErroreEsecuzione(Guasto::file_non_trovato, nome_nel_messaggio(p));
  return *it->second;
}

void DiscoInMemoria::crea(const Percorso& p) {
  if (!esiste(p)) file_[p.lexically_normal()] = std::string();
}

void DiscoInMemoria::elimina(const Percorso& p) {
  if (!esiste(p)) throw ErroreEsecuzione(Guasto::file_non_trovato, nome_nel_messaggio(p));
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

Percorso DiscoInMemoria::crea_provvisorio(const Percorso& p) {
  Percorso q;
  do q = nome_provvisorio(p, 0, contatore_++);
  while (esiste(q));
  crea(q);
  return q;
}

Percorso DiscoInMemoria::sposta_da_parte(const Percorso& p) {
  const Percorso q = crea_provvisorio(p);
  rinomina(p, q);
  return q;
}

void DiscoInMemoria::scrivi_durevole(const Percorso& p, const Pezzi& produci) {
  if (!esiste(p)) throw ErroreEsecuzione(Guasto::file_non_trovato, nome_nel_messaggio(p));
  Disco::scrivi_a_pezzi(p, produci);
}

std::vector<Percorso> DiscoInMemoria::elenca(const Percorso& cartella) {
  std::vector<Percorso> elenco;
  for (const Percorso& p : reale_.elenca(cartella))
    if (!file_.count(p.lexically_normal())) elenco.push_back(p);
  for (const auto& [p, byte] : file_)
    if (byte && p.parent_path() == cartella.lexically_normal()) elenco.push_back(p);
  return elenco;
}

}  // namespace scenario::strumenti
