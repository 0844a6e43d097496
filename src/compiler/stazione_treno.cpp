// A station record of the train description: its slot, its zone along the
// line and the cells that mark where the train stops.

#include "base/codici.h"
#include "compiler/lettura_treno.h"
#include "compiler/numeri.h"
#include "compiler/stampaggio.h"

namespace scenario::treno {
namespace {

// A station must leave this many metres of cells after its position.
constexpr int32_t margine_stazione = 800;
// Platform lengths go by 100 m; below 600 m campo5 is cleared.
constexpr int32_t passo_marciapiede = 100;
constexpr int32_t marciapiede_campo5 = 600;
// The zone of kinds 5 and 6 ends this far after the position.
constexpr int32_t oltre_tipo_5_6 = 150;
// A zone must start this far after the previous station's zone ends.
constexpr int32_t distanza_stazioni = 350;
// The approach marks of a stop, one cell apart, read 81 to 84.
constexpr int32_t base_avvicinamento = 80;

// Kinds 5 and 6 and kinds 25 and above have no approach marks.
bool ha_avvicinamento(uint8_t tipo) { return tipo < 25 && tipo != 5 && tipo != 6; }
bool ha_fermata(uint8_t tipo) { return tipo < 25; }

// Zone from the kind, the position and the platform length.
void calcola_zona(scenario::stazione& st, int32_t len) {
  const int32_t p = st.posizione_stazione;
  switch (st.tipo_stazione) {
    case 5:
    case 6:
      st.fine_zona = a32(int64_t{p} + oltre_tipo_5_6);
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
      // campo6 takes the zone's end, and with it the stop cell, one cell on.
      st.inizio_zona = arrotonda_long(p - len / 2.0);
      st.fine_zona = arrotonda_long(p + len / 2.0 + (st.campo6 != 0 ? metri_cella : 0));
  }
}

}  // namespace

Esito LetturaTreno::stazione() {
  // With 80 boards even slot 1 holds a board text.
  if (s > slot_cartello) return rifiuta(problema::tabella_piena, riga.campo);

  // Values go into the slot as they are read: a refusal keeps what is there.
  scenario::stazione& st = stato.stazioni[s];
  const Letto<int32_t> posizione = numero();
  st.posizione_stazione = posizione;
  riferisci_a(riga.campo);
  if (!ammessa(posizione, margine_stazione)) return Esito::fine;
  if (posizione % metri_cella != 0) return rifiuta(problema::stazione_non_multipla, posizione.campo, posizione);

  st.tipo_stazione = byte();
  const Letto<int32_t> len = numero();
  if (len % passo_marciapiede != 0) return rifiuta(problema::marciapiede_non_multiplo, len.campo, posizione);
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
  const Letto<std::string> nome = testo();
  st.nome = nome;

  calcola_zona(st, len);
  if (len < marciapiede_campo5) st.campo5 = 0;
  if (s == 1) {
    st.campo6 = 0;
    st.campo5 = 0;
  }

  // The stop cell is the highest cell the station marks.
  const double fermata = in_celle(st.fine_zona) - 1;
  if (ha_fermata(st.tipo_stazione) && fermata > 1 && !stato.celle.contiene(arrotonda_long(fermata)))
    return rifiuta(problema::fuori_celle, posizione.campo, posizione);

  if (ha_avvicinamento(st.tipo_stazione)) {
    for (int32_t passo = 1; passo <= passi_avvicinamento; ++passo) {
      const double x = in_celle(st.fine_zona) - passo - 1;
      if (x > 1) stato.celle[arrotonda_long(x)].avvicinamento = a8(base_avvicinamento + passo);
    }
  }
  if (ha_fermata(st.tipo_stazione)) {
    if (fermata <= 1) return rifiuta(problema::fermata_iniziale, posizione.campo);
    cella& c = stato.celle[arrotonda_long(fermata)];
    // The stop cell points at the station's name.
    stato.origine_cella[arrotonda_long(fermata)] = nome.campo;
    c.codice = codice_cella::fermata;
    c.valore1 = a16(s);
  }

  if (s > 1 && a32(int64_t{st.inizio_zona} - distanza_stazioni) < stato.stazioni[s - 1].fine_zona)
    return rifiuta(problema::stazioni_vicine, posizione.campo, posizione);

  ++s;
  if (s >= slot_cartello) return rifiuta(problema::tabella_piena, riga.campo);
  return Esito::avanti;
}

}  // namespace scenario::treno
