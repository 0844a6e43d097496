#include "disegni/scenario_vista.h"

#include <filesystem>
#include <span>
#include <utility>

#include "autore/ingressi.h"
#include "autore/lettura_file.h"
#include "autore/nomi_scenario.h"
#include "autore/scenario_autore.h"
#include "base/cp1252.h"
#include "base/errori.h"
#include "base/nomi_file.h"
#include "binari/coerenza.h"
#include "binari/file_binari.h"
#include "cli/errore_strumento.h"
#include "compiler/formati.h"
#include "compiler/lettura_campi.h"

namespace scenario::strumenti {
namespace {

// The five texts of a payload folder.
constexpr const char* testi_payload[] = {"linea.txt", "treno.txt", "note.txt", "rallentamenti.txt", "scheda_treno.txt"};

// The first and last field of every line of a text, read with the
// compiler's own field reader.
struct CampiRiga {
  std::string primo, ultimo;
  int32_t colonna_ultimo = 0;
};
std::map<int32_t, CampiRiga> campi_per_riga(std::string_view testo) {
  std::map<int32_t, CampiRiga> righe;
  LetturaCampi campi(testo);
  while (!campi.fine_file()) {
    std::string t = campi.leggi_testo();
    CampiRiga& r = righe[campi.riga_campo()];
    if (r.colonna_ultimo == 0) r.primo = t;
    r.ultimo = std::move(t);
    r.colonna_ultimo = campi.colonna_campo();
  }
  return righe;
}

// A station that marks no stop cell: the record whose keyword names a
// station and whose last field is the slot's name, counting repeats.
std::optional<Luogo> record_per_nome(const std::map<int32_t, CampiRiga>& righe, const std::string& nome, int occorrenza,
                                     const std::string& file) {
  for (const auto& [n, r] : righe)
    if (contiene_ci(r.primo, "stazione") && r.ultimo == nome && occorrenza-- == 0)
      return Luogo{file, n, r.colonna_ultimo};
  return std::nullopt;
}

class Caricamento {
 public:
  Caricamento(const RichiestaVista& r, LettoreFile& disco) : r_(r), disco_(disco) {}

  ScenarioVisto carica() {
    const bool carico =
        disco_.esiste(r_.cartella / formato::linea().carico) || disco_.esiste(r_.cartella / formato::treno().carico);
    std::optional<TestiAutore> testi;
    if (r_.nome_linea.empty() && r_.numero_treno.empty()) {
      if (carico || ha_testi_installati(disco_, r_.cartella))
        testi = trova_testi(disco_, r_.cartella, "", "");
      else
        nomi_binari();
    } else if (carico || disco_.esiste(file(FileScenario::linea_txt)) || disco_.esiste(file(FileScenario::treno_txt))) {
      testi = trova_testi(disco_, r_.cartella, a_utf8(r_.nome_linea), a_utf8(r_.numero_treno));
    }
    if (testi) {
      r_.nome_linea = testi->nome_linea;
      r_.numero_treno = testi->numero_treno;
    }
    v_.dati.titolo = a_utf8(r_.nome_linea) + " - treno " + a_utf8(r_.numero_treno);
    if (testi)
      compila_testi(std::move(*testi));
    else
      leggi_binari();
    v_.richiesta = r_;
    return std::move(v_);
  }

 private:
  Percorso file(FileScenario f) const { return percorso_file(r_.cartella, f, r_.nome_linea, r_.numero_treno); }

  // Names as the reader sees them: the directory as typed, the file name in UTF-8.
  std::string mostrato(const Percorso& p) const { return testo_utf8(r_.cartella / p.filename()); }

  void nomi_binari() {
    NomiDaArgomenti n = trova_nomi_binari(disco_, r_.cartella);
    r_.nome_linea = std::move(n.linea);
    r_.numero_treno = std::move(n.treno);
  }

  // The texts the one way every command takes: found, compiled in memory
  // and checked.
  void compila_testi(TestiAutore testi) {
    ScenarioAutore sa = apri_testi(std::move(testi), {r_.cartella, "", "", 1, std::nullopt, true}, nullptr);
    const TestiAutore& t = *sa.testi;
    file_linea_ = testo_utf8(t.file_linea);
    file_treno_ = testo_utf8(t.file_treno);
    const Stato& s = *sa.esito.stato;
    DatiScenario& d = v_.dati;
    v_.compilato = d.testi = true;
    v_.codice_errore = s.codice_errore;
    v_.posizione_errore = s.posizione_errore;
    d.fonte = "compilazione in memoria di " + file_linea_ + " e " + file_treno_;
    v_.esito = sa.esito.uscita != Uscita::nessun_file
                   ? (s.problemi.empty() ? "compilazione pulita" : "compilazione con problemi")
                   : "compilazione interrotta: nessun file binario";
    d.stazioni = s.stazioni;
    if (s.celle.allocate()) d.celle.assign(s.celle.tutte().begin(), s.celle.tutte().end());
    // The profile's values as the file would hold them (Empty as 0).
    for (const auto& voce : {std::pair{0, &d.x}, std::pair{1, &d.y}}) {
      std::vector<double>* colonna = voce.second;  // a plain variable: lambdas may not capture a binding
      s.profilo_linea.percorri(voce.first, [&](Variante::Tipo, std::span<const double> valori) {
        colonna->insert(colonna->end(), valori.begin(), valori.end());
      });
    }
    luoghi(s, t.treno);
    d.verificato = verificato(r_.cartella, std::move(sa), std::nullopt);
  }

