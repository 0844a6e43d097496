#include "dump.h"

#include <cstdio>

#include "base/cp1252.h"
#include "compiler/tracciati.h"

namespace scenario::strumenti {
namespace {

using nlohmann::json;

struct NomeCodice {
  uint8_t codice;
  const char* nome;
};

constexpr NomeCodice nomi_codici[] = {
    {codice_cella::libera, "libera"},
    {codice_cella::segnale, "segnale"},
    {codice_cella::fine_rallentamento, "fine rallentamento"},
    {codice_cella::inizio_rallentamento, "inizio rallentamento"},
    {codice_cella::avviso_rallentamento, "avviso di rallentamento"},
    {codice_cella::preavviso_rallentamento, "preavviso di rallentamento"},
    {codice_cella::indicatori_vmax, "indicatori di velocita' massima"},
    {codice_cella::fermata, "fermata di stazione"},
    {codice_cella::montagna, "marcatore di montagna"},
    {codice_cella::abbattimento, "abbattimento"},
    {codice_cella::abbattimento_nullo, "abbattimento nullo"},
    {codice_cella::cartello, "cartello indicatore"},
};

// Fields in file order, as (name, value) pairs: one table drives text and JSON.
using Campi = std::vector<std::pair<const char*, json>>;

json valore_campo(uint8_t v) { return v; }
json valore_campo(int16_t v) { return v; }
json valore_campo(int32_t v) { return v; }
json valore_campo(const std::string& v) { return a_utf8(v); }

template <typename R>
Campi campi_record(const R& r) {
  Campi campi;
  per_ogni_campo(r, [&](const char* nome, const auto& v) { campi.emplace_back(nome, valore_campo(v)); });
  return campi;
}

Campi campi_cella(const cella& c) {
  Campi campi;
  per_ogni_campo(c, [&](const char* nome, const auto& v) {
    campi.emplace_back(nome, valore_campo(v));
    // The name of the type code stands beside it.
    if (static_cast<const void*>(&v) == &c.codice) campi.emplace_back("tipo", nome_codice_cella(c.codice));
  });
  return campi;
}

// The value of a profile element: its member, or nothing for Empty.
json valore_variante(const Variante& v) {
  json j = nullptr;
  per_etichetta(v.tipo, [&](const auto& e) {
    if constexpr (con_valore<decltype(e)>) j = v.*e.membro;
  });
  return j;
}

std::string testo_valore(int16_t v) { return std::to_string(v); }
std::string testo_valore(double d) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.17g", d);
  return buf;
}

std::string testo_variante(const Variante& v) {
  std::string t = "vuoto";
  per_etichetta(v.tipo, [&](const auto& e) {
    if constexpr (con_valore<decltype(e)>) t = testo_valore(v.*e.membro);
  });
  return t;
}

const char* nome_variante(Variante::Tipo t) {
  const char* nome = "vuoto";
  per_etichetta(t, [&](const auto& e) { nome = e.nome; });
  return nome;
}

bool stazione_vuota(const stazione& s) { return s == stazione{}; }

// A cell counts as empty when it holds no point feature and no marker; the
// range attributes (speed, gradient, adhesion) fill nearly every cell.
bool cella_vuota(const cella& c) {
  return c.codice == codice_cella::libera && c.valore1 == 0 && c.valore2 == 0 && c.valore3 == 0 && c.valore4 == 0 &&
         c.tempo_segnale == 0 && c.avvicinamento == 0 && c.tipo_montagna == 0;
}

std::string riga_campi(const std::string& intestazione, const Campi& campi) {
  std::string r = intestazione + ":";
  for (const auto& [nome, valore] : campi) r += std::string(" ") + nome + "=" + valore.dump();
  return r + "\n";
}

}  // namespace

const char* nome_codice_cella(uint8_t codice) {
  for (const NomeCodice& n : nomi_codici)
    if (n.codice == codice) return n.nome;
  return "sconosciuto";
}

