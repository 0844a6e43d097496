#pragma once
// The kinds of thing the drawings of a line show, one row each: name,
// colour, mark, its labels, its lane and row in the profile, where it stands
// in the plan and its table on the report's page. The plan, the profile,
// their legends, the page and the reading of a line (quadro) all take their
// kinds from here, so that a new kind is one row.

#include <array>
#include <cstddef>
#include <cstdint>
#include <iterator>
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
  // The cell codes that hold a point of this kind; 0 ends the list. What
  // their fields keep reads back as written through formati/valori_celle.h.
  std::array<uint8_t, 2> codici = {};
  // Beside its row in the profile (the plural for a row of marks); nullptr: no row.
  const char* riga = nullptr;
  Scritta scritta = {};
  Corsia corsia = {};
  InPianta pianta = {};
  TabellaPagina tabella = {};
};

// The table: a new kind of feature is one more row.
namespace generi {
namespace cc = codice_cella;
using enum Posto;
using enum Dato;
using enum Registrazione;

inline constexpr std::array<Colonna, 3> di_cella{{{"cella", indice}, {"posizione (m)", metro}}};

// In the order of Genere.
inline constexpr Aspetto tabella[] = {
    {.genere = Genere::stazione,
     .id = "stazione",
     .nome = "stazione",
     .colore = "#000000",
     .forma = Forma::anello,
     .riga = "stazioni",
     .scritta = {11, true},
     .corsia = {0, 4},
     .pianta = {sul_binario, 50},
     .tabella = {"stazioni", "Stazioni (tabella .sim)", {{{"slot", indice}}}, slot, "descritta in"}},
    {.genere = Genere::segnale,
     .id = "segnale",
     .nome = "segnale",
     .colore = "#d62728",
     .forma = Forma::punto,
     .codici = {cc::segnale},
     .riga = "segnali",
     .pianta = {accanto},
     .tabella = {"segnali", "Segnali", di_cella, cella, "descritto in"}},
    {.genere = Genere::indicatori,
     .id = "indicatori",
     .nome = "indicatori di velocità massima",
     .colore = "#1f77b4",
     .forma = Forma::quadrato,
     .codici = {cc::indicatori_vmax},
     .riga = "indicatori",
     .scritta = {9},
     .corsia = {2, 3},
     .pianta = {accanto},
     .tabella = {"indicatori", "Indicatori di velocità massima", di_cella, cella, "descritti in"}},
    {.genere = Genere::cartello,
     .id = "cartello",
     .nome = "cartello indicatore",
     .colore = "#2ca02c",
     .forma = Forma::rombo,
     .codici = {cc::cartello},
     .riga = "cartelli",
     .scritta = {9},
     .corsia = {1, 3},
     .pianta = {accanto, 30, true},
     .tabella = {"cartelli",
                 "Cartelli indicatori",
                 {{{"cella", indice}, {"posizione (m)", metro}, {"testo", etichetta}}},
                 cella,
                 "descritto in"}},
    {.genere = Genere::avviso,
     .id = "avviso",
     .nome = "avviso di rallentamento",
     .colore = "#ff7f0e",
     .forma = Forma::triangolo,
     .codici = {cc::avviso_rallentamento},
     .riga = "avvisi",
     .scritta = {9},
     .corsia = {3, 2},
     .pianta = {accanto},
     .tabella = {"avvisi", "Avvisi di rallentamento", di_cella, cella, "del rallentamento descritto in"}},
    {.genere = Genere::rallentamento,
     .id = "rallentamento",
     .nome = "rallentamento (inizio-fine, km/h)",
     .colore = "#ff7f0e",
     .forma = Forma::fascia,
     .codici = {cc::inizio_rallentamento},
     .pianta = {tratto, 20, true},
     .tabella = {"rallentamenti",
                 "Rallentamenti (cella d'inizio)",
                 {{{"cella", indice}, {"da (m)", metro}, {"a (m)", fine}}},
                 cella,
                 "descritto in"}},
    {.genere = Genere::abbattimento,
     .id = "abbattimento",
     .nome = "abbattimento",
     .colore = "#9467bd",
     .forma = Forma::puntino,
     .codici = {cc::abbattimento, cc::abbattimento_nullo},
     .riga = "abbattimenti",
     .pianta = {sul_binario},
     .tabella = {"abbattimenti", "Abbattimenti", di_cella, cella, "dovuto a"}},
    {.genere = Genere::montagna,
     .id = "montagna",
     .nome = "tratto di montagna",
     .colore = "#8c564b",
     .forma = Forma::barra,
     .riga = "montagna",
     .pianta = {tratto},
     .tabella = {"montagne", "Tratti di montagna", {{{"da (m)", metro}, {"a (m)", fine}, {"tipo", valore}}}}},
    {.genere = Genere::pendenza,
     .id = "pendenza",
     .nome = "pendenza (per mille)",
     .colore = "#7f7f7f",
     .forma = Forma::area},
    {.genere = Genere::velocita,
     .id = "velocita",
     .nome = "velocità massima del treno (km/h)",
     .colore = "#17becf",
     .forma = Forma::gradini},
    {.genere = Genere::fine_linea,
     .id = "fine_linea",
     .nome = "fine della linea e oltre",
     .colore = "#444444",
     .forma = Forma::barra,
     .corsia = {0, 4, 1},
     .pianta = {tratto, 40}},
    {.genere = Genere::problema,
     .id = "problema",
     .nome = "errore dei testi",
     .colore = "#e377c2",
     .forma = Forma::croce,
     .riga = "problemi",
     .scritta = {10, true},
     .corsia = {4, 3},
     .pianta = {sul_binario, 45, true}},
    {.genere = Genere::avvertimento,
     .id = "avvertimento",
     .nome = "avviso o nota dei testi",
     .colore = "#bcbd22",
     .forma = Forma::punto_esclamativo,
     .riga = "avvertimenti",
     .scritta = {10, true},
     .corsia = {5, 3},
     .pianta = {sul_binario, 45, true}},
};

static_assert([] {
  for (size_t i = 0; i < std::size(tabella); ++i)
    if (static_cast<size_t>(tabella[i].genere) != i) return false;
  return true;
}());

}  // namespace generi

constexpr const Aspetto& aspetto(Genere g) { return generi::tabella[static_cast<size_t>(g)]; }
// Every kind, in legend order.
constexpr std::span<const Aspetto> aspetti() { return generi::tabella; }

}  // namespace scenario::strumenti
