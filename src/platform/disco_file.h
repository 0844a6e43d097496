#pragma once
// The real file system.

#include "base/disco.h"

namespace scenario {

class DiscoFile : public Disco {
 public:
  bool esiste(const Percorso& p) const override;
  std::string leggi(const Percorso& p) override;
  void crea(const Percorso& p) override;
  void elimina(const Percorso& p) override;
  void scrivi(const Percorso& p, std::string_view byte) override;
  void scrivi_a_pezzi(const Percorso& p, const Pezzi& produci) override;
  void rinomina(const Percorso& da, const Percorso& a) override;
};

}  // namespace scenario
