#pragma once
// The real file system, through the operating system's own calls (open,
// write, fsync, rename on POSIX; CreateFileW, WriteFile, FlushFileBuffers,
// MoveFileExW on Windows). No name it creates or writes is followed when it
// is a link.

#include <atomic>
#include <chrono>
#include <cstdint>

#include "base/disco.h"
#include "base/nomi_file.h"

namespace scenario {

class DiscoFile : public Disco {
 public:
  // How long blocca waits for a directory another run holds.
  static constexpr std::chrono::milliseconds attesa_blocco{60000};

  explicit DiscoFile(std::chrono::milliseconds attesa = attesa_blocco) : attesa_(attesa) {}

  bool esiste(const Percorso& p) const override;
  std::string leggi(const Percorso& p) override;
  void crea(const Percorso& p) override;
  void elimina(const Percorso& p) override;
  void scrivi(const Percorso& p, std::string_view byte) override;
  void scrivi_a_pezzi(const Percorso& p, const Pezzi& produci) override;
  void rinomina(const Percorso& da, const Percorso& a) override;
  Percorso crea_provvisorio(const Percorso& p) override;
  void scrivi_durevole(const Percorso& p, const Pezzi& produci) override;
  void scrivi_durevoli(std::span<const Scrittura> file) override;
  Percorso sposta_da_parte(const Percorso& p) override;
  void sincronizza_cartella(const Percorso& cartella) override;
  std::vector<Percorso> elenca(const Percorso& cartella) override;
  std::unique_ptr<Blocco> blocca(const Percorso& cartella) override;

 private:
  std::chrono::milliseconds attesa_;
  std::atomic<uint64_t> contatore_{0};  // of the provisional names
};

// The detail of Guasto::cartella_in_uso: the lock file and the time waited.
std::string dettaglio_cartella_in_uso(std::chrono::milliseconds attesa);

// A directory named by an empty path is the working directory.
inline Percorso cartella_o_corrente(const Percorso& cartella) { return cartella.empty() ? Percorso(".") : cartella; }

}  // namespace scenario
