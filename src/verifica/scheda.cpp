// Reading the table of a timetable card, cell by cell.

#include "verifica/scheda.h"

#include <regex>

#include "base/righe.h"

namespace scenario::verifica {
namespace {

constexpr std::string_view prefisso_protezione = "Seg.Prot. ";

std::string_view senza_blank(std::string_view c) {
  const size_t a = c.find_first_not_of(' ');
  if (a == std::string_view::npos) return {};
  return c.substr(a, c.find_last_not_of(' ') - a + 1);
}

std::optional<int64_t> velocita(std::string_view cella) {
  const std::string_view t = senza_blank(cella);
  if (t.empty() || t.size() > 4) return std::nullopt;
  int64_t v = 0;
  for (char c : t) {
    if (c < '0' || c > '9') return std::nullopt;
    v = v * 10 + (c - '0');
  }
  return v;
}

// The time cell: two times are a stop (arrival, departure); one is a
// departure when it stands at the right, an arrival at the left, a transit
// in between.
Orario orario(std::string_view cella) {
  static const std::regex tempo("([0-9]{1,2})\\.([0-5][0-9])(\\+?)");
  Orario o;
  const std::string c(cella);
  for (auto it = std::sregex_iterator(c.begin(), c.end(), tempo); it != std::sregex_iterator(); ++it)
    o.secondi.push_back(std::stoll((*it)[1]) * 3600 + std::stoll((*it)[2]) * 60 + ((*it)[3].length() ? 30 : 0));
  if (o.secondi.size() >= 2) {
    o.forma = Orario::Forma::fermata;
  } else if (o.secondi.size() == 1) {
    const size_t prima = c.find_first_not_of(' '), dopo = c.size() - 1 - c.find_last_not_of(' ');
    o.forma = dopo <= 1 && prima > 1   ? Orario::Forma::partenza
              : prima <= 1 && dopo > 1 ? Orario::Forma::arrivo
                                       : Orario::Forma::transito;
  }
  return o;
}

}  // namespace

RigaScheda::Tipo RigaScheda::tipo() const {
  if (localita == "Dev.U" || localita == "Dev.I") return Tipo::deviatoio;
  if (localita == "Cartello Indicatore") return Tipo::cartello;
  if (localita.starts_with(prefisso_protezione)) return Tipo::protezione;
  return Tipo::stazione;
}

std::string_view RigaScheda::protegge() const {
  return std::string_view(localita).substr(std::min(localita.size(), prefisso_protezione.size()));
}

std::vector<RigaScheda> righe_scheda(std::string_view testo) {
  static const std::regex km(" *([0-9]+)\\+([0-9]{3}) *");
  std::vector<RigaScheda> righe;
  int32_t n = 0;
  for (size_t inizio = 0; inizio < testo.size();) {
    const Riga letta = riga_da(testo, inizio);
    const std::string_view r = letta.testo;
    ++n;
    inizio = letta.dopo;
    // The bars, and the cells between them.
    std::vector<size_t> barre;
    for (size_t i = 0; i < r.size(); ++i)
      if (r[i] == '|') barre.push_back(i);
    if (barre.size() < 8) continue;
    auto cella = [&](size_t k) { return r.substr(barre[k] + 1, barre[k + 1] - barre[k] - 1); };
    std::match_results<std::string_view::const_iterator> m;
    const std::string_view k = cella(2);
    if (!std::regex_match(k.begin(), k.end(), m, km)) continue;
    RigaScheda riga;
    riga.riga = n;
    riga.limite = velocita(cella(0));
    riga.marcia = velocita(cella(1));
    riga.metri = std::stoll(m[1].str()) * 1000 + std::stoll(m[2].str());
    const std::string_view l = cella(4);
    riga.localita = std::string(l.substr(0, l.find_last_not_of(' ') + 1));
    riga.orario = orario(cella(5));
    auto colonna = [&](size_t k, std::string_view c) {
      const size_t primo = c.find_first_not_of(' ');
      return static_cast<int32_t>(barre[k] + 2 + (primo == std::string_view::npos ? 0 : primo));
    };
    riga.colonna_limite = colonna(0, cella(0));
    riga.colonna_km = colonna(2, cella(2));
    riga.colonna_localita = colonna(4, cella(4));
    riga.colonna_orario = colonna(5, cella(5));
    righe.push_back(std::move(riga));
  }
  return righe;
}

}  // namespace scenario::verifica
