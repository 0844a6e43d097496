#include "diagnostiche/rapporto.h"

#include <algorithm>
#include <string_view>

#include "base/codici.h"
#include "base/cp1252.h"
#include "diagnostiche/righe_sorgente.h"
#include "verifica/problemi_compilazione.h"

namespace scenario::strumenti {
namespace {

// The compile's three kinds of code: the letter of their identifiers, and
// how the report names and counts them.
struct Tipo {
  char lettera;
  const char* json;  // "tipo" of a problem
  const char* conteggio;
  const char* uno;
  const char* molti;
};
constexpr Tipo tipi[] = {
    {'P', "registrato", "registrati", "problema registrato", "problemi registrati"},
    {'E', "numerato", "numerati", "errore numerato", "errori numerati"},
    {'G', "esecuzione", "esecuzione", "errore di esecuzione", "errori di esecuzione"},
};

const Tipo& tipo(const verifica::Diagnostica& d) {
  for (const Tipo& t : tipi)
    if (!d.id.empty() && d.id.front() == t.lettera) return t;
  return tipi[0];
}

int32_t codice(const verifica::Diagnostica& d) { return d.id.size() > 1 ? std::stoi(d.id.substr(1)) : 0; }

size_t conta(const ScenarioVerificato& s, const Tipo& t) {
  return static_cast<size_t>(
      std::ranges::count_if(s.diagnostiche, [&](const verifica::Diagnostica& d) { return &tipo(d) == &t; }));
}

// A replacement of the binary files that failed and could not be taken
// back: some of them are new, some missing.
bool insieme_incompleto(const ScenarioVerificato& s) {
  return !s.diagnostiche.empty() &&
         s.diagnostiche.back().id == verifica::identificatore(cerca_codice(Guasto::file_binari_incompleti));
}

}  // namespace

std::string rapporto_testo(const ScenarioVerificato& s, OpzioniTesto o) {
  std::string out = diagnostiche_testo(s, o);
  for (const Tipo& t : tipi) out += plurale(conta(s, t), t.uno, t.molti) + (&t == &tipi[2] ? "" : ", ");
  out += "; codice_errore " + std::to_string(s.codice_errore) + ", posizione_errore " +
         std::to_string(s.posizione_errore) + "; ";
  const std::string dove = s.uscita_binari ? testo_utf8(*s.uscita_binari) : std::string();
  out += s.file_scritti          ? "file binari scritti in " + dove
         : insieme_incompleto(s) ? "file binari incompleti in " + dove + ": compilare di nuovo"
                                 : std::string("nessun file binario scritto");
  return out + "\n";
}

nlohmann::json rapporto_json(const ScenarioVerificato& s) {
  using nlohmann::json;
  const IndiceRighe righe[] = {IndiceRighe(""), IndiceRighe(s.testi.linea), IndiceRighe(s.testi.treno),
                               IndiceRighe(s.testi.scheda)};
  json problemi = json::array();
  for (const verifica::Diagnostica& d : s.diagnostiche) {
    auto opzionale = [](auto valore, bool presente) { return presente ? json(valore) : json(nullptr); };
    const bool con_riga = d.riga > 0 && testo_di(s, d.file);
    problemi.push_back({
        {"tipo", tipo(d).json},
        {"codice", codice(d)},
        {"significato", d.messaggio},
        {"suggerimento", opzionale(d.suggerimento, !d.suggerimento.empty())},
        {"posizione", opzionale(d.posizione.value_or(0), d.posizione.has_value())},
        {"file", opzionale(nome_file(s, d.file), d.file != verifica::File::nessuno)},
        {"riga", opzionale(d.riga, con_riga)},
        {"colonna", opzionale(d.colonna, con_riga && d.colonna > 0)},
        {"testo_riga",
         opzionale(con_riga ? mostra_riga(righe[static_cast<int>(d.file)].riga(d.riga), d.colonna).testo : "",
                   con_riga)},
    });
  }
  json conteggi = json::object();
  for (const Tipo& t : tipi) conteggi[t.conteggio] = conta(s, t);
  return {
      {"linea", a_utf8(s.testi.nome_linea)},
      {"treno", a_utf8(s.testi.numero_treno)},
      {"problemi", problemi},
      {"conteggi", conteggi},
      {"codice_errore", s.codice_errore},
      {"posizione_errore", s.posizione_errore},
      {"file_scritti", s.file_scritti},
      {"uscita", s.uscita},
  };
}

}  // namespace scenario::strumenti
