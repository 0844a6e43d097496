#pragma once
// What the commands that show a line share (plan, profilo, report): their
// options, the scenario read from one directory, one file written.

#include <functional>
#include <iosfwd>
#include <string>

#include "base/disco.h"
#include "comandi/comandi.h"
#include "disegni/quadro.h"
#include "disegni/scenario_vista.h"

namespace scenario::strumenti {

inline constexpr const char* dichiarazione_xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";

struct Vista {
  RichiestaVista richiesta;
  ScenarioVisto visto;
  Quadro quadro;
};

// The text of the file a view writes; omesse counts the labels left without
// room.
using ProduciVista = std::function<std::string(const Vista& v, int& omesse)>;

int esegui_vista(const ArgomentiVista& a, Disco& disco, std::ostream& out, std::ostream& err, const char* cosa,
                 const ProduciVista& produci);

// The options the three share; uscita describes the file written.
void opzioni_vista(CLI::App& c, ArgomentiVista& a, const char* uscita);

// The views need a profile, or cells, to draw.
void richiedi_profilo(const Vista& v);
void richiedi_celle(const Vista& v);

// A view as a command: its arguments and its esegui_ function.
class ComandoVista : public Comando {
 public:
  using Funzione = int (*)(const ArgomentiVista&, Disco&, std::ostream&, std::ostream&);
  ComandoVista(Funzione esegui, const char* uscita) : esegui_(esegui), uscita_(uscita) {}
  void opzioni(CLI::App& c) override;
  int esegui(Disco& disco, std::ostream& out, std::ostream& err) override;

 private:
  ArgomentiVista a_;
  Funzione esegui_;
  const char* uscita_;  // what -o names
};

}  // namespace scenario::strumenti
