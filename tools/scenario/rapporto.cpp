#include "rapporto.h"

#include <algorithm>
#include <string_view>

#include "base/codici.h"
#include "base/cp1252.h"
#include "base/errori.h"
#include "base/nomi_file.h"

namespace scenario::strumenti {
namespace {

// Codes that concern the line description when the problem carries no place.
constexpr int32_t codici_linea[] = {
    problema::lunghezza_eccessiva, problema::progressiva_non_multipla, problema::ripetizione_inizio,
    problema::ripetizione_fine,    problema::ripetizione_codici,       problema::cartello_occupato,
    problema::troppe_montagne,     problema::troppi_cartelli,          problema::manca_linea,
    problema::manca_generale,      problema::curva_non_valida,
};

Famiglia famiglia(Problema::Tipo t) {
  switch (t) {
    case Problema::Tipo::registrato: return Famiglia::problema;
    case Problema::Tipo::numerato: return Famiglia::numerato;
    case Problema::Tipo::esecuzione: break;
  }
  return Famiglia::guasto;
}

std::string significato(const Problema& p, const Codice* c) {
  // A failure says itself, with its number and what it concerns.
  if (p.tipo == Problema::Tipo::esecuzione) return a_utf8(p.dettaglio);
  std::string t = c ? c->significato : "codice sconosciuto";
  if (!p.dettaglio.empty()) t += ": " + a_utf8(p.dettaglio);
  return t;
}

// Line n (from 1) of a text whose lines end in CR LF, LF or a lone CR, as
// the field reader counts them.
std::string_view riga_di(std::string_view testo, int32_t n) {
  size_t inizio = 0;
  for (int32_t r = 1; inizio <= testo.size(); ++r) {
    size_t fine = testo.find_first_of("\r\n", inizio);
    if (fine == std::string_view::npos) fine = testo.size();
    if (r == n) return testo.substr(inizio, fine - inizio);
    if (fine == testo.size()) break;
    inizio = fine + ((testo[fine] == '\r' && fine + 1 < testo.size() && testo[fine + 1] == '\n') ? 2 : 1);
  }
  return {};
}

std::string plurale(size_t n, const char* uno, const char* molti) {
  return std::to_string(n) + " " + (n == 1 ? uno : molti);
}

const char* nome_tipo(Problema::Tipo t) {
  switch (t) {
    case Problema::Tipo::registrato: return "registrato";
    case Problema::Tipo::numerato: return "numerato";
    case Problema::Tipo::esecuzione: return "esecuzione";
  }
  return "";
}

size_t conta(const std::vector<VoceRapporto>& voci, Problema::Tipo t) {
  return static_cast<size_t>(std::count_if(voci.begin(), voci.end(), [t](const auto& v) { return v.tipo == t; }));
}

// A compile whose replacement of the binary files failed and could not be
// taken back: some of them are new, some missing.
bool insieme_incompleto(const Stato& s) {
  return !s.problemi.empty() && s.problemi.back().tipo == Problema::Tipo::esecuzione &&
         s.problemi.back().codice == static_cast<int32_t>(Guasto::file_binari_incompleti);
}

}  // namespace

std::vector<VoceRapporto> voci_rapporto(const EsitoCompilazione& esito, const RichiestaCompilazione& r) {
  auto file_di = [&](FileScenario f) { return percorso_file(r.ingresso, f, r.nome_linea, r.numero_treno).string(); };
  std::vector<VoceRapporto> voci;
  for (const Problema& p : esito.stato->problemi) {
    VoceRapporto v;
    v.tipo = p.tipo;
    v.codice = p.codice;
    const Codice* c = cerca_codice(famiglia(p.tipo), p.codice);
    v.significato = significato(p, c);
    if (c) v.suggerimento = c->suggerimento;
    v.posizione = p.posizione;
    const std::string* testo = nullptr;
    switch (p.origine.sorgente) {
      case Sorgente::linea:
        v.file = file_di(FileScenario::linea_txt);
        testo = &esito.testo_linea;
        break;
      case Sorgente::treno:
        v.file = file_di(FileScenario::treno_txt);
        testo = &esito.testo_treno;
        break;
      case Sorgente::nessuna:
        if (p.tipo == Problema::Tipo::registrato)
          v.file =
              file_di(std::ranges::count(codici_linea, p.codice) ? FileScenario::linea_txt : FileScenario::treno_txt);
        break;
    }
    if (testo && p.origine.riga > 0) {
      v.riga = p.origine.riga;
      v.colonna = p.origine.colonna;
      const std::string_view sorgente = riga_di(*testo, p.origine.riga);
      v.testo_riga = a_utf8(sorgente);
      // One byte is one character in Windows-1252; tabs are kept so that the
      // caret lines up whatever the tab width.
      for (size_t i = 0; i + 1 < static_cast<size_t>(std::max(v.colonna, 1)) && i < sorgente.size(); ++i)
        v.rientro += sorgente[i] == '\t' ? '\t' : ' ';
    }
    voci.push_back(std::move(v));
  }
  return voci;
}

std::string rapporto_testo(const EsitoCompilazione& esito, const RichiestaCompilazione& r) {
  const auto voci = voci_rapporto(esito, r);
  std::string out;
  for (const VoceRapporto& v : voci) {
    std::string luogo = v.file.empty() ? "scenario" : v.file;
    if (v.riga > 0) luogo += ":" + std::to_string(v.riga);
    if (v.riga > 0 && v.colonna > 0) luogo += ":" + std::to_string(v.colonna);
    std::string cosa;
    switch (v.tipo) {
      case Problema::Tipo::registrato: cosa = "problema " + std::to_string(v.codice); break;
      case Problema::Tipo::numerato: cosa = "errore n. " + std::to_string(v.codice); break;
      case Problema::Tipo::esecuzione: cosa = "errore di esecuzione " + std::to_string(v.codice); break;
    }
    out += luogo + ": " + cosa + ": " + v.significato;
    if (v.posizione) out += " (posizione " + std::to_string(*v.posizione) + " m)";
    out += "\n";
    if (v.riga > 0) {
      out += "  " + v.testo_riga + "\n";
      if (v.colonna > 0) out += "  " + v.rientro + "^\n";
    }
    if (!v.suggerimento.empty()) out += "  suggerimento: " + v.suggerimento + "\n";
  }
  const Stato& s = *esito.stato;
  out += plurale(conta(voci, Problema::Tipo::registrato), "problema registrato", "problemi registrati") + ", " +
         plurale(conta(voci, Problema::Tipo::numerato), "errore numerato", "errori numerati") + ", " +
         plurale(conta(voci, Problema::Tipo::esecuzione), "errore di esecuzione", "errori di esecuzione") +
         "; codice_errore " + std::to_string(s.codice_errore) + ", posizione_errore " +
         std::to_string(s.posizione_errore) + "; ";
  out += esito.file_scritti      ? "file binari scritti in " + r.uscita.string()
         : insieme_incompleto(s) ? "file binari incompleti in " + r.uscita.string() + ": compilare di nuovo"
                                 : std::string("nessun file binario scritto");
  out += "\n";
  return out;
}

nlohmann::json rapporto_json(const EsitoCompilazione& esito, const RichiestaCompilazione& r) {
  using nlohmann::json;
  const auto voci = voci_rapporto(esito, r);
  json problemi = json::array();
  for (const VoceRapporto& v : voci) {
    auto opzionale = [](auto valore, bool presente) { return presente ? json(valore) : json(nullptr); };
    problemi.push_back({
        {"tipo", nome_tipo(v.tipo)},
        {"codice", v.codice},
        {"significato", v.significato},
        {"suggerimento", opzionale(v.suggerimento, !v.suggerimento.empty())},
        {"posizione", opzionale(v.posizione.value_or(0), v.posizione.has_value())},
        {"file", opzionale(v.file, !v.file.empty())},
        {"riga", opzionale(v.riga, v.riga > 0)},
        {"colonna", opzionale(v.colonna, v.riga > 0 && v.colonna > 0)},
        {"testo_riga", opzionale(v.testo_riga, v.riga > 0)},
    });
  }
  const Stato& s = *esito.stato;
  return {
      {"linea", a_utf8(r.nome_linea)},
      {"treno", a_utf8(r.numero_treno)},
      {"problemi", problemi},
      {"conteggi",
       {{"registrati", conta(voci, Problema::Tipo::registrato)},
        {"numerati", conta(voci, Problema::Tipo::numerato)},
        {"esecuzione", conta(voci, Problema::Tipo::esecuzione)}}},
      {"codice_errore", s.codice_errore},
      {"posizione_errore", s.posizione_errore},
      {"file_scritti", esito.file_scritti},
      {"uscita", static_cast<int>(esito.uscita)},
  };
}

}  // namespace scenario::strumenti
