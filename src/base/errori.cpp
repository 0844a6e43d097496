#include "base/errori.h"

namespace scenario {

const char* descrizione_guasto(Guasto g) {
  switch (g) {
    case Guasto::argomento_non_valido: return "Chiamata di routine o argomento non valido";
    case Guasto::overflow: return "Overflow";
    case Guasto::memoria_esaurita: return "Memoria esaurita";
    case Guasto::indice_fuori_intervallo: return "Indice non compreso nell'intervallo";
    case Guasto::tipo_non_corrispondente: return "Tipo non corrispondente";
    case Guasto::file_non_trovato: return "Impossibile trovare il file";
    case Guasto::cartella_in_uso: return "Cartella in uso da un'altra esecuzione";
    case Guasto::file_binari_incompleti: return "File binari incompleti: eseguire di nuovo";
    case Guasto::disco_pieno: return "Disco pieno";
    case Guasto::input_oltre_fine_file: return "Input oltre la fine del file";
    case Guasto::permesso_negato: return "Autorizzazione negata";
    case Guasto::errore_accesso: return "Errore di accesso al percorso/file";
  }
  return "Errore di esecuzione";
}

namespace {
std::string testo(Guasto g, const std::string& dettaglio) {
  std::string t = "Errore di run-time '" + std::to_string(static_cast<int32_t>(g)) +
                  "': " + descrizione_guasto(g);
  if (!dettaglio.empty()) t += " (" + dettaglio + ")";
  return t;
}
}  // namespace

ErroreEsecuzione::ErroreEsecuzione(Guasto g) : ErroreEsecuzione(g, std::string()) {}

ErroreEsecuzione::ErroreEsecuzione(Guasto g, const std::string& dettaglio)
    : std::runtime_error(testo(g, dettaglio)), guasto_(g), dettaglio_(dettaglio) {}

std::string testo_errore_numerato(const std::string& numero) { return " Errore n. " + numero; }

ErroreNumerato::ErroreNumerato(int32_t numero)
    : std::runtime_error(testo_errore_numerato(std::to_string(numero))), numero_(numero) {}

}  // namespace scenario
