// scenario formati: the reference of the description formats, in Markdown.

#include <ostream>

#include "comandi/comandi.h"
#include "formati/formati_md.h"

namespace scenario::strumenti {
namespace {

class Formati : public Comando {
 public:
  void opzioni(CLI::App&) override {}
  int esegui(Disco&, std::ostream& out, std::ostream&) override {
    out << formati_markdown();
    return 0;
  }
};

}  // namespace

std::unique_ptr<Comando> crea_formati() { return std::make_unique<Formati>(); }

}  // namespace scenario::strumenti
