#include "compiler/lettura_descrizione.h"

#include "base/codici.h"
#include "compiler/celle.h"
#include "compiler/memorizza_dati.h"
#include "compiler/numeri.h"

namespace scenario {

LetturaDescrizione::LetturaDescrizione(Stato& stato, Disco& disco, const Percorso& percorso, std::string_view testo,
                                       Sorgente sorgente)
    : stato(stato),
      disco_(disco),
      percorso_(percorso),
      lettore_(testo),
      sorgente_(sorgente),
      osservatore_(stato.osservatore),
      prima_della_chiave_(testo) {
  if (osservatore_) osservatore_->inizio_testo(sorgente);
}

Origine LetturaDescrizione::campo_letto() const { return {sorgente_, lettore_.riga_campo(), lettore_.colonna_campo()}; }

// The field becomes the place of the compile also when the read fails, so
// that the run-time failure points at it.
namespace {

ValoreLetto valore_letto(const std::string& v) { return {0, v, {}, false}; }
template <typename T>
ValoreLetto valore_letto(T v) {
  return {v, {}, {}, false};
}

}  // namespace

template <typename T>
Letto<T> LetturaDescrizione::leggi(T (LetturaCampi::*lettura)()) {
  struct Segna {
    LetturaDescrizione& l;
    ~Segna() { l.stato.origine_corrente = l.campo_letto(); }
  } segna{*this};
  T valore = (lettore_.*lettura)();
  Letto<T> letto{std::move(valore), campo_letto()};
  RecordInCorso& r = stato.record_in_corso;
  if (r.formato) {
    if (letto.campo.riga == r.chiave.riga) ++r.valori_sulla_riga;
    if (osservatore_) {
      ValoreLetto v = valore_letto(letto.valore);
      v.campo = letto.campo;
      v.inizio_riga = lettore_.campo_a_inizio_riga();
      record_.valori.push_back(std::move(v));
    }
  }
  return letto;
}

Letto<std::string> LetturaDescrizione::testo() { return leggi(&LetturaCampi::leggi_testo); }
Letto<int32_t> LetturaDescrizione::numero() { return leggi(&LetturaCampi::leggi_long); }
Letto<int16_t> LetturaDescrizione::intero() { return leggi(&LetturaCampi::leggi_intero); }
Letto<uint8_t> LetturaDescrizione::byte() { return leggi(&LetturaCampi::leggi_byte); }

bool LetturaDescrizione::cerca_generale() {
  for (;;) {
    riga = testo();
    if (fine_testo()) {
      if (osservatore_) osservatore_->senza_generale(sorgente_);
      return false;
    }
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
  // Reading on, the text stays for the completion to delete.
  if (!stato.prosegui) disco_.elimina(percorso_);
  stato.registra(codice, posizione);
  return Esito::uscita;
}

LetturaDescrizione::Esito LetturaDescrizione::dopo_stampaggio(size_t prima, int32_t posizione) {
  if (stato.codice_errore <= 0) return Esito::avanti;
  if (!stato.prosegui) disco_.elimina(percorso_);
  stato.posiziona_ultimo(prima, posizione);
  return Esito::uscita;
}

void LetturaDescrizione::inizia_record(const formato::Record& f) {
  problemi_prima_ = stato.problemi.size();
  stato.record_in_corso = {&f, riga.campo, 0};
  if (osservatore_) record_ = {sorgente_, &f, riga.valore, riga.campo, {}, false, false};
}

LetturaDescrizione::Esito LetturaDescrizione::chiudi_record(Esito esito) {
  if (osservatore_) {
    record_.problema = stato.problemi.size() > problemi_prima_;
    osservatore_->record_letto(record_);
    if (esito != Esito::avanti) {
      const bool nuovo = record_.problema;
      segnala_arresto(nuovo, nuovo ? stato.problemi.back().origine : stato.origine_corrente);
    }
  }
  stato.record_in_corso = {};
  return esito;
}

void LetturaDescrizione::segnala_arresto(bool con_problema, const Origine& dove) {
  osservatore_->arresto({sorgente_, dove, con_problema, stato.codice_errore, stato.record_in_corso});
}

bool LetturaDescrizione::guasto(const ErroreEsecuzione& e) {
  if (stato.prosegui) registra_guasto_di_lettura(stato, e);
  if (osservatore_) {
    if (stato.record_in_corso.formato) {
      record_.problema = true;
      record_.guasto = true;
      osservatore_->record_letto(record_);
    }
    // The failure is the problem: 25, recorded here or by the compile.
    segnala_arresto(true, stato.origine_corrente);
  }
  if (!stato.prosegui) return false;
  stato.record_in_corso = {};
  return true;
}

void LetturaDescrizione::ignorato(const Sezione& sezione) {
  if (osservatore_)
    osservatore_->campo_ignorato({sorgente_, sezione.parte, riga.valore, riga.campo, lettore_.campo_a_inizio_riga()});
}

void LetturaDescrizione::risincronizza() {
  lettore_ = prima_della_chiave_;
  do lettore_.vai_a_riga_seguente();
  while (!fine_testo() && !apre_un_record());
}

bool LetturaDescrizione::apre_un_record() const {
  LetturaCampi primo = lettore_;
  const std::string campo = primo.leggi_testo();
  return formato::intestazione(campo) || formato::primo_che_corrisponde(formato::di(sorgente_), campo);
}

}  // namespace scenario
