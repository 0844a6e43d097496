#pragma once
// Waiting for an author's texts to change: inotify on Linux, elsewhere (or
// where inotify is refused) a poll of the folders' files.

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <vector>

#include "base/disco.h"

namespace scenario::strumenti {

// What a text file looked like: a change of either is a change.
struct Impronta {
  uintmax_t dimensione = 0;
  std::filesystem::file_time_type modifica{};
  bool operator==(const Impronta&) const = default;
};

// The .txt files directly in the folders, by path; a missing folder has none.
std::map<Percorso, Impronta> impronte(const std::vector<Percorso>& cartelle);

class Sorvegliante {
 public:
  // sondaggio: poll even where inotify is there.
  explicit Sorvegliante(std::vector<Percorso> cartelle, bool sondaggio = false);
  ~Sorvegliante();
  Sorvegliante(const Sorvegliante&) = delete;
  Sorvegliante& operator=(const Sorvegliante&) = delete;

  // Returns once a .txt file in the folders has been created, written,
  // moved or removed, and no other change followed for a moment (an editor
  // saves in several steps).
  void attendi_modifica();

  // How often the fallback looks, and how long a save's steps may take.
  static constexpr std::chrono::milliseconds intervallo{50}, quiete{15};

 private:
  void attendi_con_sondaggio();
  std::vector<Percorso> cartelle_;
  std::map<Percorso, Impronta> ultime_;
  int descrittore_ = -1;  // inotify's, or -1 for the fallback
};

}  // namespace scenario::strumenti
