// The outline of a description text: its sections, each with the records
// under it; stations by name, signals and the other features by position.

#include "lsp/funzioni/simboli.h"

#include <algorithm>

#include "base/cp1252.h"
#include "base/righe.h"
#include "compiler/formati.h"
#include "lsp/funzioni/campi.h"
#include "lsp/protocollo.h"

namespace scenario::strumenti::lsp {
namespace {

struct Sezione {
  std::string nome;
  int32_t riga = 0;  // from 1
  nlohmann::json figli = nlohmann::json::array();
};

// The lines (from 1) whose first field is a section header.
std::vector<Sezione> sezioni(std::string_view testo) {
  std::vector<Sezione> v;
  int32_t riga = 1;
  for (size_t i = 0; i <= testo.size(); ++riga) {
    const Riga r = riga_da(testo, i);
    const std::string_view primo = r.testo.substr(0, r.testo.find(','));
    if (formato::intestazione(primo)) v.push_back({a_utf8(spogliato(primo)), riga, nlohmann::json::array()});
    i = r.dopo;
  }
  return v;
}

nlohmann::json punto(int64_t riga, int64_t carattere) { return {{"line", riga}, {"character", carattere}}; }

std::string nome_record(const RecordLetto& r) {
  const formato::Record& f = *r.formato;
  if (&f == &formato::stazione) {
    const size_t n = f.indice("nome");
    if (n < r.valori.size() && !spogliato(r.valori[n].testo).empty()) return a_utf8(spogliato(r.valori[n].testo));
  }
  std::string t(f.nome);
  if (!r.valori.empty() && f.valori[0].ruolo != formato::Ruolo::valore && f.valori[0].tipo != formato::Tipo::testo)
    t += " a " + std::to_string(r.valori[0].numero) + " m";
  else if (!r.valori.empty() && f.valori[0].tipo != formato::Tipo::testo)
    t += " " + std::to_string(r.valori[0].numero);
  return t;
}

protocollo::TipoSimbolo tipo_simbolo(const formato::Record& f) {
  if (&f == &formato::stazione) return protocollo::TipoSimbolo::oggetto;
  if (&f == &formato::segnale) return protocollo::TipoSimbolo::evento;
  return protocollo::TipoSimbolo::campo;
}

nlohmann::json simbolo_record(const RecordLetto& r, std::string_view testo) {
  const nlohmann::json chiave = intervallo_campo(testo, r.campo_chiave.riga, r.campo_chiave.colonna);
  const Origine ultimo = r.valori.empty() ? r.campo_chiave : r.valori.back().campo;
  const nlohmann::json fine = intervallo_campo(testo, ultimo.riga, 0)["end"];
  std::string dettaglio(r.formato->significato);
  if (r.formato == &formato::stazione && !r.valori.empty())
    dettaglio = "stazione a " + std::to_string(r.valori[0].numero) + " m";
  return {{"name", nome_record(r)},
          {"detail", dettaglio},
          {"kind", tipo_simbolo(*r.formato)},
          {"range", {{"start", chiave["start"]}, {"end", fine}}},
          {"selectionRange", chiave}};
}

}  // namespace

nlohmann::json simboli(const Analisi& a, const Documento& d) {
  nlohmann::json out = nlohmann::json::array();
  const FileAnalizzato* f = a.di(d.percorso);
  const Sorgente s = tipo_di_testo(d.percorso);
  if (!f || !a.lettura || s == Sorgente::nessuna) return out;
  std::vector<Sezione> sez = sezioni(f->testo);
  for (const RecordLetto* r : a.lettura->record) {
    if (r->sorgente != s || !r->formato) continue;
    nlohmann::json j = simbolo_record(*r, f->testo);
    // Under the last header above it; before any header, at the top.
    Sezione* sopra = nullptr;
    for (Sezione& x : sez)
      if (x.riga <= r->campo_chiave.riga) sopra = &x;
    (sopra ? sopra->figli : out).push_back(std::move(j));
  }
  const int64_t righe = posizione_di(f->testo, f->testo.size()).riga;
  for (size_t i = 0; i < sez.size(); ++i) {
    const nlohmann::json intestazione = intervallo_campo(f->testo, sez[i].riga, 0);
    // To the end of the line before the next header, or of the text.
    const int32_t ultima = i + 1 < sez.size() ? sez[i + 1].riga - 1 : static_cast<int32_t>(righe + 1);
    const nlohmann::json fine = intervallo_campo(f->testo, std::max(ultima, sez[i].riga), 0)["end"];
    out.push_back({{"name", sez[i].nome},
                   {"kind", protocollo::TipoSimbolo::spazio_nomi},
                   {"range", {{"start", punto(sez[i].riga - 1, 0)}, {"end", fine}}},
                   {"selectionRange", intestazione},
                   {"children", std::move(sez[i].figli)}});
  }
  return out;
}

}  // namespace scenario::strumenti::lsp
