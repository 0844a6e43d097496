#include "pagina/pagina.h"

#include <string_view>
#include <type_traits>

#include "base/cp1252.h"
#include "compiler/tracciati.h"
#include "formati/valori_celle.h"
#include "pagina/risorse_pagina.h"
#include "svg/svg.h"

namespace scenario::strumenti {
namespace {

using nlohmann::json;

json luogo_json(const std::optional<Luogo>& l) { return l ? json(l->testo()) : json(""); }

// Headings around a record's members, named and ordered as its file lays them out.
template <typename R>
std::vector<std::string> colonne_record(std::vector<std::string> prima, const char* dopo) {
  const R r{};
  per_ogni_campo(r, [&](const char* nome, const auto&) { prima.emplace_back(nome); });
  prima.emplace_back(dopo);
  return prima;
}

// A record's values in file order: texts in UTF-8, a slot's time as
// h:mm:ss, a cell's coded values as the author wrote them.
template <typename R>
json valori_record(json celle, const R& r, const json& dopo) {
  per_ogni_campo(r, [&](const char* nome, const auto& v) {
    if constexpr (std::is_same_v<std::remove_cvref_t<decltype(v)>, std::string>) {
      celle.push_back(a_utf8(v));
    } else if constexpr (std::is_same_v<R, cella>) {
      const std::string letto = lettura_campo(r, nome, v);
      celle.push_back(letto.empty() ? json(v) : json(letto));
    } else {
      celle.push_back(std::string_view(nome) == "orario" ? json(orario_hms(v)) : json(v));
    }
  });
  celle.push_back(dopo);
  return celle;
}

json dato(const Elemento& e, Dato d) {
  switch (d) {
    case Dato::indice: return e.indice;
    case Dato::metro: return e.metro;
    case Dato::fine: return e.fine;
    case Dato::etichetta: return e.etichetta;
    case Dato::valore: return e.valore;
  }
  return nullptr;
}

// One table per kind that has one, in the kinds' order: the leading
// columns, then its slot's or cell's fields, then where it was described;
// each row with the metre it leads to.
json tabelle(const ScenarioVisto& v, const Quadro& q) {
  json t = json::array();
  for (const Aspetto& a : aspetti()) {
    const TabellaPagina& tp = a.tabella;
    if (!tp.id) continue;
    std::vector<std::string> colonne;
    for (const Colonna& c : tp.colonne)
      if (c.titolo) colonne.emplace_back(c.titolo);
    if (tp.campi == Registrazione::slot) colonne = colonne_record<stazione>(std::move(colonne), tp.descritto_in);
    if (tp.campi == Registrazione::cella) colonne = colonne_record<cella>(std::move(colonne), tp.descritto_in);
    json righe = json::array();
    for (const Elemento& e : q.elementi) {
      if (e.genere != a.genere) continue;
      json celle = json::array();
      for (const Colonna& c : tp.colonne)
        if (c.titolo) celle.push_back(dato(e, c.dato));
      const json dove = luogo_json(e.luogo);
      const auto i = static_cast<size_t>(e.indice);
      if (tp.campi == Registrazione::slot) celle = valori_record(std::move(celle), v.dati.stazioni[i], dove);
      if (tp.campi == Registrazione::cella) celle = valori_record(std::move(celle), v.dati.celle[i], dove);
      righe.push_back({{"celle", std::move(celle)}, {"metro", e.metro}});
    }
    t.push_back({{"id", tp.id}, {"titolo", tp.titolo}, {"colonne", colonne}, {"righe", righe}});
  }
  return t;
}

// Slots 81 to 86 and cell 1: what holds for the whole scenario.
json valori(const ScenarioVisto& v) {
  const auto& st = v.dati.stazioni;
  const stazione &treno = st[slot::treno], &linea = st[slot::linea], &globale = st[slot::globale];
  json righe = json::array();
  auto voce = [&](const char* nome, const char* dove, json valore) {
    righe.push_back({{"voce", nome}, {"dove", dove}, {"valore", std::move(valore)}});
  };
  voce("lunghezza della linea (m)", "slot 84 fine_zona", treno.fine_zona);
  voce("massa frenata (%)", "slot 84 inizio_zona", treno.inizio_zona);
  voce("vetture", "slot 84 posizione_stazione", treno.posizione_stazione);
  voce("nome della linea", "slot 85 nome", a_utf8(linea.nome));
  voce("sfondi (uno, due, tre)", "slot 85 inizio_zona, posizione_stazione, fine_zona",
       std::to_string(linea.inizio_zona) + ", " + std::to_string(linea.posizione_stazione) + ", " +
           std::to_string(linea.fine_zona));
  voce("marcatore 610", "slot 85 campo7", linea.campo7);
  voce("numero del treno", "slot 86 nome", a_utf8(globale.nome));
  voce("orologio", "slot 86 campo10, campo11, campo12",
       std::to_string(globale.campo10) + ":" + (globale.campo11 < 10 ? "0" : "") + std::to_string(globale.campo11) +
           ":" + (globale.campo12 < 10 ? "0" : "") + std::to_string(globale.campo12));
  voce("sabbia", "slot 86 campo7", globale.campo7);
  voce("ripetizione segnali (da, a, codici)", "slot 86 inizio_zona, fine_zona, posizione_stazione",
       std::to_string(globale.inizio_zona) + ", " + std::to_string(globale.fine_zona) + ", " +
           std::to_string(globale.posizione_stazione));
  for (int s : {slot::progressiva_uno, slot::progressiva_due, slot::progressiva_tre}) {
    const stazione& p = st[static_cast<size_t>(s)];
    righe.push_back({{"voce", "progressiva chilometrica"},
                     {"dove", "slot " + std::to_string(s)},
                     {"valore", std::to_string(p.inizio_zona) + ", " + std::to_string(p.fine_zona) + ", " +
                                    std::to_string(p.posizione_stazione)}});
  }
  const json cella1 = v.dati.celle.size() > 1 ? json(v.dati.celle[1].valore1) : json(nullptr);
  const json codice_og = v.dati.celle.size() > 1 ? json(v.dati.celle[1].valore2) : json(nullptr);
  voce("marcatore 5121", "cella 1 valore1", cella1);
  voce("codice di gara delle stazioni", "slot 85 orario", linea.orario);
  voce("codice di gara della linea", "cella 1 valore2", codice_og);
  return righe;
}

// Every diagnostic of the texts as the check's JSON lists them, each with
// the line the text report gives it and the metre where the drawings mark
// it (null when they do not).
json problemi(const ScenarioVisto& v, const Quadro& q) {
  const ScenarioVerificato& s = v.dati.verificato;
  json p = diagnostiche_json<json>(s);
  for (size_t k = 0; k < s.diagnostiche.size(); ++k) {
    p[k]["testo"] = intestazione(s, s.diagnostiche[k]);
    p[k]["metro"] = nullptr;
  }
  for (const Elemento& e : q.elementi)
    if (e.genere == Genere::problema || e.genere == Genere::avvertimento)
      p[static_cast<size_t>(e.indice)]["metro"] = e.metro;
  return p;
}

json vista_json(const Riquadro& r) { return json::array({r.x, r.y, r.l, r.a}); }

// JSON inside a script element: "<" only ever stands inside strings, where
// its escape reads the same, so no "</script>" can end the element early.
std::string json_in_pagina(const json& j) {
  const std::string t = j.dump(-1, ' ', false, json::error_handler_t::replace);
  std::string out;
  out.reserve(t.size());
  for (char c : t) {
    if (c == '<')
      out += "\\u003c";
    else
      out += c;
  }
  return out;
}

}  // namespace

json dati_pagina(const ScenarioVisto& v, const Quadro& q, const DisegniPagina& d) {
  json traccia = json::array();
  if (d.pianta)
    for (const PuntoTraccia& p : d.pianta->traccia)
      traccia.push_back(json::array({p.metro, std::nearbyint(p.x * 10) / 10, std::nearbyint(p.y * 10) / 10}));
  json dati = {
      {"titolo", q.titolo},
      {"fonte", v.dati.fonte},
      {"esito", v.esito},
      {"compilato", v.compilato},
      {"lunghezza", q.lunghezza},
      {"ultimo_metro", q.ultimo_metro},
      {"valori", valori(v)},
      {"tabelle", tabelle(v, q)},
      {"problemi", problemi(v, q)},
      {"pianta", d.pianta ? json{{"vista", vista_json(d.pianta->vista)}, {"traccia", traccia}} : json(nullptr)},
      {"profilo", d.profilo ? json{{"vista", vista_json(d.profilo->vista)},
                                   {"x0", d.profilo->x0},
                                   {"pixel_per_metro", d.profilo->pixel_per_metro},
                                   {"cima", d.profilo->cima},
                                   {"fondo", d.profilo->fondo}}
                            : json(nullptr)},
  };
  if (v.compilato) {
    dati["codice_errore"] = v.codice_errore;
    dati["posizione_errore"] = v.posizione_errore;
  }
  return dati;
}

std::string pagina_html(const ScenarioVisto& v, const Quadro& q, const DisegniPagina& d) {
  std::string h =
      "<!DOCTYPE html>\n<html lang=\"it\">\n<head>\n<meta charset=\"utf-8\">\n"
      "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>" +
      xml(q.titolo) + "</title>\n<style>\n" + std::string(foglio_stile_pagina()) + "</style>\n</head>\n<body>\n";
  h += "<header><h1>" + xml(q.titolo) + "</h1><p class=\"fonte\">" + xml(v.dati.fonte) + " &#8212; " + xml(v.esito) +
       "</p></header>\n<main>\n";
  h += "<section id=\"sezione-vista\"><h2>Pianta e profilo</h2>\n<div class=\"comandi\"><span id=\"km\">km "
       "&#8212;</span>"
       "<button type=\"button\" id=\"zoom-piu\" title=\"ingrandisci\">+</button>"
       "<button type=\"button\" id=\"zoom-meno\" title=\"rimpicciolisci\">&#8722;</button>"
       "<button type=\"button\" id=\"vista-intera\">vista intera</button>"
       "<span class=\"aiuto\">rotella: ingrandisci; trascina: sposta</span></div>\n";
  h += "<div id=\"riquadro-pianta\">";
  h += d.pianta ? d.pianta->svg : std::string("<p>Manca il profilo della linea: pianta non disegnata.</p>");
  h += "</div>\n<div id=\"riquadro-profilo\">";
  h += d.profilo ? d.profilo->svg : std::string("<p>Mancano le celle: profilo non disegnato.</p>");
  h += "</div>\n</section>\n";
  if (v.compilato)
    h += "<section id=\"sezione-problemi\"><h2>Problemi</h2><p id=\"nessun-problema\" hidden>Nessun problema.</p>"
         "<ol id=\"problemi\"></ol></section>\n";
  h += "<section id=\"sezione-valori\"><h2>Valori dello scenario</h2><div id=\"valori\" "
       "class=\"scorre\"></div></section>\n";
  h += "<div id=\"tabelle\"></div>\n</main>\n";
  h += "<script type=\"application/json\" id=\"dati\">" + json_in_pagina(dati_pagina(v, q, d)) + "</script>\n";
  h += "<script>\n" + std::string(script_pagina()) + "</script>\n</body>\n</html>\n";
  return h;
}

}  // namespace scenario::strumenti
