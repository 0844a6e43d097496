#pragma once
// The disk a compile of an author's scenario sees: the two description
// texts are served from memory, read-only, and the compiler's deletion of
// them is only noted; everything else goes to the disk beneath (the real one,
// or DiscoScarto for a check that writes nothing). The author's
// files are thus never deleted, moved or changed.

#include <map>
#include <string>
#include <string_view>

#include "base/disco.h"

namespace scenario::verifica {

class DiscoAutore : public Disco {
 public:
  explicit DiscoAutore(Disco& reale) : reale_(reale) {}

  // Serves these bytes under p (the place where the compiler looks for
  // them). Not copied: they must outlive the disk.
  void servi(const Percorso& p, std::string_view byte);

  bool esiste(const Percorso& p) const override;
  std::string leggi(const Percorso& p) override;
  void crea(const Percorso& p) override;
  void elimina(const Percorso& p) override;
  void scrivi(const Percorso& p, std::string_view byte) override;
  void rinomina(const Percorso& da, const Percorso& a) override;
  Percorso crea_provvisorio(const Percorso& p) override;
  void scrivi_durevole(const Percorso& p, const Pezzi& produci) override;
  void scrivi_durevoli(std::span<const Scrittura> file) override;
  Percorso sposta_da_parte(const Percorso& p) override;
  void sincronizza_cartella(const Percorso& cartella) override { reale_.sincronizza_cartella(cartella); }
  std::vector<Percorso> elenca(const Percorso& cartella) override { return reale_.elenca(cartella); }
  std::unique_ptr<Blocco> blocca(const Percorso& cartella) override { return reale_.blocca(cartella); }

 private:
  struct Testo {
    std::string_view byte;
    bool presente = true;
  };
  const Testo* testo(const Percorso& p) const;
  void rifiuta_se_servito(const Percorso& p) const;

  Disco& reale_;
  std::map<Percorso, Testo> testi_;
};

}  // namespace scenario::verifica
