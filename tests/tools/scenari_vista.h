#pragma once
// The scenarios the drawing commands are tried on, each set up in a fresh
// directory: the hand-made binary files alone, the embedded scenario's
// payload folder, and the fixture with problems under the installed names.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "support/cartella_temporanea.h"
#include "tools/binari_prova.h"
#include "tools/strumento.h"

namespace scenario::test {

struct ScenarioDiProva {
  std::string nome;
  std::string linea, treno;
  std::filesystem::path cartella;
};

enum class Prova { binari, incorporato, problemi };

// dir is where the scenario is put when it has to be (the payload folder is
// used where it is).
inline ScenarioDiProva prepara(Prova p, const CartellaTemporanea& dir) {
  switch (p) {
    case Prova::binari:
      scrivi_binari_prova(dir.percorso());
      return {"binari fatti a mano", "Prova", "1", dir.percorso()};
    case Prova::incorporato:
      return {"scenario incorporato (cartella del payload)", "Belmora_Solvenzia", "4816-4817", SCENARIO_PAYLOAD_DIR};
    case Prova::problemi:
      prepara_testi("problemi", dir.percorso(), "Prova", "1");
      return {"fixture con problemi (testi installati)", "Prova", "1", dir.percorso()};
  }
  return {};
}

// A scenario prepared and drawn by one command into its own directory.
struct Disegnato {
  CartellaTemporanea dir;
  ScenarioDiProva scenario;
  std::filesystem::path file;
  Esecuzione esecuzione;
};

inline Esecuzione disegna(const std::string& comando, const ScenarioDiProva& s, const std::filesystem::path& uscita) {
  return esegui_strumento(
      {comando, "--route", s.linea, "--train", s.treno, "--in", s.cartella.string(), "-o", uscita.string()});
}

inline std::unique_ptr<Disegnato> disegna_prova(Prova p, const std::string& comando, const std::string& nome_file) {
  auto d = std::make_unique<Disegnato>();
  d->scenario = prepara(p, d->dir);
  d->file = d->dir / nome_file;
  d->esecuzione = disegna(comando, d->scenario, d->file);
  return d;
}

}  // namespace scenario::test
