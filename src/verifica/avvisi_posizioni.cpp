// Rules about places along the line: a feature beyond the line's length but
// inside the cells (W08), unless it leads to a terminus standing there (N05), records that fill cells up to their
// position out of order (W09) or in one cell (W10), a curve that starts inside the previous one (W11), a position the
// cell rounding moves (W12), speed boards that disagree with the train's speed (W18).

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "compiler/celle.h"
#include "compiler/formati.h"
#include "verifica/arrotondamento.h"
#include "verifica/regole_controllo.h"

namespace scenario::verifica {
namespace {

using formato::Ruolo;

std::string m(int64_t metri) { return std::to_string(metri) + " m"; }

std::string nome(const RecordLetto& r) { return "\xC2\xAB" + citato(r.chiave) + "\xC2\xBB"; }

// Only records that were read whole and met no problem of their own: a
// refused one has its problem already.
bool integro(const RecordLetto& r) { return !r.problema && !r.guasto && r.valori.size() == r.formato->valori.size(); }

int64_t valore(const RecordLetto& r, std::string_view nome_valore) {
  return r.valori[r.formato->indice(nome_valore)].numero;
}

bool lungo_la_linea(Ruolo r) {
  return r == Ruolo::punto || r == Ruolo::inizio_tratto || r == Ruolo::fine_tratto || r == Ruolo::metro ||
         r == Ruolo::posizione_stazione;
}

// The last station, when it stands past the line's end: a scenario may end
// its run there on purpose, the cells going on for metri_oltre_la_linea
// exactly so. Features up to it are the terminus's, not mistakes.
const RecordLetto* capolinea_oltre_la_linea(const Contesto& c) {
  if (!c.lunghezza) return nullptr;
  const RecordLetto* ultima = nullptr;
  for (const RecordLetto* r : c.raccolta.record)
    if (r->formato == &formato::stazione && integro(*r) &&
        (!ultima || valore(*r, "posizione") > valore(*ultima, "posizione")))
      ultima = r;
  return ultima && valore(*ultima, "posizione") > *c.lunghezza ? ultima : nullptr;
}

void oltre_la_linea(Contesto& c, const RecordLetto& r, int64_t capolinea) {
  if (!c.lunghezza) return;
  const int64_t l = std::max(*c.lunghezza, capolinea);
  const std::string dentro = " (lunghezza percorso " + m(*c.lunghezza) +
                             (capolinea > 0 ? ", capolinea a " + m(capolinea) : std::string()) +
                             "), dentro le celle che arrivano a " + m(*c.lunghezza + metri_oltre_la_linea);
  int64_t inizio = 0;
  for (size_t k = 0; k < r.valori.size(); ++k) {
    const formato::Valore& f = r.formato->valori[k];
    const int64_t v = r.valori[k].numero;
    if (lungo_la_linea(f.ruolo)) {
      inizio = v;
      if (v > l) {
        c.avviso(Avviso::oltre_la_linea, file_di(r.sorgente), r.valori[k].campo,
                 nome(r) + " a " + m(v) + ": oltre la fine della linea" + dentro);
        return;
      }
    } else if (f.ruolo == Ruolo::estensione && inizio + v > l) {
      c.avviso(Avviso::oltre_la_linea, file_di(r.sorgente), r.valori[k].campo,
               nome(r) + " da " + m(inizio) + " a " + m(inizio + v) + ": finisce oltre la fine della linea" + dentro);
      return;
    }
  }
}

void arrotondamenti(Contesto& c, const RecordLetto& r) {
  for (size_t k = 0; k < r.valori.size(); ++k) {
    const int64_t p = r.valori[k].numero;
    const auto a = metro_arrotondato(r.formato->valori[k].ruolo, p);
    if (!a || *a == p) continue;
    c.avviso(Avviso::posizione_arrotondata, file_di(r.sorgente), r.valori[k].campo,
             nome(r) + " a " + m(p) + ": la sua cella lo pone a " + m(*a) + " (" +
                 (*a > p ? std::to_string(*a - p) + " m dopo)" : std::to_string(p - *a) + " m prima)"));
  }
}

// Records that fill the cells up to their position, each kind on its own.
class Riempimenti {
 public:
  void record(Contesto& c, const RecordLetto& r) {
    if (r.formato != &formato::pendenza && r.formato != &formato::velocita && r.formato != &formato::aderenza) return;
    const int64_t p = valore(r, "posizione");
    const int64_t cella = arrotonda_long(in_celle(static_cast<double>(p)));
    auto [it, nuovo] = ultimi_.try_emplace(r.formato, Ultimo{p, cella});
    if (nuovo) return;
    const Ultimo prima = it->second;
    const File f = file_di(r.sorgente);
    const Origine& dove = r.valori[r.formato->indice("posizione")].campo;
    if (cella < prima.cella) {
      c.avviso(Avviso::fuori_ordine, f, dove,
               nome(r) + " a " + m(p) + " dopo quella a " + m(prima.posizione) +
                   ": le celle fin li' sono già riempite e il suo valore vale solo dopo");
      return;  // the cells stay filled up to the later one
    }
    if (cella == prima.cella)
      c.avviso(Avviso::stessa_cella, f, dove,
               nome(r) + " a " + m(p) + " nella stessa cella di quella a " + m(prima.posizione) +
                   (cella == 0 ? ": il valore di quella non arriva a nessuna cella"
                               : ": il valore di quella vale per una sola cella"));
    it->second = {p, cella};
  }

