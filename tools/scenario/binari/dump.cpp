// Decoding the binary files for people: field names from the record
// layouts (and for slots 81 to 86 from the format table), meanings beside
// the values, the profile reduced to where the track changes.

#include "binari/dump.h"

#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <sstream>

#include "base/cp1252.h"
#include "compiler/formati.h"
#include "compiler/tracciati.h"
#include "formati/valori_celle.h"

namespace scenario::strumenti {
namespace {

using nlohmann::ordered_json;

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
    {codice_cella::indicatori_vmax, "indicatori di velocità massima"},
    {codice_cella::fermata, "fermata di stazione"},
    {codice_cella::montagna, "marcatore di montagna"},
    {codice_cella::abbattimento, "abbattimento"},
    {codice_cella::abbattimento_nullo, "abbattimento nullo"},
    {codice_cella::cartello, "cartello indicatore"},
};

// A field: its name, its value, and what the value means where the number
// alone does not say it (UTF-8; empty otherwise).
struct Campo {
  std::string nome;
  ordered_json valore;
  std::string significato;
};
using Campi = std::vector<Campo>;

ordered_json valore_campo(uint8_t v) { return v; }
ordered_json valore_campo(int16_t v) { return v; }
ordered_json valore_campo(int32_t v) { return v; }
ordered_json valore_campo(const std::string& v) { return a_utf8(v); }

std::string orario(int64_t s) {
  char t[32];
  std::snprintf(t, sizeof t, "%lld:%02lld:%02lld", static_cast<long long>(s / 3600),
                static_cast<long long>(s / 60 % 60), static_cast<long long>(s % 60));
  return t;
}

// The names the members of slots 81 to 86 go by: for what the texts put
// there, the format table's record and value; for the rest, the compiler's.
const std::map<int, std::map<std::string, std::string>>& nomi_degli_slot() {
  static const auto nomi = [] {
    std::map<int, std::map<std::string, std::string>> n;
    for (const formato::Testo* t : {&formato::linea(), &formato::treno()})
      for (const formato::Record* r : t->record)
        for (const formato::Valore& v : r->valori)
          if (v.destinazione.slot >= 0)
            n[v.destinazione.slot][std::string(v.destinazione.campo)] =
                r->valori.size() == 1 ? std::string(r->nome) : std::string(r->nome) + "_" + std::string(v.nome);
    for (int s : {slot::progressiva_tre, slot::progressiva_due, slot::progressiva_uno})
      n[s] = {{"inizio_zona", "progressiva_inizio"},
              {"fine_zona", "progressiva_fine"},
              {"posizione_stazione", "progressiva_terzo"}};
    n[slot::linea]["nome"] = "nome_linea";
    n[slot::linea]["campo7"] = "marcatore";
    n[slot::linea]["orario"] = "codice_gara";
    n[slot::globale]["nome"] = "numero_treno";
    n[slot::globale]["posizione_stazione"] = "codici_ripetizione";
    return n;
  }();
  return nomi;
}

Campi campi_stazione(size_t i, const stazione& s) {
  const auto& nomi = nomi_degli_slot();
  const auto propri = nomi.find(static_cast<int>(i));
  Campi campi;
  per_ogni_campo(s, [&](const char* nome, const auto& v) {
    std::string n = nome;
    if (propri != nomi.end())
      if (auto it = propri->second.find(n); it != propri->second.end()) n = it->second;
    std::string significato;
    if (n == "orario" && s.orario != 0) significato = orario(s.orario);
    campi.push_back({n, valore_campo(v), significato});
  });
  return campi;
}

Campi campi_cella(const cella& c) {
  Campi campi;
  per_ogni_campo(c, [&](const char* nome, const auto& v) {
    campi.push_back({nome, valore_campo(v), lettura_campo(c, nome, v)});
    // The name of the type code stands beside it.
    if (static_cast<const void*>(&v) == &c.codice) campi.push_back({"tipo", nome_codice_cella(c.codice), {}});
  });
  return campi;
}

bool stazione_vuota(const stazione& s) { return s == stazione{}; }

// A cell counts as empty when it holds no point feature and no marker; the
// range attributes (speed, gradient, adhesion) fill nearly every cell.
bool cella_vuota(const cella& c) {
  return c.codice == codice_cella::libera && c.valore1 == 0 && c.valore2 == 0 && c.valore3 == 0 && c.valore4 == 0 &&
         c.tempo_segnale == 0 && c.avvicinamento == 0 && c.tipo_montagna == 0;
}

// Text lines or JSON entries, written one at a time.
class Uscita {
 public:
  Uscita(std::ostream& out, const OpzioniDump& o, const std::string& nome, const char* tipo,
         const std::string& intestazione)
      : out_(out), json_(o.json), avvisi_(o.avvisi) {
    if (json_)
      out_ << "{\n  \"file\": " << ordered_json(nome).dump() << ",\n  \"tipo\": \"" << tipo << "\",\n  \"voci\": [";
    else
      out_ << nome << ": " << intestazione << "\n";
  }
  ~Uscita() {
    if (json_)
      out_ << (prima_ ? "]" : "\n  ]") << ",\n  \"avvisi\": "
           << ordered_json(avvisi_).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << "\n}\n";
  }

