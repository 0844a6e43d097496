#include "base/errori.h"

namespace scenario {

const char* descrizione_guasto(Guasto g) {
  const Codice* c = cerca_codice(Famiglia::guasto, static_cast<int32_t>(g));
  return c ? c->significato : "Errore di esecuzione";
}

namespace {
std::string testo(Guasto g, const std::string& dettaglio) {
  std::string t = "Errore di run-time '" + std::to_string(static_cast<int32_t>(g)) + "': " + descrizione_guasto(g);
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
