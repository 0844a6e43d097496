#include "compiler/binario.h"

#include <bit>
#include <cstdint>
#include <cstring>

#include "compiler/errori.h"
#include "compiler/stato.h"
#include "driver/nomi_file.h"

namespace scenario {
namespace {

class Scrittore {
 public:
  explicit Scrittore(size_t riserva) { byte_.reserve(riserva); }

  void u8(uint8_t v) { byte_ += static_cast<char>(v); }
  void i16(int16_t v) { uint16(static_cast<uint16_t>(v)); }
  void uint16(uint16_t v) {
    u8(static_cast<uint8_t>(v));
    u8(static_cast<uint8_t>(v >> 8));
  }
  void i32(int32_t v) {
    uint32_t u = static_cast<uint32_t>(v);
    for (int i = 0; i < 4; ++i) u8(static_cast<uint8_t>(u >> (8 * i)));
  }
  void f64(double v) {
    uint64_t u = std::bit_cast<uint64_t>(v);
    for (int i = 0; i < 8; ++i) u8(static_cast<uint8_t>(u >> (8 * i)));
  }
  void testo(const std::string& t) {
    // The length field has 16 bits; a longer name cannot be written.
    if (t.size() > UINT16_MAX) throw ErroreEsecuzione(Guasto::argomento_non_valido, "nome oltre 65535 byte");
    uint16(static_cast<uint16_t>(t.size()));
    byte_ += t;
  }
  std::string prendi() { return std::move(byte_); }

 private:
  std::string byte_;
};

void variante(Scrittore& s, const Variante& v) {
  s.uint16(static_cast<uint16_t>(v.tipo));
  switch (v.tipo) {
    case Variante::Tipo::intero: s.i16(v.intero); break;
    case Variante::Tipo::doppio: s.f64(v.doppio); break;
    case Variante::Tipo::vuoto: break;
  }
}

}  // namespace

std::string serializza_profilo(const Profilo& profilo) {
  if (!profilo.allocato()) return {};
  Scrittore s(profilo.colonna_x().size() * 20);
  for (const Variante& v : profilo.colonna_x()) variante(s, v);
  for (const Variante& v : profilo.colonna_y()) variante(s, v);
  return s.prendi();
}

std::string serializza_stazioni(const std::array<stazione, slot::numero>& stazioni) {
  Scrittore s(slot::numero * 64);
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
  Scrittore s(tutte.size() * 15);
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
  std::string profilo = stato.scrivi_file != 0 ? serializza_profilo(stato.profilo_linea) : std::string();
  std::string sim = serializza_stazioni(stato.stazioni);
  std::string dat = serializza_celle(stato.celle);
  // Each file replaces the earlier one only once it is complete, so the
  // simulator never finds a truncated file.
  if (stato.scrivi_file != 0) sostituisci_file(disco, percorso(FileScenario::linea_dat), profilo);
  sostituisci_file(disco, percorso(FileScenario::sim), sim);
  sostituisci_file(disco, percorso(FileScenario::dat), dat);
}

}  // namespace scenario
