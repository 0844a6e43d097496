#include "diagnostiche/rapporto.h"

#include <algorithm>
#include <string_view>

#include "base/codici.h"
#include "base/cp1252.h"
#include "base/errori.h"
#include "base/nomi_file.h"
#include "diagnostiche/righe_sorgente.h"
#include "verifica/problemi_compilazione.h"

namespace scenario::strumenti {
namespace {

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

std::vector<VoceRapporto> voci_rapporto(const EsitoCompilazione& esito, const RichiestaCompilazione&) {
  const IndiceRighe righe_linea(esito.testo_linea), righe_treno(esito.testo_treno);
  const Stato& stato = *esito.stato;
  std::vector<VoceRapporto> voci;
  for (const Problema& p : stato.problemi) {
    // The place, file and meaning as the check gives them; the words of
    // this report stay its own.
    const verifica::Diagnostica d = verifica::da_problema(p, stato.record_in_corso);
    VoceRapporto v;
    v.tipo = p.tipo;
    v.codice = p.codice;
    const Codice* c = cerca_codice(verifica::famiglia(p.tipo), p.codice);
    v.significato = d.messaggio;
    if (c) v.suggerimento = c->suggerimento;
    v.posizione = p.posizione;
    const IndiceRighe* righe = nullptr;
    switch (d.file) {
      case verifica::File::linea:
        v.file = testo_utf8(esito.file_linea);
        righe = &righe_linea;
        break;
      case verifica::File::treno:
        v.file = testo_utf8(esito.file_treno);
        righe = &righe_treno;
        break;
      case verifica::File::scheda:
      case verifica::File::nessuno: break;
    }
    if (righe && p.origine.sorgente != Sorgente::nessuna && d.riga > 0) {
      v.riga = d.riga;
      v.colonna = d.colonna;
      const RigaMostrata m = mostra_riga(righe->riga(d.riga), d.colonna);
      v.testo_riga = m.testo;
      v.rientro = m.rientro;
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
  out += esito.file_scritti      ? "file binari scritti in " + testo_utf8(r.uscita)
         : insieme_incompleto(s) ? "file binari incompleti in " + testo_utf8(r.uscita) + ": compilare di nuovo"
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
