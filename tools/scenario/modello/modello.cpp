#include "modello/modello.h"

namespace scenario::strumenti {

std::span<const TestoModello> testi_modello() {
  static constexpr TestoModello testi[] = {
      {"linea.txt", modello_linea},         {"treno.txt", modello_treno},
      {"note.txt", modello_note},           {"rallentamenti.txt", modello_rallentamenti},
      {"scheda_treno.txt", modello_scheda},
  };
  return testi;
}

}  // namespace scenario::strumenti
