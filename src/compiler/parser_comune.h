#pragma once
// What the two halves of the reader share.

#include <cstdint>
#include <optional>

#include "compiler/lettura_campi.h"
#include "compiler/problemi.h"
#include "compiler/stato.h"
#include "base/disco.h"

namespace scenario {

// The position check of a record: false (and problem 15 at p) when
// n < (p + margine) / 50, n being the last cell. Needs the cells.
bool posizione_ammessa(Stato& stato, int32_t p, int32_t margine = 100);

// The field just read becomes the place that problems refer to.
inline void segna_origine(Stato& stato, const LetturaCampi& lettore, Sorgente sorgente) {
  stato.origine_corrente = {sorgente, lettore.riga_campo(), lettore.colonna_campo()};
}

// Reads one field with the reader's member function and makes it the place
// that problems refer to, also when the read fails.
template <typename Lettura>
auto leggi_segnato(Stato& stato, LetturaCampi& f, Sorgente sorgente, Lettura lettura) {
  struct Segna {
    Stato& stato;
    const LetturaCampi& f;
    Sorgente sorgente;
    ~Segna() { segna_origine(stato, f, sorgente); }
  } segna{stato, f, sorgente};
  return (f.*lettura)();
}

// Line description. Returns the next free board slot, or nothing when the
// reading must stop here (the train description is then not read).
std::optional<int32_t> leggi_descrizione_linea(Stato& stato, Disco& disco, const Percorso& p);

// Train description, with the board slot the line description left.
void leggi_descrizione_treno(Stato& stato, Disco& disco, const Percorso& t, int32_t slot_cartello);

}  // namespace scenario
