// Second half of the reader: the train description. Fills slots 84 and 86
// and the station slots from 1 upwards, the speed and adhesion bytes of the
// cells, and stamps signals, slowdowns, speed reductions and station stops.

#include <string>

#include "base/codici.h"
#include "compiler/formati.h"
#include "compiler/lettura_treno.h"
#include "compiler/memorizza_dati.h"
#include "compiler/numeri.h"
#include "compiler/stampaggio.h"

namespace scenario {
namespace treno {
namespace {

using Record = LetturaDescrizione::Record<LetturaTreno>;

// After "[generale]", to the end of the text.
constexpr LetturaDescrizione::Sezione sezione{2, true};
constexpr Record record[] = {
    {&formato::massa_frenata, &LetturaTreno::massa_frenata},  // braked mass
    {&formato::numero_vetture, &LetturaTreno::vetture},       // coaches
    {&formato::velocita, &LetturaTreno::velocita},            // position, line speed
    {&formato::aderenza, &LetturaTreno::aderenza},            // position, adhesion
    {&formato::orologio, &LetturaTreno::orologio},            // hours, minutes, seconds
    {&formato::sabbia, &LetturaTreno::sabbia},                // sand
    {&formato::segnale, &LetturaTreno::segnale},              // position, ten signal values
    {&formato::rallentamento, &LetturaTreno::rallentamento},  // position, five slowdown values
    {&formato::abbattimento, &LetturaTreno::abbattimento},    // position, speed
    {&formato::stazione, &LetturaTreno::stazione},            // position, kind, platform, ... name
};

// The cells hold line speed / 5.
uint8_t velocita_in_cella(int32_t v) { return arrotonda_byte(v / 5.0); }

}  // namespace

void LetturaTreno::leggi() {
  // Without "[generale]" the reading finds the end of the text at once.
  cerca_generale();
  if (leggi_sezione(record, sezione) == Esito::uscita) return;
  fuori_dai_record([&] { concludi(); });
}

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
  const Letto<int32_t> p = numero();
  const int32_t v = numero();
  riferisci_a(riga.campo);
  if (!ammessa(p)) return Esito::fine;
  const int32_t m = arrotonda_long(in_celle(p));
  const int32_t n = stato.celle.ultimo_indice();
  if (m > 0) {
    do {
      if (indice_velocita >= n) break;
      stato.celle[indice_velocita].velocita_max = velocita_in_cella(velocita_prec);
      ++indice_velocita;
    } while (indice_velocita < m);
  }
  velocita_prec = v;
  return Esito::avanti;
}

Esito LetturaTreno::aderenza() {
  const Letto<int32_t> p = numero();
  const int32_t a = numero();
  riferisci_a(riga.campo);
  if (!ammessa(p)) return Esito::fine;
  const int32_t m = arrotonda_long(in_celle(p));
  if (m > 0) aderenze_fino_a(m);
  aderenza_prec = a;
  return Esito::avanti;
}

Esito LetturaTreno::segnale() {
  const Letto<int32_t> posizione = numero();
  const int32_t sx = numero(), s1 = numero(), s2 = numero(), s3 = numero(), rapp = numero();
  const int32_t dx = numero(), d1 = numero(), d2 = numero(), d3 = numero();
  int32_t tempo = numero();
  riferisci_a(riga.campo);
  if (!ammessa(posizione)) return Esito::fine;
  return stampa(posizione, [&] { memo_segnale(stato, posizione, sx, s1, s2, s3, rapp, dx, d1, d2, d3, tempo); });
}

Esito LetturaTreno::rallentamento() {
  const Letto<int32_t> x = numero();
  const int32_t v = numero(), l = numero(), f_tt = numero(), f_ta = numero(), d_v = numero();
  riferisci_a(riga.campo);
  if (!ammessa(x)) return Esito::fine;
  return stampa(x, [&] { memo_rallentamento(stato, x, v, l, f_tt, f_ta, d_v); });
}

Esito LetturaTreno::abbattimento() {
  const Letto<int32_t> p = numero();
  const int32_t v = numero();
  riferisci_a(riga.campo);
  if (!ammessa(p)) return Esito::fine;
  // The position check bounds the cell from above only.
  const int32_t i = arrotonda_long(in_celle(p));
  if (!stato.celle.contiene(i)) return rifiuta(problema::fuori_celle, p.campo, p);
  cella& c = stato.celle[i];
  if (!libera(c)) return rifiuta(problema::abbattimento_occupato, p.campo, p);
  stato.origine_cella[i] = riga.campo;
  if (v > 0) {
    c.codice = codice_cella::abbattimento;
    c.valore1 = a16(v);
  } else {
    c.codice = codice_cella::abbattimento_nullo;
  }
  return Esito::avanti;
}

void LetturaTreno::aderenze_fino_a(int32_t fino_a) {
  do {
    stato.celle[indice_aderenza].aderenza = a8(aderenza_prec);
    ++indice_aderenza;
  } while (indice_aderenza < fino_a);
}

void LetturaTreno::concludi() {
  elimina_testo();
  Celle& celle = stato.celle;
  const int32_t n = celle.ultimo_indice();
  // Both profiles run on to n - 2 with the last value read.
  do celle[indice_velocita++].velocita_max = velocita_in_cella(velocita_prec);
  while (indice_velocita < n - 2);
  aderenze_fino_a(n - 2);

  for (int32_t k : {slot::progressiva_tre, slot::progressiva_due, slot::progressiva_uno}) {
    const scenario::stazione& r = stato.stazioni[k];
    if (r.inizio_zona % metri_cella != 0 || r.fine_zona % metri_cella != 0) {
      // Read with the line description: no field of this text.
      riferisci_a(Origine{});
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
  treno::LetturaTreno(stato, disco, t, testo, slot_cartello).leggi();
}

}  // namespace scenario
