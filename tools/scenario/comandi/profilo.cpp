// scenario profilo: the line along its kilometres in SVG.

#include <ostream>

#include "comandi/vista.h"
#include "disegni/grafico_profilo.h"

namespace scenario::strumenti {

int esegui_profilo(const ArgomentiVista& a, Disco& disco, std::ostream& out, std::ostream& err) {
  return esegui_vista(a, disco, out, err, "profilo scritto in", [&](const Vista& v, int& omesse) {
    richiedi_celle(v);
    const GraficoProfilo g = disegna_profilo(v.quadro);
    omesse = g.etichette_omesse;
    return dichiarazione_xml + g.svg;
  });
}

std::unique_ptr<Comando> crea_profilo() {
  return std::make_unique<ComandoVista>(esegui_profilo, "File SVG da scrivere");
}

}  // namespace scenario::strumenti
