#include "base/errori.h"

#include "base/cp1252.h"

namespace scenario {

const char* descrizione_guasto(Guasto g) {
  const Codice* c = cerca_codice(Famiglia::guasto, static_cast<int32_t>(g));
  return c ? c->significato : "Errore di esecuzione";
}

std::string dettaglio_mostrato(std::string_view dettaglio) {
  if (dettaglio.size() <= dettaglio_massimo) return con_controlli_visibili(dettaglio);
  return con_controlli_visibili(dettaglio.substr(0, dettaglio_massimo)) + "... (" + std::to_string(dettaglio.size()) +
         " byte)";
}

namespace {
std::string testo(Guasto g, const std::string& dettaglio) {
  std::string t = "Errore di run-time '" + std::to_string(static_cast<int32_t>(g)) + "': " + descrizione_guasto(g);
  if (!dettaglio.empty()) t += " (" + dettaglio + ")";
  return t;
}
}  // namespace

ErroreEsecuzione::ErroreEsecuzione(Guasto g) : ErroreEsecuzione(g, std::string()) {}

ErroreEsecuzione::ErroreEsecuzione(Guasto g, std::string_view dettaglio)
    : ErroreEsecuzione(g, dettaglio_mostrato(dettaglio), 0) {}

ErroreEsecuzione::ErroreEsecuzione(Guasto g, std::string&& mostrato, int)
    : std::runtime_error(testo(g, mostrato)), guasto_(g), dettaglio_(std::move(mostrato)) {}

std::string testo_errore_numerato(const std::string& numero) { return " Errore n. " + numero; }

ErroreNumerato::ErroreNumerato(int32_t numero)
    : std::runtime_error(testo_errore_numerato(std::to_string(numero))), numero_(numero) {}

}  // namespace scenario
