#pragma once
// The plan profile: x and y of the track for every metre 0..ultimo_metro,
// each a tagged value (Empty, Integer or Double).
//
// Nothing is held per metre. The profile is its start (metres 0 and 1, the
// Integers (0, 0) and (0, 1)) and the runs of steps the line parser made
// from metre 2 on, each straight on or turned by a curvature; the metres
// after the last step are Empty. percorri produces the values again, in
// order, for whoever reads or writes them: each step repeats the parser's
// operations in the parser's order, so every double is the same to the bit.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "base/errori.h"
#include "compiler/variante.h"

namespace scenario {

class Profilo {
 public:
  static constexpr int colonne = 2;  // x and y

  // A profile of metres 0..ultimo, every element Empty. A negative bound is
  // a run-time failure, and leaves the profile as it was.
  void dimensiona(int32_t ultimo);
  bool allocato() const { return allocato_; }
  int32_t ultimo_metro() const;

  // Metres 0 and 1 take their Integers, a row at a time: a row the profile
  // does not have, as every row before it is sized, is a run-time failure.
  void inizia();

  // Steps, one metre at a time from the first metre not yet stepped, to
  // metre fino_a: straight on, or turned by curvatura without renormalising
  // the step. The last two rows stay Empty: a step that would fall there is
  // not made, and the answer is false (the steps before it stand).
  bool avanza_fino_a(int64_t fino_a, double curvatura, bool curva);

  // The element of metre m, column k (0 = x, 1 = y); outside the profile, a
  // run-time failure.
  Variante operator()(int64_t m, int k) const;

  // Calls f(tipo, valori) for metres 0..min(fino_a, ultimo_metro()) of
  // column k, in order, a run of elements of one tag at a time (valori, a
  // std::span<const double>, holds each element in arithmetic: Empty is 0).
  // Nothing for a profile not sized.
  template <typename F>
  void percorri(int k, int32_t fino_a, F&& f) const;
  template <typename F>
  void percorri(int k, F&& f) const {
    percorri(k, ultimo_, f);
  }

  // The elements of a column that are Integers, Doubles and Empty; the two
  // columns hold the same tags.
  struct Conteggio {
    int64_t interi = 0, doppi = 0, vuoti = 0;
  };
  Conteggio conteggio() const;

 private:
  // Metres da..a, all stepped alike; da is one after the previous run's a.
  struct Tratto {
    int32_t a;
    double curvatura;
    bool curva;
  };
  static constexpr int32_t primo_passo = 2;
  // The start rows, [metre][column].
  static constexpr int16_t iniziali[primo_passo][colonne] = {{0, 0}, {0, 1}};

  static size_t colonna(int k) {
    if (k < 0 || k >= colonne) throw ErroreEsecuzione(Guasto::indice_fuori_intervallo, "profilo_linea");
    return static_cast<size_t>(k);
  }
  double iniziale(int32_t m, size_t k) const { return m < righe_iniziali_ ? iniziali[m][k] : 0.0; }

  bool allocato_ = false;
  int32_t ultimo_ = -1;
  int32_t righe_iniziali_ = 0;      // start rows set, 0..2
  int32_t prossimo_ = primo_passo;  // the first metre not yet stepped
  std::vector<Tratto> tratti_;
};

template <typename F>
void Profilo::percorri(int k, int32_t fino_a, F&& f) const {
  if (!allocato_) return;
  const size_t c = colonna(k);
  const int32_t fine = std::min(fino_a, ultimo_);
  // The values go out a run at a time, so that the caller's loop, not a
  // call per element, does the work.
  constexpr int32_t lotto = 256;
  std::array<double, lotto> valori;

  int32_t m = 0;
  for (; m < primo_passo && m <= fine; ++m) {
    valori[0] = iniziale(m, c);
    f(m < righe_iniziali_ ? Variante::Tipo::intero : Variante::Tipo::vuoto, std::span<const double>(valori.data(), 1));
  }
  // Each step from the two metres before it: the difference d is the
  // previous step, turned or not.
  double x2 = iniziale(0, 0), x1 = iniziale(1, 0);
  double y2 = iniziale(0, 1), y1 = iniziale(1, 1);
  for (const Tratto& t : tratti_) {
    const int32_t a = std::min(t.a, fine);
    const double kc = t.curvatura;
    while (m <= a) {
      const int32_t fine_lotto = std::min(a, m + (lotto - 1));
      double* v = valori.data();
      if (t.curva) {
        for (; m <= fine_lotto; ++m) {
          const double d0 = x1 - x2, d1 = y1 - y2;
          const double x = x1 + (d1 * kc + d0), y = y1 + (d1 - d0 * kc);
          x2 = x1, x1 = x, y2 = y1, y1 = y;
          *v++ = c == 0 ? x : y;
        }
      } else {
        for (; m <= fine_lotto; ++m) {
          const double d0 = x1 - x2, d1 = y1 - y2;
          const double x = x1 + d0, y = y1 + d1;
          x2 = x1, x1 = x, y2 = y1, y1 = y;
          *v++ = c == 0 ? x : y;
        }
      }
      f(Variante::Tipo::doppio, std::span<const double>(valori.data(), v));
    }
    if (m > fine) return;
  }
  valori.fill(0.0);
  while (m <= fine) {
    const int32_t n = std::min(lotto, fine - m + 1);
    f(Variante::Tipo::vuoto, std::span<const double>(valori.data(), static_cast<size_t>(n)));
    m += n;
  }
}

}  // namespace scenario
