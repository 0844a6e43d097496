#pragma once
// How the values an author wrote sit in a cell's fields, and back: a speed
// indicator's "130" is stored as 2600 (times 20), a signal's aspects as one
// number (left times 10 plus right), the line speed as a fifth, the gradient
// plus 100. One table, read by the dump, the drawings, the report page and
// the editor's hover, so that each shows the author's values.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/formati.h"
#include "compiler/records.h"

namespace scenario::strumenti {

// A value of a record as the author wrote it, recovered from a cell.
struct ValoreScritto {
  std::string_view nome;  // the value's name in the formats table: "vas", "s1"
  int64_t numero = 0;
  std::string_view unita;  // as people read it: "km/h", "\u2030"; empty for none

  std::string testo() const;  // "130 km/h", "4"
};

// The values of the record a cell of this kind holds, in the record's order,
// for those its fields keep; empty when the cell keeps none.
std::vector<ValoreScritto> valori_scritti(const cella& c);
// "vas 130 km/h, vbs 120 km/h"
std::string testo_valori(const std::vector<ValoreScritto>& valori);

// What a stored field of the cell reads as ("120 km/h", "s1 4, d1 3");
// empty where the number alone says it.
std::string lettura_campo(const cella& c, std::string_view campo, int64_t valore);

// The value a range field kept in every cell (velocita_max, pendenza) stands
// for, as written: 24 is 120 km/h.
int64_t valore_di_tratto(std::string_view campo, int64_t memorizzato);

// Where a value of a record goes in a cell, as a formula: "valore1 = vas x 20
// + vad / 5"; empty for a value no cell field composes.
std::string formula_nella_cella(const formato::Record& record, std::string_view valore);

// A unit as people read it: "per mille" as the sign.
std::string_view simbolo_unita(std::string_view unita);

}  // namespace scenario::strumenti
