#include "sources/scrittura.h"

#include <array>

#include "compiler/errori.h"
#include "compiler/stato.h"

namespace scenario {

void scrivi_righe(Stato& stato, Disco& disco, const Percorso& percorso, std::span<const std::string_view> righe) {
  std::array<std::string_view, 1001> elenco{};
  if (righe.size() >= elenco.size()) throw ErroreEsecuzione(Guasto::indice_fuori_intervallo, "righe");
  std::copy(righe.begin(), righe.end(), elenco.begin());
  elenco[righe.size()] = fine_del_file;

  std::string testo;
  for (stato.indice = 0; elenco[static_cast<size_t>(stato.indice)] != fine_del_file; ++stato.indice) {
    testo += elenco[static_cast<size_t>(stato.indice)];
    testo += "\r\n";
  }
  scrivi_file_nuovo(disco, percorso, testo);
}

}  // namespace scenario