  std::optional<Luogo> luogo(const Origine& o) const {
    switch (o.sorgente) {
      case Sorgente::linea: return Luogo{file_linea_, o.riga, o.colonna};
      case Sorgente::treno: return Luogo{file_treno_, o.riga, o.colonna};
      case Sorgente::nessuna: break;
    }
    return std::nullopt;
  }

  void luoghi(const Stato& s, std::string_view testo_treno) {
    DatiScenario& d = v_.dati;
    for (const auto& [c, o] : s.origine_cella)
      if (auto l = luogo(o)) d.luoghi_celle[c] = *l;
    // A station's record is where its stop cell was stamped from.
    for (size_t i = 0; i < d.celle.size(); ++i)
      if (d.celle[i].codice == codice_cella::fermata) {
        auto it = d.luoghi_celle.find(static_cast<int32_t>(i));
        if (it != d.luoghi_celle.end()) d.luoghi_slot[d.celle[i].valore1] = it->second;
      }
    std::map<int32_t, CampiRiga> righe;
    for (int32_t slot = slot::prima_stazione; slot <= slot::primo_cartello; ++slot) {
      const std::string& nome = d.stazioni[static_cast<size_t>(slot)].nome;
      if (nome.empty() || d.luoghi_slot.count(slot)) continue;
      int prima = 0;
      for (int32_t k = slot::prima_stazione; k < slot; ++k) prima += d.stazioni[static_cast<size_t>(k)].nome == nome;
      if (righe.empty()) righe = campi_per_riga(testo_treno);
      if (auto l = record_per_nome(righe, nome, prima, file_treno_)) d.luoghi_slot[slot] = *l;
    }
  }

  void leggi_binari() {
    const Percorso profilo = file(FileScenario::linea_dat), sim = file(FileScenario::sim),
                   dat = file(FileScenario::dat);
    if (!disco_.esiste(sim) || !disco_.esiste(dat))
      throw ErroreStrumento("in " + testo_utf8(r_.cartella) + " non ci sono né i testi (" +
                            testo_utf8(file(FileScenario::linea_txt).filename()) + ", " +
                            testo_utf8(file(FileScenario::treno_txt).filename()) +
                            ", o linea.txt e treno.txt) né i file binari (" + testo_utf8(sim.filename()) + ", " +
                            testo_utf8(dat.filename()) + ")");
    DatiScenario& d = v_.dati;
    d.stazioni = leggi_stazioni(leggi_file_autore(disco_, sim), testo_utf8(sim.filename()));
    d.celle = leggi_celle(leggi_file_autore(disco_, dat), testo_utf8(dat.filename()));
    d.fonte = "file binari " + mostrato(sim) + ", " + mostrato(dat);
    std::optional<ProfiloLetto> letto;
    if (disco_.esiste(profilo))
      letto = leggi_profilo(leggi_file_autore(disco_, profilo), testo_utf8(profilo.filename()));
    const auto diversi = incoerenze({letto ? &*letto : nullptr, &d.stazioni, &d.celle, testo_utf8(profilo.filename()),
                                     testo_utf8(sim.filename()), testo_utf8(dat.filename())});
    if (!diversi.empty()) throw ErroreStrumento(testo_incoerenze(diversi) + "\nnessun file scritto");
    if (letto) {
      const ProfiloLetto& p = *letto;
      d.x.reserve(p.x.size());
      d.y.reserve(p.y.size());
      for (const Variante& v : p.x) d.x.push_back(v.valore());
      for (const Variante& v : p.y) d.y.push_back(v.valore());
      d.fonte += ", " + mostrato(profilo);
    }
    v_.esito = "dai file binari installati";
  }

  RichiestaVista r_;
  LettoreFile& disco_;
  ScenarioVisto v_;
  std::string file_linea_, file_treno_;
};

bool stesso_file(const Percorso& a, const Percorso& b) {
  std::error_code ec;
  if (std::filesystem::equivalent(a, b, ec)) return true;
  const Percorso ca = std::filesystem::weakly_canonical(a, ec);
  if (ec) return a.lexically_normal() == b.lexically_normal();
  const Percorso cb = std::filesystem::weakly_canonical(b, ec);
  if (ec) return a.lexically_normal() == b.lexically_normal();
  return ca == cb;
}

}  // namespace

ScenarioVisto carica_scenario(const RichiestaVista& richiesta, LettoreFile& disco) {
  return Caricamento(richiesta, disco).carica();
}

void rifiuta_uscita_sullo_scenario(const Percorso& uscita, const RichiestaVista& r) {
  std::vector<Percorso> propri;
  for (FileScenario f :
       {FileScenario::linea_txt, FileScenario::treno_txt, FileScenario::note, FileScenario::rallentamenti,
        FileScenario::scheda, FileScenario::linea_dat, FileScenario::sim, FileScenario::dat})
    propri.push_back(percorso_file(r.cartella, f, r.nome_linea, r.numero_treno));
  for (const char* nome : testi_payload) propri.push_back(r.cartella / nome);
  for (const Percorso& p : propri)
    if (stesso_file(uscita, p))
      throw ErroreStrumento("il file di uscita " + testo_utf8(uscita) +
                            " è un file dello scenario: scegliere un altro nome");
}

}  // namespace scenario::strumenti
