#pragma once
// A file system in memory, for tests: files by full path, and failures to
// inject by operation and path, or at the n-th step of a run.

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "base/disco.h"
#include "base/errori.h"

namespace scenario::test {

class DiscoMemoria : public Disco {
 public:
  bool esiste(const Percorso& p) const override { return file.count(p.generic_string()) > 0; }
  std::string leggi(const Percorso& p) override;
  void crea(const Percorso& p) override;
  void elimina(const Percorso& p) override;
  void scrivi(const Percorso& p, std::string_view byte) override;
  void rinomina(const Percorso& da, const Percorso& a) override;
  Percorso crea_provvisorio(const Percorso& p) override;
  void scrivi_durevole(const Percorso& p, const Pezzi& produci) override;
  // Every file written, then every one flushed (one step each), as the real
  // disk does.
  void scrivi_durevoli(std::span<const Scrittura> file) override;
  Percorso sposta_da_parte(const Percorso& p) override;
  void sincronizza_cartella(const Percorso& cartella) override;
  std::vector<Percorso> elenca(const Percorso& cartella) override;
  // Fails at once (nothing to wait for in memory) while the directory is held.
  std::unique_ptr<Blocco> blocca(const Percorso& cartella) override;

  // Contents by generic path string.
  std::map<std::string, std::string> file;
  // Paths whose next operation of that kind fails.
  std::set<std::string> crea_fallisce, scrivi_fallisce, leggi_fallisce, rinomina_fallisce;
  // Paths whose write stops after that many bytes, as on a full disk: the
  // file keeps the bytes written so far and the write fails.
  std::map<std::string, size_t> scrivi_interrotto;
  // The steps (counted from 1 over every crea, scrivi, sincronizza and
  // rinomina) that fail. A failing write keeps half its bytes.
  std::set<size_t> passi_che_falliscono;
  size_t passi = 0;  // steps taken so far
  // The operation of every step, in order: passo n is passi_fatti[n - 1].
  std::vector<std::string> passi_fatti;
  // The run number in provisional names.
  uint64_t esecuzione = 1;
  // Directories held by a Blocco now.
  std::set<std::string> bloccate;
  // Every operation, in order: "crea x", "elimina x", "scrivi x", "leggi x",
  // "rinomina x y", "sincronizza x" (a file or a directory), "blocca d",
  // "sblocca d".
  std::vector<std::string> registro;

 private:
  // Counts the operation just recorded as a step; true when it is one to fail.
  bool passo_fallisce();
  uint64_t contatore_ = 0;
};

}  // namespace scenario::test
