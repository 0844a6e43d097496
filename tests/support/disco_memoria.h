#pragma once
// A file system in memory, for tests: files by full path, and failures to
// inject by operation and path.

#include <map>
#include <set>
#include <string>
#include <vector>

#include "base/errori.h"
#include "base/disco.h"

namespace scenario::test {

class DiscoMemoria : public Disco {
 public:
  bool esiste(const Percorso& p) const override { return file.count(p.generic_string()) > 0; }
  std::string leggi(const Percorso& p) override;
  void crea(const Percorso& p) override;
  void elimina(const Percorso& p) override;
  void scrivi(const Percorso& p, std::string_view byte) override;
  void rinomina(const Percorso& da, const Percorso& a) override;

  // Contents by generic path string.
  std::map<std::string, std::string> file;
  // Paths whose next operation of that kind fails.
  std::set<std::string> crea_fallisce, scrivi_fallisce, leggi_fallisce, rinomina_fallisce;
  // Paths whose write stops after that many bytes, as on a full disk: the
  // file keeps the bytes written so far and the write fails.
  std::map<std::string, size_t> scrivi_interrotto;
  // Every operation, in order: "crea x", "elimina x", "scrivi x", "leggi x",
  // "rinomina x y".
  std::vector<std::string> registro;
};

}  // namespace scenario::test
