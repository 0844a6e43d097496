#include "formati/valori_celle.h"

#include <array>

namespace scenario::strumenti {
namespace {

// The range fields every cell keeps, whatever its code.
constexpr uint8_t ogni_cella = 0xff;

// A value's share of a field: the value divided by diviso, times peso.
struct Parte {
  std::string_view valore;  // empty: no part
  int32_t peso = 1;
  int32_t diviso = 1;
};

// One stored field: the record values it is made of, the heaviest first
// (the last with weight 1), plus scarto.
struct Composizione {
  uint8_t codice;
  std::string_view campo;
  const formato::Record* record;
  std::array<Parte, 3> parti;
  int32_t scarto = 0;
};

const Composizione composizioni[] = {
    {codice_cella::segnale, "valore1", &formato::segnale, {{{"s1", 10}, {"d1"}}}},
    {codice_cella::segnale, "valore2", &formato::segnale, {{{"s2", 10}, {"d2"}}}},
    {codice_cella::segnale, "valore3", &formato::segnale, {{{"s3", 10}, {"d3"}}}},
    {codice_cella::segnale, "valore4", &formato::segnale, {{{"rapp", 10}, {"sx", 3}, {"dx"}}}},
    {codice_cella::indicatori_vmax, "valore1", &formato::indicatori_vmax, {{{"vas", 20}, {"vad", 1, 5}}}},
    {codice_cella::indicatori_vmax, "valore2", &formato::indicatori_vmax, {{{"vbs", 20}, {"vbd", 1, 5}}}},
    {codice_cella::indicatori_vmax, "valore3", &formato::indicatori_vmax, {{{"vcs", 20}, {"vcd", 1, 5}}}},
    {codice_cella::indicatori_vmax, "valore4", &formato::indicatori_vmax, {{{"strisces", 10}, {"strisced"}}}},
    {ogni_cella, "velocita_max", &formato::velocita, {{{"velocita", 1, 5}}}},
    {ogni_cella, "pendenza", &formato::pendenza, {{{"pendenza"}}}, 100},
};

int64_t diviso_per_difetto(int64_t a, int64_t b) {
  const int64_t q = a / b;
  return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

std::string_view unita_di(const formato::Record& r, std::string_view valore) {
  const size_t i = r.indice(valore);
  return i < r.valori.size() ? simbolo_unita(r.valori[i].unita) : std::string_view{};
}

std::vector<ValoreScritto> scomponi(const Composizione& k, int64_t memorizzato) {
  std::vector<ValoreScritto> v;
  int64_t resto = memorizzato - k.scarto;
  for (const Parte& p : k.parti) {
    if (p.valore.empty()) break;
    const int64_t quota = diviso_per_difetto(resto, p.peso);
    resto -= quota * p.peso;
    v.push_back({p.valore, quota * p.diviso, unita_di(*k.record, p.valore)});
  }
  return v;
}

const Composizione* composizione(uint8_t codice, std::string_view campo) {
  for (const Composizione& k : composizioni)
    if ((k.codice == codice || k.codice == ogni_cella) && k.campo == campo) return &k;
  return nullptr;
}

bool sola_parte_tale_e_quale(const Composizione& k) {
  return k.parti[1].valore.empty() && k.parti[0].peso == 1 && k.parti[0].diviso == 1 && k.scarto == 0;
}

template <typename F>
void per_ogni_campo_cella(const cella& c, F f) {
  f("valore1", c.valore1), f("valore2", c.valore2), f("valore3", c.valore3), f("valore4", c.valore4);
}

}  // namespace

std::string ValoreScritto::testo() const {
  std::string t = std::to_string(numero);
  if (!unita.empty()) t += " " + std::string(unita);
  return t;
}

std::string testo_valori(const std::vector<ValoreScritto>& valori) {
  std::string t;
  for (const ValoreScritto& v : valori) t += (t.empty() ? "" : ", ") + std::string(v.nome) + " " + v.testo();
  return t;
}

std::vector<ValoreScritto> valori_scritti(const cella& c) {
  std::vector<ValoreScritto> letti;
  const formato::Record* record = nullptr;
  per_ogni_campo_cella(c, [&](std::string_view campo, int64_t v) {
    for (const Composizione& k : composizioni)
      if (k.codice == c.codice && k.campo == campo) {
        record = k.record;
        for (const ValoreScritto& s : scomponi(k, v)) letti.push_back(s);
      }
  });
  if (!record) return {};
  // In the order the author writes them.
  std::vector<ValoreScritto> ordinati;
  for (const formato::Valore& v : record->valori)
    for (const ValoreScritto& s : letti)
      if (s.nome == v.nome) ordinati.push_back(s);
  return ordinati;
}

std::string lettura_campo(const cella& c, std::string_view campo, int64_t valore) {
  const Composizione* k = composizione(c.codice, campo);
  if (!k || sola_parte_tale_e_quale(*k)) return {};
  const auto parti = scomponi(*k, valore);
  return parti.size() == 1 ? parti.front().testo() : testo_valori(parti);
}

int64_t valore_di_tratto(std::string_view campo, int64_t memorizzato) {
  const Composizione* k = composizione(ogni_cella, campo);
  return k ? scomponi(*k, memorizzato).front().numero : memorizzato;
}

std::string formula_nella_cella(const formato::Record& record, std::string_view valore) {
  for (const Composizione& k : composizioni) {
    if (k.record != &record) continue;
    std::string f;
    bool contiene = false;
    for (const Parte& p : k.parti) {
      if (p.valore.empty()) break;
      contiene = contiene || p.valore == valore;
      f += (f.empty() ? "" : " + ") + std::string(p.valore);
      if (p.peso != 1) f += " \xC3\x97 " + std::to_string(p.peso);
      if (p.diviso != 1) f += " / " + std::to_string(p.diviso);
    }
    if (k.scarto != 0) f += " + " + std::to_string(k.scarto);
    if (contiene) return std::string(k.campo) + " = " + f;
  }
  return {};
}

std::string_view simbolo_unita(std::string_view unita) { return unita == "per mille" ? "\xE2\x80\xB0" : unita; }

}  // namespace scenario::strumenti
