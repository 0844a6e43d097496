#include "sources/scrittori.h"

#include "compiler/stato.h"
#include "driver/nomi_file.h"
#include "sources/scrittura.h"

namespace scenario {
namespace {

void scrivi(Stato& stato, Disco& disco, const Percorso& cartella, FileScenario f,
            std::span<const std::string_view> righe) {
  scrivi_righe(stato, disco, percorso_file(cartella, f, stato.nome_linea, stato.numero_treno), righe);
}

}  // namespace

void dati_linea(Stato& stato, const Payload& payload, Disco& disco, const Percorso& cartella) {
  scrivi(stato, disco, cartella, FileScenario::linea_txt, payload.linea);
}

void dati_treno(Stato& stato, const Payload& payload, Disco& disco, const Percorso& cartella) {
  scrivi(stato, disco, cartella, FileScenario::treno_txt, payload.treno);
}

void dati_note(Stato& stato, const Payload& payload, Disco& disco, const Percorso& cartella) {
  scrivi(stato, disco, cartella, FileScenario::note, payload.note);
}

void dati_rallentamenti(Stato& stato, const Payload& payload, Disco& disco, const Percorso& cartella) {
  scrivi(stato, disco, cartella, FileScenario::rallentamenti, payload.rallentamenti);
}

void dati_scheda(Stato& stato, const Payload& payload, Disco& disco, const Percorso& cartella) {
  scrivi(stato, disco, cartella, FileScenario::scheda, payload.scheda);
}

}  // namespace scenario
