#pragma once
// The subcommands of the scenario tool. Each declares its own options and
// runs once the command line is read; main.cpp holds their table (name,
// help, maker). The esegui_ functions run a command on arguments already
// read, and return its exit status.

#include <iosfwd>
#include <memory>
#include <string>

#include "base/disco.h"

namespace CLI {
class App;
}

namespace scenario::strumenti {

class Comando {
 public:
  virtual ~Comando() = default;
  // Declares the command's options on its subcommand.
  virtual void opzioni(CLI::App& c) = 0;
  // Runs it once the command line is read: the exit status.
  virtual int esegui(Disco& disco, std::ostream& out, std::ostream& err) = 0;
};

std::unique_ptr<Comando> crea_compile();
std::unique_ptr<Comando> crea_check();
std::unique_ptr<Comando> crea_dump();
std::unique_ptr<Comando> crea_plan();
std::unique_ptr<Comando> crea_profilo();
std::unique_ptr<Comando> crea_report();
std::unique_ptr<Comando> crea_lsp();
std::unique_ptr<Comando> crea_formati();
std::unique_ptr<Comando> crea_spiega();
std::unique_ptr<Comando> crea_nuovo();

// The object a JSON report is when the command line is refused: the check's
// shape, or the one compile and the others share.
std::string rifiuto_json(const std::string& perche, bool forma_check);

// A report's form: --formato NAME (a row of the forms table), and --json
// for --formato json.
void opzioni_forma(CLI::App& c, std::string& nome, bool& json);

struct ArgomentiCompile {
  std::string linea, treno;            // UTF-8, as typed
  std::string ingresso = ".", uscita;  // uscita empty: same as ingresso
  bool senza_profilo = false;
  std::string forma = "testo";  // a row of the forms table (diagnostiche/forme.h)
  bool colori = false;
};

struct ArgomentiDump {
  std::string file;
  bool json = false, tutti = false;
};

// plan, profilo and report: the scenario in a directory, one file out.
struct ArgomentiVista {
  std::string linea, treno;
  std::string ingresso = ".", uscita;
};

int esegui_compile(const ArgomentiCompile& a, Disco& disco, std::ostream& out, std::ostream& err);
int esegui_dump(const ArgomentiDump& a, Disco& disco, std::ostream& out, std::ostream& err);
int esegui_plan(const ArgomentiVista& a, Disco& disco, std::ostream& out, std::ostream& err);
int esegui_profilo(const ArgomentiVista& a, Disco& disco, std::ostream& out, std::ostream& err);
int esegui_report(const ArgomentiVista& a, Disco& disco, std::ostream& out, std::ostream& err);

}  // namespace scenario::strumenti
