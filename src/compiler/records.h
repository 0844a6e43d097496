#pragma once
// The two records of the scenario model: one 50 m track cell and one slot of
// the 87-slot station table. Member widths are those of the files the
// simulator loads; their order in the files is in tracciati.h.

#include <cstdint>
#include <string>

namespace scenario {

// Metres of line one cell covers.
inline constexpr int32_t metri_cella = 50;

struct cella {
  uint8_t codice = 0;  // type code of the point feature; 0 = free
  int16_t valore1 = 0;
  int16_t valore2 = 0;
  int16_t valore3 = 0;
  int16_t valore4 = 0;
  uint8_t tempo_segnale = 0;
  uint8_t avvicinamento = 0;  // approach marker (signal or station)
  uint8_t tipo_montagna = 0;
  uint8_t velocita_max = 0;  // line speed / 5
  uint8_t pendenza = 0;      // gradient + 100
  uint8_t aderenza = 0;

  bool operator==(const cella&) const = default;
};

// Cell type codes.
namespace codice_cella {
inline constexpr uint8_t libera = 0;
inline constexpr uint8_t segnale = 1;
inline constexpr uint8_t fine_rallentamento = 2;
inline constexpr uint8_t inizio_rallentamento = 3;
inline constexpr uint8_t avviso_rallentamento = 4;
inline constexpr uint8_t preavviso_rallentamento = 5;
inline constexpr uint8_t indicatori_vmax = 6;
inline constexpr uint8_t fermata = 10;
inline constexpr uint8_t montagna = 11;
inline constexpr uint8_t abbattimento = 12;
inline constexpr uint8_t abbattimento_nullo = 13;
inline constexpr uint8_t cartello = 14;
}  // namespace codice_cella

// A cell takes a point feature only when it holds nothing or a montagna marker.
inline bool libera(const cella& c) { return c.codice == codice_cella::libera || c.codice == codice_cella::montagna; }

// Text members hold Windows-1252 bytes.
struct stazione {
  uint8_t tipo_stazione = 0;
  int32_t inizio_zona = 0;
  int32_t fine_zona = 0;
  int32_t posizione_stazione = 0;
  uint8_t campo4 = 0;
  std::string nome;
  int16_t campo7 = 0;
  int16_t campo8 = 0;
  int16_t campo10 = 0;
  int16_t campo11 = 0;
  int16_t campo12 = 0;
  uint8_t campo9 = 0;
  uint8_t campo13 = 0;
  uint8_t campo6 = 0;
  uint8_t campo5 = 0;
  int32_t orario = 0;

  bool operator==(const stazione&) const = default;
};

// Slot map of the station table.
namespace slot {
inline constexpr int numero = 87;
inline constexpr int prima_stazione = 1;   // stations go upward from here; slot 0 stays blank
inline constexpr int primo_cartello = 80;  // indicator sign texts go downward from here
inline constexpr int progressiva_tre = 81;
inline constexpr int progressiva_due = 82;
inline constexpr int progressiva_uno = 83;
inline constexpr int treno = 84;    // braked mass, route length, coaches
inline constexpr int linea = 85;    // backgrounds, route name, markers
inline constexpr int globale = 86;  // signal repetition, train number, clock
}  // namespace slot

}  // namespace scenario
