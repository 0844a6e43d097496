// The check's report for people and in GCC's form.

#include "diagnostiche/rapporto_verifica.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "diagnostiche/righe_sorgente.h"

namespace scenario::strumenti {
namespace {

using verifica::Diagnostica;
using verifica::Gravita;

constexpr const char* grassetto = "\033[1m";
constexpr const char* fine_colore = "\033[0m";
constexpr const char* colore_caret = "\033[1;32m";

std::string luogo(const ScenarioVerificato& s, const Diagnostica& d) {
  std::string l = nome_file(s, d.file);
  if (d.riga > 0) l += ":" + std::to_string(d.riga);
  if (d.riga > 0 && d.colonna > 0) l += ":" + std::to_string(d.colonna);
  return l;
}

std::string riassunto(const ScenarioVerificato& s) {
  const Conteggi c = conta(s);
  std::string r = plurale(c.errori, "errore", "errori") + ", " + plurale(c.avvisi, "avviso", "avvisi");
  if (c.note > 0) r += ", " + plurale(c.note, "nota", "note");
  r += "; l'installatore lascia codice_errore " + std::to_string(s.codice_errore) + ", posizione_errore " +
       std::to_string(s.posizione_errore);
  if (s.uscita_binari)
    r += s.file_scritti ? "; file binari scritti in " + testo_utf8(*s.uscita_binari) : "; nessun file binario scritto";
  return r + "\n";
}

std::string tabella(const std::vector<ScenarioVerificato>& scenari) {
  size_t larga = std::string_view("cartella").size();
  for (const auto& s : scenari) larga = std::max(larga, testo_utf8(s.cartella).size());
  auto riga = [&](const std::string& nome, const std::string& e, const std::string& a, const std::string& n,
                  const std::string& u) {
    char b[64];
    std::snprintf(b, sizeof b, "  %6s %6s %5s %6s\n", e.c_str(), a.c_str(), n.c_str(), u.c_str());
    return nome + std::string(larga - nome.size(), ' ') + b;
  };
  std::string t = riga("cartella", "errori", "avvisi", "note", "uscita");
  Conteggi tot;
  int peggiore = 0;
  for (const auto& s : scenari) {
    const Conteggi c = conta(s);
    tot.errori += c.errori;
    tot.avvisi += c.avvisi;
    tot.note += c.note;
    peggiore = std::max(peggiore, s.uscita);
    t += s.errore.empty() ? riga(testo_utf8(s.cartella), std::to_string(c.errori), std::to_string(c.avvisi),
                                 std::to_string(c.note), std::to_string(s.uscita))
                          : riga(testo_utf8(s.cartella), "-", "-", "-", std::to_string(s.uscita));
  }
  return t + riga("totale", std::to_string(tot.errori), std::to_string(tot.avvisi), std::to_string(tot.note),
                  std::to_string(peggiore));
}

}  // namespace

ScenarioVerificato verificato(const Percorso& cartella, ScenarioAutore&& sa, const std::optional<Percorso>& uscita) {
  ScenarioVerificato s;
  s.cartella = cartella;
  s.diagnostiche = std::move(sa.diagnostiche);
  s.omesse = std::move(sa.omesse);
  s.proseguita = sa.proseguita;
  s.codice_errore = sa.esito.stato->codice_errore;
  s.posizione_errore = sa.esito.stato->posizione_errore;
  s.uscita_binari = uscita;
  s.file_scritti = sa.esito.file_scritti;
  s.testi = std::move(*sa.testi);
  return s;
}

std::string intestazione(const ScenarioVerificato& s, const Diagnostica& d) {
  return luogo(s, d) + ": " + nomi(d.gravita).italiano + " [" + d.id + "] " + testo_messaggio(d);
}

std::string plurale(size_t n, const char* uno, const char* molti) {
  return std::to_string(n) + " " + (n == 1 ? uno : molti);
}

std::string messaggio_con_posizione(const Diagnostica& d) {
  return d.posizione ? d.messaggio + " (posizione " + std::to_string(*d.posizione) + " m)" : d.messaggio;
}

// The message with what goes with it on its line.
std::string testo_messaggio(const Diagnostica& d) {
  std::string m = messaggio_con_posizione(d);
  if (d.fase == verifica::Fase::proseguendo) m += " (trovato proseguendo la lettura)";
  return m;
}

const NomiGravita& nomi(Gravita g) {
  static constexpr NomiGravita tabella[] = {
      {"errore", "error", "\033[1;31m"},
      {"avviso", "warning", "\033[1;35m"},
      {"nota", "note", "\033[1;36m"},
  };
  return tabella[static_cast<size_t>(g)];
}

const std::string* testo_di(const ScenarioVerificato& s, verifica::File f) {
  switch (f) {
    case verifica::File::linea: return &s.testi.linea;
    case verifica::File::treno: return &s.testi.treno;
    case verifica::File::scheda: return s.testi.file_scheda ? &s.testi.scheda : nullptr;
    case verifica::File::nessuno: break;
  }
  return nullptr;
}

Conteggi conta(const ScenarioVerificato& s) {
  Conteggi c;
  auto aggiungi = [&](Gravita g, size_t n) {
    (g == Gravita::errore ? c.errori : g == Gravita::avviso ? c.avvisi : c.note) += n;
  };
  for (const Diagnostica& d : s.diagnostiche) aggiungi(d.gravita, 1);
  for (const verifica::Omesse& o : s.omesse) aggiungi(o.gravita, o.quante);
  return c;
}

std::string nome_file(const ScenarioVerificato& s, verifica::File f) {
  switch (f) {
    case verifica::File::treno: return testo_utf8(s.testi.file_treno);
    case verifica::File::scheda:
      if (s.testi.file_scheda) return testo_utf8(*s.testi.file_scheda);
      break;
    case verifica::File::linea:
    case verifica::File::nessuno: break;
  }
  return testo_utf8(s.testi.file_linea);
}

std::string diagnostiche_testo(const ScenarioVerificato& s, OpzioniTesto o) {
  auto con = [&](const char* c, const std::string& t) { return o.colori ? c + t + fine_colore : t; };
  std::string out;
  // Each text's lines are found once, whatever the number of diagnostics.
  const IndiceRighe righe[] = {IndiceRighe(""), IndiceRighe(s.testi.linea), IndiceRighe(s.testi.treno),
                               IndiceRighe(s.testi.scheda)};
  const Diagnostica* prima = nullptr;
  for (const Diagnostica& d : s.diagnostiche) {
    out += con(grassetto, luogo(s, d) + ":") + " " + con(nomi(d.gravita).colore, nomi(d.gravita).italiano) + " [" +
           d.id + "] " + testo_messaggio(d) + "\n";
    // The line is not shown again for the next diagnostic at the same place.
    const bool stesso_posto = prima && prima->file == d.file && prima->riga == d.riga && prima->colonna == d.colonna;
    prima = &d;
    if (d.riga > 0 && testo_di(s, d.file) && !stesso_posto) {
      const RigaMostrata m = mostra_riga(righe[static_cast<int>(d.file)].riga(d.riga), d.colonna);
      out += "  " + m.testo + "\n";
      if (d.colonna > 0) out += "  " + m.rientro + con(colore_caret, "^") + "\n";
    }
    if (!d.suggerimento.empty()) out += "  suggerimento: " + std::string(d.suggerimento) + "\n";
  }
  return out;
}

std::string verifica_testo(const std::vector<ScenarioVerificato>& scenari, OpzioniTesto o) {
  auto con = [&](const char* c, const std::string& t) { return o.colori ? c + t + fine_colore : t; };
  std::string out;
  for (const ScenarioVerificato& s : scenari) {
    if (scenari.size() > 1) out += con(grassetto, "== " + testo_utf8(s.cartella) + " ==") + "\n";
    if (!s.errore.empty()) {
      out += con(nomi(Gravita::errore).colore, "scenario") + ": " + s.errore + "\n";
      continue;
    }
    out += diagnostiche_testo(s, o) + riassunto(s);
  }
  if (scenari.size() > 1) out += tabella(scenari);
  return out;
}

std::string verifica_gcc(const std::vector<ScenarioVerificato>& scenari) {
  std::string out;
  for (const ScenarioVerificato& s : scenari) {
    if (!s.errore.empty()) {
      out += testo_utf8(s.cartella) + ": error: " + s.errore + "\n";
      continue;
    }
    for (const Diagnostica& d : s.diagnostiche)
      out += luogo(s, d) + ": " + nomi(d.gravita).gcc + ": [" + d.id + "] " + testo_messaggio(d) + "\n";
  }
  return out;
}

}  // namespace scenario::strumenti
