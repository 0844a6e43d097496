#include "verifica/disco_autore.h"

#include <utility>

#include "base/errori.h"

namespace scenario::verifica {

void DiscoAutore::servi(const Percorso& p, std::string_view byte) { testi_[p.lexically_normal()] = Testo{byte, true}; }

const DiscoAutore::Testo* DiscoAutore::testo(const Percorso& p) const {
  auto it = testi_.find(p.lexically_normal());
  return it == testi_.end() ? nullptr : &it->second;
}

void DiscoAutore::prima_di_cambiare(const Percorso& p) {
  if (testo(p)) throw ErroreEsecuzione(Guasto::permesso_negato, nome_nel_messaggio(p));
}

bool DiscoAutore::esiste(const Percorso& p) const {
  if (const Testo* t = testo(p)) return t->presente;
  return sotto_.esiste(p);
}

std::string DiscoAutore::leggi(const Percorso& p) {
  if (const Testo* t = testo(p)) {
    if (!t->presente) throw ErroreEsecuzione(Guasto::file_non_trovato, nome_nel_messaggio(p));
    return std::string(t->byte);
  }
  return sotto_.leggi(p);
}

void DiscoAutore::elimina(const Percorso& p) {
  auto it = testi_.find(p.lexically_normal());
  if (it == testi_.end()) return sotto_.elimina(p);
  if (!it->second.presente) throw ErroreEsecuzione(Guasto::file_non_trovato, nome_nel_messaggio(p));
  it->second.presente = false;
}

}  // namespace scenario::verifica