 private:
  struct Ultimo {
    int64_t posizione, cella;
  };
  std::map<const formato::Record*, Ultimo> ultimi_;
};

// The profile as the line reader steps it: straight up to a curve's start,
// then turned to its end, one metre at a time from where it stands.
class Curve {
 public:
  void record(Contesto& c, const RecordLetto& r) {
    if (r.formato != &formato::curva) return;
    const int64_t p = valore(r, "posizione"), t = valore(r, "lunghezza");
    if (p + 1 < metro_) {
      const std::string da = m(metro_);
      c.avviso(Avviso::curva_sovrapposta, file_di(r.sorgente), r.valori[0].campo,
               nome(r) + " a " + m(p) + " inizia prima della fine della precedente (" + m(metro_ - 1) + "): " +
                   (p + t < metro_ ? "è tutta dentro di essa e non gira il profilo"
                                   : "il profilo gira da " + da + " a " + m(p + t)));
    }
    metro_ = std::max(metro_, p + 1);
    metro_ = std::max(metro_, p + t + 1);
  }

 private:
  int64_t metro_ = 2;  // the next metre the profile computes
};

// The train's speed in force at each speed board, against the board's
// second speed.
void indicatori_e_velocita(Contesto& c) {
  std::map<int64_t, int64_t> velocita;
  for (const RecordLetto* r : c.raccolta.record)
    if (r->formato == &formato::velocita && integro(*r)) velocita[valore(*r, "posizione")] = valore(*r, "velocita");
  if (velocita.empty()) return;
  for (const RecordLetto* r : c.raccolta.record) {
    if (r->formato != &formato::indicatori_vmax || !integro(*r)) continue;
    const int64_t p = valore(*r, "posizione"), v = valore(*r, "vbs");
    auto it = velocita.upper_bound(p);
    if (it == velocita.begin()) continue;
    const int64_t in_vigore = std::prev(it)->second;
    if (in_vigore == v) continue;
    c.avviso(Avviso::indicatori_e_velocita, File::linea, r->valori[r->formato->indice("vbs")].campo,
             nome(*r) + " a " + m(p) + " indica " + std::to_string(v) + " km/h, il treno li' ha velocita " +
                 std::to_string(in_vigore) + " km/h (dal record a " + m(std::prev(it)->first) + ")");
  }
}

// A position of a few units among records of its kind in metres: read as
// kilometres it would stand between the one before and the one after
// ("velocita, 11, 100" after a record at 9000 m, before one at 12000 m).
void chilometri(Contesto& c) {
  if (!c.lunghezza) return;
  std::map<const formato::Record*, std::vector<std::pair<const RecordLetto*, size_t>>> per_tipo;
  for (const RecordLetto* r : c.raccolta.record) {
    if (!integro(*r)) continue;
    for (size_t k = 0; k < r->valori.size(); ++k)
      if (lungo_la_linea(r->formato->valori[k].ruolo)) {
        per_tipo[r->formato].emplace_back(r, k);
        break;
      }
  }
  const int64_t fine = *c.lunghezza + metri_oltre_la_linea;
  for (const auto& [tipo, elenco] : per_tipo)
    for (size_t i = 1; i < elenco.size(); ++i) {
      const auto [r, k] = elenco[i];
      const int64_t v = r->valori[k].numero, in_metri = v * 1000;
      const int64_t prima = elenco[i - 1].first->valori[elenco[i - 1].second].numero;
      const bool dopo_va =
          i + 1 == elenco.size() || in_metri < elenco[i + 1].first->valori[elenco[i + 1].second].numero;
      if (v <= 0 || v * 1000 > *c.lunghezza || prima <= v || prima >= in_metri || !dopo_va || in_metri > fine) continue;
      c.avviso(Avviso::chilometri, file_di(r->sorgente), r->valori[k].campo,
               nome(*r) + " a " + m(v) + " dopo quella a " + m(prima) + ": sembra in chilometri; in metri, " +
                   m(in_metri) + "?");
    }
}

}  // namespace

void avvisi_posizioni(Contesto& c) {
  Riempimenti riempimenti;
  Curve curve;
  int64_t fino_al_capolinea = 0;
  if (const RecordLetto* t = capolinea_oltre_la_linea(c)) {
    fino_al_capolinea = valore(*t, "posizione");
    c.nota(Nota::capolinea_oltre_la_linea, file_di(t->sorgente), t->valori[t->formato->indice("posizione")].campo,
           nome(*t) + " a " + m(fino_al_capolinea) + ": capolinea oltre la fine della linea (lunghezza percorso " +
               m(*c.lunghezza) + "), dentro le celle che arrivano a " + m(*c.lunghezza + metri_oltre_la_linea) +
               "; gli elementi fino al capolinea non sono segnalati");
  }
  for (const RecordLetto* r : c.raccolta.record) {
    if (!integro(*r)) continue;
    oltre_la_linea(c, *r, fino_al_capolinea);
    arrotondamenti(c, *r);
    riempimenti.record(c, *r);
    curve.record(c, *r);
  }
  indicatori_e_velocita(c);
  chilometri(c);
}

}  // namespace scenario::verifica
