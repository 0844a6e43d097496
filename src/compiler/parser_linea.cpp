// The line description: general section, then curves, gradients, montagna
// spans, speed indicator boards and indicator signs. The reading itself is
// LetturaDescrizione's; here are the line's records and what each one does.

#include <optional>
#include <string>
#include <string_view>

#include "base/codici.h"
#include "compiler/formati.h"
#include "compiler/lettura_descrizione.h"
#include "compiler/memorizza_dati.h"
#include "compiler/numeri.h"
#include "compiler/progressive.h"
#include "compiler/stampaggio.h"

namespace scenario {
namespace {

class LetturaLinea : public LetturaDescrizione {
 public:
  LetturaLinea(Stato& stato, Disco& disco, const Percorso& p, std::string_view testo)
      : LetturaDescrizione(stato, disco, p, testo, Sorgente::linea) {}

  // Returns the next free board slot, or nothing when the reading stopped.
  std::optional<int32_t> leggi();

  // The general section's records.
  Esito lunghezza();
  template <int s>
  Esito progressiva();
  template <int32_t stazione::*valore>
  Esito sfondo();
  Esito ripetizione();

  // The sections' records. From its position check on, a record's work
  // points at its position field.
  Esito pendenza();
  Esito curva();
  Esito montagna();
  Esito indicatori();
  Esito cartello();

 private:
  void dopo_intestazione();
  // Gives the previous gradient to the cells from j_ up to fino_a, and at
  // least to cell j_.
  void pendenze_fino_a(int32_t fino_a);
  void completa();

