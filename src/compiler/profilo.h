#pragma once
// The plan profile: x and y of the track for every metre 0..ultimo_metro.
// Element (m, k): metre m, coordinate k (0 = x, 1 = y). Column-major, as the
// profile file stores it. Each element is a tagged value (Empty, Integer or
// Double); the values are kept as doubles beside a tag array, which holds a
// long route in half the memory of whole tagged values.

#include <array>
#include <cstdint>
#include <vector>

#include "base/errori.h"
#include "base/memoria.h"
#include "compiler/variante.h"

namespace scenario {

class Profilo {
 public:
  using Valori = std::vector<double, AllocatoreGrande<double>>;
  using Tipi = std::vector<Variante::Tipo, AllocatoreGrande<Variante::Tipo>>;
  static constexpr int colonne = 2;  // x and y

  // One element, read and written as a Variante.
  class Elemento {
   public:
    Elemento(Profilo& p, size_t k, size_t m) : p_(p), k_(k), m_(m), tipo(p.tipi_[k][m]) {}
    Elemento(const Elemento&) = default;

    Elemento& operator=(const Variante& v) {
      p_.tipi_[k_][m_] = tipo = v.tipo;
      p_.valori_[k_][m_] = v.valore();
      return *this;
    }
    Elemento& operator=(const Elemento& altro) { return *this = static_cast<Variante>(altro); }
    operator Variante() const { return p_.leggi(k_, m_); }
    double valore() const { return p_.valori_[k_][m_]; }

   private:
    Profilo& p_;
    size_t k_, m_;

   public:
    Variante::Tipo tipo;
  };

  void dimensiona(int32_t ultimo) {
    if (ultimo < 0) throw ErroreEsecuzione(Guasto::indice_fuori_intervallo, "profilo_linea");
    for (size_t k = 0; k < colonne; ++k) {
      valori_[k].assign(static_cast<size_t>(ultimo) + 1, 0.0);
      tipi_[k].assign(static_cast<size_t>(ultimo) + 1, Variante::Tipo::vuoto);
    }
    allocato_ = true;
  }
  bool allocato() const { return allocato_; }
  int32_t ultimo_metro() const {
    if (!allocato_) throw ErroreEsecuzione(Guasto::indice_fuori_intervallo, "profilo_linea");
    return static_cast<int32_t>(valori_[0].size()) - 1;
  }

  Elemento operator()(int64_t m, int k) { return Elemento(*this, colonna(k), riga(m)); }
  Variante operator()(int64_t m, int k) const { return leggi(colonna(k), riga(m)); }
  // The value in arithmetic (Empty counts as 0), without building a Variante.
  double valore(int64_t m, int k) const { return valori_[colonna(k)][riga(m)]; }
  void imposta_doppio(int64_t m, int k, double v) {
    const size_t c = colonna(k), r = riga(m);
    tipi_[c][r] = Variante::Tipo::doppio;
    valori_[c][r] = v;
  }

  const Valori& valori(int k) const { return valori_[colonna(k)]; }
  const Tipi& tipi(int k) const { return tipi_[colonna(k)]; }

 private:
  Variante leggi(size_t k, size_t m) const {
    switch (tipi_[k][m]) {
      case Variante::Tipo::intero: return Variante::da_intero(static_cast<int16_t>(valori_[k][m]));
      case Variante::Tipo::doppio: return Variante::da_doppio(valori_[k][m]);
      case Variante::Tipo::vuoto: break;
    }
    return Variante{};
  }
  size_t riga(int64_t m) const {
    if (!allocato_ || m < 0 || m >= static_cast<int64_t>(valori_[0].size()))
      throw ErroreEsecuzione(Guasto::indice_fuori_intervallo, "profilo_linea");
    return static_cast<size_t>(m);
  }
  static size_t colonna(int k) {
    if (k < 0 || k >= colonne) throw ErroreEsecuzione(Guasto::indice_fuori_intervallo, "profilo_linea");
    return static_cast<size_t>(k);
  }

  std::array<Valori, colonne> valori_;
  std::array<Tipi, colonne> tipi_;
  bool allocato_ = false;
};

}  // namespace scenario
