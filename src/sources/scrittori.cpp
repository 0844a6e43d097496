#include "sources/scrittori.h"

#include "base/nomi_file.h"
#include "sources/scrittura.h"

namespace scenario {
namespace {

void scrivi(const NomiScenario& nomi, Disco& disco, const Percorso& cartella, FileScenario f,
            std::span<const std::string_view> righe) {
  scrivi_righe(disco, percorso_file(cartella, f, nomi.nome_linea, nomi.numero_treno), righe);
}

}  // namespace

void dati_linea(const NomiScenario& nomi, const Payload& payload, Disco& disco, const Percorso& cartella) {
  scrivi(nomi, disco, cartella, FileScenario::linea_txt, payload.linea);
}

void dati_treno(const NomiScenario& nomi, const Payload& payload, Disco& disco, const Percorso& cartella) {
  scrivi(nomi, disco, cartella, FileScenario::treno_txt, payload.treno);
}

void dati_note(const NomiScenario& nomi, const Payload& payload, Disco& disco, const Percorso& cartella) {
  scrivi(nomi, disco, cartella, FileScenario::note, payload.note);
}

void dati_rallentamenti(const NomiScenario& nomi, const Payload& payload, Disco& disco, const Percorso& cartella) {
  scrivi(nomi, disco, cartella, FileScenario::rallentamenti, payload.rallentamenti);
}

void dati_scheda(const NomiScenario& nomi, const Payload& payload, Disco& disco, const Percorso& cartella) {
  scrivi(nomi, disco, cartella, FileScenario::scheda, payload.scheda);
}

}  // namespace scenario