  int32_t pendenza_prec_ = 0;
  int32_t j_ = 0;  // first cell whose gradient is not yet set
  int32_t slot_cartello_ = slot::primo_cartello;
};

using Record = LetturaDescrizione::Record<LetturaLinea>;
using Sezione = LetturaDescrizione::Sezione;

// The general section: up to ten dashed fields before a keyword, without a
// test for the end of the text between them. A section header ends it once
// its own record tests have run.
constexpr Sezione generale{10, false, formato::intestazione, formato::Parte::generale};
constexpr Record record_generale[] = {
    {&formato::lunghezza_percorso, &LetturaLinea::lunghezza},
    {&formato::progressiva_tre, &LetturaLinea::progressiva<slot::progressiva_tre>},
    {&formato::progressiva_due, &LetturaLinea::progressiva<slot::progressiva_due>},
    {&formato::progressiva_uno, &LetturaLinea::progressiva<slot::progressiva_uno>},
    {&formato::sfondo_uno, &LetturaLinea::sfondo<&stazione::inizio_zona>},
    {&formato::sfondo_due, &LetturaLinea::sfondo<&stazione::posizione_stazione>},
    {&formato::sfondo_tre, &LetturaLinea::sfondo<&stazione::fine_zona>},
    {&formato::ripetizione_segnali, &LetturaLinea::ripetizione},
};

// The sections after it, to the end of the text.
constexpr Sezione sezioni{2, true};
constexpr Record record_sezioni[] = {
    {&formato::pendenza, &LetturaLinea::pendenza},             // position, gradient
    {&formato::curva, &LetturaLinea::curva},                   // position, length; curvature from the keyword
    {&formato::montagna, &LetturaLinea::montagna},             // start, end, kind
    {&formato::indicatori_vmax, &LetturaLinea::indicatori},    // position, eight board values
    {&formato::cartello_indicatore, &LetturaLinea::cartello},  // position, text
};

std::optional<int32_t> LetturaLinea::leggi() {
  if (!cerca_generale()) {
    rifiuta(problema::manca_generale, riga.campo);
    return std::nullopt;
  }
  if (leggi_sezione(record_generale, generale) == Esito::uscita) return std::nullopt;
  fuori_dai_record([&] { dopo_intestazione(); });
  if (leggi_sezione(record_sezioni, sezioni) == Esito::uscita) return std::nullopt;
  fuori_dai_record([&] { completa(); });
  return slot_cartello_;
}

LetturaLinea::Esito LetturaLinea::lunghezza() {
  const Letto<int32_t> l = numero();
  stato.stazioni[slot::treno].fine_zona = l;
  if (l > lunghezza_massima) return rifiuta(problema::lunghezza_eccessiva, l.campo);
  stato.ultimo_metro = a32(int64_t{l} + metri_oltre_la_linea);
  stato.celle.dimensiona(ultima_cella(stato.ultimo_metro));
  if (stato.scrivi_file != 0) stato.profilo_linea.dimensiona(stato.ultimo_metro);
  return Esito::avanti;
}

template <int s>
LetturaLinea::Esito LetturaLinea::progressiva() {
  stazione& r = stato.stazioni[s];
  r.inizio_zona = numero();
  r.fine_zona = numero();
  r.posizione_stazione = numero();
  return Esito::avanti;
}

template <int32_t stazione::*valore>
LetturaLinea::Esito LetturaLinea::sfondo() {
  stato.stazioni[slot::linea].*valore = numero();
  return Esito::avanti;
}

// Both values are stored before either is checked.
LetturaLinea::Esito LetturaLinea::ripetizione() {
  stazione& g = stato.stazioni[slot::globale];
  const Letto<int32_t> inizio = numero();
  g.inizio_zona = inizio;
  const Letto<int32_t> fine = numero();
  g.fine_zona = fine;
  riferisci_a(inizio.campo);
  if (inizio % metri_cella != 0) return rifiuta(problema::ripetizione_inizio, inizio.campo);
  if (fine % metri_cella != 0) return rifiuta(problema::ripetizione_fine, fine.campo);
  if (contiene(riga.valore, "4"))
    g.posizione_stazione = 4;
  else if (contiene(riga.valore, "9"))
    g.posizione_stazione = 9;
  else
    return rifiuta(problema::ripetizione_codici, inizio.campo);
  if (g.fine_zona == 0) g.posizione_stazione = 0;
  return Esito::avanti;
}

void LetturaLinea::dopo_intestazione() {
  progressive_ordina(stato);
  stato.numero_montagne = 0;
  if (stato.scrivi_file != 0) stato.profilo_linea.inizia();
}

LetturaLinea::Esito LetturaLinea::pendenza() {
  const Letto<int32_t> p = numero();
  const int32_t g = numero();
  riferisci_a(p.campo);
  if (!ammessa(p)) return Esito::fine;
  const int32_t m = arrotonda_long(in_celle(p));
  if (m > 0) pendenze_fino_a(m);
  pendenza_prec_ = g;
  return Esito::avanti;
}

LetturaLinea::Esito LetturaLinea::curva() {
  if (stato.scrivi_file == 0) return Esito::avanti;
  // A curvature the keyword does not name is refused where the reading
  // stands now: at the keyword, or where a gradient of the same keyword left it.
  const Origine qui = stato.origine_corrente;
  const Letto<int32_t> p = numero();
  const int32_t t = numero();
  riferisci_a(p.campo);
  if (!ammessa(p)) return Esito::fine;

  std::optional<double> k;
  for (const auto& c : formato::curvature) {
    if (contiene(riga.valore, c.cifra)) {
      k = c.curvatura;
      break;
    }
  }
  if (!k) return rifiuta(problema::curva_non_valida, qui);
  if (contiene_ci(riga.valore, "s")) k = -*k;

  // Straight on to the curve's start, then turning to its end; a step into
  // the profile's last two rows is refused.
  Profilo& pr = stato.profilo_linea;
  if (!pr.avanza_fino_a(p, 0.0, false) || !pr.avanza_fino_a(int64_t{p} + t, *k, true))
    return rifiuta(problema::curva_non_valida, p.campo);
  return Esito::avanti;
}

LetturaLinea::Esito LetturaLinea::montagna() {
  const Letto<int32_t> inizio = numero();
  const int32_t fine = numero();
  int32_t tipo = numero();
  riferisci_a(inizio.campo);
  if (!ammessa(inizio)) return Esito::fine;
  return stampa(inizio, [&] { memo_montagna(stato, inizio, fine, tipo); });
}

LetturaLinea::Esito LetturaLinea::indicatori() {
  const Letto<int32_t> posizione = numero();
  const int32_t vas = numero(), vbs = numero(), vcs = numero(), strisces = numero();
  const int32_t vad = numero(), vbd = numero(), vcd = numero(), strisced = numero();
  riferisci_a(posizione.campo);
  if (!ammessa(posizione)) return Esito::fine;
  return stampa(posizione,
                [&] { memo_indicatori_v_max(stato, posizione, vas, vbs, vcs, strisces, vad, vbd, vcd, strisced); });
}

LetturaLinea::Esito LetturaLinea::cartello() {
  const Letto<int32_t> p = numero();
  const std::string scritta = testo();
  riferisci_a(p.campo);
  if (!ammessa(p)) return Esito::fine;
  const int32_t i = cella_di_punto(p);
  if (!stato.celle.contiene(i)) return rifiuta(problema::fuori_celle, p.campo, p);
  if (!libera(stato.celle[i])) return rifiuta(problema::cartello_occupato, p.campo, p);
  // Sign texts go downward from slot 80; slot 0 stays blank.
  if (slot_cartello_ < 1) return rifiuta(problema::troppi_cartelli, p.campo, p);
  stato.origine_cella[i] = p.campo;
  stato.celle[i].codice = codice_cella::cartello;
  stato.celle[i].valore1 = static_cast<int16_t>(slot_cartello_);
  stato.stazioni[static_cast<size_t>(slot_cartello_)].nome = scritta;
  --slot_cartello_;
  return Esito::avanti;
}

void LetturaLinea::pendenze_fino_a(int32_t fino_a) {
  do {
    stato.celle[j_].pendenza = a8(int64_t{pendenza_prec_} + 100);  // the cells hold gradient + 100
    ++j_;
  } while (j_ < fino_a);
}

void LetturaLinea::completa() {
  elimina_testo();
  pendenze_fino_a(stato.celle.ultimo_indice() - 2);
  if (stato.scrivi_file != 0) stato.profilo_linea.avanza_fino_a(int64_t{stato.ultimo_metro} - 2, 0.0, false);
}

}  // namespace

std::optional<int32_t> leggi_descrizione_linea(Stato& stato, Disco& disco, const Percorso& p) {
  if (!disco.esiste(p)) {
    stato.registra(problema::manca_linea);
    return std::nullopt;
  }
  const std::string testo = disco.leggi(p);
  return LetturaLinea(stato, disco, p, testo).leggi();
}

}  // namespace scenario
