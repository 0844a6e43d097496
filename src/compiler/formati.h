#pragma once
// The two description formats as data: every record kind of the line and of
// the train description, its keyword test, and its values in the order the
// reader takes them, each with its name, meaning, unit, limits and the
// problem codes it can raise. The readers' record tables point at these
// entries for their keyword tests; the authors' tool counts values, names
// fields and explains records from the same entries.
//
// The texts are plain ASCII, so that they read the same in Windows-1252 and
// UTF-8.

#include <cstdint>
#include <span>
#include <string_view>

#include "compiler/problemi.h"

namespace scenario::formato {

// How a value is read: a 32-bit, 16-bit or 8-bit number field, or a text field.
enum class Tipo : uint8_t { numero, intero, byte, testo };

// What a value is along the line, for the checks that look at positions.
enum class Ruolo : uint8_t {
  valore,              // not a place along the line
  punto,               // a point feature: its cell is round(p / 50 + 1)
  inizio_tratto,       // the value holds from its cell, round(p / 50), onward
  fine_tratto,         // the last cell is round(p / 50 - 1)
  metro,               // metre by metre, no cell rounding (the profile)
  posizione_stazione,  // a station position: a multiple of 50 (code 8)
  estensione,          // a length from the record's position
};

// Where a value goes in the station table, for the slots that hold no
// station; slot -1 for the others.
struct Destinazione {
  int32_t slot = -1;
  std::string_view campo = {};  // the slot's member, as the record layout names it
};

struct Valore {
  std::string_view nome;
  std::string_view significato;
  std::string_view unita;  // empty for none
  Tipo tipo;
  // The values the compiler takes as meant (a value outside the field's own
  // range is a run-time failure; inside it but outside these it is stored
  // wrapped or refused, as significato says).
  int64_t minimo;
  int64_t massimo;
  int32_t passo = 0;  // the value must be a multiple of this; 0 = any
  Ruolo ruolo = Ruolo::valore;
  Destinazione destinazione = {};
};

// A keyword test: the field contains parola and altra (an empty altra always
// matches), telling capitals from small letters or not (ASCII only).
struct Chiave {
  std::string_view parola;
  std::string_view altra;
  bool maiuscole_contano = false;

  bool corrisponde(std::string_view campo) const;
};

// Where a record is read: in the line's general section, or in the sections
// after it (the whole train description after "[generale]").
enum class Parte : uint8_t { generale, sezioni };

struct Record {
  std::string_view nome;     // an identifier: "pendenza", "cartello_indicatore"
  std::string_view esempio;  // the keyword as authors write it
  Chiave chiave;
  Parte parte;
  std::string_view sezione;  // the header it usually stands under
  std::string_view significato;
  std::span<const Valore> valori;
  std::span<const int32_t> codici;  // the problem codes the record can raise
  // Below the record's position this many metres of cells must remain (code 15).
  int32_t margine = 0;

  // The index of the value of that name; the value count when there is none.
  size_t indice(std::string_view nome_valore) const;
};

struct Testo {
  Sorgente sorgente;
  std::string_view nome;                      // "descrizione della linea"
  std::string_view file;                      // the installed name, R and T standing for the names
  std::string_view carico;                    // the name in a payload folder
  std::span<const Record* const> record;      // in the readers' order
  std::span<const std::string_view> sezioni;  // the headers authors write
};

const Testo& linea();
const Testo& treno();
const Testo& di(Sorgente sorgente);  // linea() or treno()

// The record kinds, one object each: the readers' tables take their addresses.
// Line description, general section.
extern const Record lunghezza_percorso, progressiva_tre, progressiva_due, progressiva_uno, sfondo_uno, sfondo_due,
    sfondo_tre, ripetizione_segnali;
// Line description, the sections after it.
extern const Record pendenza, curva, montagna, indicatori_vmax, cartello_indicatore;
// Train description.
extern const Record massa_frenata, numero_vetture, velocita, aderenza, orologio, sabbia, segnale, rallentamento,
    abbattimento, stazione;

// The degrees of a curve: the first of these digits the keyword holds
// gives the turn per metre; an "s" in it (any case) turns the other way.
struct Curvatura {
  const char* cifra;
  double curvatura;
};
inline constexpr Curvatura curvature[] = {{"1", 0.0001}, {"2", 0.0002}, {"3", 0.0004},
                                          {"4", 0.001},  {"5", 0.002},  {"6", 0.003}};

// The first record of the text, in the readers' order, whose keyword test
// the field passes; nullptr when none does.
const Record* primo_che_corrisponde(const Testo& testo, std::string_view campo);

// A section header: a field holding "[" and "]" that does not start with "-".
bool intestazione(std::string_view campo);

}  // namespace scenario::formato
