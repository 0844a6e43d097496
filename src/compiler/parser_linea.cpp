// The line description: general section, then curves, gradients, montagna
// spans, speed indicator boards and indicator signs.

#include <string>

#include "base/codici.h"
#include "compiler/numeri.h"
#include "compiler/parser_comune.h"
#include "compiler/progressive.h"
#include "compiler/stampaggio.h"

namespace scenario {
namespace {

constexpr int32_t lunghezza_massima = 1000000;

class LetturaLinea {
 public:
  LetturaLinea(Stato& stato, Disco& disco, const Percorso& p, const std::string& testo)
      : stato_(stato), disco_(disco), p_(p), f_(testo) {}

  std::optional<int32_t> leggi();

 private:
  // Outcome of a step of the reading.
  enum class Esito { avanti, fine_sezioni, ferma };

  bool cerca_generale();
  Esito intestazione();
  Esito record_generale();
  void dopo_intestazione();
  Esito sezioni();
  Esito record_sezione();
  Esito pendenza();
  Esito curva();
  Esito montagna();
  Esito indicatori();
  Esito cartello();
  Esito passo_profilo(double k, bool curva);
  void completa();

  std::string campo() { return leggi_segnato(stato_, f_, Sorgente::linea, &LetturaCampi::leggi_testo); }
  int32_t numero() { return leggi_segnato(stato_, f_, Sorgente::linea, &LetturaCampi::leggi_long); }
  // Deletes the text and records the problem: the reading stops here.
  Esito ferma(int32_t codice, std::optional<int32_t> posizione = std::nullopt) {
    disco_.elimina(p_);
    stato_.registra(codice, posizione);
    return Esito::ferma;
  }
  // After a stamping call that recorded a problem.
  Esito ferma_dopo_stampa(size_t prima, int32_t posizione) {
    disco_.elimina(p_);
    stato_.posiziona_ultimo(prima, posizione);
    return Esito::ferma;
  }

  Stato& stato_;
  Disco& disco_;
  const Percorso& p_;
  LetturaCampi f_;

