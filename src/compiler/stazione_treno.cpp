// A station record of the train description: its slot, its zone along the
// line and the cells that mark where the train stops.

#include "base/codici.h"
#include "compiler/lettura_treno.h"
#include "compiler/numeri.h"

namespace scenario::treno {
namespace {

// Kinds 5 and 6 and kinds 25 and above have no approach marks.
bool ha_avvicinamento(uint8_t tipo) { return tipo < 25 && tipo != 5 && tipo != 6; }
bool ha_fermata(uint8_t tipo) { return tipo < 25; }

// Zone from the kind, the position and the platform length.
void calcola_zona(scenario::stazione& st, int32_t len) {
  const int32_t p = st.posizione_stazione;
  switch (st.tipo_stazione) {
    case 5:
    case 6:
      st.fine_zona = a32(int64_t{p} + 150);
      st.inizio_zona = a32(int64_t{p} - len);
      st.campo6 = 0;
      break;
    case 7:
    case 8:
      st.inizio_zona = a32(int64_t{p} - len);
      st.fine_zona = a32(int64_t{p} + len);
      st.campo6 = 0;
      break;
    default:
      st.inizio_zona = arrotonda_long(p - len / 2.0);
      st.fine_zona = arrotonda_long(p + len / 2.0 + (st.campo6 != 0 ? 50 : 0));
  }
}

}  // namespace

Esito LetturaTreno::stazione() {
  // With 80 boards even slot 1 holds a board text.
  if (s > slot_cartello) return rifiuta(problema::tabella_piena);

  // Values go into the slot as they are read: a refusal keeps what is there.
  scenario::stazione& st = stato.stazioni[s];
  st.posizione_stazione = numero();
  const int32_t posizione = st.posizione_stazione;
  const Origine campo_posizione = campo_corrente();
  if (!ammessa(posizione, campo_posizione, 800)) return Esito::fine;
  if (posizione % 50 != 0) return rifiuta(problema::stazione_non_multipla, posizione, campo_posizione);

  st.tipo_stazione = byte();
  stato.indice = numero();
  const int32_t len = stato.indice;
  if (len % 100 != 0) return rifiuta(problema::marciapiede_non_multiplo, posizione, campo_corrente());
  st.campo4 = byte();
  st.campo5 = byte();
  st.campo6 = byte();
  st.campo7 = intero();
  st.campo8 = intero();
  st.campo9 = byte();
  st.campo10 = intero();
  st.campo11 = intero();
  st.campo12 = intero();
  st.campo13 = byte();
  const int32_t h = numero();
  const int32_t m = numero();
  const int32_t sec = numero();
  st.orario = a32((int64_t{a32(int64_t{h} * 60 + m)}) * 60 + sec);
  st.nome = testo();

  calcola_zona(st, len);
  if (len < 600) st.campo5 = 0;
  if (s == 1) {
    st.campo6 = 0;
    st.campo5 = 0;
  }

  // The stop cell is the highest cell the station marks.
  const double fermata = st.fine_zona / 50.0 - 1;
  if (ha_fermata(st.tipo_stazione) && fermata > 1 && !stato.celle.contiene(arrotonda_long(fermata)))
    return rifiuta(problema::fuori_celle, posizione);

  if (ha_avvicinamento(st.tipo_stazione)) {
    for (stato.passo = 1; stato.passo <= 4; ++stato.passo) {
      const double x = st.fine_zona / 50.0 - stato.passo - 1;
      if (x > 1) stato.celle[arrotonda_long(x)].avvicinamento = a8(80 + stato.passo);
    }
  }
  if (ha_fermata(st.tipo_stazione)) {
    if (fermata <= 1) return rifiuta(problema::fermata_iniziale);
    cella& c = stato.celle[arrotonda_long(fermata)];
    stato.origine_cella[arrotonda_long(fermata)] = stato.origine_corrente;
    c.codice = codice_cella::fermata;
    c.valore1 = a16(s);
  }

  if (s > 1 && a32(int64_t{st.inizio_zona} - 350) < stato.stazioni[s - 1].fine_zona)
    return rifiuta(problema::stazioni_vicine, posizione);

  ++s;
  if (s >= slot_cartello) return rifiuta(problema::tabella_piena);
  return Esito::avanti;
}

}  // namespace scenario::treno
