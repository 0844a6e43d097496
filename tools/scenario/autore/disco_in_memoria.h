#pragma once
// A disk for compiling without leaving a trace: whatever is written,
// created, deleted or moved stays in memory, and reads of anything not
// touched so fall through to the real disk.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/disco.h"

namespace scenario::strumenti {

class DiscoInMemoria : public Disco {
 public:
  explicit DiscoInMemoria(Disco& reale) : reale_(reale) {}

  bool esiste(const Percorso& p) const override;
  std::string leggi(const Percorso& p) override;
  void crea(const Percorso& p) override;
  void elimina(const Percorso& p) override;
  void scrivi(const Percorso& p, std::string_view byte) override;
  void rinomina(const Percorso& da, const Percorso& a) override;
  Percorso crea_provvisorio(const Percorso& p) override;
  // In memory a name is taken and moved over in one step; the real file
  // stays where it is.
  Percorso sposta_da_parte(const Percorso& p) override;
  void scrivi_durevole(const Percorso& p, const Pezzi& produci) override;
  void sincronizza_cartella(const Percorso&) override {}
  std::vector<Percorso> elenca(const Percorso& cartella) override;
  // Nothing is written to the real directory, so no other run is kept out.
  std::unique_ptr<Blocco> blocca(const Percorso&) override { return std::make_unique<Blocco>(); }

 private:
  // nullopt: deleted here, whatever the real disk holds.
  std::map<Percorso, std::optional<std::string>> file_;
  Disco& reale_;
  uint64_t contatore_ = 0;
};

}  // namespace scenario::strumenti
