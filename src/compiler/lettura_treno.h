#pragma once
// The reading of one train description: its records, whose handlers stand in
// parser_treno.cpp and, for the station record, stazione_treno.cpp. The
// reading itself is LetturaDescrizione's.

#include <cstdint>
#include <string_view>

#include "base/disco.h"
#include "compiler/lettura_descrizione.h"
#include "compiler/stato.h"

namespace scenario::treno {

using Esito = LetturaDescrizione::Esito;

struct LetturaTreno : LetturaDescrizione {
  LetturaTreno(Stato& stato, Disco& disco, const Percorso& t, std::string_view testo, int32_t cartello)
      : LetturaDescrizione(stato, disco, t, testo, Sorgente::treno), slot_cartello(cartello) {}

  void leggi();

  // The records. From its position check on, a record's work points at its
  // keyword.
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

  // Gives the previous adhesion to the cells from indice_aderenza up to
  // fino_a, and at least to the first of them.
  void aderenze_fino_a(int32_t fino_a);
  void concludi();

  int32_t slot_cartello;  // the boards hold the slots above it
  int32_t s = 1;          // the next station slot
  int32_t indice_velocita = 0;
  int32_t indice_aderenza = 0;
  int32_t velocita_prec = 0;
  int32_t aderenza_prec = 0;
};

}  // namespace scenario::treno
