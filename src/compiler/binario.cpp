#include "compiler/binario.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <functional>
#include <limits>
#include <memory>
#include <span>
#include <type_traits>
#include <utility>
#include <vector>

#include "base/errori.h"
#include "base/sostituzione.h"
#include "compiler/stato.h"
#include "compiler/tracciati.h"

namespace scenario {
namespace {

// Little-endian whatever the machine.
template <typename U>
void metti(char *p, U u) {
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(p, &u, sizeof(U));
  } else {
    for (size_t i = 0; i < sizeof(U); ++i) p[i] = static_cast<char>(static_cast<uint8_t>(u >> (8 * i)));
  }
}

// Numbers at p, each as its little-endian bytes; returns where they end.
template <typename... T>
char *metti_numeri(char *p, T... v) {
  static_assert((std::is_arithmetic_v<T> && ...), "a number of the layouts");
  ((metti(p, std::bit_cast<Parola<T>>(v)), p += sizeof(T)), ...);
  return p;
}

template <typename... T>
constexpr size_t byte_numeri = (sizeof(T) + ...);

// Encodes into a block that is handed on whole when full: the files run to
// tens of megabytes, and byte-wise appends were most of the compile's time.
// A file goes out in a few large blocks, one system call each.
class Scrittore {
 public:
  // The most bytes one call of numeri writes.
  static constexpr size_t massimo_numeri = 64;

  Scrittore(std::function<void(std::string_view)> uscita, size_t blocco)
      : uscita_(std::move(uscita)),
        n_blocco_(std::max(blocco, massimo_numeri)),
        blocco_(std::make_unique_for_overwrite<char[]>(n_blocco_)) {}

  // Numbers, with one look at the room left for all of them.
  template <typename... T>
  void numeri(T... v) {
    constexpr size_t n = byte_numeri<T...>;
    static_assert(n <= massimo_numeri);
    if (n_ + n > n_blocco_) svuota();
    metti_numeri(blocco_.get() + n_, v...);
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
    if (n_ > 0) uscita_(std::string_view(blocco_.get(), n_));
    n_ = 0;
  }

  // numeri for a long run of small values: the place in the block stays in
  // the cursor, a local the compiler keeps in registers, where the block's
  // bytes, which may alias anything, would make it reload the writer's
  // members after every store. Gives the place back when destroyed.
  class Cursore {
   public:
    explicit Cursore(Scrittore &s) : s_(s), p_(s.blocco_.get() + s.n_), fine_(s.blocco_.get() + s.n_blocco_) {}
    ~Cursore() { s_.n_ = static_cast<size_t>(p_ - s_.blocco_.get()); }
    Cursore(const Cursore &) = delete;
    Cursore &operator=(const Cursore &) = delete;

    template <typename... T>
    void numeri(T... v) {
      constexpr size_t n = byte_numeri<T...>;
      static_assert(n <= massimo_numeri);
      if (static_cast<size_t>(fine_ - p_) < n) p_ = ricomincia();
      p_ = metti_numeri(p_, v...);
    }

   private:
    // Hands the full block on; the block's start.
    char *ricomincia() {
      s_.n_ = static_cast<size_t>(p_ - s_.blocco_.get());
      s_.svuota();
      return s_.blocco_.get();
    }

    Scrittore &s_;
    char *p_;
    char *fine_;
  };

 private:
  std::function<void(std::string_view)> uscita_;
  size_t n_blocco_;
  std::unique_ptr<char[]> blocco_;
  size_t n_ = 0;
};

// The block of a file: big enough for few system calls, small enough that
// the memory of a run does not grow with the file.
constexpr size_t blocco_file = size_t{1} << 20;

// A whole table encoded into a string of its exact size.
template <typename Codifica>
std::string in_memoria(size_t dimensione, Codifica codifica) {
  std::string byte;
  byte.reserve(dimensione);
  Scrittore s([&](std::string_view pezzo) { byte.append(pezzo); }, std::min(dimensione, blocco_file));
  codifica(s);
  s.svuota();
  return byte;
}

size_t dimensione_profilo(const Profilo &profilo) {
  const Profilo::Conteggio n = profilo.conteggio();
  const auto byte = [](int64_t quanti, Variante::Tipo t) { return static_cast<size_t>(quanti) * byte_variante(t); };
  return Profilo::colonne * (byte(n.interi, Variante::Tipo::intero) + byte(n.doppi, Variante::Tipo::doppio) +
                             byte(n.vuoti, Variante::Tipo::vuoto));
}

// Column x then column y, each element its tag and then its value in the
// width the tag names, produced as it is written.
void codifica_profilo(Scrittore &s, const Profilo &profilo) {
  for (int k = 0; k < Profilo::colonne; ++k) {
    Scrittore::Cursore c(s);
    profilo.percorri(k, [&](Variante::Tipo t, std::span<const double> valori) {
      const auto etichetta = static_cast<EtichettaVariante>(t);
      per_etichetta(t, [&](const auto &e) {
        if constexpr (con_valore<decltype(e)>) {
          using Valore = typename std::remove_cvref_t<decltype(e)>::Tipo;
          for (double v : valori) c.numeri(etichetta, static_cast<Valore>(v));
        } else {
          for (size_t i = 0; i < valori.size(); ++i) c.numeri(etichetta);
        }
      });
    });
  }
}

void codifica_celle(Scrittore &s, const Celle &celle) {
  for (const cella &c : celle.tutte()) s.record(c);
}

size_t dimensione_celle(const Celle &celle) { return celle.tutte().size() * byte_fissi<cella>; }

// A file's bytes as they are encoded, in blocks of blocco_file at most.
template <typename Codifica>
Pezzi a_blocchi(size_t dimensione, Codifica codifica) {
  return [dimensione, codifica](const std::function<void(std::string_view)> &pezzo) {
    Scrittore s(pezzo, std::min(dimensione, blocco_file));
    codifica(s);
    s.svuota();
  };
}

}  // namespace

std::string serializza_profilo(const Profilo &profilo) {
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
  return in_memoria(dimensione_celle(celle), [&](Scrittore &s) { codifica_celle(s, celle); });
}

void scrivi_file_binari(const Stato &stato, Disco &disco, const FileBinari &file) {
  // The station table, whose names can be too long for their field, is
  // encoded before the first file is touched; the profile and the cells,
  // which cannot fail, go to their files as they are encoded.
  const std::string sim = serializza_stazioni(stato.stazioni);
  // The simulator loads the files as one scenario, so they are replaced as
  // one set: an old profile beside a new track would load without a word.
  std::vector<FileNuovo> insieme;
  if (stato.scrivi_file != 0) {
    const Profilo &profilo = stato.profilo_linea;
    insieme.push_back(
        {file.linea_dat, a_blocchi(dimensione_profilo(profilo), [&](Scrittore &s) { codifica_profilo(s, profilo); })});
  }
  insieme.push_back({file.sim, [&sim](const std::function<void(std::string_view)> &pezzo) { pezzo(sim); }});
  insieme.push_back(
      {file.dat, a_blocchi(dimensione_celle(stato.celle), [&](Scrittore &s) { codifica_celle(s, stato.celle); })});
  sostituisci_insieme(disco, insieme);
}

}  // namespace scenario
