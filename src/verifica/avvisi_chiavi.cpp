// Keyword and record-shape rules: a keyword no record takes (W01), an
// unknown section (W02), a record of the other text (W03) or of the other
// part of the line description (W04), a train description without
// "[generale]" (W05), values left after a record (W06), a record that runs
// out of values and takes the next line's keyword (W07), a line that looks
// like a comment, which the format does not have (W19).

#include <algorithm>
#include <limits>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "base/righe.h"
#include "compiler/formati.h"
#include "verifica/regole_controllo.h"
#include "verifica/somiglianza.h"

namespace scenario::verifica {
namespace {

bool numero(std::string_view campo) {
  const std::string_view t = spogliato_in_vista(campo);
  if (t.empty()) return false;
  size_t i = (t[0] == '+' || t[0] == '-') ? 1 : 0;
  if (i == t.size()) return false;
  for (; i < t.size(); ++i)
    if (t[i] < '0' || t[i] > '9') return false;
  return true;
}

// How authors from elsewhere start a comment.
bool sembra_commento(std::string_view campo) {
  const std::string_view t = spogliato_in_vista(campo);
  return !t.empty() && (t[0] == ';' || t[0] == '#' || t[0] == '\'' || t.starts_with("//"));
}

std::string commento(std::string_view campo) {
  return "\xC2\xAB" + citato(campo) + "\xC2\xBB sembra un commento, ma le descrizioni non ne hanno: ";
}

const formato::Testo& altro(const formato::Testo& t) {
  return t.sorgente == Sorgente::linea ? formato::treno() : formato::linea();
}

// The record of this text, in either part, whose test the keyword passes.
const formato::Record* di_un_altra_parte(const formato::Testo& t, std::string_view campo, formato::Parte parte) {
  for (const formato::Record* r : t.record)
    if (r->parte != parte && r->chiave.corrisponde(campo)) return r;
  return nullptr;
}

std::string forse(std::string_view parola, std::span<const std::string_view> parole) {
  const auto p = piu_vicina(parola, parole);
  return p ? ": forse intendevi \xC2\xAB" + std::string(*p) + "\xC2\xBB?" : std::string();
}

}  // namespace

void chiave_ignorata(Tenuti& c, const Ignorato& i) {
  const CampoIgnorato& campo = i.campo;
  const formato::Testo& testo = formato::di(campo.sorgente);
  const File file = file_di(campo.sorgente);
  const std::string_view t = spogliato_in_vista(campo.testo);
  if (t.empty()) return;
  const std::string q = "\xC2\xAB" + citato(t) + "\xC2\xBB";

  // A line that looks like a comment is told as such (righe_di_commento).
  if (campo.inizio_riga && sembra_commento(t)) return;
  if (formato::intestazione(t)) {
    std::string minuscolo(t);
    for (char& ch : minuscolo)
      if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch + 32);
    for (std::string_view s : testo.sezioni)
      if (s == minuscolo) return;
    avviso(c, Avviso::sezione_sconosciuta, file, campo.campo,
           "intestazione " + q + " sconosciuta nella " + std::string(testo.nome) + forse(t, testo.sezioni));
    return;
  }
  // The values of an unknown record follow its keyword on the line.
  if (i.dopo_ignorato) return;
  if (i.dopo_record) {
    avviso(c, Avviso::valore_in_piu, file, campo.campo,
           "valore in più dopo il record \xC2\xAB" + citato(i.record->chiave) + "\xC2\xBB (" +
               std::to_string(i.record->formato->valori.size()) + " valori): " + q + " non viene letto");
    return;
  }
  if (const formato::Record* r = formato::primo_che_corrisponde(altro(testo), t)) {
    avviso(c, Avviso::record_dell_altro_testo, file, campo.campo,
           q + " è un record della " + std::string(altro(testo).nome) + " (" + std::string(r->nome) + "): nella " +
               std::string(testo.nome) + " non viene letto");
    return;
  }
  if (const formato::Record* r = di_un_altra_parte(testo, t, campo.parte)) {
    avviso(c, Avviso::record_fuori_posto, file, campo.campo,
           r->parte == formato::Parte::generale
               ? q + " è un record della sezione [generale]: dopo la prima intestazione non viene letto"
               : q + " è un record delle sezioni dopo [generale]: dentro [generale] non viene letto");
    return;
  }
  std::vector<std::string_view> esempi;
  for (const formato::Record* r : testo.record) esempi.push_back(r->esempio);
  const std::string suggerimento = numero(t) ? std::string() : forse(t, esempi);
  avviso(c, Avviso::chiave_sconosciuta, file, campo.campo,
         q + " non è la parola chiave di nessun record della " + std::string(testo.nome) +
             (suggerimento.empty() ? ": il campo viene saltato" : suggerimento));
}