  // etichetta heads the text line; chiavi lead the JSON entry.
  void voce(const std::string& etichetta, const Campi& chiavi, const Campi& campi) {
    if (!json_) {
      std::string r = etichetta + ":";
      for (const Campo& c : campi) {
        r += " " + c.nome + "=" + c.valore.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
        if (!c.significato.empty()) r += " (" + c.significato + ")";
      }
      out_ << r << "\n";
      return;
    }
    ordered_json j = ordered_json::object();
    for (const Campi* g : {&chiavi, &campi})
      for (const Campo& c : *g) j[c.nome] = c.valore;
    std::string testo = j.dump(2, ' ', false, nlohmann::json::error_handler_t::replace);
    // Indented as an element of "voci".
    std::string rientrato = "    ";
    for (char ch : testo) {
      rientrato += ch;
      if (ch == '\n') rientrato += "    ";
    }
    out_ << (prima_ ? "\n" : ",\n") << rientrato;
    prima_ = false;
  }

 private:
  std::ostream& out_;
  bool json_;
  const std::vector<std::string>& avvisi_;
  bool prima_ = true;
};

// ---------------------------------------------------------------- profile

std::string testo_valore(const Variante& v) {
  std::string t = "vuoto";
  per_etichetta(v.tipo, [&](const auto& e) {
    if constexpr (con_valore<decltype(e)>) {
      const auto x = v.*e.membro;
      if constexpr (std::is_same_v<std::remove_cvref_t<decltype(x)>, double>) {
        char b[40];
        std::snprintf(b, sizeof b, "%.17g", x);
        t = b;
      } else {
        t = std::to_string(x);
      }
    }
  });
  return t;
}

ordered_json valore_json(const Variante& v) {
  ordered_json j = nullptr;
  per_etichetta(v.tipo, [&](const auto& e) {
    if constexpr (con_valore<decltype(e)>) j = v.*e.membro;
  });
  return j;
}

const char* nome_variante(Variante::Tipo t) {
  const char* nome = "vuoto";
  per_etichetta(t, [&](const auto& e) { nome = e.nome; });
  return nome;
}

// What the track does from a metre on, from the step that reaches it and
// the one before: the reader turns each step by k (step (a, b) becomes
// (a + k b, b - k a)), so k is the cross product over the square.
class Tratti {
 public:
  std::string tratto(const Variante& x, const Variante& y) {
    if (x.tipo == Variante::Tipo::vuoto || y.tipo == Variante::Tipo::vuoto) return "vuoto";
    const double px = x.valore(), py = y.valore();
    std::string t = "inizio";
    if (punti_ >= 2) {
      const double a = x1_ - x2_, b = y1_ - y2_, c = px - x1_, d = py - y1_;
      const double k = -(a * d - b * c) / (a * a + b * b);
      t = nome_curvatura(k);
    }
    x2_ = x1_, y2_ = y1_, x1_ = px, y1_ = py;
    ++punti_;
    return t;
  }