  int32_t pendenza_prec_ = 0;
  int32_t j_ = 0;  // first cell whose gradient is not yet set
  int32_t metro_profilo_ = 2;
  int32_t slot_cartello_ = slot::primo_cartello;
};

std::optional<int32_t> LetturaLinea::leggi() {
  if (!cerca_generale()) return std::nullopt;
  if (intestazione() == Esito::ferma) return std::nullopt;
  dopo_intestazione();
  if (sezioni() == Esito::ferma) return std::nullopt;
  completa();
  return slot_cartello_;
}

bool LetturaLinea::cerca_generale() {
  for (;;) {
    stato_.riga = campo();
    // The field that ends the file is never tested.
    if (f_.fine_file()) {
      ferma(problema::manca_generale);
      return false;
    }
    if (contiene_ci(stato_.riga, "[generale]")) return true;
  }
}

LetturaLinea::Esito LetturaLinea::intestazione() {
  for (;;) {
    if (f_.fine_file()) return Esito::avanti;
    stato_.riga = campo();
    if (f_.fine_file()) return Esito::avanti;
    for (int i = 0; i < 10; ++i)
      if (contiene(stato_.riga, "-")) stato_.riga = campo();
    if (record_generale() == Esito::ferma) return Esito::ferma;
    const std::string& r = stato_.riga;
    const size_t primo = r.find_first_not_of(' ');
    const bool trattino = primo != std::string::npos && r[primo] == '-';
    if (!trattino && contiene(r, "[") && contiene(r, "]")) return Esito::avanti;
  }
}

// The eight tests of the general section; every one that matches acts.
LetturaLinea::Esito LetturaLinea::record_generale() {
  const std::string chiave = stato_.riga;
  auto& st = stato_.stazioni;
  if (contiene_ci(chiave, "percorso") && contiene_ci(chiave, "lunghezza")) {
    const int32_t l = numero();
    st[slot::treno].fine_zona = l;
    if (l > lunghezza_massima) return ferma(problema::lunghezza_eccessiva);
    stato_.ultimo_metro = a32(int64_t{l} + 7000);
    stato_.celle.dimensiona(arrotonda_long(stato_.ultimo_metro / 50.0));
    if (stato_.scrivi_file != 0) stato_.profilo_linea.dimensiona(stato_.ultimo_metro);
  }
  struct Progressiva {
    const char* parola;
    int slot;
  };
  for (const Progressiva& pr : {Progressiva{"tre", slot::progressiva_tre}, Progressiva{"due", slot::progressiva_due},
                                Progressiva{"uno", slot::progressiva_uno}}) {
    if (contiene(chiave, pr.parola) && contiene(chiave, "progressiva")) {
      st[pr.slot].inizio_zona = numero();
      st[pr.slot].fine_zona = numero();
      st[pr.slot].posizione_stazione = numero();
    }
  }
  if (contiene(chiave, "sfondo") && contiene(chiave, "uno")) st[slot::linea].inizio_zona = numero();
  if (contiene(chiave, "sfondo") && contiene(chiave, "due")) st[slot::linea].posizione_stazione = numero();
  if (contiene(chiave, "sfondo") && contiene(chiave, "tre")) st[slot::linea].fine_zona = numero();
  if (contiene(chiave, "segnali") && contiene(chiave, "ripetizione")) {
    // Both values are stored before either is checked.
    stazione& g = st[slot::globale];
    g.inizio_zona = numero();
    const Origine campo_a = stato_.origine_corrente;
    g.fine_zona = numero();
    const Origine campo_b = stato_.origine_corrente;
    stato_.origine_corrente = campo_a;
    if (g.inizio_zona % 50 != 0) return ferma(problema::ripetizione_inizio);
    stato_.origine_corrente = campo_b;
    if (g.fine_zona % 50 != 0) return ferma(problema::ripetizione_fine);
    stato_.origine_corrente = campo_a;
    if (contiene(chiave, "4")) g.posizione_stazione = 4;
    else if (contiene(chiave, "9")) g.posizione_stazione = 9;
    else return ferma(problema::ripetizione_codici);
    if (g.fine_zona == 0) g.posizione_stazione = 0;
  }
  return Esito::avanti;
}

void LetturaLinea::dopo_intestazione() {
  progressive_ordina(stato_);
  stato_.numero_montagne = 0;
  if (stato_.scrivi_file != 0) {
    Profilo& pr = stato_.profilo_linea;
    pr(0, 0) = Variante::da_intero(0);
    pr(0, 1) = Variante::da_intero(0);
    pr(1, 0) = Variante::da_intero(0);
    pr(1, 1) = Variante::da_intero(1);
  }
}

LetturaLinea::Esito LetturaLinea::sezioni() {
  for (;;) {
    if (f_.fine_file()) return Esito::fine_sezioni;
    stato_.riga = campo();
    if (f_.fine_file()) return Esito::fine_sezioni;
    for (int i = 0; i < 2; ++i) {
      if (contiene(stato_.riga, "-")) {
        stato_.riga = campo();
        if (f_.fine_file()) return Esito::fine_sezioni;
      }
    }
    const Esito e = record_sezione();
    if (e != Esito::avanti) return e;
  }
}

// The five record tests; every one that matches acts and reads its own values.
LetturaLinea::Esito LetturaLinea::record_sezione() {
  using Gestore = Esito (LetturaLinea::*)();
  struct Test {
    bool (*corrisponde)(const std::string&);
    Gestore gestore;
  };
  static constexpr Test test[] = {
      {[](const std::string& r) { return contiene_ci(r, "pendenza"); }, &LetturaLinea::pendenza},
      {[](const std::string& r) { return contiene_ci(r, "curva"); }, &LetturaLinea::curva},
      {[](const std::string& r) { return contiene_ci(r, "montagna"); }, &LetturaLinea::montagna},
      {[](const std::string& r) { return contiene_ci(r, "indicatori_v"); }, &LetturaLinea::indicatori},
      {[](const std::string& r) { return contiene_ci(r, "indicat") && contiene_ci(r, "cartello"); },
       &LetturaLinea::cartello},
  };
  for (const Test& t : test) {
    if (!t.corrisponde(stato_.riga)) continue;
    const Esito e = (this->*t.gestore)();
    if (e != Esito::avanti) return e;
  }
  return Esito::avanti;
}

LetturaLinea::Esito LetturaLinea::pendenza() {
  const int32_t p = numero();
  const Origine campo_p = stato_.origine_corrente;
  const int32_t g = numero();
  stato_.origine_corrente = campo_p;
  if (!posizione_ammessa(stato_, p)) return Esito::fine_sezioni;
  const int32_t m = arrotonda_long(p / 50.0);
  if (m > 0) {
    do {
      stato_.celle[j_].pendenza = a8(int64_t{pendenza_prec_} + 100);
      ++j_;
    } while (j_ < m);
  }
  pendenza_prec_ = g;
  return Esito::avanti;
}

LetturaLinea::Esito LetturaLinea::curva() {
  if (stato_.scrivi_file == 0) return Esito::avanti;
  const std::string chiave = stato_.riga;
  const Origine campo_chiave = stato_.origine_corrente;
  const int32_t p = numero();
  const Origine campo_p = stato_.origine_corrente;
  const int32_t t = numero();
  stato_.origine_corrente = campo_p;
  if (!posizione_ammessa(stato_, p)) return Esito::fine_sezioni;

  static constexpr struct {
    const char* cifra;
    double curvatura;
  } curvature[] = {{"1", 0.0001}, {"2", 0.0002}, {"3", 0.0004}, {"4", 0.001}, {"5", 0.002}, {"6", 0.003}};
  double k = 0.0;
  bool trovata = false;
  for (const auto& c : curvature) {
    if (contiene(chiave, c.cifra)) {
      k = c.curvatura;
      trovata = true;
      break;
    }
  }
  if (!trovata) {
    stato_.origine_corrente = campo_chiave;
    return ferma(problema::curva_non_valida);
  }
  if (contiene_ci(chiave, "s")) k = -k;

  while (metro_profilo_ <= p)
    if (passo_profilo(0.0, false) == Esito::ferma) return Esito::ferma;
  const int64_t fine = int64_t{p} + t;
  while (metro_profilo_ <= fine)
    if (passo_profilo(k, true) == Esito::ferma) return Esito::ferma;
  return Esito::avanti;
}

// One metre of the profile: straight on, or turned by k without renormalising
// the step. Each operation in this order, so the bits are the same everywhere.
LetturaLinea::Esito LetturaLinea::passo_profilo(double k, bool curva) {
  Profilo& pr = stato_.profilo_linea;
  const int64_t c = metro_profilo_;
  // The last two rows stay empty; a step beyond is refused.
  if (c > int64_t{pr.ultimo_metro()} - 2) return ferma(problema::curva_non_valida);
  const double x1 = pr.valore(c - 1, 0), x2 = pr.valore(c - 2, 0);
  const double y1 = pr.valore(c - 1, 1), y2 = pr.valore(c - 2, 1);
  const double d0 = x1 - x2;
  const double d1 = y1 - y2;
  if (curva) {
    pr.imposta_doppio(c, 0, x1 + (d1 * k + d0));
    pr.imposta_doppio(c, 1, y1 + (d1 - d0 * k));
  } else {
    pr.imposta_doppio(c, 0, x1 + d0);
    pr.imposta_doppio(c, 1, y1 + d1);
  }
  ++metro_profilo_;
  return Esito::avanti;
}

LetturaLinea::Esito LetturaLinea::montagna() {
  int32_t inizio = numero();
  const Origine campo_inizio = stato_.origine_corrente;
  int32_t fine = numero();
  int32_t tipo = numero();
  stato_.origine_corrente = campo_inizio;
  if (!posizione_ammessa(stato_, inizio)) return Esito::fine_sezioni;
  const size_t prima = stato_.problemi.size();
  const int32_t posizione = inizio;
  memo_montagna(stato_, inizio, fine, tipo);
  if (stato_.codice_errore > 0) return ferma_dopo_stampa(prima, posizione);
  return Esito::avanti;
}

LetturaLinea::Esito LetturaLinea::indicatori() {
  const int32_t posizione = numero();
  const Origine campo_posizione = stato_.origine_corrente;
  int32_t v[8];
  for (int32_t& x : v) x = numero();
  stato_.origine_corrente = campo_posizione;
  if (!posizione_ammessa(stato_, posizione)) return Esito::fine_sezioni;
  const size_t prima = stato_.problemi.size();
  memo_indicatori_v_max(stato_, posizione, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]);
  if (stato_.codice_errore > 0) return ferma_dopo_stampa(prima, posizione);
  return Esito::avanti;
}

LetturaLinea::Esito LetturaLinea::cartello() {
  const int32_t p = numero();
  const Origine campo_p = stato_.origine_corrente;
  stato_.riga = campo();
  const std::string testo = stato_.riga;
  stato_.origine_corrente = campo_p;
  if (!posizione_ammessa(stato_, p)) return Esito::fine_sezioni;
  const int32_t i = cella_di_punto(p);
  if (!stato_.celle.contiene(i)) return ferma(problema::fuori_celle, p);
  if (!libera(stato_.celle[i])) return ferma(problema::cartello_occupato, p);
  // Sign texts go downward from slot 80; slot 0 stays blank.
  if (slot_cartello_ < 1) return ferma(problema::troppi_cartelli, p);
  stato_.origine_cella[i] = stato_.origine_corrente;
  stato_.celle[i].codice = codice_cella::cartello;
  stato_.celle[i].valore1 = static_cast<int16_t>(slot_cartello_);
  stato_.stazioni[static_cast<size_t>(slot_cartello_)].nome = testo;
  --slot_cartello_;
  return Esito::avanti;
}

void LetturaLinea::completa() {
  disco_.elimina(p_);
  const int32_t n = stato_.celle.ultimo_indice();
  do {
    stato_.celle[j_].pendenza = a8(int64_t{pendenza_prec_} + 100);
    ++j_;
  } while (j_ < n - 2);
  if (stato_.scrivi_file != 0) {
    while (metro_profilo_ <= int64_t{stato_.ultimo_metro} - 2) passo_profilo(0.0, false);
  }
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
