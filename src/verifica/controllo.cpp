// The check: the installer's compile as it is, a second reading on past its
// stops when there were any, and the rules over the fuller of the two.

#include "verifica/controllo.h"

#include <algorithm>
#include <iterator>
#include <map>
#include <sstream>
#include <tuple>

#include "base/cp1252.h"
#include "base/errori.h"
#include "base/nomi_file.h"
#include "base/righe.h"
#include "compiler/compilazione.h"
#include "compiler/formati.h"
#include "verifica/disco_autore.h"
#include "verifica/disco_scarto.h"
#include "verifica/problemi_compilazione.h"
#include "verifica/regole_controllo.h"

namespace scenario::verifica {
namespace {

// Where the texts stand for the compile in memory.
const Percorso cartella_in_memoria = "scenario";

std::string chiave(const Problema& p) {
  std::ostringstream o;
  o << static_cast<int>(p.tipo) << ' ' << p.codice << ' ' << (p.posizione ? std::to_string(*p.posizione) : "-") << ' '
    << static_cast<int>(p.origine.sorgente) << ':' << p.origine.riga << ':' << p.origine.colonna << ' ' << p.dettaglio;
  return o.str();
}

bool errore_di_lettura(const Problema& p) {
  return p.tipo == Problema::Tipo::registrato && p.codice == problema::errore_esecuzione;
}

// A failure because the line has no cells (or no profile): with no
// "lunghezza percorso" every record with a position meets it.
bool senza_celle(const Problema& p) {
  const ErroreEsecuzione atteso(Guasto::indice_fuori_intervallo);
  return errore_di_lettura(p) && p.dettaglio.starts_with(atteso.what());
}

// Problem 2 is found at the end of the train's reading, with no place: it
// is about the first chainage value that is no multiple of 50.
void punta_progressiva(Diagnostica& d, const Problema& p, const Raccolta& r) {
  if (p.tipo != Problema::Tipo::registrato || p.codice != problema::progressiva_non_multipla || d.riga > 0) return;
  for (const RecordLetto* rec : r.record) {
    if (rec->formato != &formato::progressiva_uno && rec->formato != &formato::progressiva_due &&
        rec->formato != &formato::progressiva_tre)
      continue;
    for (size_t k = 0; k < rec->valori.size() && k < 2; ++k)
      if (rec->valori[k].numero % 50 != 0) {
        d.riga = rec->valori[k].campo.riga;
        d.colonna = rec->valori[k].campo.colonna;
        return;
      }
  }
}

Diagnostica nota(Nota n, File f, const Origine& dove, std::string messaggio) {
  const Regola& r = regola(n);
  return {Gravita::nota, identificatore(r), std::move(messaggio), r.suggerimento, f, dove.riga, dove.colonna, {}, {}};
}

// The notes where the installer's reading stops, from its own compile.
void note_di_arresto(const Raccolta& esatta, std::vector<Diagnostica>& out) {
  for (Sorgente s : {Sorgente::linea, Sorgente::treno}) {
    if (s == Sorgente::treno && esatta.linea_iniziata && !esatta.treno_iniziato) {
      out.push_back(nota(Nota::treno_non_letto, File::treno, {}, regola(Nota::treno_non_letto).significato));
      continue;
    }
    const Arresto* a = esatta.primo_arresto(s);
    if (!a) continue;
    std::string m = regola(Nota::arresto).significato;
    if (!a->con_problema)
      m += " (un problema precedente, codice_errore " + std::to_string(a->codice_errore) +
           ", ferma la lettura al primo elemento che timbra le celle)";
    out.push_back(nota(Nota::arresto, file_di(s), luogo_nel_record(a->dove, a->record), m));
  }
}

// Where the installer stops reading each text: a place after it is met
// only reading on.
class Fasi {
 public:
  explicit Fasi(const Raccolta& esatta) {
    for (Sorgente s : {Sorgente::linea, Sorgente::treno}) {
      if (!esatta.iniziato(s))
        riga_[s] = 0;
      else if (const Arresto* a = esatta.primo_arresto(s))
        riga_[s] = a->dove.riga;
    }
  }
  Fase di(const Diagnostica& d) const {
    const Sorgente s = d.file == File::linea   ? Sorgente::linea
                       : d.file == File::treno ? Sorgente::treno
                                               : Sorgente::nessuna;
    auto it = riga_.find(s);
    if (it == riga_.end()) return Fase::installatore;
    return d.riga == 0 || d.riga > it->second ? Fase::proseguendo : Fase::installatore;
  }

