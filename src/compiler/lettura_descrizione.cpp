#include "compiler/lettura_descrizione.h"

#include "base/codici.h"
#include "compiler/celle.h"
#include "compiler/numeri.h"

namespace scenario {

LetturaDescrizione::LetturaDescrizione(Stato& stato, Disco& disco, const Percorso& percorso, std::string_view testo,
                                       Sorgente sorgente)
    : stato(stato), disco_(disco), percorso_(percorso), lettore_(testo), sorgente_(sorgente) {}

Origine LetturaDescrizione::campo_letto() const { return {sorgente_, lettore_.riga_campo(), lettore_.colonna_campo()}; }

// The field becomes the place of the compile also when the read fails, so
// that the run-time failure points at it.
template <typename T>
Letto<T> LetturaDescrizione::leggi(T (LetturaCampi::*lettura)()) {
  struct Segna {
    LetturaDescrizione& l;
    ~Segna() { l.stato.origine_corrente = l.campo_letto(); }
  } segna{*this};
  T valore = (lettore_.*lettura)();
  return {std::move(valore), campo_letto()};
}

Letto<std::string> LetturaDescrizione::testo() { return leggi(&LetturaCampi::leggi_testo); }
Letto<int32_t> LetturaDescrizione::numero() { return leggi(&LetturaCampi::leggi_long); }
Letto<int16_t> LetturaDescrizione::intero() { return leggi(&LetturaCampi::leggi_intero); }
Letto<uint8_t> LetturaDescrizione::byte() { return leggi(&LetturaCampi::leggi_byte); }

bool LetturaDescrizione::cerca_generale() {
  for (;;) {
    riga = testo();
    if (fine_testo()) return false;
    if (contiene_ci(riga.valore, "[generale]")) return true;
  }
}

bool LetturaDescrizione::salta_trattini(const Sezione& sezione) {
  for (int k = 0; k < sezione.trattini && contiene(riga.valore, "-"); ++k) {
    riga = testo();
    if (sezione.fine_tra_i_trattini && fine_testo()) return false;
  }
  return true;
}

bool LetturaDescrizione::ammessa(const Letto<int32_t>& posizione, int32_t margine) {
  const int32_t n = stato.celle.ultimo_indice();
  if (n < in_celle(a32(int64_t{posizione.valore} + margine))) {
    stato.registra(problema::fuori_linea, posizione.valore, posizione.campo);
    return false;
  }
  return true;
}

LetturaDescrizione::Esito LetturaDescrizione::rifiuta(int32_t codice, const Origine& dove,
                                                      std::optional<int32_t> posizione) {
  riferisci_a(dove);
  disco_.elimina(percorso_);
  stato.registra(codice, posizione);
  return Esito::uscita;
}

LetturaDescrizione::Esito LetturaDescrizione::dopo_stampaggio(size_t prima, int32_t posizione) {
  if (stato.codice_errore <= 0) return Esito::avanti;
  disco_.elimina(percorso_);
  stato.posiziona_ultimo(prima, posizione);
  return Esito::uscita;
}

}  // namespace scenario
