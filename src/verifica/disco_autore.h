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

class DiscoAutore : public DiscoInoltrato {
 public:
  explicit DiscoAutore(Disco& reale) : DiscoInoltrato(reale) {}

  // Serves these bytes under p (the place where the compiler looks for
  // them). Not copied: they must outlive the disk.
  void servi(const Percorso& p, std::string_view byte);

  bool esiste(const Percorso& p) const override;
  std::string leggi(const Percorso& p) override;
  // A served text's deletion is noted: it is no longer there for this disk.
  void elimina(const Percorso& p) override;

 protected:
  // The served texts are the author's: nothing may be written over them.
  void prima_di_cambiare(const Percorso& p) override;

 private:
  struct Testo {
    std::string_view byte;
    bool presente = true;
  };
  const Testo* testo(const Percorso& p) const;

  std::map<Percorso, Testo> testi_;
};

}  // namespace scenario::verifica
