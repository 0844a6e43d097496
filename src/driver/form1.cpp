#include "driver/form1.h"

#include <string>
#include <utility>
#include <vector>

#include "driver/memorizza_percorso.h"
#include "sources/scrittori.h"

namespace scenario {
namespace {

// Unwinds the run to its end once errore has shown its message.
struct FineProgramma {};

}  // namespace

Form1::Form1(const Payload& payload, Servizi servizi) : payload_(payload), servizi_(std::move(servizi)) {}

void Form1::errore(const std::string& a) {
  servizi_.messaggio(testo_errore_numerato(a));
  throw FineProgramma{};
}

Uscita Form1::Form_Load() {
  std::unique_ptr<Finestra> finestra;
  std::unique_ptr<Blocco> blocco;
  Disco& disco = servizi_.disco;
  const Percorso& cartella = servizi_.cartella;
  Esito esito = esito_di([&] {
    stato_.nome_linea = std::string(payload_.nome_linea);
    stato_.numero_treno = std::string(payload_.numero_treno);
    finestra = servizi_.finestra();
    // Held from before the first text until the last binary file is in
    // place: a second run in this directory waits for it.
    blocco = disco.blocca(cartella);
    const NomiScenario nomi{stato_.nome_linea, stato_.numero_treno};
    // What a run stopped while writing its texts left: provisional files.
    std::vector<Percorso> testi;
    for (FileScenario f : {FileScenario::linea_txt, FileScenario::treno_txt, FileScenario::note,
                           FileScenario::rallentamenti, FileScenario::scheda})
      testi.push_back(percorso_file(cartella, f, nomi.nome_linea, nomi.numero_treno));
    elimina_provvisori_rimasti(disco, testi);
    dati_linea(nomi, payload_, disco, cartella);
    dati_treno(nomi, payload_, disco, cartella);
    dati_note(nomi, payload_, disco, cartella);
    dati_rallentamenti(nomi, payload_, disco, cartella);
    dati_scheda(nomi, payload_, disco, cartella);
  });
  if (esito.completo()) esito = memorizza_percorso(stato_, disco, cartella, 1);
  // The files are done with; a message waiting for the user's OK must not
  // keep another run waiting.
  blocco.reset();

  switch (esito.tipo) {
    case Esito::Tipo::completo: return Uscita::ok;
    case Esito::Tipo::errore_numerato: try { errore(std::to_string(esito.numero));
      } catch (const FineProgramma&) {
      }
      return Uscita::errore_numerato;
    case Esito::Tipo::guasto: break;
  }
  // A run-time failure: shown as the platform shows them.
  servizi_.messaggio(esito.testo);
  return Uscita::errore_esecuzione;
}

}  // namespace scenario
