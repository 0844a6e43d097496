// scenario plan: the plan of the line in SVG.

#include <ostream>

#include "cli/errore_strumento.h"
#include "comandi/vista.h"
#include "disegni/pianta.h"

namespace scenario::strumenti {

int esegui_plan(const ArgomentiVista& a, Disco& disco, std::ostream& out, std::ostream& err) {
  return esegui_vista(a, disco, out, err, "pianta scritta in", [&](const Vista& v, int& omesse) {
    richiedi_profilo(v);
    const Pianta p = disegna_pianta(v.quadro, v.visto.dati.x, v.visto.dati.y);
    if (p.svg.empty()) throw ErroreStrumento("profilo troppo corto per disegnare la linea");
    omesse = p.etichette_omesse;
    return dichiarazione_xml + p.svg;
  });
}

std::unique_ptr<Comando> crea_plan() { return std::make_unique<ComandoVista>(esegui_plan, "File SVG da scrivere"); }

}  // namespace scenario::strumenti
