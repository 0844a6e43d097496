// The checking reading's listener: each event kept with what came before it
// on its line.

#include "verifica/raccolta.h"

#include <algorithm>
#include <string_view>

#include "base/righe.h"
#include "verifica/regole_controllo.h"

namespace scenario::verifica {

void Raccolta::inizio_testo(Sorgente s) {
  (s == Sorgente::linea ? linea_iniziata : treno_iniziato) = true;
  sorgente_ultimo_ = s;
  riga_ultimo_ = 0;
  record_ultimo_ = nullptr;
}

void Raccolta::senza_generale(Sorgente s) {
  if (s == Sorgente::treno) treno_senza_generale = true;
}

void Raccolta::record_letto(const RecordLetto& r) {
  tenuti_.push_back(std::make_unique<RecordLetto>(r));
  record.push_back(tenuti_.back().get());
  record_ultimo_ = tenuti_.back().get();
  riga_ultimo_ = r.valori.empty() ? r.campo_chiave.riga : r.valori.back().campo.riga;
  prima(r.sorgente, r.campo_chiave.riga);
}

void Raccolta::prima(Sorgente s, int32_t riga) {
  auto [it, nuova] = prima_riga.try_emplace(s, riga);
  if (!nuova) it->second = std::min(it->second, riga);
}

void Raccolta::campo_ignorato(const CampoIgnorato& c) {
  Ignorato i{c};
  if (c.campo.riga == riga_ultimo_ && !c.inizio_riga) {
    i.dopo_record = record_ultimo_ != nullptr;
    i.dopo_ignorato = record_ultimo_ == nullptr;
    i.record = record_ultimo_;
  }
  // A field of blanks says nothing by itself (a blank line is one); only the
  // line it stands on counts, for the fields after it.
  if (const std::string_view t = spogliato_in_vista(c.testo); !t.empty()) {
    prima(c.sorgente, c.campo.riga);
    if (c.inizio_riga && std::string_view(";#'/").find(t[0]) != std::string_view::npos)
      saltate[c.sorgente].insert(c.campo.riga);
    chiave_ignorata(avvisi_dei_campi, i);
    if (tieni_ignorati) {
      ignorati.push_back(i);
      ignorati.back().campo.testo = testi_ignorati.emplace_back(c.testo);
    }
  }
  riga_ultimo_ = c.campo.riga;
  record_ultimo_ = nullptr;
}

const Arresto* Raccolta::primo_arresto(Sorgente s) const {
  for (const Arresto& a : arresti)
    if (a.sorgente == s) return &a;
  return nullptr;
}

}  // namespace scenario::verifica
