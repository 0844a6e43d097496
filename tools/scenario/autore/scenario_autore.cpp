#include "autore/scenario_autore.h"

#include <utility>

#include "verifica/controllo.h"
#include "verifica/disco_scarto.h"
#include "verifica/raccolta.h"

namespace scenario::strumenti {

ScenarioAutore apri_testi(TestiAutore testi, const RichiestaScenario& r, Disco* scrittura) {
  ScenarioAutore s;
  s.testi = std::make_unique<TestiAutore>(std::move(testi));
  const TestiAutore& t = *s.testi;
  verifica::Raccolta raccolta;
  RichiestaCompilazione rc;
  rc.nome_linea = t.nome_linea;
  rc.numero_treno = t.numero_treno;
  rc.ingresso = t.cartella;
  rc.uscita = r.uscita.value_or(t.cartella);
  rc.scrivi_file = r.scrivi_file;
  rc.testi = &t;
  rc.scrivi_binari = r.uscita.has_value() && scrittura;
  rc.osservatore = &raccolta;
  verifica::DiscoScarto nessuno;
  s.esito = compila(rc, rc.scrivi_binari ? *scrittura : nessuno);
  if (!r.controlla) {
    s.diagnostiche = verifica::problemi_installatore(*s.esito.stato, raccolta);
    return s;
  }
  verifica::Testi vt{t.nome_linea, t.numero_treno, t.linea, t.treno, std::nullopt, r.scrivi_file};
  if (t.file_scheda) vt.scheda = t.scheda;
  verifica::Controllo c = verifica::controlla(*s.esito.stato, raccolta, vt);
  s.diagnostiche = std::move(c.diagnostiche);
  s.omesse = std::move(c.omesse);
  s.proseguita = c.proseguita;
  return s;
}

ScenarioAutore apri_scenario(const RichiestaScenario& r, Disco& disco) {
  return apri_testi(trova_testi(disco, r.cartella, r.linea, r.treno), r, &disco);
}

ScenarioAutore apri_scenario(const RichiestaScenario& r, LettoreFile& lettore) {
  return apri_testi(trova_testi(lettore, r.cartella, r.linea, r.treno), r, nullptr);
}

}  // namespace scenario::strumenti
