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
  s.profilo_linea.inizia();
  s.profilo_linea.avanza_fino_a(5000, 0.0, false);
  s.profilo_linea.avanza_fino_a(6000, 0.0005, true);  // a right turn of 0.5 rad
  s.profilo_linea.avanza_fino_a(lunghezza + 6998, 0.0, false);
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
