#include "compiler/stato.h"

namespace scenario {

void Stato::registra(int32_t codice, std::optional<int32_t> posizione, const Origine& dove) {
  codice_errore = codice;
  if (posizione) posizione_errore = *posizione;
  problemi.push_back({Problema::Tipo::registrato, codice, posizione, dove, {}});
}

void Stato::posiziona_ultimo(size_t da, int32_t posizione) {
  posizione_errore = posizione;
  for (size_t i = da; i < problemi.size(); ++i)
    if (!problemi[i].posizione) problemi[i].posizione = posizione;
}

}  // namespace scenario
