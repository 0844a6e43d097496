#include "compiler/binario.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <functional>
#include <utility>
#include <vector>

#include "base/errori.h"
#include "base/sostituzione.h"
#include "compiler/stato.h"

namespace scenario {
namespace {

// Encodes into a block that is handed on whole when full: the files run to
// tens of megabytes, and byte-wise appends were most of the compile's time.
class Scrittore {
 public:
  explicit Scrittore(std::function<void(std::string_view)> uscita) : uscita_(std::move(uscita)) {}

  void u8(uint8_t v) { le(v); }
  void i16(int16_t v) { le(static_cast<uint16_t>(v)); }
  void uint16(uint16_t v) { le(v); }
  void i32(int32_t v) { le(static_cast<uint32_t>(v)); }
  void f64(double v) { le(std::bit_cast<uint64_t>(v)); }
  void testo(const std::string &t) {
    // The length field has 16 bits; a longer name cannot be written.
    if (t.size() > UINT16_MAX) throw ErroreEsecuzione(Guasto::argomento_non_valido, "nome oltre 65535 byte");
    uint16(static_cast<uint16_t>(t.size()));
    svuota();
    uscita_(t);
  }
  // Hands on what is left in the block.
  void svuota() {
    if (n_ > 0) uscita_(std::string_view(blocco_.data(), n_));
    n_ = 0;
  }

 private:
  // Little-endian whatever the machine.
  template <typename U>
  void le(U u) {
    if (n_ + sizeof(U) > blocco_.size()) svuota();
    if constexpr (std::endian::native == std::endian::little) {
      std::memcpy(blocco_.data() + n_, &u, sizeof(U));
    } else {
      for (size_t i = 0; i < sizeof(U); ++i) blocco_[n_ + i] = static_cast<char>(static_cast<uint8_t>(u >> (8 * i)));
    }
    n_ += sizeof(U);
  }

  std::function<void(std::string_view)> uscita_;
  std::array<char, 1 << 16> blocco_;
  size_t n_ = 0;
};

// A whole record encoded into a string of its exact size.
template <typename Codifica>
std::string in_memoria(size_t dimensione, Codifica codifica) {
  std::string byte;
  byte.reserve(dimensione);
  Scrittore s([&](std::string_view pezzo) { byte.append(pezzo); });
  codifica(s);
  s.svuota();
  return byte;
}

size_t dimensione(Variante::Tipo t) {
  switch (t) {
    case Variante::Tipo::intero:
      return 4;
    case Variante::Tipo::doppio:
      return 10;
    case Variante::Tipo::vuoto:
      break;
  }
  return 2;
}

void variante(Scrittore &s, Variante::Tipo t, double v) {
  s.uint16(static_cast<uint16_t>(t));
  switch (t) {
    case Variante::Tipo::intero:
      s.i16(static_cast<int16_t>(v));
      break;
    case Variante::Tipo::doppio:
      s.f64(v);
      break;
    case Variante::Tipo::vuoto:
      break;
  }
}

size_t dimensione_profilo(const Profilo &profilo) {
  size_t n = 0;
  for (int k = 0; k < 2; ++k)
    for (Variante::Tipo t : profilo.tipi(k)) n += dimensione(t);
  return n;
}

void codifica_profilo(Scrittore &s, const Profilo &profilo) {
  if (!profilo.allocato()) return;
  for (int k = 0; k < 2; ++k) {
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
  for (const stazione &st : stazioni) n += 34 + st.nome.size();
  return in_memoria(n, [&](Scrittore &s) {
    for (const stazione &st : stazioni) {
      s.u8(st.tipo_stazione);
      s.i32(st.inizio_zona);
      s.i32(st.fine_zona);
      s.i32(st.posizione_stazione);
      s.u8(st.campo4);
      s.testo(st.nome);
      s.i16(st.campo7);
      s.i16(st.campo8);
      s.i16(st.campo10);
      s.i16(st.campo11);
      s.i16(st.campo12);
      s.u8(st.campo9);
      s.u8(st.campo13);
      s.u8(st.campo6);
      s.u8(st.campo5);
      s.i32(st.orario);
    }
  });
}

std::string serializza_celle(const Celle &celle) {
  const auto &tutte = celle.tutte();
  return in_memoria(tutte.size() * 15, [&](Scrittore &s) {
    for (const cella &c : tutte) {
      s.u8(c.codice);
      s.i16(c.valore1);
      s.i16(c.valore2);
      s.i16(c.valore3);
      s.i16(c.valore4);
      s.u8(c.tempo_segnale);
      s.u8(c.avvicinamento);
      s.u8(c.tipo_montagna);
      s.u8(c.velocita_max);
      s.u8(c.pendenza);
      s.u8(c.aderenza);
    }
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