namespace {

// A value read from a later line, at its start, that is a keyword or a
// header: the record took the next record's opening field.
void record_che_continua(Contesto& c, const RecordLetto& r) {
  const formato::Testo& testo = formato::di(r.sorgente);
  int32_t sulla_riga = 0;
  for (size_t k = 0; k < r.valori.size(); ++k) {
    const ValoreLetto& v = r.valori[k];
    if (v.campo.riga == r.campo_chiave.riga) {
      ++sulla_riga;
      continue;
    }
    if (!v.inizio_riga) continue;
    const bool apre = formato::intestazione(v.testo) || formato::primo_che_corrisponde(testo, v.testo);
    if (!apre) return;
    c.avviso(Avviso::record_continua, file_di(r.sorgente), r.campo_chiave,
             "\xC2\xAB" + citato(r.chiave) + "\xC2\xBB: " + std::to_string(sulla_riga) + " valori invece di " +
                 std::to_string(r.formato->valori.size()) +
                 "; il record continua sulla riga seguente e prende \xC2\xAB" + citato(v.testo) + "\xC2\xBB come " +
                 std::string(r.formato->valori[k].nome));
    return;
  }
}

}  // namespace

// Lines that look like comments, once the reader reads (before its first
// record the text is a preamble it skips), each told with what the reader
// makes of it: an unknown keyword skipped, a record (a comment such as
// "; la curva di..." holds the keyword "curva"), or values of the record
// before, which a failure may end there.
void righe_di_commento(Contesto& c, Sorgente s, std::string_view testo) {
  const auto p = c.raccolta.prima_riga.find(s);
  const int32_t prima = p == c.raccolta.prima_riga.end() ? std::numeric_limits<int32_t>::max() : p->second;
  std::map<int32_t, const RecordLetto*> record_a;
  for (const RecordLetto* r : c.raccolta.record)
    if (r->sorgente == s) record_a.try_emplace(r->campo_chiave.riga, r);
  static const std::set<int32_t> nessuna;
  const auto sa = c.raccolta.saltate.find(s);
  const std::set<int32_t>& saltate = sa == c.raccolta.saltate.end() ? nessuna : sa->second;
  int32_t riga = 1;
  for (size_t i = 0; i < testo.size(); ++riga) {
    const Riga r = riga_da(testo, i);
    const std::string_view linea = r.testo;
    i = r.dopo;
    if (riga < prima || !sembra_commento(linea)) continue;
    const size_t inizio = linea.find_first_not_of(" \t");
    const Origine dove{s, riga, static_cast<int32_t>(inizio) + 1};
    std::string cosa;
    if (const auto r = record_a.find(riga); r != record_a.end())
      cosa = "viene letta come record \xC2\xAB" + std::string(r->second->formato->nome) +
             "\xC2\xBB, e i suoi campi come i valori di quello";
    else if (saltate.count(riga))
      cosa =
          "il suo primo campo non è la parola chiave di nessun record e viene saltato, con i campi che lo seguono "
          "fino al prossimo record";
    else
      cosa =
          "non apre nessun record: i suoi campi vengono letti come valori del record che la precede, o saltati "
          "dopo un errore";
    c.avviso(Avviso::riga_di_commento, file_di(s), dove, commento(linea) + cosa);
  }
}

void avvisi_chiavi(Contesto& c) {
  righe_di_commento(c, Sorgente::linea, c.testi.linea);
  righe_di_commento(c, Sorgente::treno, c.testi.treno);
  for (const RecordLetto* r : c.raccolta.record)
    if (!r->guasto) record_che_continua(c, *r);
  if (c.raccolta.treno_senza_generale)
    c.avviso(Avviso::treno_senza_generale, File::treno, Origine{Sorgente::treno, 1, 1},
             "la descrizione del treno non ha la riga [generale]: nessun suo record viene letto");
}

}  // namespace scenario::verifica
