#include "platform/disco.h"

namespace scenario {

void scrivi_file_nuovo(Disco& disco, const Percorso& p, std::string_view byte) {
  disco.crea(p);
  disco.elimina(p);
  disco.scrivi(p, byte);
}

}  // namespace scenario
