#pragma once
// How a piece of work ended, and the one place that turns the program's
// failures into that answer: a numbered error (1250, 1251), a run-time
// failure with its number and description, or completion.

#include <cstdint>
#include <new>
#include <string>
#include <utility>

#include "base/errori.h"

namespace scenario {

struct Esito {
  enum class Tipo { completo, errore_numerato, guasto };

  Tipo tipo = Tipo::completo;
  int32_t numero = 0;     // the numbered error, or the failure's number
  std::string testo;      // what the user is shown
  std::string dettaglio;  // for a failure: what it concerns (a file, a value)

  bool completo() const { return tipo == Tipo::completo; }
};

// Runs the work and says how it ended.
template <typename Lavoro>
Esito esito_di(Lavoro&& lavoro) {
  try {
    std::forward<Lavoro>(lavoro)();
    return {};
  } catch (const ErroreNumerato& e) {
    return {Esito::Tipo::errore_numerato, e.numero(), e.what(), {}};
  } catch (const ErroreEsecuzione& e) {
    return {Esito::Tipo::guasto, e.numero(), e.what(), e.dettaglio()};
  } catch (const std::bad_alloc&) {
    const ErroreEsecuzione e(Guasto::memoria_esaurita);
    return {Esito::Tipo::guasto, e.numero(), e.what(), {}};
  }
}

}  // namespace scenario