 private:
  static std::string nome_curvatura(double k) {
    if (std::fabs(k) < 1e-7) return "rettilineo";
    for (const formato::Curvatura& c : formato::curvature)
      if (std::fabs(std::fabs(k) - c.curvatura) < c.curvatura * 1e-3)
        return std::string("curva ") + (k > 0 ? "d" : "s") + c.cifra;
    char b[48];
    std::snprintf(b, sizeof b, "curva di %.6g rad/m", k);
    return b;
  }
  double x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
  size_t punti_ = 0;
};

void dump_profilo(const FileDaDecodificare& f, OpzioniDump o, std::ostream& out) {
  const FlussoProfilo p(f.apri, f.nome);
  Uscita u(out, o, f.nome, "profilo",
           "profilo della linea, metri 0.." + std::to_string(p.metri() - 1) +
               (o.tutti ? "" : "; solo i metri dove il tracciato cambia"));
  Tratti tratti;
  std::string prima;
  p.per_ogni_metro([&](size_t m, const Variante& x, const Variante& y) {
    const std::string tratto = tratti.tratto(x, y);
    const bool cambia = tratto != prima;
    prima = tratto;
    if (!o.tutti && !cambia) return;
    Campi campi = {{"x", valore_json(x), {}}, {"y", valore_json(y), {}}};
    if (o.json) {
      campi.push_back({"tipo_x", nome_variante(x.tipo), {}});
      campi.push_back({"tipo_y", nome_variante(y.tipo), {}});
      if (!o.tutti) campi.push_back({"tratto", tratto, {}});
      u.voce({}, {{"metro", m, {}}}, campi);
    } else {
      out << "metro " << m << ": x=" << testo_valore(x) << " y=" << testo_valore(y);
      if (!o.tutti) out << " " << tratto;
      out << "\n";
    }
  });
}

std::string tutto(const FileDaDecodificare& f) {
  auto in = f.apri();
  std::ostringstream s;
  s << in->rdbuf();
  return s.str();
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

void scrivi_dump(TipoFile tipo, const FileDaDecodificare& f, OpzioniDump o, std::ostream& out) {
  switch (tipo) {
    case TipoFile::stazioni: {
      // Decoded whole before anything is written, so a bad file writes only the error.
      const auto stazioni = leggi_stazioni(tutto(f), f.nome);
      Uscita u(out, o, f.nome, "stazioni", "tabella delle stazioni, " + std::to_string(slot::numero) + " slot");
      for (size_t i = 0; i < stazioni.size(); ++i)
        if (o.tutti || !stazione_vuota(stazioni[i]))
          u.voce("slot " + std::to_string(i), {{"slot", i, {}}}, campi_stazione(i, stazioni[i]));
      return;
    }
    case TipoFile::celle: {
      const auto celle = leggi_celle(tutto(f), f.nome);
      Uscita u(out, o, f.nome, "celle",
               "celle della linea, " + std::to_string(celle.size()) + " celle da " + std::to_string(metri_cella) +
                   " m; [m] = posizione di un elemento puntuale in quella cella");
      for (size_t i = 0; i < celle.size(); ++i)
        if (o.tutti || !cella_vuota(celle[i]))
          u.voce("cella " + std::to_string(i) + " [" + std::to_string(metro_di_cella(i)) + " m]",
                 {{"cella", i, {}}, {"metro", metro_di_cella(i), {}}}, campi_cella(celle[i]));
      return;
    }
    case TipoFile::profilo: return dump_profilo(f, o, out);
  }
}

std::string dump_testo(TipoFile tipo, std::string_view byte, const std::string& nome, OpzioniDump o) {
  const std::string copia(byte);
  std::ostringstream out;
  o.json = false;
  scrivi_dump(tipo, {nome, [&] { return std::make_unique<std::istringstream>(copia); }}, o, out);
  return out.str();
}

ordered_json dump_json(TipoFile tipo, std::string_view byte, const std::string& nome, OpzioniDump o) {
  const std::string copia(byte);
  std::ostringstream out;
  o.json = true;
  scrivi_dump(tipo, {nome, [&] { return std::make_unique<std::istringstream>(copia); }}, o, out);
  return ordered_json::parse(out.str());
}

}  // namespace scenario::strumenti
