// The installer: writes the scenario it carries beside itself, compiles it
// into the simulator's files and ends.

#include <exception>

#include "driver/form1.h"
#include "platform/disco_file.h"
#include "platform/piattaforma.h"
#include "sources/payload.h"

int main() {
  using namespace scenario;
  DiscoFile disco;
  try {
    Form1 form(payload_incorporato(), Servizi{disco, cartella_eseguibile(), mostra_finestra, mostra_messaggio});
    return static_cast<int>(form.Form_Load());
  } catch (const std::exception& e) {
    mostra_messaggio(e.what());
    return static_cast<int>(Uscita::errore_esecuzione);
  }
}
