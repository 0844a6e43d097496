#pragma once
// The plan profile: x and y of the track for every metre 0..ultimo_metro.
// Element (m, k): metre m, coordinate k (0 = x, 1 = y). Column-major, as the
// profile file stores it.

#include <array>
#include <cstdint>
#include <vector>

#include "compiler/errori.h"
#include "compiler/variante.h"

namespace scenario {

class Profilo {
 public:
  void dimensiona(int32_t ultimo) {
    if (ultimo < 0) throw ErroreEsecuzione(Guasto::indice_fuori_intervallo, "profilo_linea");
    for (auto& colonna : colonne_) colonna.assign(static_cast<size_t>(ultimo) + 1, Variante{});
    allocato_ = true;
  }
  bool allocato() const { return allocato_; }
  int32_t ultimo_metro() const {
    if (!allocato_) throw ErroreEsecuzione(Guasto::indice_fuori_intervallo, "profilo_linea");
    return static_cast<int32_t>(colonne_[0].size()) - 1;
  }

  Variante& operator()(int64_t m, int k) { return colonne_[colonna(k)][riga(m)]; }
  const Variante& operator()(int64_t m, int k) const { return colonne_[colonna(k)][riga(m)]; }

  const std::vector<Variante>& colonna_x() const { return colonne_[0]; }
  const std::vector<Variante>& colonna_y() const { return colonne_[1]; }

 private:
  size_t riga(int64_t m) const {
    if (!allocato_ || m < 0 || m >= static_cast<int64_t>(colonne_[0].size()))
      throw ErroreEsecuzione(Guasto::indice_fuori_intervallo, "profilo_linea");
    return static_cast<size_t>(m);
  }
  static size_t colonna(int k) {
    if (k < 0 || k > 1) throw ErroreEsecuzione(Guasto::indice_fuori_intervallo, "profilo_linea");
    return static_cast<size_t>(k);
  }

  std::array<std::vector<Variante>, 2> colonne_;
  bool allocato_ = false;
};

}  // namespace scenario
