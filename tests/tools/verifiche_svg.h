#pragma once
// What every drawing of a line must satisfy, checked on analizza_svg.py's
// reading of it: the legend holds exactly the kinds drawn, and no two labels
// overlap as the tool's own text widths measure them.

#include <algorithm>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <vector>

#include "svg/larghezza_testo.h"

namespace scenario::test {

inline std::set<std::string> generi_disegnati(const nlohmann::json& a) {
  std::set<std::string> g;
  for (const auto& s : a["segni"]) g.insert(s["genere"].get<std::string>());
  return g;
}

inline std::set<std::string> generi_in_legenda(const nlohmann::json& a) {
  std::set<std::string> g;
  for (const auto& s : a["legenda"]) g.insert(s.get<std::string>());
  return g;
}

// The pairs of labels whose boxes meet, as "first / second".
inline std::vector<std::string> etichette_sovrapposte(const nlohmann::json& a) {
  using namespace strumenti;
  struct Testo {
    Riquadro r;
    std::string t;
  };
  std::vector<Testo> testi;
  for (const auto& t : a["testi"]) {
    if (t["classe"] != "etichetta") continue;
    const std::string ancora = t["ancora"];
    const Ancora an = ancora == "middle" ? Ancora::centro : ancora == "end" ? Ancora::fine : Ancora::inizio;
    const std::string testo = t["testo"];
    testi.push_back({riquadro_testo(testo, t["x"], t["y"], t["corpo"], t["neretto"], an), testo});
  }
  std::vector<std::string> coppie;
  for (size_t i = 0; i < testi.size(); ++i)
    for (size_t j = i + 1; j < testi.size(); ++j)
      if (testi[i].r.tocca(testi[j].r)) coppie.push_back(testi[i].t + " / " + testi[j].t);
  return coppie;
}

// Pixels from the legend's last row down to the next thing drawn, or to the
// drawing's bottom edge when nothing lies below it.
inline double spazio_sotto_la_legenda(const nlohmann::json& a) {
  double fondo = -1e300;
  for (const auto& l : a["legenda_luoghi"]) fondo = std::max(fondo, l[1].get<double>());
  double sotto = a["vista"][1].get<double>() + a["vista"][3].get<double>();
  for (const auto& s : a["segni"])
    if (!s["luogo"].is_null() && s["luogo"][1].get<double>() > fondo)
      sotto = std::min(sotto, s["luogo"][1].get<double>());
  for (const auto& t : a["testi"])
    if (t["y"].get<double>() > fondo + 12) sotto = std::min(sotto, t["y"].get<double>());
  return sotto - fondo;
}

// Every text of the drawing, each followed by "|".
inline std::string testi_uniti(const nlohmann::json& a) {
  std::string t;
  for (const auto& x : a["testi"]) t += x["testo"].get<std::string>() + "|";
  return t;
}

// The marks of one kind whose title starts with this text.
inline std::vector<nlohmann::json> segni(const nlohmann::json& a, const std::string& genere,
                                         const std::string& inizio = "") {
  std::vector<nlohmann::json> s;
  for (const auto& x : a["segni"])
    if (x["genere"] == genere && x["titolo"].get<std::string>().rfind(inizio, 0) == 0) s.push_back(x);
  return s;
}

}  // namespace scenario::test
