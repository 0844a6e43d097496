#pragma once
// A disk that holds nothing and keeps nothing: what is written is produced
// (so that a failure of the writer itself still shows) and thrown away. A
// check compiles onto it when it is not asked to write the binary files.

#include "base/disco.h"

namespace scenario::verifica {

class DiscoScarto : public Disco {
 public:
  bool esiste(const Percorso&) const override { return false; }
  std::string leggi(const Percorso& p) override;
  void crea(const Percorso&) override {}
  void elimina(const Percorso&) override {}
  void scrivi(const Percorso&, std::string_view) override {}
  void scrivi_a_pezzi(const Percorso& p, const Pezzi& produci) override { scrivi_durevole(p, produci); }
  void rinomina(const Percorso&, const Percorso&) override {}
  Percorso crea_provvisorio(const Percorso& p) override;
  void scrivi_durevole(const Percorso&, const Pezzi& produci) override;
  // Nothing stands anywhere: a name of its own is all there is to give.
  Percorso sposta_da_parte(const Percorso& p) override { return crea_provvisorio(p); }
  void sincronizza_cartella(const Percorso&) override {}
  std::vector<Percorso> elenca(const Percorso&) override { return {}; }
  std::unique_ptr<Blocco> blocca(const Percorso&) override { return std::make_unique<Blocco>(); }

 private:
  uint64_t contatore_ = 0;
};

}  // namespace scenario::verifica
