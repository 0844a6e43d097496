#include "base/sostituzione.h"

#include <algorithm>
#include <vector>

#include "base/errori.h"

namespace scenario {
namespace {

std::vector<Percorso> cartelle_di(std::span<const FileNuovo> file) {
  std::vector<Percorso> cartelle;
  for (const FileNuovo& f : file) {
    const Percorso c = f.finale.parent_path();
    if (std::find(cartelle.begin(), cartelle.end(), c) == cartelle.end()) cartelle.push_back(c);
  }
  return cartelle;
}

// Tidying only: a file that cannot be removed is no reason to fail a run
// whose outcome is already decided.
void elimina_se_c_e(Disco& disco, const Percorso& p) {
  try {
    if (disco.esiste(p)) disco.elimina(p);
  } catch (...) {
  }
}

struct Spostamento {
  Percorso da, a;
  Percorso finale;  // the final name the move concerns
};

// Takes the moves back, last first. A move that cannot be taken back stops
// the undoing where it is: going on could put an earlier file back beside a
// new one.
void annulla(Disco& disco, const std::vector<Spostamento>& fatti) {
  for (auto s = fatti.rbegin(); s != fatti.rend(); ++s) {
    try {
      disco.rinomina(s->a, s->da);
    } catch (...) {
      throw ErroreEsecuzione(Guasto::file_binari_incompleti, nome_nel_messaggio(s->finale));
    }
  }
}

}  // namespace

void sostituisci_insieme(Disco& disco, std::span<const FileNuovo> file) {
  {
    std::vector<Percorso> finali;
    for (const FileNuovo& f : file) finali.push_back(f.finale);
    elimina_provvisori_rimasti(disco, finali);
  }

  std::vector<Percorso> nuovi;
  std::vector<Percorso> riserve;  // where each earlier file went; empty: none stood there
  std::vector<Spostamento> fatti;
  try {
    std::vector<Scrittura> scritture;
    for (const FileNuovo& f : file) {
      nuovi.push_back(disco.crea_provvisorio(f.finale));
      scritture.push_back({nuovi.back(), f.produci});
    }
    // All written, then all put on the device: the device takes them together.
    disco.scrivi_durevoli(scritture);
    // Whether an earlier file stands is known before the first rename, so
    // that the renames follow one another with nothing in between. Each
    // earlier file goes aside under a name that nothing held.
    std::vector<bool> precedenti;
    for (const FileNuovo& f : file) precedenti.push_back(disco.esiste(f.finale));
    riserve.resize(file.size());
    for (size_t i = 0; i < file.size(); ++i) {
      if (!precedenti[i]) continue;
      riserve[i] = disco.sposta_da_parte(file[i].finale);
      fatti.push_back({file[i].finale, riserve[i], file[i].finale});
    }
    for (size_t i = 0; i < file.size(); ++i) {
      disco.rinomina(nuovi[i], file[i].finale);
      fatti.push_back({nuovi[i], file[i].finale, file[i].finale});
    }
    for (const Percorso& cartella : cartelle_di(file)) disco.sincronizza_cartella(cartella);
  } catch (...) {
    annulla(disco, fatti);
    for (const Percorso& p : nuovi) elimina_se_c_e(disco, p);
    for (const Percorso& p : riserve)
      if (!p.empty()) elimina_se_c_e(disco, p);
    throw;
  }
  for (const Percorso& p : riserve)
    if (!p.empty()) elimina_se_c_e(disco, p);
}

}  // namespace scenario
