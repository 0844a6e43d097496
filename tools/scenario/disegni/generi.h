#pragma once
// The kinds of thing the drawings of a line show, one row each: name,
// colour, mark, its labels, its lane and row in the profile, where it stands
// in the plan and its table on the report's page. The plan, the profile,
// their legends, the page and the reading of a line (quadro) all take their
// kinds from here, so that a new kind is one row.

#include <array>
#include <cstdint>
#include <span>

#include "compiler/records.h"

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

// How a kind's labels are written, in its colour.
struct Scritta {
  double corpo = 10;
  bool neretto = false;
};

// The profile's rows of labels above the marks: lanes from the top down, one
// or more kinds each; a lane stacks its labels into as many rows as its
// kinds allow before leaving one out, the higher priority placed first.
struct Corsia {
  int ordine = -1;  // -1: no lane
  int righe = 0;
  int priorita = 0;
};

// Where a kind stands in the plan: a point beside the track or on it, or a
// stretch drawn along it; nowhere (fuori) for the profile's own graphs.
enum class Posto : uint8_t { fuori, accanto, sul_binario, tratto };

struct InPianta {
  Posto posto = Posto::fuori;
  int priorita = 0;                 // of its labels; 0: unlabelled
  bool dal_lato_dei_segni = false;  // labels first tried on the side marks stand
};

// The report page's table of a kind: leading columns from the feature, then
// the fields of its slot or cell, then where it was described.
enum class Dato : uint8_t { indice, metro, fine, etichetta, valore };
struct Colonna {
  const char* titolo = nullptr;  // nullptr: no more columns
  Dato dato = Dato::indice;
};
enum class Registrazione : uint8_t { nessuna, slot, cella };
struct TabellaPagina {
  const char* id = nullptr;  // nullptr: the kind has no table
  const char* titolo = nullptr;
  std::array<Colonna, 3> colonne{};
  Registrazione campi = Registrazione::nessuna;
  const char* descritto_in = nullptr;  // heading of the last column; nullptr: none
};

struct Aspetto {
  Genere genere;
  const char* id;    // for attributes and the page's script: ASCII, no blanks
  const char* nome;  // in the legend
  const char* colore;
  Forma forma;
  // The cell codes that hold a point of this kind; 0 ends the list.
  std::array<uint8_t, 2> codici = {};
  // Beside its row in the profile (the plural for a row of marks); nullptr: no row.
  const char* riga = nullptr;
  Scritta scritta = {};
  Corsia corsia = {};
  InPianta pianta = {};
  TabellaPagina tabella = {};
};

const Aspetto& aspetto(Genere g);
// Every kind, in legend order.
std::span<const Aspetto> aspetti();

}  // namespace scenario::strumenti
