#include "verifica/disco_autore.h"

#include <utility>

#include "base/errori.h"

namespace scenario::verifica {

void DiscoAutore::servi(const Percorso& p, std::string_view byte) { testi_[p.lexically_normal()] = Testo{byte, true}; }

const DiscoAutore::Testo* DiscoAutore::testo(const Percorso& p) const {
  auto it = testi_.find(p.lexically_normal());
  return it == testi_.end() ? nullptr : &it->second;
}

// The served texts are the author's: nothing may be written over them.
void DiscoAutore::rifiuta_se_servito(const Percorso& p) const {
  if (testo(p)) throw ErroreEsecuzione(Guasto::permesso_negato, nome_nel_messaggio(p));
}

bool DiscoAutore::esiste(const Percorso& p) const {
  if (const Testo* t = testo(p)) return t->presente;
  return reale_.esiste(p);
}

std::string DiscoAutore::leggi(const Percorso& p) {
  if (const Testo* t = testo(p)) {
    if (!t->presente) throw ErroreEsecuzione(Guasto::file_non_trovato, nome_nel_messaggio(p));
    return std::string(t->byte);
  }
  return reale_.leggi(p);
}

void DiscoAutore::crea(const Percorso& p) {
  rifiuta_se_servito(p);
  reale_.crea(p);
}

void DiscoAutore::elimina(const Percorso& p) {
  auto it = testi_.find(p.lexically_normal());
  if (it == testi_.end()) return reale_.elimina(p);
  if (!it->second.presente) throw ErroreEsecuzione(Guasto::file_non_trovato, nome_nel_messaggio(p));
  it->second.presente = false;
}

void DiscoAutore::scrivi(const Percorso& p, std::string_view byte) {
  rifiuta_se_servito(p);
  reale_.scrivi(p, byte);
}

void DiscoAutore::rinomina(const Percorso& da, const Percorso& a) {
  rifiuta_se_servito(da);
  rifiuta_se_servito(a);
  reale_.rinomina(da, a);
}

Percorso DiscoAutore::crea_provvisorio(const Percorso& p) {
  rifiuta_se_servito(p);
  return reale_.crea_provvisorio(p);
}

void DiscoAutore::scrivi_durevole(const Percorso& p, const Pezzi& produci) {
  rifiuta_se_servito(p);
  reale_.scrivi_durevole(p, produci);
}

void DiscoAutore::scrivi_durevoli(std::span<const Scrittura> file) {
  for (const Scrittura& f : file) rifiuta_se_servito(f.percorso);
  reale_.scrivi_durevoli(file);
}

Percorso DiscoAutore::sposta_da_parte(const Percorso& p) {
  rifiuta_se_servito(p);
  return reale_.sposta_da_parte(p);
}

}  // namespace scenario::verifica
