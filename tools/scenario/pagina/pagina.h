#pragma once
// The report of a scenario as one self-contained HTML page: the plan (pan
// and zoom) above the profile, both following one cursor; the problems, each
// leading to its place; the station, signal, board and sign tables; the
// scenario-wide values and contest codes. The data travel as JSON inside the
// page, read by the page's own small script.

#include <nlohmann/json.hpp>
#include <string>

#include "disegni/grafico_profilo.h"
#include "disegni/pianta.h"
#include "disegni/scenario_vista.h"

namespace scenario::strumenti {

struct DisegniPagina {
  const Pianta* pianta = nullptr;  // null when the plan profile is missing
  const GraficoProfilo* profilo = nullptr;
};

// The data the page's script reads.
nlohmann::json dati_pagina(const ScenarioVisto& visto, const Quadro& quadro, const DisegniPagina& disegni);

std::string pagina_html(const ScenarioVisto& visto, const Quadro& quadro, const DisegniPagina& disegni);

}  // namespace scenario::strumenti
