// The watch loop of check --watch (check_continuo.h).

#include <ostream>
#include <sstream>
#include <thread>

#include "autore/ingressi.h"
#include "autore/sorveglianza.h"
#include "comandi/check.h"

namespace scenario::strumenti {
namespace {

std::vector<Percorso> cartelle_di(const ArgomentiCheck& a) {
  std::vector<Percorso> v;
  for (const std::string& c : a.cartelle.empty() ? std::vector<std::string>{"."} : a.cartelle)
    v.push_back(percorso_utf8(c));
  return v;
}

// A text of a scenario that is empty: caught between an editor's truncation
// and its write.
bool testo_vuoto(const std::map<Percorso, Impronta>& file) {
  for (const auto& [p, i] : file)
    if (i.dimensione == 0 && (tipo_di_testo(p) != Sorgente::nessuna || nome_utf8(p).ends_with("scheda_treno.txt")))
      return true;
  return false;
}

// One check whose texts stood still while they were read: nothing when they
// kept changing, or stayed empty, every time.
std::optional<std::string> controllo_stabile(const ArgomentiCheck& a, Disco& disco, std::ostream& err) {
  const std::vector<Percorso> cartelle = cartelle_di(a);
  for (int n = 0; n < letture_massime; ++n) {
    if (n > 0) std::this_thread::sleep_for(std::chrono::milliseconds(pausa_lettura_ms));
    const auto prima = impronte(cartelle);
    if (testo_vuoto(prima)) continue;
    std::ostringstream rapporto, errori;
    esegui_check(a, disco, rapporto, errori);
    if (impronte(cartelle) != prima) continue;
    err << errori.str();
    return rapporto.str();
  }
  return std::nullopt;
}

}  // namespace

void esegui_check_continuo(const ArgomentiCheck& a, Disco& disco, std::ostream& out, std::ostream& err,
                           OpzioniContinuo opzioni) {
  Sorvegliante sorvegliante(cartelle_di(a));
  while (true) {
    const std::optional<std::string> rapporto = controllo_stabile(a, disco, err);
    if (opzioni.pulisci_schermo) out << "\x1b[2J\x1b[H";
    if (rapporto)
      out << *rapporto;
    else
      err << "scenario: i testi sono ancora vuoti o in scrittura dopo " << letture_massime
          << " letture: li rileggo alla prossima modifica\n";
    out.flush();
    err << "scenario: in attesa di modifiche (Ctrl-C per uscire)\n";
    err.flush();
    sorvegliante.attendi_modifica();
  }
}

}  // namespace scenario::strumenti
