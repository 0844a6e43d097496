#pragma once
// The subcommands of the scenario tool, each returning the exit status.

#include <iosfwd>
#include <string>

#include "base/disco.h"

namespace scenario::strumenti {

struct ArgomentiCompile {
  std::string linea, treno;            // UTF-8, as typed
  std::string ingresso = ".", uscita;  // uscita empty: same as ingresso
  bool senza_profilo = false;
  bool json = false;
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
