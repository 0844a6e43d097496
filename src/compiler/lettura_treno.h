#pragma once
// The working state of one reading of a train description, shared by the
// record handlers of parser_treno.cpp and stazione_treno.cpp.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "compiler/lettura_campi.h"
#include "compiler/parser_comune.h"
#include "compiler/problemi.h"
#include "compiler/stato.h"
#include "base/disco.h"

namespace scenario::treno {

// How a record leaves the reading.
enum class Esito {
  avanti,  // on to the next record
  fine,    // stop reading; deletion, completion and final check still run
  uscita,  // the text is already deleted: return at once
};

struct LetturaTreno {
  LetturaTreno(Stato& st, Disco& d, const Percorso& testo_treno, std::string_view testo, int32_t cartello)
      : stato(st), disco(d), t(testo_treno), lettore(testo), slot_cartello(cartello) {}

  Stato& stato;
  Disco& disco;
  const Percorso& t;
  LetturaCampi lettore;
  int32_t slot_cartello;  // the boards hold the slots above it
  int32_t s = 1;          // the next station slot
  int32_t indice_velocita = 0;
  int32_t indice_aderenza = 0;
  int32_t velocita_prec = 0;
  int32_t aderenza_prec = 0;
  Origine chiave;  // the keyword of the record being read

  void cerca_generale();
  Esito leggi_record();
  void concludi();

  Esito massa_frenata();
  Esito vetture();
  Esito velocita();
  Esito aderenza();
  Esito orologio();
  Esito sabbia();
  Esito segnale();
  Esito rallentamento();
  Esito abbattimento();
  Esito stazione();

  // Reads one field and makes it the place problems refer to, also when the
  // read fails.
  std::string testo() { return segnato(&LetturaCampi::leggi_testo); }
  int32_t numero() { return segnato(&LetturaCampi::leggi_long); }
  int16_t intero() { return segnato(&LetturaCampi::leggi_intero); }
  uint8_t byte() { return segnato(&LetturaCampi::leggi_byte); }
  template <typename T>
  T segnato(T (LetturaCampi::*lettura)()) {
    return leggi_segnato(stato, lettore, Sorgente::treno, lettura);
  }

  // Where the field just read stands.
  Origine campo_corrente() const;
  // Deletes the text and records the problem, pointing at the keyword
  // unless told otherwise.
  Esito rifiuta(int32_t codice, std::optional<int32_t> posizione = std::nullopt);
  Esito rifiuta(int32_t codice, std::optional<int32_t> posizione, const Origine& dove);
  // The position check, its problem pointing at the position field.
  bool ammessa(int32_t p, const Origine& campo, int32_t margine = 100);
  Esito dopo_stampaggio(size_t prima, int32_t p);
};

}  // namespace scenario::treno