TipoFile riconosci(std::string_view byte, const std::string& nome) {
  if (auto t = tipo_da_nome(nome)) return *t;
  return tipo_da_contenuto(byte, nome);
}

std::string dump_testo(TipoFile tipo, std::string_view byte, const std::string& nome, OpzioniDump o) {
  std::string out;
  switch (tipo) {
    case TipoFile::stazioni: {
      const auto stazioni = leggi_stazioni(byte, nome);
      out += nome + ": tabella delle stazioni, " + std::to_string(slot::numero) + " slot\n";
      for (size_t i = 0; i < stazioni.size(); ++i)
        if (o.tutti || !stazione_vuota(stazioni[i]))
          out += riga_campi("slot " + std::to_string(i), campi_record(stazioni[i]));
      break;
    }
    case TipoFile::celle: {
      const auto celle = leggi_celle(byte, nome);
      out += nome + ": celle della linea, " + std::to_string(celle.size()) + " celle da " +
             std::to_string(metri_cella) + " m; [m] = posizione di un elemento puntuale in quella cella\n";
      for (size_t i = 0; i < celle.size(); ++i)
        if (o.tutti || !cella_vuota(celle[i]))
          out += riga_campi("cella " + std::to_string(i) + " [" + std::to_string(metro_di_cella(i)) + " m]",
                            campi_cella(celle[i]));
      break;
    }
    case TipoFile::profilo: {
      const auto p = leggi_profilo(byte, nome);
      out += nome + ": profilo della linea, metri 0.." + std::to_string(p.x.size() - 1) + "\n";
      for (size_t m = 0; m < p.x.size(); ++m)
        if (o.tutti || p.x[m].tipo != Variante::Tipo::vuoto || p.y[m].tipo != Variante::Tipo::vuoto)
          out += "metro " + std::to_string(m) + ": x=" + testo_variante(p.x[m]) + " y=" + testo_variante(p.y[m]) + "\n";
      break;
    }
  }
  return out;
}

json dump_json(TipoFile tipo, std::string_view byte, const std::string& nome, OpzioniDump o) {
  auto oggetto = [](const Campi& campi) {
    json j = json::object();
    for (const auto& [n, v] : campi) j[n] = v;
    return j;
  };
  json righe = json::array();
  const char* tipo_nome = "";
  switch (tipo) {
    case TipoFile::stazioni: {
      tipo_nome = "stazioni";
      const auto stazioni = leggi_stazioni(byte, nome);
      for (size_t i = 0; i < stazioni.size(); ++i)
        if (o.tutti || !stazione_vuota(stazioni[i])) {
          json j = oggetto(campi_record(stazioni[i]));
          j["slot"] = i;
          righe.push_back(std::move(j));
        }
      break;
    }
    case TipoFile::celle: {
      tipo_nome = "celle";
      const auto celle = leggi_celle(byte, nome);
      for (size_t i = 0; i < celle.size(); ++i)
        if (o.tutti || !cella_vuota(celle[i])) {
          json j = oggetto(campi_cella(celle[i]));
          j["cella"] = i;
          j["metro"] = metro_di_cella(i);
          righe.push_back(std::move(j));
        }
      break;
    }
    case TipoFile::profilo: {
      tipo_nome = "profilo";
      const auto p = leggi_profilo(byte, nome);
      for (size_t m = 0; m < p.x.size(); ++m)
        if (o.tutti || p.x[m].tipo != Variante::Tipo::vuoto || p.y[m].tipo != Variante::Tipo::vuoto)
          righe.push_back({{"metro", m},
                           {"x", valore_variante(p.x[m])},
                           {"y", valore_variante(p.y[m])},
                           {"tipo_x", nome_variante(p.x[m].tipo)},
                           {"tipo_y", nome_variante(p.y[m].tipo)}});
      break;
    }
  }
  return {{"file", nome}, {"tipo", tipo_nome}, {"voci", righe}};
}

}  // namespace scenario::strumenti
