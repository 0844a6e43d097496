// The profile's runs of steps as the line parser makes them, and the one
// element a reader asks for.

#include "compiler/profilo.h"

namespace scenario {
namespace {

[[noreturn]] void fuori() { throw ErroreEsecuzione(Guasto::indice_fuori_intervallo, "profilo_linea"); }

}  // namespace

void Profilo::dimensiona(int32_t ultimo) {
  if (ultimo < 0) fuori();
  allocato_ = true;
  ultimo_ = ultimo;
  righe_iniziali_ = 0;
  prossimo_ = primo_passo;
  tratti_.clear();
}

int32_t Profilo::ultimo_metro() const {
  if (!allocato_) fuori();
  return ultimo_;
}

void Profilo::inizia() {
  for (int32_t m = 0; m < primo_passo; ++m) {
    if (!allocato_ || m > ultimo_) fuori();
    righe_iniziali_ = std::max(righe_iniziali_, m + 1);
  }
}

bool Profilo::avanza_fino_a(int64_t fino_a, double curvatura, bool curva) {
  if (fino_a < prossimo_) return true;
  const int64_t ultimo_passo = int64_t{ultimo_metro()} - 2;
  const int64_t a = std::min(fino_a, ultimo_passo);
  if (a >= prossimo_) {
    tratti_.push_back({static_cast<int32_t>(a), curvatura, curva});
    prossimo_ = static_cast<int32_t>(a) + 1;
  }
  return fino_a <= ultimo_passo;
}

Variante Profilo::operator()(int64_t m, int k) const {
  if (!allocato_ || m < 0 || m > ultimo_) fuori();
  Variante v;
  percorri(k, static_cast<int32_t>(m), [&](Variante::Tipo t, std::span<const double> valori) {
    const double valore = valori.back();
    v.tipo = t;
    v.intero = t == Variante::Tipo::intero ? static_cast<int16_t>(valore) : int16_t{0};
    v.doppio = t == Variante::Tipo::doppio ? valore : 0.0;
  });
  return v;
}

Profilo::Conteggio Profilo::conteggio() const {
  Conteggio n;
  if (!allocato_) return n;
  n.interi = std::min(righe_iniziali_, ultimo_ + 1);
  n.doppi = prossimo_ - primo_passo;
  n.vuoti = int64_t{ultimo_} + 1 - n.interi - n.doppi;
  return n;
}

}  // namespace scenario
