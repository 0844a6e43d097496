#pragma once
// The kinds of thing the drawings of a line show, each with its name, colour
// and mark: one table for the plan, the profile, their legends and the
// report's page.

#include <cstdint>
#include <span>

namespace scenario::strumenti {

enum class Genere : uint8_t {
  stazione,
  segnale,
  indicatori,
  cartello,
  avviso,
  rallentamento,
  abbattimento,
  montagna,
  pendenza,
  velocita,
  fine_linea,
  problema,
  avvertimento,
};

enum class Forma : uint8_t {
  anello,
  punto,
  quadrato,
  rombo,
  triangolo,
  fascia,
  puntino,
  barra,
  area,
  gradini,
  croce,
  punto_esclamativo
};

struct Aspetto {
  Genere genere;
  const char* id;    // for attributes and the page's script: ASCII, no blanks
  const char* nome;  // in the legend
  const char* colore;
  Forma forma;
};

const Aspetto& aspetto(Genere g);
// Every kind, in legend order.
std::span<const Aspetto> aspetti();

}  // namespace scenario::strumenti
