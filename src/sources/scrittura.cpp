#include "sources/scrittura.h"

#include <array>

#include "base/errori.h"

namespace scenario {

void scrivi_righe(Disco& disco, const Percorso& percorso, std::span<const std::string_view> righe) {
  std::array<std::string_view, 1001> elenco{};
  if (righe.size() >= elenco.size()) throw ErroreEsecuzione(Guasto::indice_fuori_intervallo, "righe");
  std::copy(righe.begin(), righe.end(), elenco.begin());
  elenco[righe.size()] = fine_del_file;

  std::string testo;
  for (size_t indice = 0; elenco[indice] != fine_del_file; ++indice) {
    testo += elenco[indice];
    testo += "\r\n";
  }
  scrivi_file_nuovo(disco, percorso, testo);
}

}  // namespace scenario
