#include "support/scenari_generati.h"

#include <algorithm>
#include <set>
#include <string_view>

namespace scenario::test {
namespace {

// splitmix64: small, fast and the same everywhere (the standard library's
// distributions are not). Every draw is a statement of its own or an element
// of a braced list, which C++ evaluates in order: two draws in one
// expression would come in an order each compiler chooses.
class Caso {
 public:
  explicit Caso(uint64_t seme) : s_(seme * 0x9E3779B97F4A7C15ull + 0x1234567ull) {}
  uint64_t prossimo() {
    uint64_t z = (s_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // A whole number in [a, b].
  int64_t tra(int64_t a, int64_t b) { return a + static_cast<int64_t>(prossimo() % static_cast<uint64_t>(b - a + 1)); }
  bool su_cento(int volte) { return tra(1, 100) <= volte; }
  template <typename T, size_t N>
  const T& uno(const T (&v)[N]) {
    return v[tra(0, N - 1)];
  }
  // 50 times a whole number in [0, k], now and then plus 25 (volte in 100).
  int64_t multiplo_quasi_sempre(int64_t k, int volte) {
    const int64_t m = 50 * tra(0, k);
    return m + (su_cento(volte) ? 25 : 0);
  }
  // A position in [a, b]: mostly a multiple of 50, often a multiple of 25 (a
  // half cell, where the rounding decides), sometimes any metre.
  int64_t posizione(int64_t a, int64_t b) {
    const int64_t p = tra(a, b);
    const int64_t r = tra(1, 100);
    if (r <= 55) return p - p % 50;
    if (r <= 85) return p - p % 25;
    return p;
  }

 private:
  uint64_t s_;
};

std::string n(int64_t v) { return std::to_string(v); }

// Fields joined as the texts write them: a comma and a few blanks before each value.
std::string record(std::string_view chiave, std::initializer_list<std::string> valori, std::string_view spazi = "  ") {
  std::string r(chiave);
  for (const std::string& v : valori) (r += ',') += std::string(spazi) + v;
  return r;
}

std::string unisci(const std::vector<std::string>& righe) {
  std::string t;
  for (const std::string& r : righe) (t += r) += "\r\n";
  return t;
}

// Cells taken by point features, for the kinds that avoid collisions.
struct Occupate {
  std::set<int64_t> celle;
  bool prendi(int64_t p, int64_t margine = 2) {
    const int64_t c = p / 50 + 1;
    auto it = celle.lower_bound(c - margine);
    if (it != celle.end() && *it <= c + margine) return false;
    celle.insert(c);
    return true;
  }
};

struct Nomi {
  const char* linea;
  const char* treno;
};
constexpr Nomi nomi[] = {
    {"Belmora_Solvenzia", "4816-4817"}, {"R", "T"},        {"Linea_Alta", "12"},
    {"Citt\xE0_Nuova", "R2"},           {"VALLE", "2301"}, {"Una_linea_dal_nome_molto_lungo", "treno-99999"},
};

struct Parametri {
  GenereScenario genere;
  int64_t lunghezza;
  bool evita_collisioni;
  int densita;  // features per 10 km
};

Parametri parametri(GenereScenario g, Caso& c) {
  switch (g) {
    case GenereScenario::ordinato: return {g, c.posizione(4000, 60000), true, static_cast<int>(c.tra(4, 12))};
    case GenereScenario::affollato: return {g, c.posizione(2000, 25000), false, static_cast<int>(c.tra(20, 60))};
    case GenereScenario::alterato: return {g, c.posizione(3000, 30000), true, static_cast<int>(c.tra(4, 12))};
    case GenereScenario::lungo: break;
  }
  constexpr int64_t lunghe[] = {180000, 400000, 993002, 1000000};
  return {g, c.uno(lunghe), true, 2};
}

std::vector<std::string> genera_linea(const Parametri& par, Caso& c, Occupate& occ) {
  const int64_t L = par.lunghezza;
  const int64_t fine = L + 6900;  // the cells reach 7000 m beyond the line
  const bool tutto_in_ordine = par.evita_collisioni;
  std::vector<std::string> r = {"[generale]"};
  r.push_back(record(c.su_cento(10) ? "Lunghezza Percorso" : "lunghezza percorso", {n(L)}, "    "));
  for (const char* quale : {"uno", "due", "tre"}) {
    // Chainage positions must be multiples of 50; now and then one is not.
    const int64_t a = c.su_cento(60) ? 0 : c.multiplo_quasi_sempre(1000, 3);
    const int64_t b = c.su_cento(60) ? 0 : c.multiplo_quasi_sempre(1000, 3);
    r.push_back(record(std::string("progressiva chilometrica ") + quale, {n(a), n(b), n(c.tra(0, 2))}, "    "));
  }
  for (const char* quale : {"uno", "due", "tre"})
    r.push_back(record(std::string("sfondo ") + quale, {n(c.tra(0, 3))}, "    "));
  // Both values must be multiples of 50 and the keyword must name 4 or 9
  // codes; now and then they do not.
  constexpr const char* codici[] = {"4", "4", "4", "9", "9", "49"};
  const char* quanti_codici = c.su_cento(97) ? c.uno(codici) : "";
  const int64_t ra = c.multiplo_quasi_sempre(40, 2);
  const int64_t rb = c.su_cento(30) ? 0 : c.multiplo_quasi_sempre(900, 2);
  r.push_back(record(std::string("ripetizione segnali ") + quanti_codici + " codici", {n(ra), n(rb)}, "    "));

  r.push_back("[curve]");
  for (int64_t p = c.tra(300, 1500); p < L; p += c.tra(200, 4000)) {
    const int64_t t = c.su_cento(80) ? 50 * c.tra(1, 22) : c.tra(1, 1200);
    std::string chiave = "curva";
    chiave += c.uno({'d', 's', 'D', 'S'});
    chiave += static_cast<char>('1' + c.tra(0, 5));
    r.push_back(record(chiave, {n(p), n(t)}));
    if (tutto_in_ordine) p += t;
  }

  r.push_back("[pendenze]");
  r.push_back(record("pendenza", {"0", n(c.tra(0, 3))}, "   "));
  for (int64_t p = c.posizione(0, 3000); p < L; p += c.posizione(50, 9000)) {
    const int64_t q = tutto_in_ordine ? p : p + (c.su_cento(15) ? -c.tra(0, 2000) : 0);
    r.push_back(record("pendenza", {n(q), n(c.su_cento(90) ? c.tra(0, 5) : c.tra(0, 40))}));
  }

  r.push_back("[montagne]");
  int montagne = 0;  // the 81st span is refused, which would end every long route early
  for (int64_t p = c.posizione(500, 5000); p < L && ++montagne <= 70; p += c.posizione(100, 12000)) {
    const int64_t e = p + (c.su_cento(10) ? 0 : c.posizione(50, 3000));
    constexpr int tipi[] = {2, 2, 12, 1, 3, 11};
    r.push_back(record("montagna", {n(p), n(e), n(c.uno(tipi))}, "   "));
    if (tutto_in_ordine) p = e;
  }

  // Boards and signs rarely collide even in crowded scenarios, so that the
  // train description is read and its own features meet.
  r.push_back("[cartelli]");
  const int64_t quanti = std::max<int64_t>(1, L * par.densita / 40000);
  for (int64_t k = 0; k < quanti; ++k) {
    const int64_t p = c.posizione(400, fine);
    if (par.evita_collisioni && p > L - 200) continue;
    if (!occ.prendi(p) && !c.su_cento(3)) continue;
    constexpr int v[] = {30, 60, 80, 100, 120, 125, 135};
    const auto vuoto_o = [&](int64_t x) { return c.su_cento(70) ? std::string() : n(x); };
    r.push_back(record("indicatori_vmax", {n(p), n(c.uno(v)), n(c.uno(v)), n(c.uno(v)), n(c.tra(0, 1)),
                                           vuoto_o(c.uno(v)), vuoto_o(c.uno(v)), vuoto_o(c.uno(v)), n(c.tra(0, 1))}));
  }
  r.push_back("[indicazioni]");
  // Now and then so many signs that the stations run out of slots.
  if (par.genere == GenereScenario::alterato && c.su_cento(5)) {
    for (int64_t k = 0, p = 1000; k < 77 && p < fine; p += 100)
      if (occ.prendi(p, 0)) r.push_back(record("cartello indicatore", {n(p), "SEGNO " + n(k++)}));
  }
  for (int64_t k = 0; k < quanti / 3 + 1; ++k) {
    const int64_t p = c.posizione(100, fine);
    if (par.evita_collisioni && p > L - 200) continue;
    if (!occ.prendi(p) && !c.su_cento(3)) continue;
    r.push_back(record("cartello indicatore", {n(p), "BIVIO " + n(k)}));
  }
  r.push_back("[fine]");
  return r;
}

std::string stazione(Caso& c, int64_t p, int64_t tipo, int64_t len, const std::string& nome) {
  return record("stazione", {n(p), n(tipo), n(len), n(c.tra(0, 1)), n(c.tra(0, 1)), n(c.tra(0, 1)), n(c.uno({0, 1, 4})),
                             n(c.tra(0, 1)), n(c.tra(0, 1)), n(c.uno({0, 2, 4})), n(c.tra(0, 1)), n(c.tra(0, 1)),
                             n(c.uno({0, 1, 60})), n(c.tra(6, 22)), n(c.tra(0, 59)), n(c.uno({0, 30})), nome});
}

std::vector<std::string> genera_treno(const Parametri& par, Caso& c, Occupate& occ) {
  const int64_t L = par.lunghezza;
  const int64_t fine = L + 6900;
  std::vector<std::string> r = {"Scenario generato: ogni riga \xE8 un caso di prova.", "", "Autore di prova"};
  r.push_back("[generale]");
  r.push_back(record("numero vetture", {n(c.tra(1, 12))}, "    "));
  r.push_back(record("percentuale massa frenata", {n(c.tra(50, 150))}, "    "));
  r.push_back(record("sabbia", {n(c.tra(0, 1))}, "    "));
  const int64_t ore = c.tra(0, 23), minuti = c.tra(0, 59), secondi = c.tra(0, 59);
  r.push_back("orologio,    " + n(ore) + "               " + n(minuti) + "            " + n(secondi) + " ");

  r.push_back("[aderenze]");
  r.push_back(record("aderenza", {"0", n(c.tra(60, 100))}, "   "));
  for (int64_t p = c.posizione(2000, 20000); p < L; p += c.posizione(2000, 40000))
    r.push_back(record("aderenza", {n(p), n(c.tra(40, 100))}));

  r.push_back("[vel_limite]");
  r.push_back(record("velocita", {"0", n(c.uno({30, 32, 33, 60}))}, "   "));
  for (int64_t p = c.posizione(300, 3000); p < L; p += c.posizione(50, 8000)) {
    constexpr int v[] = {30, 32, 33, 60, 75, 80, 85, 90, 95, 100, 120, 125, 130, 135, 142, 150};
    r.push_back(record("velocita", {n(p), n(c.uno(v))}));
  }

  r.push_back("[stazioni]");
  // A first station whose stop cell would be cell 1 or before, now and then.
  const bool fermata_iniziale = c.su_cento(2);
  r.push_back(record("stazione", {"0", fermata_iniziale ? "4" : "8", fermata_iniziale ? "200" : "800", "0", "0", "0",
                                  "1", "1", "0", "4", "1", "1", "1", "8", "40", "0", "PARTENZA"}));
  occ.prendi(750, 8);
  constexpr int tipi[] = {4, 5, 6, 7, 8, 12, 22, 26};
  int64_t da = 1800;
  for (int k = 1; k < 60 && da < L + (par.evita_collisioni ? 0 : 6000); ++k) {
    // Platform lengths must be multiples of 100; now and then one is not.
    const bool imperfetta = par.genere != GenereScenario::lungo && c.su_cento(1);  // long routes read to the end
    const int64_t len = 100 * c.tra(2, 8) + (imperfetta ? 50 : 0);
    // Station positions must be multiples of 50; now and then one is not.
    int64_t p = da + (par.evita_collisioni ? len : 0) + c.tra(0, 4000);
    p -= imperfetta && c.su_cento(50) ? 0 : p % 50;
    if (par.evita_collisioni && p + len + 400 > L) break;
    r.push_back(stazione(c, p, c.uno(tipi), len, "STAZIONE " + n(k)));
    occ.prendi(p + len / 2, 6);
    occ.prendi(p + len - 50, 4);  // the stop cell of the widest zones
    da = p + len + (par.evita_collisioni ? 1500 + c.tra(0, 12000) : c.tra(0, 2500));
  }

  r.push_back("[rallentamenti]");
  const int64_t quanti = std::max<int64_t>(1, L * par.densita / 40000);
  std::vector<int64_t> rallentamenti;
  for (int64_t k = 0; k < quanti / 2 + 1; ++k) {
    const int64_t x = c.posizione(par.evita_collisioni ? 1600 : 0, fine);
    const int64_t l = c.posizione(0, 3000);
    if (par.evita_collisioni &&
        (x + l > L - 200 || !occ.prendi(x, 30) || !occ.prendi(x + l) || !occ.prendi(x - 1200, 6)))
      continue;
    // Crowded scenarios keep their slowdowns apart too, mostly, so that the
    // signals after them are read and crowd the rules.
    if (!par.evita_collisioni && !(occ.prendi(x) && occ.prendi(x + l) && occ.prendi(x - 1200, 6)) && !c.su_cento(25))
      continue;
    rallentamenti.push_back(x);
    constexpr int v[] = {10, 30, 60, 80, 100, 109, 110, 130};
    r.push_back(record("rallentamento",
                       {n(x), n(c.uno(v)), n(l), n(c.tra(0, 1)), n(c.tra(0, 1)), n(c.su_cento(70) ? 0 : c.uno(v))}));
  }
  for (int64_t k = 0; k < quanti / 4 + 1; ++k) {
    const int64_t p = c.posizione(0, fine);
    if (par.evita_collisioni && (p > L - 200 || !occ.prendi(p))) continue;
    r.push_back(record("abbattimento", {n(p), n(c.uno({0, 30, 60, 180, 270}))}));
  }

  r.push_back("[segnali]");
  std::vector<int64_t> segnali;
  // Signals shortly before a warning board and after a slowdown: the track rules' cases.
  // In crowded ones, runs of signals on neighbouring cells leave the rules no room.
  for (int64_t x : rallentamenti) {
    const int64_t prima = x - 1200 - c.tra(5, 20) * 50, dopo = x + c.tra(0, 3500);
    const int64_t fila = par.evita_collisioni ? 1 : c.tra(1, 4);
    const bool fila_intera = !par.evita_collisioni && c.su_cento(50);
    for (int64_t k = 0; k < fila; ++k) {
      if (fila_intera || c.su_cento(60)) segnali.push_back(prima - 50 * k);
      if (c.su_cento(60)) segnali.push_back(dopo + 50 * k);
      if (!par.evita_collisioni && c.su_cento(40)) segnali.push_back(x - 50 * c.tra(4, 21));
    }
  }
  for (int64_t k = 0; k < quanti; ++k) segnali.push_back(c.posizione(350, fine));
  if (par.evita_collisioni) std::sort(segnali.begin(), segnali.end());
  for (int64_t p : segnali) {
    if (par.evita_collisioni && (p > L - 200 || p < 400 || !occ.prendi(p))) continue;
    r.push_back(record(
        "segnale", {n(p), n(c.tra(1, 2)), n(c.tra(2, 5)), n(c.uno({0, 1, 3, 4, 6})), n(c.tra(0, 2)), n(c.tra(0, 1)),
                    n(c.tra(0, 2)), n(c.tra(0, 3)), n(c.tra(0, 1)), n(c.tra(0, 1)), n(c.uno({0, 0, 50, 100, 300}))}));
  }
  r.push_back("[codici]");
  r.push_back("[fine]");
  return r;
}

// Damage of the kinds authors and editors cause, one at a time.
void altera(std::vector<std::string>& righe, Caso& c) {
  if (righe.empty()) return;
  const size_t i = static_cast<size_t>(c.tra(0, static_cast<int64_t>(righe.size()) - 1));
  std::string& r = righe[i];
  constexpr const char* guasti[] = {"",      " ",  "12O", "-",  "1.5",   "99999999999", "-300", "abc",
                                    "70000", "25", "1e3", "+7", "32768", "256",         "-1"};
  switch (c.tra(0, 11)) {
    case 0: righe.erase(righe.begin() + static_cast<std::ptrdiff_t>(i)); break;
    case 1: righe.insert(righe.begin() + static_cast<std::ptrdiff_t>(i), r); break;
    case 2: std::swap(r, righe[static_cast<size_t>(c.tra(0, static_cast<int64_t>(righe.size()) - 1))]); break;
    case 3: {  // one value replaced
      std::vector<size_t> virgole;
      for (size_t k = 0; k < r.size(); ++k)
        if (r[k] == ',') virgole.push_back(k);
      if (virgole.empty()) break;
      const size_t k = static_cast<size_t>(c.tra(0, static_cast<int64_t>(virgole.size()) - 1));
      const size_t a = virgole[k] + 1;
      const size_t b = k + 1 < virgole.size() ? virgole[k + 1] : r.size();
      r = r.substr(0, a) + "  " + c.uno(guasti) + r.substr(b);
      break;
    }
    case 4:  // one value fewer
      if (auto k = r.rfind(','); k != std::string::npos) r.erase(k);
      break;
    case 5: r += ",  5"; break;
    case 6:  // a letter of the keyword changed
      if (!r.empty())
        r[static_cast<size_t>(c.tra(0, std::min<int64_t>(6, static_cast<int64_t>(r.size()) - 1)))] ^= 0x01;
      break;
    case 7: righe.insert(righe.begin() + static_cast<std::ptrdiff_t>(i), c.su_cento(50) ? "-" : "---"); break;
    case 8: r += c.su_cento(50) ? "\n" : "\r"; break;  // an extra line end inside the text
    case 9: r.insert(0, "\t"); break;
    case 10: r = c.su_cento(50) ? "[curva]" : "segnale,  5000,  1, 4, 1,  0, 0,  1,  3,1,0, 0"; break;
    case 11: r = r.substr(0, static_cast<size_t>(c.tra(0, static_cast<int64_t>(r.size())))); break;
  }
}

}  // namespace

ScenarioGenerato genera_scenario(GenereScenario genere, uint64_t seme) {
  Caso c(seme * 4 + static_cast<uint64_t>(genere));
  const Parametri par = parametri(genere, c);
  const Nomi& nm = c.uno(nomi);
  Occupate occ;
  std::vector<std::string> linea = genera_linea(par, c, occ);
  std::vector<std::string> treno = genera_treno(par, c, occ);
  if (genere == GenereScenario::alterato) {
    for (int64_t k = c.tra(1, 4); k > 0; --k) altera(c.su_cento(50) ? linea : treno, c);
  }
  static constexpr const char* etichette[] = {"ordinato", "affollato", "alterato", "lungo"};
  ScenarioGenerato s{std::string(etichette[static_cast<int>(genere)]) + "_" + n(static_cast<int64_t>(seme)), nm.linea,
                     nm.treno, unisci(linea), unisci(treno)};
  // A text that ends part-way through a record.
  if (genere == GenereScenario::alterato && c.su_cento(10))
    s.treno.resize(static_cast<size_t>(c.tra(0, static_cast<int64_t>(s.treno.size()))));
  return s;
}

std::vector<ScenarioGenerato> scenari_generati(int quanti) {
  std::vector<ScenarioGenerato> tutti;
  for (GenereScenario g : {GenereScenario::ordinato, GenereScenario::affollato, GenereScenario::alterato})
    for (int k = 0; k < quanti; ++k) tutti.push_back(genera_scenario(g, static_cast<uint64_t>(k)));
  for (int k = 0; k < 4; ++k) tutti.push_back(genera_scenario(GenereScenario::lungo, static_cast<uint64_t>(k)));
  return tutti;
}

}  // namespace scenario::test
