#include "compiler/regole.h"

#include <array>
#include <optional>

#include "base/codici.h"
#include "compiler/stato.h"

namespace scenario {

int32_t minimo(int32_t x, int32_t y) { return x > y ? y : x; }

namespace {

constexpr int16_t valore_abbattimento = 180;
// Rule B5 and the repeats of B4 serve slowdowns below this speed.
constexpr int16_t velocita_ripetizioni = 110;
constexpr int32_t passo_ripetizione = 8;
constexpr int32_t portata_segnale = 12;
// Rule A looks this many cells back from a warning board for signals.
constexpr int32_t portata_avviso = 20;

// The look-back windows of B1 to B3: a window applies when the start cell
// lies above its last cell.
constexpr std::array<std::array<int32_t, 3>, 3> finestre{{{5, 6, 7}, {11, 12, 13}, {18, 19, 20}}};

class Regole {
 public:
  explicit Regole(Stato& stato) : stato_(stato), celle_(stato.celle), ultima_(stato.celle.ultimo_indice()) {}

  void applica() {
    for (int32_t i = 1; i <= ultima_ - 2; ++i) {
      if (celle_[i].codice == codice_cella::avviso_rallentamento) regola_a(i);
      if (celle_[i].codice == codice_cella::inizio_rallentamento) regola_b(i);
    }
  }

 private:
  // A cell past the last one is never free.
  bool libera_(int32_t c) const { return c <= ultima_ && libera(celle_[c]); }

  void segna(int32_t c) {
    stato_.origine_cella[c] = stato_.origine_corrente;
    celle_[c].codice = codice_cella::abbattimento;
    celle_[c].valore1 = valore_abbattimento;
  }

  void abbassa(int32_t c) { celle_[c].valore1 = static_cast<int16_t>(minimo(valore_abbattimento, celle_[c].valore1)); }

  // Problems point at the record that described the signal or slowdown.
  void origine_da(int32_t c) {
    auto it = stato_.origine_cella.find(c);
    stato_.origine_corrente = it != stato_.origine_cella.end() ? it->second : Origine{};
  }

  // Signals within portata_avviso cells before a warning board get a marker
  // in one of the two cells before them.
  void regola_a(int32_t i) {
    for (int32_t k = 1; k <= portata_avviso; ++k) {
      const int32_t d = i - k;
      if (d < 3) return;
      if (celle_[d].codice != codice_cella::segnale) continue;
      origine_da(d);
      if (libera_(d - 1)) {
        segna(d - 1);
      } else if (libera_(d - 2)) {
        segna(d - 2);
      } else if (celle_[d - 1].codice == codice_cella::abbattimento) {
        abbassa(d - 1);
      } else if (celle_[d - 2].codice == codice_cella::abbattimento) {
        abbassa(d - 2);
      } else {
        stato_.registra(problema::regola_segnale, d * metri_cella);
      }
    }
  }

  void regola_b(int32_t i) {
    origine_da(i);
    for (const auto& finestra : finestre) {
      if (i <= finestra[2]) continue;
      bool posto = false;
      for (int32_t indietro : finestra) {
        if (!libera_(i - indietro)) continue;
        segna(i - indietro);
        posto = true;
        break;
      }
      if (!posto) stato_.registra(problema::regola_inizio, i * metri_cella);
    }
    if (celle_[i].valore1 >= velocita_ripetizioni) return;
    if (auto fine = ripetizioni(i)) segnale_dopo(*fine);
  }

  // B4: a marker every 8 cells from the start to the slowdown's end, counted
  // from the marker actually placed. Returns the end cell, or nothing when
  // the cells end first.
  std::optional<int32_t> ripetizioni(int32_t i) {
    int32_t contatore = 0;
    for (int32_t k = i + 1; k <= ultima_; ++k) {
      ++contatore;
      if (contatore == passo_ripetizione) {
        if (libera_(k)) {
          segna(k);
          contatore = 0;
        } else if (libera_(k - 1)) {
          segna(k - 1);
          contatore = 1;
        } else if (libera_(k + 1)) {
          segna(k + 1);
          contatore = -1;
        } else {
          // The counter stays at 8: no further marker on this walk.
          stato_.registra(problema::regola_ripetizione, k * metri_cella);
        }
      }
      if (celle_[k].codice == codice_cella::fine_rallentamento) return k;
    }
    return std::nullopt;
  }

  // B5: a marker just before the first signal within 12 cells after the end.
  void segnale_dopo(int32_t k) {
    for (int32_t p = k; p <= k + portata_segnale && p <= ultima_; ++p) {
      if (celle_[p].codice != codice_cella::segnale) continue;
      if (p - 1 <= 0) return;
      const int32_t q = p - 1;
      if (libera_(q))
        segna(q);
      else if (libera_(q - 1))
        segna(q - 1);
      else
        stato_.registra(problema::regola_ripetizione, k * metri_cella);
      return;
    }
  }

  Stato& stato_;
  Celle& celle_;
  const int32_t ultima_;
};

}  // namespace

void applica_regole(Stato& stato) { Regole(stato).applica(); }

}  // namespace scenario
