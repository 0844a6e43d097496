#include "base/disco.h"

#include <algorithm>
#include <string>
#include <vector>

#include "base/cp1252.h"
#include "base/errori.h"

namespace scenario {

Percorso percorso_utf8(std::string_view utf8) { return Percorso(std::u8string(utf8.begin(), utf8.end())); }

std::string testo_utf8(const Percorso& p) {
  const std::u8string u = p.u8string();
  return {u.begin(), u.end()};
}

void Disco::scrivi_a_pezzi(const Percorso& p, const Pezzi& produci) {
  std::string tutto;
  produci([&](std::string_view pezzo) { tutto.append(pezzo); });
  scrivi(p, tutto);
}

void DiscoInoltrato::crea(const Percorso& p) {
  prima_di_cambiare(p);
  sotto_.crea(p);
}

void DiscoInoltrato::elimina(const Percorso& p) {
  prima_di_cambiare(p);
  sotto_.elimina(p);
}

void DiscoInoltrato::scrivi(const Percorso& p, std::string_view byte) {
  prima_di_cambiare(p);
  sotto_.scrivi(p, byte);
}

void DiscoInoltrato::scrivi_a_pezzi(const Percorso& p, const Pezzi& produci) {
  prima_di_cambiare(p);
  sotto_.scrivi_a_pezzi(p, produci);
}

void DiscoInoltrato::rinomina(const Percorso& da, const Percorso& a) {
  prima_di_cambiare(da);
  prima_di_cambiare(a);
  sotto_.rinomina(da, a);
}

Percorso DiscoInoltrato::crea_provvisorio(const Percorso& p) {
  prima_di_cambiare(p);
  return sotto_.crea_provvisorio(p);
}

void DiscoInoltrato::scrivi_durevole(const Percorso& p, const Pezzi& produci) {
  prima_di_cambiare(p);
  sotto_.scrivi_durevole(p, produci);
}

void DiscoInoltrato::scrivi_durevoli(std::span<const Scrittura> file) {
  for (const Scrittura& f : file) prima_di_cambiare(f.percorso);
  sotto_.scrivi_durevoli(file);
}

Percorso DiscoInoltrato::sposta_da_parte(const Percorso& p) {
  prima_di_cambiare(p);
  return sotto_.sposta_da_parte(p);
}

void Disco::scrivi_durevoli(std::span<const Scrittura> file) {
  for (const Scrittura& f : file) scrivi_durevole(f.percorso, f.produci);
}

void scrivi_file_nuovo(Disco& disco, const Percorso& p, std::string_view byte) {
  scrivi_file_nuovo(disco, p, [byte](const std::function<void(std::string_view)>& pezzo) { pezzo(byte); });
}

void scrivi_file_nuovo(Disco& disco, const Percorso& p, const Pezzi& produci) {
  // A failure on the provisional file is told of the name the user knows.
  auto di_p = [&](const ErroreEsecuzione& e) { return ErroreEsecuzione(e.guasto(), nome_nel_messaggio(p)); };
  Percorso q;
  try {
    q = disco.crea_provvisorio(p);
  } catch (const ErroreEsecuzione& e) {
    throw di_p(e);
  }
  try {
    disco.scrivi_a_pezzi(q, produci);
    disco.rinomina(q, p);
  } catch (...) {
    try {
      disco.elimina(q);
    } catch (...) {
    }
    try {
      throw;
    } catch (const ErroreEsecuzione& e) {
      throw di_p(e);
    }
  }
}

void elimina_provvisori_rimasti(Disco& disco, std::span<const Percorso> finali) {
  std::vector<Percorso> cartelle;
  for (const Percorso& f : finali)
    if (std::find(cartelle.begin(), cartelle.end(), f.parent_path()) == cartelle.end())
      cartelle.push_back(f.parent_path());
  for (const Percorso& cartella : cartelle) {
    std::vector<Percorso> elenco;
    try {
      elenco = disco.elenca(cartella);
    } catch (...) {
      continue;
    }
    for (const Percorso& p : elenco)
      for (const Percorso& f : finali)
        if (e_provvisorio_di(f, p)) {
          try {
            disco.elimina(p);
          } catch (...) {
          }
        }
  }
}

std::string nome_nel_messaggio(const Percorso& p) {
  const std::string utf8 = testo_utf8(p.filename());
  return da_utf8(utf8).value_or(utf8);
}

// <name>.<run>.<counter>.tmp
Percorso nome_provvisorio(const Percorso& p, uint64_t esecuzione, uint64_t contatore) {
  Percorso provvisorio = p;
  provvisorio +=
      "." + std::to_string(esecuzione) + "." + std::to_string(contatore) + std::string(estensione_provvisoria);
  return provvisorio;
}

bool e_provvisorio_di(const Percorso& p, const Percorso& nome) {
  // Compared as native strings: the names are the program's own, and the
  // added part is ASCII on every platform.
  const auto base = p.filename().native();
  const auto n = nome.filename().native();
  if (n.size() <= base.size() + 1 || n.compare(0, base.size(), base) != 0 || n[base.size()] != '.') return false;
  auto resto = n.substr(base.size() + 1);
  if (resto.size() < estensione_provvisoria.size()) return false;
  const auto coda = resto.substr(resto.size() - estensione_provvisoria.size());
  if (!std::equal(coda.begin(), coda.end(), estensione_provvisoria.begin())) return false;
  resto.resize(resto.size() - estensione_provvisoria.size());
  // Two numbers parted by one dot.
  size_t cifre = 0, punti = 0;
  for (auto c : resto) {
    if (c >= '0' && c <= '9') {
      ++cifre;
    } else if (c == '.' && cifre > 0 && punti == 0) {
      ++punti;
      cifre = 0;
    } else {
      return false;
    }
  }
  return punti == 1 && cifre > 0;
}

}  // namespace scenario
