#pragma once
// A small compiled scenario made by hand with the compiler's own stamping
// and writer, for reading the binary files back without the parsers: a
// straight 10 km line turning right after 5 km, a station, a signal at 1400
// (cell 29), a slowdown at 5000 and an indicator sign at 3500.

#include <filesystem>

#include "compiler/binario.h"
#include "compiler/stampaggio.h"
#include "compiler/stato.h"
#include "support/cartella_temporanea.h"

namespace scenario::test {

inline Stato stato_prova() {
  Stato s;
  s.nome_linea = "Prova";
  s.numero_treno = "1";
  const int32_t lunghezza = 10000;
  s.celle.dimensiona(340);
  s.stazioni[slot::treno].fine_zona = lunghezza;
  s.stazioni[1].nome = "PRIMA";
  s.stazioni[1].tipo_stazione = 8;
  s.stazioni[1].orario = 31200;
  s.stazioni[80].nome = "PASSO DEL LUPO";
  s.celle[71].codice = codice_cella::cartello;
  s.celle[71].valore1 = 80;
  int32_t sx = 1, s1 = 4, s2 = 1, s3 = 0, rapp = 0, dx = 1, d1 = 3, d2 = 1, d3 = 0, tempo = 0;
  memo_segnale(s, 1400, sx, s1, s2, s3, rapp, dx, d1, d2, d3, tempo);
  int32_t v = 60, l = 500, f_tt = 0, d_v = 0;
  memo_rallentamento(s, 5000, v, l, f_tt, 1, d_v);
  for (int32_t i = 0; i < 338; ++i) s.celle[i].pendenza = 100;

  s.profilo_linea.dimensiona(lunghezza + 7000);
  s.profilo_linea(0, 0) = s.profilo_linea(0, 1) = s.profilo_linea(1, 0) = Variante::da_intero(0);
  s.profilo_linea(1, 1) = Variante::da_intero(1);
  double x = 0, y = 1, dx_ = 0, dy_ = 1;
  for (int32_t m = 2; m <= lunghezza + 6998; ++m) {
    if (m > 5000 && m <= 6000) {  // a right turn of 0.5 rad
      const double k = 0.0005, ndx = dy_ * k + dx_, ndy = dy_ - dx_ * k;
      dx_ = ndx, dy_ = ndy;
    }
    x += dx_, y += dy_;
    s.profilo_linea(m, 0) = Variante::da_doppio(x);
    s.profilo_linea(m, 1) = Variante::da_doppio(y);
  }
  return s;
}

// Writes Prova_linea.dat, Prova_1.sim and Prova_1.dat into dir.
inline void scrivi_binari_prova(const std::filesystem::path& dir) {
  const Stato s = stato_prova();
  scrivi_file(dir / "Prova_linea.dat", serializza_profilo(s.profilo_linea));
  scrivi_file(dir / "Prova_1.sim", serializza_stazioni(s.stazioni));
  scrivi_file(dir / "Prova_1.dat", serializza_celle(s.celle));
}

}  // namespace scenario::test
