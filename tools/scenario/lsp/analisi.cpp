// The check of an open description text with its pair (lsp_analisi.h).

#include "lsp/analisi.h"

#include <algorithm>
#include <deque>

#include "autore/ingressi.h"
#include "base/cp1252.h"
#include "base/testo_carico.h"
#include "cli/errore_strumento.h"
#include "compiler/formati.h"
#include "verifica/controllo.h"
#include "verifica/disco_autore.h"

namespace scenario::strumenti::lsp {
namespace {

bool carico(const Percorso& p) {
  const std::string n = nome_utf8(p);
  return n == formato::linea().carico || n == formato::treno().carico;
}

// The editor's UTF-8 as Windows-1252, one byte a character: what the
// editor could not decode, or Windows-1252 lacks, becomes '?', so that
// every column stays where the editor shows it.
std::string in_cp1252(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    if (c < 0x80) {
      out += static_cast<char>(c);
      ++i;
      continue;
    }
    size_t n = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    n = std::min(n, utf8.size() - i);
    const auto b = da_utf8(utf8.substr(i, n));
    out += b && b->size() == 1 ? *b : std::string("?");
    i += n;
  }
  return out;
}

// The open documents over the disk: each served as its file would hold it
// (a payload text in UTF-8, an installed one in Windows-1252), and listed
// in its folder even before it is first saved.
class DiscoDocumenti : public verifica::DiscoAutore {
 public:
  DiscoDocumenti(Disco& reale, const Documenti& aperti) : DiscoAutore(reale), reale_(reale) {
    for (const auto& [uri, d] : aperti) {
      if (carico(d.percorso)) {
        servi(d.percorso, d.testo);
      } else {
        convertiti_.push_back(in_cp1252(d.testo));
        servi(d.percorso, convertiti_.back());
      }
      serviti_.push_back(d.percorso.lexically_normal());
    }
  }
  std::vector<Percorso> elenca(const Percorso& cartella) override {
    std::vector<Percorso> v;
    try {
      v = reale_.elenca(cartella);
    } catch (const ErroreEsecuzione&) {
      // A folder not on disk yet holds only the open documents.
    }
    for (const Percorso& p : serviti_)
      if (p.parent_path() == cartella.lexically_normal() &&
          std::ranges::none_of(v, [&](const Percorso& q) { return q.lexically_normal() == p; }))
        v.push_back(p);
    return v;
  }

 private:
  Disco& reale_;
  std::vector<Percorso> serviti_;
  std::deque<std::string> convertiti_;  // the served Windows-1252 texts, which must stay put
};

verifica::File file_di(Sorgente s) { return s == Sorgente::treno ? verifica::File::treno : verifica::File::linea; }

void compila(Analisi& a, const verifica::Testi& t, const std::vector<std::pair<verifica::File, Percorso>>& file) {
  verifica::Controllo c = verifica::controlla_testi(t);
  a.lettura = std::make_unique<verifica::Raccolta>();
  verifica::compila_in_memoria(t, a.lettura.get(), true);
  for (size_t i = 0; i < file.size(); ++i) {
    const auto& [f, p] = file[i];
    FileAnalizzato fa{p, f, {}, {}};
    fa.testo = std::string(f == verifica::File::linea ? t.linea : f == verifica::File::treno ? t.treno : *t.scheda);
    for (const verifica::Diagnostica& d : c.diagnostiche)
      if (d.file == f || (d.file == verifica::File::nessuno && i == 0)) fa.diagnostiche.push_back(d);
    a.file.push_back(std::move(fa));
  }
}

// The document checked alone: the other text empty, only its own problems
// kept, after a note that says why.
Analisi da_solo(const Documento& d, Sorgente s, const std::string& perche) {
  Analisi a;
  const verifica::File f = file_di(s);
  verifica::Diagnostica nota{verifica::Gravita::nota, "", "controllata da sola: " + perche, {}, f, 0, 0, {}, {}};
  std::string errore;
  std::string testo;
  if (carico(d.percorso)) {
    if (auto t = testo_da_carico(d.testo, errore)) testo = std::move(*t);
  } else {
    testo = in_cp1252(d.testo);
  }
  if (!errore.empty()) {
    a.file.push_back(
        {d.percorso, f, {}, {{verifica::Gravita::errore, "", errore + " (la build lo rifiuta)", {}, f, 0, 0, {}, {}}}});
    return a;
  }
  const std::string_view proprio = testo, vuoto;
  const verifica::Testi t{
      "R", "T", s == Sorgente::linea ? proprio : vuoto, s == Sorgente::treno ? proprio : vuoto, std::nullopt, 1};
  compila(a, t, {{f, d.percorso}});
  a.file.front().diagnostiche.insert(a.file.front().diagnostiche.begin(), nota);
  return a;
}

}  // namespace

const FileAnalizzato* Analisi::di(const Percorso& p) const {
  for (const FileAnalizzato& f : file)
    if (f.percorso.lexically_normal() == p.lexically_normal()) return &f;
  return nullptr;
}

Analisi analizza(const Documenti& aperti, const Documento& d, Disco& disco) {
  const Sorgente s = tipo_di_testo(d.percorso);
  DiscoDocumenti documenti(disco, aperti);
  TestiAutore t;
  try {
    t = trova_coppia(documenti, d.percorso);
  } catch (const ErroreStrumento& e) {
    return da_solo(d, s, e.what());
  } catch (const ErroreEsecuzione& e) {
    return da_solo(d, s, e.what());
  }
  Analisi a;
  verifica::Testi testi{t.nome_linea, t.numero_treno, t.linea, t.treno, std::nullopt, 1};
  std::vector<std::pair<verifica::File, Percorso>> file;
  // The document's own file first: what concerns no file goes to it.
  file.emplace_back(file_di(s), s == Sorgente::treno ? t.file_treno : t.file_linea);
  file.emplace_back(s == Sorgente::treno ? verifica::File::linea : verifica::File::treno,
                    s == Sorgente::treno ? t.file_linea : t.file_treno);
  if (t.file_scheda) {
    testi.scheda = t.scheda;
    file.emplace_back(verifica::File::scheda, *t.file_scheda);
  }
  compila(a, testi, file);
  return a;
}

}  // namespace scenario::strumenti::lsp
