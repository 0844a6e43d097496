// The language server on any bytes, as an editor's stream: the framing
// reader takes them apart and the server handles every body it yields, over
// a disk in memory holding a valid line and train description (so that
// opened documents find their pair). No exception may escape, the reading
// must move forward, and everything the server writes must be a framed JSON
// message.

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "banco.h"
#include "lsp/messaggi.h"
#include "lsp/server.h"
#include "support/disco_memoria.h"

using namespace scenario;
using namespace scenario::strumenti::lsp;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t n) {
  test::DiscoMemoria disco;
  disco.file["/s/linea.txt"] = fuzz::linea_fissa();
  disco.file["/s/treno.txt"] = fuzz::treno_fisso();
  std::istringstream in(std::string(reinterpret_cast<const char*>(dati), n));
  std::ostringstream out;
  Server server(disco, out);
  for (size_t letture = 0; !server.finito(); ++letture) {
    if (letture > n + 1) fuzz::violazione("il lettore dei messaggi non avanza");
    const MessaggioLetto m = leggi_messaggio(in);
    if (m.stato == StatoLettura::fine) break;
    if (m.stato == StatoLettura::messaggio) server.ricevi(m.corpo);
  }
  std::istringstream risposte(out.str());
  for (MessaggioLetto m = leggi_messaggio(risposte); m.stato != StatoLettura::fine; m = leggi_messaggio(risposte))
    if (m.stato != StatoLettura::messaggio || !nlohmann::json::accept(m.corpo))
      fuzz::violazione("il server scrive un messaggio malformato");
  return 0;
}
