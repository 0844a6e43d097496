// The numbered error as the user meets it: errore shows " Errore n. 1250" in a
// task-modal box with OK only, no icon and the program's title, waits for OK,
// and does not return to its caller.

#include <windows.h>

#include <atomic>

#include "driver/form1.h"
#include "platform/disco_file.h"
#include "platform/piattaforma.h"
#include "platform/win32/testo_win32.h"
#include "scatola_messaggio.h"
#include "sources/payload.h"
#include "verifica.h"

using prove::verifica;

namespace {

enum class Esito { in_corso, ritornato, interrotto };
std::atomic<Esito> esito{Esito::in_corso};

DWORD WINAPI chiama_errore(void*) {
  scenario::DiscoFile disco;
  scenario::Servizi servizi{disco, scenario::cartella_eseguibile(), scenario::mostra_finestra,
                            scenario::mostra_messaggio};
  scenario::Form1 form(scenario::payload_incorporato(), servizi);
  try {
    form.errore("1250");
    esito = Esito::ritornato;
  } catch (...) {
    esito = Esito::interrotto;
  }
  return 0;
}

}  // namespace

int main() {
  HANDLE filo = CreateThread(nullptr, 0, chiama_errore, nullptr, 0, nullptr);
  HWND h = prove::attendi_scatola(GetCurrentProcessId(), 30000);
  verifica(h != nullptr, "nessuna scatola di messaggio entro 30 s");
  if (h) {
    prove::ScatolaMessaggio s = prove::leggi_scatola(h);
    verifica(s.testo == L" Errore n. 1250", "testo \"" + prove::utf8(s.testo) + "\"");
    std::string d = prove::difetti(s, scenario::titolo_programma());
    verifica(d.empty(), d);
    verifica(esito == Esito::in_corso, "errore e' andato avanti prima di OK");
    verifica(prove::premi_ok(s), "la scatola non si chiude con OK");
  }
  verifica(WaitForSingleObject(filo, 10000) == WAIT_OBJECT_0, "errore non finisce dopo OK");
  verifica(esito == Esito::interrotto, "errore e' tornato al chiamante");
  return prove::esito("prova_errore");
}
