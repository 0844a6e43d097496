#include "compiler/binario.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#include "compiler/errori.h"
#include "compiler/stato.h"
#include "platform/memoria.h"
#include "driver/nomi_file.h"

namespace scenario {
namespace {

// Encodes into a small block that is appended whole to a string reserved at
// the exact final size: the files run to tens of megabytes, and byte-wise
// appends were most of the compile's time.
template <typename Byte>
class Scrittore {
 public:
  explicit Scrittore(size_t dimensione) { byte_.reserve(dimensione); }

  void u8(uint8_t v) { le(v); }
  void i16(int16_t v) { le(static_cast<uint16_t>(v)); }
  void uint16(uint16_t v) { le(v); }
  void i32(int32_t v) { le(static_cast<uint32_t>(v)); }
  void f64(double v) { le(std::bit_cast<uint64_t>(v)); }
  void testo(const std::string& t) {
    // The length field has 16 bits; a longer name cannot be written.
    if (t.size() > UINT16_MAX) throw ErroreEsecuzione(Guasto::argomento_non_valido, "nome oltre 65535 byte");
    uint16(static_cast<uint16_t>(t.size()));
    svuota();
    byte_ += t;
  }
  Byte prendi() {
    svuota();
    return std::move(byte_);
  }

 private:
  // Little-endian whatever the machine.
  template <typename U>
  void le(U u) {
    if (n_ + sizeof(U) > blocco_.size()) svuota();
    for (size_t i = 0; i < sizeof(U); ++i) blocco_[n_ + i] = static_cast<char>(static_cast<uint8_t>(u >> (8 * i)));
    n_ += sizeof(U);
  }
  void svuota() {
    byte_.append(blocco_.data(), n_);
    n_ = 0;
  }

  Byte byte_;
  std::array<char, 4096> blocco_;
  size_t n_ = 0;
};

size_t dimensione(Variante::Tipo t) {
  switch (t) {
    case Variante::Tipo::intero: return 4;
    case Variante::Tipo::doppio: return 10;
    case Variante::Tipo::vuoto: break;
  }
  return 2;
}

template <typename Byte>
void variante(Scrittore<Byte>& s, Variante::Tipo t, double v) {
  s.uint16(static_cast<uint16_t>(t));
  switch (t) {
    case Variante::Tipo::intero: s.i16(static_cast<int16_t>(v)); break;
    case Variante::Tipo::doppio: s.f64(v); break;
    case Variante::Tipo::vuoto: break;
  }
}

// The encoded profile of a long route is as large as the profile itself.
using ByteGrandi = std::basic_string<char, std::char_traits<char>, AllocatoreGrande<char>>;

template <typename Byte>
Byte codifica_profilo(const Profilo& profilo) {
  if (!profilo.allocato()) return {};
  size_t n = 0;
  for (int k = 0; k < 2; ++k)
    for (Variante::Tipo t : profilo.tipi(k)) n += dimensione(t);
  Scrittore<Byte> s(n);
  for (int k = 0; k < 2; ++k) {
    const auto& tipi = profilo.tipi(k);
    const auto& valori = profilo.valori(k);
    for (size_t m = 0; m < tipi.size(); ++m) variante(s, tipi[m], valori[m]);
  }
  return s.prendi();
}

}  // namespace

std::string serializza_profilo(const Profilo& profilo) { return codifica_profilo<std::string>(profilo); }

std::string serializza_stazioni(const std::array<stazione, slot::numero>& stazioni) {
  size_t n = 0;
  for (const stazione& st : stazioni) n += 34 + st.nome.size();
  Scrittore<std::string> s(n);
  for (const stazione& st : stazioni) {
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
  return s.prendi();
}

std::string serializza_celle(const Celle& celle) {
  const auto& tutte = celle.tutte();
  Scrittore<std::string> s(tutte.size() * 15);
  for (const cella& c : tutte) {
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
  return s.prendi();
}

void scrivi_file_binari(const Stato& stato, Disco& disco, const Percorso& cartella) {
  auto percorso = [&](FileScenario f) {
    return percorso_file(cartella, f, stato.nome_linea, stato.numero_treno);
  };
  // Everything is encoded before the first file is touched, so that a record
  // that cannot be written leaves every file as it was.
  const ByteGrandi profilo = stato.scrivi_file != 0 ? codifica_profilo<ByteGrandi>(stato.profilo_linea) : ByteGrandi();
  std::string sim = serializza_stazioni(stato.stazioni);
  std::string dat = serializza_celle(stato.celle);
  // Each file replaces the earlier one only once it is complete, so the
  // simulator never finds a truncated file.
  if (stato.scrivi_file != 0) sostituisci_file(disco, percorso(FileScenario::linea_dat), std::string_view(profilo));
  sostituisci_file(disco, percorso(FileScenario::sim), sim);
  sostituisci_file(disco, percorso(FileScenario::dat), dat);
}

}  // namespace scenario
