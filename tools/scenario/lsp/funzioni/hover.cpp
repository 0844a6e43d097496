// The meaning of the field under the cursor, from the formats table: the
// record's kind at its keyword, the value's name, meaning, unit and limits
// at a value, how the cells keep it where they code it, and for a place
// along the line the cell it falls in.

#include "lsp/funzioni/hover.h"

#include "base/cp1252.h"
#include "compiler/formati.h"
#include "formati/formati_md.h"
#include "formati/valori_celle.h"
#include "lsp/funzioni/campi.h"
#include "lsp/protocollo.h"
#include "verifica/arrotondamento.h"

namespace scenario::strumenti::lsp {
namespace {

using formato::Record;
using formato::Valore;

// The field under the cursor: the record, and the value's index (-1 for the keyword).
struct Campo {
  const RecordLetto* record = nullptr;
  int indice = -1;
  Origine dove;
};

std::string valori_del_record(const Record& r) {
  std::string t;
  for (const Valore& v : r.valori) t += (t.empty() ? "" : ", ") + std::string(v.nome);
  return t;
}

std::string testo_chiave(const Record& r) {
  return "**" + std::string(r.nome) + "**: " + std::string(r.significato) + "\n\nchiave: il primo campo " +
         prova_chiave(r.chiave) + "\n\nvalori: " + valori_del_record(r);
}

std::string testo_valore(const Record& r, int i, const ValoreLetto& letto) {
  const Valore& v = r.valori[static_cast<size_t>(i)];
  std::string t = "**" + std::string(r.nome) + "**, valore " + std::to_string(i + 1) + " (`" + std::string(v.nome) +
                  "`): " + std::string(v.significato);
  if (!v.unita.empty()) t += ", " + std::string(v.unita);
  if (v.passo > 0) t += ", multiplo di " + std::to_string(v.passo);
  t += "\n\n" + limiti(v, false);
  // The cells keep some values coded; the hover says how, from the table the
  // drawings decode them with.
  if (const std::string f = formula_nella_cella(r, v.nome); !f.empty()) t += "\n\nnella cella: " + f;
  if (v.tipo == formato::Tipo::testo) {
    t += "\n\nletto: \xC2\xAB" + a_utf8(letto.testo) + "\xC2\xBB";
  } else {
    t += "\n\nletto: " + std::to_string(letto.numero);
    if (const auto c = verifica::cella_del_valore(v.ruolo, letto.numero))
      t += "; cade nella cella " + std::to_string(*c) + " (metro " +
           std::to_string(*verifica::metro_arrotondato(v.ruolo, letto.numero)) + ")";
  }
  return t;
}

// The field of a record of that text that starts last before the cursor on
// its line, if the cursor is inside it.
std::optional<Campo> campo_sotto(const Analisi& a, Sorgente s, std::string_view testo, Posizione p) {
  const int32_t riga = static_cast<int32_t>(p.riga + 1), colonna = static_cast<int32_t>(p.carattere + 1);
  const std::string_view linea = std::string_view(testo).substr(scostamento(testo, {p.riga, 0}));
  // A field takes the blanks before it too: they belong to no other field.
  auto inizio = [&](int32_t c) {
    while (c > 1 && static_cast<size_t>(c - 1) <= linea.size() && (linea[c - 2] == ' ' || linea[c - 2] == '\t')) --c;
    return c;
  };
  std::optional<Campo> migliore;
  auto prova = [&](const RecordLetto& r, int i, const Origine& o) {
    if (o.riga == riga && inizio(o.colonna) <= colonna && (!migliore || o.colonna > migliore->dove.colonna))
      migliore = Campo{&r, i, o};
  };
  for (const RecordLetto* r : a.lettura->record) {
    if (r->sorgente != s || !r->formato) continue;
    prova(*r, -1, r->campo_chiave);
    for (size_t i = 0; i < r->valori.size(); ++i) prova(*r, static_cast<int>(i), r->valori[i].campo);
  }
  if (!migliore) return std::nullopt;
  const nlohmann::json intervallo = intervallo_campo(testo, riga, migliore->dove.colonna);
  if (p.carattere > intervallo["end"]["character"].get<int64_t>()) return std::nullopt;
  return migliore;
}

}  // namespace

nlohmann::json hover(const Analisi& a, const Documento& d, Posizione p) {
  const FileAnalizzato* f = a.di(d.percorso);
  const Sorgente s = tipo_di_testo(d.percorso);
  if (!f || !a.lettura || s == Sorgente::nessuna) return nullptr;
  const auto c = campo_sotto(a, s, f->testo, p);
  if (!c) return nullptr;
  const Record& r = *c->record->formato;
  const std::string testo =
      c->indice < 0 ? testo_chiave(r) : testo_valore(r, c->indice, c->record->valori[static_cast<size_t>(c->indice)]);
  return {{"contents", {{"kind", protocollo::markdown}, {"value", testo}}},
          {"range", intervallo_campo(f->testo, c->dove.riga, c->dove.colonna)}};
}

}  // namespace scenario::strumenti::lsp
