// Completion at a line's first field: the keywords of the document's
// records, each with a snippet of its values in reading order, and the
// section headers, all from the formats table.

#include "lsp/funzioni/completamento.h"

#include "autore/ingressi.h"
#include "compiler/formati.h"
#include "lsp/protocollo.h"

namespace scenario::strumenti::lsp {
namespace {

// A snippet placeholder may not hold $, } or a backslash unescaped.
std::string segnaposto(std::string_view s) {
  std::string t;
  for (char c : s) {
    if (c == '$' || c == '}' || c == '\\') t += '\\';
    t += c;
  }
  return t;
}

std::string snippet(const formato::Record& r) {
  std::string t = segnaposto(r.esempio);
  for (size_t i = 0; i < r.valori.size(); ++i)
    t += ", ${" + std::to_string(i + 1) + ":" + segnaposto(r.valori[i].nome) + "}";
  return t;
}

std::string documentazione(const formato::Record& r) {
  std::string t = std::string(r.significato) + "\n";
  for (size_t i = 0; i < r.valori.size(); ++i) {
    const formato::Valore& v = r.valori[i];
    t += "\n" + std::to_string(i + 1) + ". `" + std::string(v.nome) + "`: " + std::string(v.significato);
    if (!v.unita.empty()) t += " (" + std::string(v.unita) + ")";
  }
  return t;
}

}  // namespace

nlohmann::json completamento(const Documento& d, Posizione p) {
  nlohmann::json voci = nlohmann::json::array();
  const Sorgente s = tipo_di_testo(d.percorso);
  const size_t inizio = scostamento(d.testo, {p.riga, 0});
  const size_t cursore = scostamento(d.testo, p);
  const std::string_view prima = std::string_view(d.testo).substr(inizio, cursore - inizio);
  // Only the first field of a line opens a record or a section.
  if (s == Sorgente::nessuna || prima.find(',') != std::string_view::npos)
    return {{"isIncomplete", false}, {"items", voci}};
  const nlohmann::json sostituisci = {{"start", {{"line", p.riga}, {"character", 0}}},
                                      {"end", {{"line", p.riga}, {"character", p.carattere}}}};
  const formato::Testo& testo = formato::di(s);
  const bool solo_sezioni = prima.find('[') != std::string_view::npos;
  if (!solo_sezioni)
    for (const formato::Record* r : testo.record)
      voci.push_back({{"label", r->esempio},
                      {"kind", protocollo::TipoCompletamento::parola_chiave},
                      {"detail", std::string(r->significato) + " (sotto " + std::string(r->sezione) + ")"},
                      {"documentation", {{"kind", protocollo::markdown}, {"value", documentazione(*r)}}},
                      {"filterText", r->esempio},
                      {"insertTextFormat", protocollo::FormatoInserimento::snippet},
                      {"textEdit", {{"range", sostituisci}, {"newText", snippet(*r)}}}});
  for (std::string_view sezione : testo.sezioni)
    voci.push_back({{"label", sezione},
                    {"kind", protocollo::TipoCompletamento::modulo},
                    {"detail", "intestazione di sezione della " + std::string(testo.nome)},
                    {"filterText", sezione},
                    {"textEdit", {{"range", sostituisci}, {"newText", sezione}}}});
  return {{"isIncomplete", false}, {"items", voci}};
}

}  // namespace scenario::strumenti::lsp
