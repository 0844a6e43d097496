// Second half of the reader: the train description. Fills slots 84 and 86
// and the station slots from 1 upwards, the speed and adhesion bytes of the
// cells, and stamps signals, slowdowns, speed reductions and station stops.

#include <optional>
#include <string>
#include <string_view>

#include "base/codici.h"
#include "compiler/lettura_treno.h"
#include "compiler/numeri.h"
#include "compiler/parser_comune.h"
#include "compiler/stampaggio.h"

namespace scenario {
namespace treno {

Origine LetturaTreno::campo_corrente() const {
  return {Sorgente::treno, lettore.riga_campo(), lettore.colonna_campo()};
}

Esito LetturaTreno::rifiuta(int32_t codice, std::optional<int32_t> posizione) {
  return rifiuta(codice, posizione, chiave);
}

Esito LetturaTreno::rifiuta(int32_t codice, std::optional<int32_t> posizione, const Origine& dove) {
  disco.elimina(t);
  stato.origine_corrente = dove;
  stato.registra(codice, posizione);
  return Esito::uscita;
}

bool LetturaTreno::ammessa(int32_t p, const Origine& campo, int32_t margine) {
  stato.origine_corrente = campo;
  const bool ok = posizione_ammessa(stato, p, margine);
  stato.origine_corrente = chiave;
  return ok;
}

namespace {

// One record test: the keyword must contain both words (case ignored).
struct Prova {
  std::string_view parola1;
  std::string_view parola2;
  Esito (LetturaTreno::*gestisci)();
};

// Every test that matches acts, in this order, each reading its own values.
constexpr Prova prove[] = {
    {"frenata", "massa", &LetturaTreno::massa_frenata},
    {"vetture", "", &LetturaTreno::vetture},
    {"velocit", "", &LetturaTreno::velocita},
    {"aderenza", "", &LetturaTreno::aderenza},
    {"orologio", "", &LetturaTreno::orologio},
    {"sabbia", "", &LetturaTreno::sabbia},
    {"segnale", "", &LetturaTreno::segnale},
    {"rallentamento", "", &LetturaTreno::rallentamento},
    {"abbattimento", "", &LetturaTreno::abbattimento},
    {"stazione", "", &LetturaTreno::stazione},
};

}  // namespace

Esito LetturaTreno::massa_frenata() {
  stato.stazioni[slot::treno].inizio_zona = numero();
  return Esito::avanti;
}

Esito LetturaTreno::vetture() {
  stato.stazioni[slot::treno].posizione_stazione = numero();
  return Esito::avanti;
}

Esito LetturaTreno::orologio() {
  scenario::stazione& g = stato.stazioni[slot::globale];
  g.campo10 = intero();
  g.campo11 = intero();
  g.campo12 = intero();
  return Esito::avanti;
}

Esito LetturaTreno::sabbia() {
  stato.stazioni[slot::globale].campo7 = intero();
  return Esito::avanti;
}

Esito LetturaTreno::velocita() {
  const int32_t p = numero();
  const Origine campo = campo_corrente();
  const int32_t v = numero();
  if (!ammessa(p, campo)) return Esito::fine;
  const int32_t m = arrotonda_long(p / 50.0);
  const int32_t n = stato.celle.ultimo_indice();
  if (m > 0) {
    do {
      if (indice_velocita >= n) break;
      stato.celle[indice_velocita].velocita_max = arrotonda_byte(velocita_prec / 5.0);
      ++indice_velocita;
    } while (indice_velocita < m);
  }
  velocita_prec = v;
  return Esito::avanti;
}

Esito LetturaTreno::aderenza() {
  const int32_t p = numero();
  const Origine campo = campo_corrente();
  const int32_t a = numero();
  if (!ammessa(p, campo)) return Esito::fine;
  const int32_t m = arrotonda_long(p / 50.0);
  if (m > 0) {
    do {
      stato.celle[indice_aderenza].aderenza = a8(aderenza_prec);
      ++indice_aderenza;
    } while (indice_aderenza < m);
  }
  aderenza_prec = a;
  return Esito::avanti;
}

Esito LetturaTreno::segnale() {
  int32_t v[11];
  v[0] = numero();
  const Origine campo = campo_corrente();
  for (int k = 1; k < 11; ++k) v[k] = numero();
  if (!ammessa(v[0], campo)) return Esito::fine;
  const size_t prima = stato.problemi.size();
  memo_segnale(stato, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10]);
  return dopo_stampaggio(prima, v[0]);
}

Esito LetturaTreno::rallentamento() {
  int32_t v[6];
  v[0] = numero();
  const Origine campo = campo_corrente();
  for (int k = 1; k < 6; ++k) v[k] = numero();
  if (!ammessa(v[0], campo)) return Esito::fine;
  const size_t prima = stato.problemi.size();
  memo_rallentamento(stato, v[0], v[1], v[2], v[3], v[4], v[5]);
  return dopo_stampaggio(prima, v[0]);
}

// A code left by the stamping call, or by anything earlier, ends the reading.
Esito LetturaTreno::dopo_stampaggio(size_t prima, int32_t p) {
  if (stato.codice_errore <= 0) return Esito::avanti;
  disco.elimina(t);
  stato.posiziona_ultimo(prima, p);
  return Esito::uscita;
}

Esito LetturaTreno::abbattimento() {
  const int32_t p = numero();
  const Origine campo = campo_corrente();
  const int32_t v = numero();
  if (!ammessa(p, campo)) return Esito::fine;
  // The position check bounds the cell from above only.
  const int32_t i = arrotonda_long(p / 50.0);
  if (!stato.celle.contiene(i)) return rifiuta(problema::fuori_celle, p);
  cella& c = stato.celle[i];
  if (!libera(c)) return rifiuta(problema::abbattimento_occupato, p);
  stato.origine_cella[i] = stato.origine_corrente;
  if (v > 0) {
    c.codice = codice_cella::abbattimento;
    c.valore1 = a16(v);
  } else {
    c.codice = codice_cella::abbattimento_nullo;
  }
  return Esito::avanti;
}

void LetturaTreno::cerca_generale() {
  do stato.riga = testo();
  while (!lettore.fine_file() && !contiene_ci(stato.riga, "[generale]"));
}

Esito LetturaTreno::leggi_record() {
  for (;;) {
    if (lettore.fine_file()) return Esito::fine;
    stato.riga = testo();
    if (lettore.fine_file()) return Esito::fine;
    for (int k = 0; k < 2; ++k) {
      if (!contiene(stato.riga, "-")) break;
      stato.riga = testo();
      if (lettore.fine_file()) return Esito::fine;
    }
    chiave = stato.origine_corrente;
    for (const Prova& prova : prove) {
      if (!contiene_ci(stato.riga, prova.parola1) || !contiene_ci(stato.riga, prova.parola2)) continue;
      const Esito esito = (this->*prova.gestisci)();
      if (esito != Esito::avanti) return esito;
    }
  }
}

void LetturaTreno::concludi() {
  disco.elimina(t);
  Celle& celle = stato.celle;
  const int32_t n = celle.ultimo_indice();
  // Both profiles run on to n - 2 with the last value read.
  do celle[indice_velocita++].velocita_max = arrotonda_byte(velocita_prec / 5.0);
  while (indice_velocita < n - 2);
  do celle[indice_aderenza++].aderenza = a8(aderenza_prec);
  while (indice_aderenza < n - 2);

  for (int32_t k : {slot::progressiva_tre, slot::progressiva_due, slot::progressiva_uno}) {
    const scenario::stazione& r = stato.stazioni[k];
    if (r.inizio_zona % 50 != 0 || r.fine_zona % 50 != 0) {
      stato.origine_corrente = Origine{};
      stato.registra(problema::progressiva_non_multipla);
      break;
    }
  }
}

}  // namespace treno

void leggi_descrizione_treno(Stato& stato, Disco& disco, const Percorso& t, int32_t slot_cartello) {
  // A text that cannot be read is a failure of the train description.
  stato.origine_corrente = {Sorgente::treno, 0, 0};
  const std::string testo = disco.leggi(t);
  treno::LetturaTreno lettura(stato, disco, t, testo, slot_cartello);
  lettura.cerca_generale();
  if (lettura.leggi_record() == treno::Esito::uscita) return;
  lettura.concludi();
}

}  // namespace scenario
