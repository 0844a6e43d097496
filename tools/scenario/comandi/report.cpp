// scenario report: the page that shows a scenario whole, in HTML.

#include <ostream>

#include "comandi/vista.h"
#include "disegni/grafico_profilo.h"
#include "disegni/pianta.h"
#include "pagina/pagina.h"

namespace scenario::strumenti {

int esegui_report(const ArgomentiVista& a, Disco& disco, std::ostream& out, std::ostream& err) {
  return esegui_vista(a, disco, out, err, "pagina scritta in", [&](const Vista& v, int& omesse) {
    const Pianta p = disegna_pianta(v.quadro, v.visto.dati.x, v.visto.dati.y);
    const GraficoProfilo g = v.visto.dati.celle.empty() ? GraficoProfilo{} : disegna_profilo(v.quadro);
    omesse = p.etichette_omesse + g.etichette_omesse;
    return pagina_html(v.visto, v.quadro, {p.svg.empty() ? nullptr : &p, g.svg.empty() ? nullptr : &g});
  });
}

std::unique_ptr<Comando> crea_report() {
  return std::make_unique<ComandoVista>(esegui_report, "File HTML da scrivere");
}

}  // namespace scenario::strumenti