 private:
  std::map<Sorgente, int32_t> riga_;  // the line of the stop; 0: never read
};

std::optional<int64_t> lunghezza(const Raccolta& r) {
  std::optional<int64_t> l;
  for (const RecordLetto* rec : r.record)
    if (rec->formato == &formato::lunghezza_percorso && !rec->valori.empty() && !rec->guasto) l = rec->valori[0].numero;
  return l;
}

// The failure places of a reading on, with the record each fell in.
// The record in progress where each stop of a reading stands, looked up by
// place: a text read on may stop at every one of its lines.
class RecordDeiGuasti {
 public:
  explicit RecordDeiGuasti(const Raccolta& r) {
    for (const Arresto& a : r.arresti)
      if (a.record.formato) per_luogo_.try_emplace(luogo(a.dove), &a.record);
  }
  RecordInCorso di(const Problema& p) const {
    const auto it = per_luogo_.find(luogo(p.origine));
    return it == per_luogo_.end() ? RecordInCorso{} : *it->second;
  }

 private:
  static std::tuple<Sorgente, int32_t, int32_t> luogo(const Origine& o) { return {o.sorgente, o.riga, o.colonna}; }
  std::map<std::tuple<Sorgente, int32_t, int32_t>, const RecordInCorso*> per_luogo_;
};

int ordine_file(File f) { return static_cast<int>(f); }

// The report's order of the rules' warnings and notes: by file and place.
bool prima(const Diagnostica& a, const Diagnostica& b) {
  return std::tuple(ordine_file(a.file), a.riga, a.colonna, a.id) <
         std::tuple(ordine_file(b.file), b.riga, b.colonna, b.id);
}

void conta_omessa(std::map<std::string, Omesse>& omesse, Gravita g, const std::string& id, size_t quante) {
  Omesse& o = omesse[id];
  o.gravita = g;
  o.id = id;
  o.quante += quante;
}

// Diagnostics of one identifier, in the order they were made: the first by
// place kept (equal places in that order), the others counted.
void tronca(std::vector<Diagnostica>& v, std::map<std::string, Omesse>& omesse) {
  std::stable_sort(v.begin(), v.end(), prima);
  if (v.size() <= massimo_per_identificatore) return;
  conta_omessa(omesse, v.front().gravita, v.front().id, v.size() - massimo_per_identificatore);
  v.erase(v.begin() + massimo_per_identificatore, v.end());
}

}  // namespace

void Tenuti::aggiungi(Diagnostica d) {
  std::vector<Diagnostica>& v = per_id_[d.id];
  v.push_back(std::move(d));
  // Cut at twice the bound: the memory stays bounded, the sorting a constant
  // cost per diagnostic.
  if (v.size() >= 2 * massimo_per_identificatore) tronca(v, omesse_);
}

std::vector<Diagnostica> Tenuti::ordinati(std::map<std::string, Omesse>& omesse) && {
  std::vector<Diagnostica> tutti;
  for (auto& [id, v] : per_id_) {
    tronca(v, omesse_);
    tutti.insert(tutti.end(), std::make_move_iterator(v.begin()), std::make_move_iterator(v.end()));
  }
  // Equal places are of one identifier, kept in the order they were made.
  std::stable_sort(tutti.begin(), tutti.end(), prima);
  for (const auto& [id, o] : omesse_) conta_omessa(omesse, o.gravita, id, o.quante);
  return tutti;
}

std::string messaggio_omesse(const Omesse& o) {
  struct Parole {
    const char *altro, *altri, *nome, *nomi, *mostrato, *mostrati;
  };
  static constexpr Parole parole[] = {
      {"un altro", "altri", "errore", "errori", "mostrato", "mostrati"},
      {"un altro", "altri", "avviso", "avvisi", "mostrato", "mostrati"},
      {"un'altra", "altre", "nota", "note", "mostrata", "mostrate"},
  };
  const Parole& p = parole[static_cast<size_t>(o.gravita)];
  if (o.quante == 1) return std::string(p.altro) + " " + p.nome + " " + o.id + " non " + p.mostrato;
  return std::string(p.altri) + " " + std::to_string(o.quante) + " " + p.nomi + " " + o.id + " non " + p.mostrati;
}

File file_di(Sorgente s) {
  switch (s) {
    case Sorgente::linea: return File::linea;
    case Sorgente::treno: return File::treno;
    case Sorgente::nessuna: break;
  }
  return File::nessuno;
}

std::string citato(std::string_view cp1252) { return a_utf8(dettaglio_mostrato(spogliato_in_vista(cp1252))); }

void avviso(Tenuti& uscita, Avviso a, File f, const Origine& dove, std::string messaggio) {
  const Regola& r = regola(a);
  uscita.aggiungi(
      {Gravita::avviso, identificatore(r), std::move(messaggio), r.suggerimento, f, dove.riga, dove.colonna, {}, {}});
}

void Contesto::avviso(Avviso a, File f, const Origine& dove, std::string messaggio) {
  verifica::avviso(uscita, a, f, dove, std::move(messaggio));
}

void Contesto::nota(Nota n, File f, const Origine& dove, std::string messaggio) {
  uscita.aggiungi(verifica::nota(n, f, dove, std::move(messaggio)));
}

std::unique_ptr<Stato> compila_in_memoria(const Testi& t, OsservatoreLettura* osservatore, bool prosegui,
                                          Esito* esito) {
  DiscoScarto scarto;
  DiscoAutore disco(scarto);
  const FileCompilazione f =
      file_compilazione(cartella_in_memoria, cartella_in_memoria, {t.nome_linea, t.numero_treno});
  disco.servi(f.linea_txt, t.linea);
  disco.servi(f.treno_txt, t.treno);
  auto s = std::make_unique<Stato>();
  s->nome_linea = t.nome_linea;
  s->numero_treno = t.numero_treno;
  s->osservatore = osservatore;
  s->prosegui = prosegui;
  const Esito e = esegui_compilazione(*s, disco, f, t.scrivi_file);
  annota_esito(*s, e);
  if (esito) *esito = e;
  s->osservatore = nullptr;
  return s;
}

std::vector<Diagnostica> problemi_installatore(const Stato& esatto, const Raccolta& lettura) {
  std::vector<Diagnostica> d;
  for (const Problema& p : esatto.problemi) {
    d.push_back(da_problema(p, errore_di_lettura(p) ? esatto.record_in_corso : RecordInCorso{}));
    punta_progressiva(d.back(), p, lettura);
  }
  return d;
}

Controllo controlla(const Stato& esatto, const Raccolta& esatta, const Testi& testi) {
  Controllo out;
  // The texts are read on only where the installer's reading stopped.
  Raccolta proseguita;
  std::unique_ptr<Stato> seconda;
  if (!esatta.arresti.empty() || !esatta.linea_iniziata || !esatta.treno_iniziato) {
    seconda = compila_in_memoria(testi, &proseguita, true);
    out.proseguita = true;
  }
  const Raccolta& lettura = seconda ? proseguita : esatta;
  const Stato& modello = seconda ? *seconda : esatto;
  auto& d = out.diagnostiche;
  std::map<std::string, Omesse> omesse;
  // The compile's problems in the order recorded: the first of each
  // identifier kept, the others counted.
  std::map<std::string, size_t> tenute;
  auto tieni = [&](Diagnostica x) {
    if (++tenute[x.id] > massimo_per_identificatore) return conta_omessa(omesse, x.gravita, x.id, 1), false;
    d.push_back(std::move(x));
    return true;
  };

  for (const Problema& p : esatto.problemi)
    if (tieni(da_problema(p, errore_di_lettura(p) ? esatto.record_in_corso : RecordInCorso{})))
      punta_progressiva(d.back(), p, lettura);
  note_di_arresto(esatta, d);

  std::optional<Origine> primo_senza_celle;
  size_t altri_senza_celle = 0;
  if (seconda) {
    const RecordDeiGuasti record_dei_guasti(proseguita);
    std::map<std::string, int> gia_visti;
    for (const Problema& p : esatto.problemi) ++gia_visti[chiave(p)];
    for (const Problema& p : seconda->problemi) {
      if (int& n = gia_visti[chiave(p)]; n > 0) {
        --n;
        continue;
      }
      if (!modello.celle.allocate() && senza_celle(p)) {
        ++altri_senza_celle;
        continue;
      }
      Diagnostica x = da_problema(p, errore_di_lettura(p) ? record_dei_guasti.di(p) : RecordInCorso{});
      x.fase = Fase::proseguendo;
      if (tieni(std::move(x))) punta_progressiva(d.back(), p, lettura);
    }
  }
  if (!modello.celle.allocate()) {
    for (const Problema& p : esatto.problemi)
      if (senza_celle(p) && !primo_senza_celle) primo_senza_celle = p.origine;
    std::string m = regola(Nota::senza_celle).significato;
    if (altri_senza_celle > 0)
      m += "; altri " + std::to_string(altri_senza_celle) + " record con una posizione non controllati";
    d.push_back(nota(Nota::senza_celle, File::linea, primo_senza_celle.value_or(Origine{}), m));
  }

  // The fields' warnings, told while reading, come first, as they were made.
  Tenuti tenuti = lettura.avvisi_dei_campi;
  Contesto c{lettura, testi, tenuti, lunghezza(lettura)};
  avvisi_chiavi(c);
  avvisi_posizioni(c);
  avvisi_codifica(c);
  avvisi_scheda(c);
  std::vector<Diagnostica> avvisi = std::move(tenuti).ordinati(omesse);
  const Fasi fasi(esatta);
  for (Diagnostica& a : avvisi) a.fase = fasi.di(a);
  d.insert(d.end(), std::make_move_iterator(avvisi.begin()), std::make_move_iterator(avvisi.end()));

  for (auto& [id, o] : omesse) out.omesse.push_back(std::move(o));
  std::ranges::stable_sort(out.omesse, {}, &Omesse::gravita);
  for (const Omesse& o : out.omesse) d.push_back(nota(Nota::omesse, File::nessuno, {}, messaggio_omesse(o)));
  return out;
}

Controllo controlla_testi(const Testi& testi) {
  Raccolta esatta;
  const std::unique_ptr<Stato> esatto = compila_in_memoria(testi, &esatta, false);
  return controlla(*esatto, esatta, testi);
}

}  // namespace scenario::verifica
