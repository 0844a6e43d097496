// scenario lsp: the language server on stdin and stdout.

#include <iostream>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "comandi/comandi.h"
#include "lsp/server.h"

namespace scenario::strumenti {
namespace {

class Lsp : public Comando {
 public:
  void opzioni(CLI::App&) override {}
  // The protocol's bytes pass untouched: no CR LF translation on Windows
  // (stdout is untranslated for every command).
  int esegui(Disco& disco, std::ostream& out, std::ostream& err) override {
#ifdef _WIN32
    _setmode(_fileno(stdin), _O_BINARY);
#endif
    std::ios::sync_with_stdio(false);
    return lsp::esegui_lsp(std::cin, out, err, disco);
  }
};

}  // namespace

std::unique_ptr<Comando> crea_lsp() { return std::make_unique<Lsp>(); }

}  // namespace scenario::strumenti
