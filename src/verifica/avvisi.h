#pragma once
// The check's own rules, in one table beside the table of codes: every
// warning (W01...) and note (N01...) with its stable identifier, what it
// means and the usual fix, in Italian. The README lists them from here.

#include <cstdint>
#include <span>
#include <string>

#include "verifica/diagnostica.h"

namespace scenario::verifica {

enum class Avviso : int32_t {
  chiave_sconosciuta = 1,
  sezione_sconosciuta,
  record_dell_altro_testo,
  record_fuori_posto,
  treno_senza_generale,
  valore_in_piu,
  record_continua,
  oltre_la_linea,
  fuori_ordine,
  stessa_cella,
  curva_sovrapposta,
  posizione_arrotondata,
  testo_utf8,
  scheda_stazioni,
  scheda_orari,
  scheda_velocita,
  scheda_protezione,
  indicatori_e_velocita,
  riga_di_commento,
  chilometri,
};

enum class Nota : int32_t {
  arresto = 1,
  treno_non_letto,
  senza_celle,
  scheda_senza_tabella,
  capolinea_oltre_la_linea,
  scheda_maiuscole,
  omesse,
};

struct Regola {
  Gravita gravita;  // avviso or nota
  int32_t numero;
  // On one line, Italian with its accents: the tool shows them in UTF-8 only.
  const char* significato;
  const char* suggerimento;
};

// Warnings then notes, each by increasing number.
std::span<const Regola> tabella_regole();

const Regola& regola(Avviso a);
const Regola& regola(Nota n);

// "W01", "N03".
std::string identificatore(const Regola& r);

}  // namespace scenario::verifica
