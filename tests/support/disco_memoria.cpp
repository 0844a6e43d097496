#include "support/disco_memoria.h"

namespace scenario::test {
namespace {

class BloccoMemoria : public Blocco {
 public:
  BloccoMemoria(DiscoMemoria& disco, std::string cartella, std::string nome)
      : disco_(disco), cartella_(std::move(cartella)), nome_(std::move(nome)) {}
  ~BloccoMemoria() override {
    disco_.bloccate.erase(cartella_);
    disco_.registro.push_back("sblocca " + nome_);
  }

 private:
  DiscoMemoria& disco_;
  std::string cartella_, nome_;
};

}  // namespace

bool DiscoMemoria::passo_fallisce() {
  passi_fatti.push_back(registro.back());
  return passi_che_falliscono.count(++passi) > 0;
}

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
  if (crea_fallisce.count(k) || passo_fallisce()) throw ErroreEsecuzione(Guasto::permesso_negato, k);
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
  size_t interrotto = byte.size() + 1;
  if (auto it = scrivi_interrotto.find(k); it != scrivi_interrotto.end()) interrotto = it->second;
  const bool fallisce = passo_fallisce();
  if (fallisce) interrotto = byte.size() / 2;
  if (fallisce || interrotto < byte.size()) {
    file[k] = std::string(byte.substr(0, interrotto));
    throw ErroreEsecuzione(Guasto::disco_pieno, k);
  }
  file[k] = std::string(byte);
}

void DiscoMemoria::rinomina(const Percorso& da, const Percorso& a) {
  registro.push_back("rinomina " + da.filename().string() + " " + a.filename().string());
  if (rinomina_fallisce.count(a.generic_string()) || passo_fallisce())
    throw ErroreEsecuzione(Guasto::permesso_negato, a.generic_string());
  auto it = file.find(da.generic_string());
  if (it == file.end()) throw ErroreEsecuzione(Guasto::file_non_trovato, da.generic_string());
  std::string byte = std::move(it->second);
  file.erase(it);
  file[a.generic_string()] = std::move(byte);
}

Percorso DiscoMemoria::crea_provvisorio(const Percorso& p) {
  Percorso q;
  do q = nome_provvisorio(p, esecuzione, contatore_++);
  while (esiste(q));
  crea(q);
  return q;
}

Percorso DiscoMemoria::sposta_da_parte(const Percorso& p) {
  Percorso q;
  do q = nome_provvisorio(p, esecuzione, contatore_++);
  while (esiste(q));
  rinomina(p, q);
  return q;
}

void DiscoMemoria::scrivi_durevole(const Percorso& p, const Pezzi& produci) {
  const Scrittura s[] = {{p, produci}};
  scrivi_durevoli(s);
}

void DiscoMemoria::scrivi_durevoli(std::span<const Scrittura> file) {
  for (const Scrittura& f : file) {
    if (!esiste(f.percorso)) throw ErroreEsecuzione(Guasto::file_non_trovato, f.percorso.generic_string());
    Disco::scrivi_a_pezzi(f.percorso, f.produci);
  }
  for (const Scrittura& f : file) {
    registro.push_back("sincronizza " + f.percorso.filename().string());
    if (passo_fallisce()) throw ErroreEsecuzione(Guasto::errore_accesso, f.percorso.generic_string());
  }
}

void DiscoMemoria::sincronizza_cartella(const Percorso& cartella) {
  registro.push_back("sincronizza " + cartella.filename().string() + "/");
  if (passo_fallisce()) throw ErroreEsecuzione(Guasto::errore_accesso, cartella.generic_string());
}

std::vector<Percorso> DiscoMemoria::elenca(const Percorso& cartella) {
  std::vector<Percorso> elenco;
  for (const auto& [k, byte] : file)
    if (Percorso(k).parent_path() == cartella) elenco.emplace_back(k);
  return elenco;
}

std::unique_ptr<Blocco> DiscoMemoria::blocca(const Percorso& cartella) {
  const std::string k = cartella.generic_string();
  const std::string nome = cartella.filename().string();
  registro.push_back("blocca " + nome);
  if (!bloccate.insert(k).second) throw ErroreEsecuzione(Guasto::cartella_in_uso, k);
  return std::make_unique<BloccoMemoria>(*this, k, nome);
}

}  // namespace scenario::test
