#pragma once
// The installer's whole run: names, window, the directory's lock, the five
// texts, the compile, the end. Every failure that is not the parser's own
// ends the run here, shown to the user like the platform shows them.

#include <functional>
#include <memory>
#include <string>

#include "base/disco.h"
#include "compiler/stato.h"
#include "platform/piattaforma.h"
#include "sources/payload.h"

namespace scenario {

// How the run ended; the process exit status.
enum class Uscita : int { ok = 0, errore_numerato = 1, errore_esecuzione = 2 };

// What the run needs from the platform, so that tests can stand in for it.
struct Servizi {
  Disco& disco;
  Percorso cartella;                                    // the executable's directory
  std::function<std::unique_ptr<Finestra>()> finestra;  // shows "Attendere"
  std::function<void(const std::string&)> messaggio;    // modal message box
};

class Form1 {
 public:
  Form1(const Payload& payload, Servizi servizi);

  // The load handler: the whole run.
  Uscita Form_Load();

  // Shows " Errore n. " + a and ends the run; never returns.
  [[noreturn]] void errore(const std::string& a);

  Stato& stato() { return stato_; }

 private:
  const Payload& payload_;
  Servizi servizi_;
  Stato stato_;
};

}  // namespace scenario
