// The timetable card against the descriptions: its station rows are the
// station records in order, by name and within 500 m (W14), with their
// times (W15); its speeds are the line's where they stand (W16); its
// protection signal row stands at a signal and names the next station (W17).

#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "base/cp1252.h"
#include "compiler/formati.h"
#include "verifica/regole_controllo.h"
#include "verifica/scheda.h"

namespace scenario::verifica {
namespace {

// A station row may stand this far from its record: the card gives the
// kilometre as the timetable does, the record a multiple of 50.
constexpr int64_t scarto_stazione = 500;
// From this stop on the card shows arrival and departure.
constexpr int64_t sosta_minima = 60;

std::string km(int64_t metri) {
  std::string m = std::to_string(metri % 1000);
  return std::to_string(metri / 1000) + "+" + std::string(3 - m.size(), '0') + m;
}

std::string ora(int64_t s) {
  std::string m = std::to_string(s / 60 % 60);
  return std::to_string(s / 3600) + "." + std::string(2 - m.size(), '0') + m;
}

std::string q(std::string_view cp1252) { return "\xC2\xAB" + citato(cp1252) + "\xC2\xBB"; }

Origine in_scheda(int32_t riga, int32_t colonna) { return {Sorgente::nessuna, riga, colonna}; }

bool integro(const RecordLetto& r) { return !r.guasto && r.valori.size() == r.formato->valori.size(); }

int64_t valore(const RecordLetto& r, std::string_view nome) { return r.valori[r.formato->indice(nome)].numero; }

std::vector<const RecordLetto*> record_di(const Contesto& c, const formato::Record& f) {
  std::vector<const RecordLetto*> out;
  for (const RecordLetto* r : c.raccolta.record)
    if (r->formato == &f && integro(*r)) out.push_back(r);
  return out;
}

void orari(Contesto& c, const RigaScheda& riga, const RecordLetto& st) {
  const int64_t partenza = valore(st, "ore") * 3600 + valore(st, "minuti") * 60 + valore(st, "secondi");
  const int64_t sosta = valore(st, "sosta");
  const Orario& o = riga.orario;
  const Origine dove = in_scheda(riga.riga, riga.colonna_orario);
  const std::string chi = q(riga.localita);
  const bool fermata = o.forma == Orario::Forma::fermata;
  if (fermata != (sosta >= sosta_minima)) {
    c.avviso(
        Avviso::scheda_orari, File::scheda, dove,
        fermata ? chi + ": la scheda da' arrivo e partenza, il record stazione ha sosta " + std::to_string(sosta) + " s"
                : chi + ": il record stazione ha sosta " + std::to_string(sosta) +
                      " s, la scheda non da' arrivo e partenza");
    return;
  }
  if (fermata && (o.secondi[1] != partenza / 60 * 60 || o.secondi[0] != (partenza - sosta) / 60 * 60))
    c.avviso(Avviso::scheda_orari, File::scheda, dove,
             chi + ": la scheda da' " + ora(o.secondi[0]) + " " + ora(o.secondi[1]) + ", il record stazione " +
                 ora(partenza - sosta) + " " + ora(partenza));
  if (o.forma == Orario::Forma::partenza && o.secondi[0] != partenza)
    c.avviso(Avviso::scheda_orari, File::scheda, dove,
             chi + ": la scheda da' partenza " + ora(o.secondi[0]) + ", il record stazione " + ora(partenza));
}

// Names compared as a reader of the card compares them: letter case aside.
bool stesso_nome(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) { return minuscola_cp1252(x) == minuscola_cp1252(y); });
}

// Rows and records paired by name, in order: a row or a record with no
// partner is told, and the pairing goes on after it.
void stazioni(Contesto& c, const std::vector<const RigaScheda*>& righe, const std::vector<const RecordLetto*>& st) {
  auto nome = [&](size_t j) {
    std::string n = st[j]->valori[st[j]->formato->indice("nome")].testo;
    while (!n.empty() && n.back() == ' ') n.pop_back();
    return n;
  };
  auto tra_i_record = [&](const std::string& n, size_t da) {
    for (size_t k = da; k < st.size(); ++k)
      if (stesso_nome(nome(k), n)) return true;
    return false;
  };
  auto tra_le_righe = [&](const std::string& n, size_t da) {
    for (size_t k = da; k < righe.size(); ++k)
      if (stesso_nome(righe[k]->localita, n)) return true;
    return false;
  };
  // A row and a record with different names pair up when neither name
  // comes again further on: a station renamed on one side only.
  size_t i = 0, j = 0;
  while (i < righe.size() || j < st.size()) {
    enum { coppia, riga_in_piu, record_in_piu } passo = i == righe.size() ? record_in_piu : riga_in_piu;
    if (i < righe.size() && j < st.size()) {
      const bool riga_dopo = tra_i_record(righe[i]->localita, j + 1);
      const bool record_dopo = tra_le_righe(nome(j), i + 1);
      if (stesso_nome(nome(j), righe[i]->localita) || (!riga_dopo && !record_dopo))
        passo = coppia;
      else
        passo = riga_dopo && !record_dopo ? record_in_piu : riga_in_piu;
    }
    if (passo == riga_in_piu) {
      const RigaScheda& r = *righe[i++];
      c.avviso(Avviso::scheda_stazioni, File::scheda, in_scheda(r.riga, r.colonna_localita),
               q(r.localita) + " a " + km(r.metri) + " nella scheda non è una stazione della descrizione del treno");
      continue;
    }
    if (passo == record_in_piu) {
      const RecordLetto& s = *st[j];
      c.avviso(Avviso::scheda_stazioni, File::treno, s.campo_chiave,
               "stazione " + q(nome(j)) + " a " + std::to_string(valore(s, "posizione")) +
                   " m senza la sua riga nella scheda treno");
      ++j;
      continue;
    }
    const RigaScheda& r = *righe[i++];
    const RecordLetto& s = *st[j];
    const std::string n = nome(j++);
    const int64_t p = valore(s, "posizione");
    if (n != r.localita && stesso_nome(n, r.localita))
      c.nota(Nota::scheda_maiuscole, File::scheda, in_scheda(r.riga, r.colonna_localita),
             "la scheda ha " + q(r.localita) + " dove la descrizione del treno ha " + q(n) +
                 ": solo le maiuscole differiscono");
    else if (n != r.localita)
      c.avviso(Avviso::scheda_stazioni, File::scheda, in_scheda(r.riga, r.colonna_localita),
               "la scheda ha " + q(r.localita) + " dove la descrizione del treno ha " + q(n));
    if (std::llabs(p - r.metri) >= scarto_stazione)
      c.avviso(Avviso::scheda_stazioni, File::scheda, in_scheda(r.riga, r.colonna_km),
               q(r.localita) + " sta a " + km(r.metri) + " nella scheda e a " + std::to_string(p) +
                   " m nella descrizione del treno");
    orari(c, r, s);
  }
}

