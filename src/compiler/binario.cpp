#include "compiler/binario.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <functional>
#include <limits>
#include <type_traits>
#include <utility>
#include <vector>

#include "base/errori.h"
#include "base/sostituzione.h"
#include "compiler/stato.h"
#include "compiler/tracciati.h"

namespace scenario {
namespace {

// Encodes into a block that is handed on whole when full: the files run to
// tens of megabytes, and byte-wise appends were most of the compile's time.
class Scrittore {
 public:
  explicit Scrittore(std::function<void(std::string_view)> uscita) : uscita_(std::move(uscita)) {}

  // Numbers, each as its little-endian bytes, with one look at the room
  // left for all of them.
  template <typename... T>
  void numeri(T... v) {
    static_assert((std::is_arithmetic_v<T> && ...), "a number of the layouts");
    constexpr size_t n = (sizeof(T) + ...);
    if (n_ + n > blocco_.size()) svuota();
    char *p = blocco_.data() + n_;
    ((metti(p, std::bit_cast<Parola<T>>(v)), p += sizeof(T)), ...);
    n_ += n;
  }
  void testo(const std::string &t) {
    // The length field has 16 bits; a longer name cannot be written.
    constexpr size_t massimo = std::numeric_limits<LunghezzaTesto>::max();
    if (t.size() > massimo)
      throw ErroreEsecuzione(Guasto::argomento_non_valido, "nome oltre " + std::to_string(massimo) + " byte");
    numeri(static_cast<LunghezzaTesto>(t.size()));
    svuota();
    uscita_(t);
  }
  // Every member of a record, in file order; a record without texts at once.
  template <typename R>
  void record(const R &r) {
    if constexpr (dimensione_fissa<R>) {
      std::apply([&](const auto &...c) { numeri(r.*c.membro...); }, Tracciato<R>::campi);
    } else {
      per_ogni_campo(r, [this](const char *, const auto &v) {
        if constexpr (std::is_same_v<std::remove_cvref_t<decltype(v)>, std::string>)
          testo(v);
        else
          numeri(v);
      });
    }
  }
  // Hands on what is left in the block.
  void svuota() {
    if (n_ > 0) uscita_(std::string_view(blocco_.data(), n_));
    n_ = 0;
  }

 private:
  // Little-endian whatever the machine.
  template <typename U>
  static void metti(char *p, U u) {
    if constexpr (std::endian::native == std::endian::little) {
      std::memcpy(p, &u, sizeof(U));
    } else {
      for (size_t i = 0; i < sizeof(U); ++i) p[i] = static_cast<char>(static_cast<uint8_t>(u >> (8 * i)));
    }
  }

  std::function<void(std::string_view)> uscita_;
  std::array<char, 1 << 16> blocco_;
  size_t n_ = 0;
};

// A whole table encoded into a string of its exact size.
template <typename Codifica>
std::string in_memoria(size_t dimensione, Codifica codifica) {
  std::string byte;
  byte.reserve(dimensione);
  Scrittore s([&](std::string_view pezzo) { byte.append(pezzo); });
  codifica(s);
  s.svuota();
  return byte;
}

// An element of the profile: its tag, then its value in the width the tag names.
void variante(Scrittore &s, Variante::Tipo t, double v) {
  const auto etichetta = static_cast<EtichettaVariante>(t);
  per_etichetta(t, [&](const auto &e) {
    if constexpr (con_valore<decltype(e)>)
      s.numeri(etichetta, static_cast<typename std::remove_cvref_t<decltype(e)>::Tipo>(v));
    else
      s.numeri(etichetta);
  });
}

size_t dimensione_profilo(const Profilo &profilo) {
  size_t n = 0;
  for (int k = 0; k < Profilo::colonne; ++k)
    for (Variante::Tipo t : profilo.tipi(k)) n += byte_variante(t);
  return n;
}

void codifica_profilo(Scrittore &s, const Profilo &profilo) {
  if (!profilo.allocato()) return;
  for (int k = 0; k < Profilo::colonne; ++k) {
    const auto &tipi = profilo.tipi(k);
    const auto &valori = profilo.valori(k);
    for (size_t m = 0; m < tipi.size(); ++m) variante(s, tipi[m], valori[m]);
  }
}

}  // namespace

std::string serializza_profilo(const Profilo &profilo) {
  if (!profilo.allocato()) return {};
  return in_memoria(dimensione_profilo(profilo), [&](Scrittore &s) { codifica_profilo(s, profilo); });
}

std::string serializza_stazioni(const std::array<stazione, slot::numero> &stazioni) {
  size_t n = 0;
  for (const stazione &st : stazioni) n += byte_record(st);
  return in_memoria(n, [&](Scrittore &s) {
    for (const stazione &st : stazioni) s.record(st);
  });
}

std::string serializza_celle(const Celle &celle) {
  const auto &tutte = celle.tutte();
  return in_memoria(tutte.size() * byte_fissi<cella>, [&](Scrittore &s) {
    for (const cella &c : tutte) s.record(c);
  });
}

void scrivi_file_binari(const Stato &stato, Disco &disco, const FileBinari &file) {
  // The tables are encoded before the first file is touched; the profile,
  // which cannot fail, goes to its file as it is encoded.
  const std::string sim = serializza_stazioni(stato.stazioni);
  const std::string dat = serializza_celle(stato.celle);
  auto intero = [](const std::string &byte) {
    return Pezzi([&byte](const std::function<void(std::string_view)> &pezzo) { pezzo(byte); });
  };
  // The simulator loads the files as one scenario, so they are replaced as
  // one set: an old profile beside a new track would load without a word.
  std::vector<FileNuovo> insieme;
  if (stato.scrivi_file != 0) {
    insieme.push_back({file.linea_dat, Pezzi([&](const std::function<void(std::string_view)> &pezzo) {
                         Scrittore s(pezzo);
                         codifica_profilo(s, stato.profilo_linea);
                         s.svuota();
                       })});
  }
  insieme.push_back({file.sim, intero(sim)});
  insieme.push_back({file.dat, intero(dat)});
  sostituisci_insieme(disco, insieme);
}

}  // namespace scenario