void velocita(Contesto& c, const std::vector<RigaScheda>& righe) {
  std::map<int64_t, int64_t> limiti;
  for (const RecordLetto* r : record_di(c, formato::velocita)) limiti[valore(*r, "posizione")] = valore(*r, "velocita");
  std::map<int64_t, const RecordLetto*> indicatori;
  for (const RecordLetto* r : record_di(c, formato::indicatori_vmax)) indicatori[valore(*r, "posizione")] = r;
  std::set<int64_t> con_riga;
  for (const RigaScheda& r : righe) {
    const Origine dove = in_scheda(r.riga, r.colonna_limite);
    const bool tabella = r.tipo() == RigaScheda::Tipo::deviatoio || r.tipo() == RigaScheda::Tipo::cartello;
    if (r.limite && indicatori.count(r.metri)) con_riga.insert(r.metri);
    if (tabella && !indicatori.count(r.metri)) {
      c.avviso(Avviso::scheda_velocita, File::scheda, in_scheda(r.riga, r.colonna_km),
               q(r.localita) + " a " + km(r.metri) + ": nessun indicatori_vmax in quel punto della linea");
      continue;
    }
    if (!r.limite) continue;
    auto it = limiti.upper_bound(r.metri);
    if (it != limiti.begin() && std::prev(it)->second != *r.limite)
      c.avviso(Avviso::scheda_velocita, File::scheda, dove,
               q(r.localita) + " a " + km(r.metri) + ": la scheda da' " + std::to_string(*r.limite) +
                   " km/h, il treno li' ha velocita " + std::to_string(std::prev(it)->second) + " km/h");
  }
  for (const auto& [p, r] : indicatori)
    if (!con_riga.count(p))
      c.avviso(Avviso::scheda_velocita, File::linea, r->campo_chiave,
               "indicatori_vmax a " + std::to_string(p) + " m senza una riga con la sua velocità nella scheda treno");
}

void protezione(Contesto& c, const std::vector<RigaScheda>& righe) {
  std::set<int64_t> segnali;
  for (const RecordLetto* r : record_di(c, formato::segnale)) segnali.insert(valore(*r, "posizione"));
  for (size_t i = 0; i < righe.size(); ++i) {
    const RigaScheda& r = righe[i];
    if (r.tipo() != RigaScheda::Tipo::protezione) continue;
    if (!segnali.count(r.metri))
      c.avviso(Avviso::scheda_protezione, File::scheda, in_scheda(r.riga, r.colonna_km),
               q(r.localita) + " a " + km(r.metri) + ": nessun segnale in quel punto della linea");
    const RigaScheda* prossima = nullptr;
    for (size_t k = i + 1; k < righe.size() && !prossima; ++k)
      if (righe[k].tipo() == RigaScheda::Tipo::stazione) prossima = &righe[k];
    if (!prossima || prossima->localita != r.protegge())
      c.avviso(Avviso::scheda_protezione, File::scheda, in_scheda(r.riga, r.colonna_localita),
               q(r.localita) + ": la stazione seguente nella scheda è " +
                   (prossima ? q(prossima->localita) : std::string("nessuna")));
  }
}

}  // namespace

void avvisi_scheda(Contesto& c) {
  if (!c.testi.scheda) return;
  const std::vector<RigaScheda> righe = righe_scheda(*c.testi.scheda);
  if (righe.empty()) {
    c.nota(Nota::scheda_senza_tabella, File::scheda, Origine{}, regola(Nota::scheda_senza_tabella).significato);
    return;
  }
  std::vector<const RigaScheda*> stazioni_scheda;
  for (const RigaScheda& r : righe)
    if (r.tipo() == RigaScheda::Tipo::stazione) stazioni_scheda.push_back(&r);
  stazioni(c, stazioni_scheda, record_di(c, formato::stazione));
  velocita(c, righe);
  protezione(c, righe);
}

}  // namespace scenario::verifica
