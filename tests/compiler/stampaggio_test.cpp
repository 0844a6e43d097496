#include "compiler/stampaggio.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "base/codici.h"
#include "base/errori.h"
#include "compiler/stato.h"

namespace scenario {
namespace {

class Stampaggio : public testing::Test {
 protected:
  Stampaggio() { s.celle.dimensiona(2860); }

  void montagna(int32_t inizio, int32_t fine, int32_t tipo) { memo_montagna(s, inizio, fine, tipo); }
  void rallentamento(int32_t x, int32_t l, int32_t v, int32_t f_ta, int32_t d_v, int32_t f_tt = 0) {
    memo_rallentamento(s, x, v, l, f_tt, f_ta, d_v);
  }
  // sx, s1, s2, s3, rapp, dx, d1, d2, d3, tempo
  int32_t segnale(int32_t p, std::array<int32_t, 10> v) {
    memo_segnale(s, p, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9]);
    return v[9];
  }
  void indicatori(int32_t p, std::array<int32_t, 8> v) {
    memo_indicatori_v_max(s, p, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]);
  }
  cella& c(int i) { return s.celle[i]; }

  Stato s;
};

TEST_F(Stampaggio, MontagnaSemplice) {
  montagna(23400, 23800, 2);
  for (int i = 467; i <= 476; ++i) {
    EXPECT_EQ(c(i).tipo_montagna, (i >= 468 && i <= 475) ? 2 : 0) << i;
    EXPECT_EQ(c(i).codice, 0) << i;
  }
  EXPECT_EQ(s.numero_montagne, 1);
  EXPECT_EQ(s.codice_errore, 0);
}

TEST_F(Stampaggio, MontagnaPesanteMarcaOgniQuartaCella) {
  c(475).codice = codice_cella::segnale;  // an occupied cell keeps its code
  montagna(23400, 23800, 12);
  EXPECT_EQ(c(471).codice, codice_cella::montagna);
  EXPECT_EQ(c(475).codice, codice_cella::segnale);
  EXPECT_EQ(c(472).codice, 0);
  EXPECT_EQ(c(468).tipo_montagna, 2);

  Stato t;
  t.celle.dimensiona(100);
  int32_t a = 1000, b = 1350, tipo = 11;  // seven cells: one marker
  memo_montagna(t, a, b, tipo);
  int marcatori = 0;
  for (int i = 0; i <= 100; ++i) marcatori += t.celle[i].codice == codice_cella::montagna;
  EXPECT_EQ(marcatori, 1);
  EXPECT_EQ(t.celle[23].codice, codice_cella::montagna);
  EXPECT_EQ(tipo, 1);  // the caller's variable loses the 10
}

TEST_F(Stampaggio, MontagnaVicinaAllaPrecedenteDiventaTipo3) {
  struct Caso {
    int32_t distanza;
    int tipo;
  } casi[] = {{150, 3}, {200, 2}};
  for (const Caso& k : casi) {
    Stato t;
    t.celle.dimensiona(2860);
    int32_t a = 1000, b = 2000, tipo = 2;
    memo_montagna(t, a, b, tipo);
    int32_t a2 = 2000 + k.distanza, b2 = a2 + 500, tipo2 = 2;
    memo_montagna(t, a2, b2, tipo2);
    EXPECT_EQ(t.celle[a2 / 50].tipo_montagna, k.tipo) << k.distanza;
  }
}

TEST_F(Stampaggio, MontagnaVuotaOccupaComunqueUnPosto) {
  montagna(5000, 5000, 2);
  EXPECT_EQ(s.numero_montagne, 1);
  EXPECT_EQ(c(100).tipo_montagna, 0);
  montagna(6000, 6050, 2);
  EXPECT_EQ(c(120).tipo_montagna, 2);
  EXPECT_EQ(c(119).tipo_montagna + c(121).tipo_montagna, 0);
}

TEST_F(Stampaggio, OttantunesimaMontagnaRifiutata) {
  for (int i = 0; i < 80; ++i) montagna(1000 + i * 1000, 1500 + i * 1000, 2);
  EXPECT_EQ(s.codice_errore, 0);
  montagna(90000, 90500, 2);
  EXPECT_EQ(s.codice_errore, problema::troppe_montagne);
  EXPECT_EQ(s.numero_montagne, 80);
  EXPECT_EQ(c(1800).tipo_montagna, 0);
}

TEST_F(Stampaggio, MontagnaOltreLeCelle) {
  montagna(140000, 150000, 2);
  EXPECT_EQ(s.codice_errore, problema::fuori_celle);
  EXPECT_EQ(c(2860).tipo_montagna, 0);
}

TEST_F(Stampaggio, RallentamentoDiEsempio) {
  rallentamento(10000, 500, 30, 1, 0);
  EXPECT_EQ(s.codice_errore, 0);
  EXPECT_EQ(c(177).codice, codice_cella::avviso_rallentamento);
  for (int k = 1; k <= 4; ++k) {
    EXPECT_EQ(c(177 - k).codice, codice_cella::preavviso_rallentamento);
    EXPECT_EQ(c(177 - k).valore1, k);
    EXPECT_EQ(c(177 - k).valore2, 0);
  }
  EXPECT_EQ(c(201).codice, codice_cella::inizio_rallentamento);
  EXPECT_EQ(c(211).codice, codice_cella::fine_rallentamento);
  for (int i : {177, 201, 211}) EXPECT_EQ(c(i).valore1, 30) << i;
  EXPECT_EQ(c(172).codice, 0);
}

TEST_F(Stampaggio, PreavvisoNellaCellaArrotondata) {
  // x - 1200 = 8830: 176.6 cells, so the pre-warning cells are 177 to 174
  // below the board in cell 178.
  rallentamento(10030, 500, 30, 1, 0);
  EXPECT_EQ(s.codice_errore, 0);
  EXPECT_EQ(c(178).codice, codice_cella::avviso_rallentamento);
  for (int k = 1; k <= 4; ++k) {
    EXPECT_EQ(c(178 - k).codice, codice_cella::preavviso_rallentamento) << 178 - k;
    EXPECT_EQ(c(178 - k).valore1, k) << 178 - k;
  }
  EXPECT_EQ(c(173).codice, 0);
}

TEST_F(Stampaggio, RallentamentoConDvEFtt) {
  rallentamento(10000, 500, 30, 1, 7, 9);
  for (int i : {177, 201, 211}) EXPECT_EQ(c(i).valore2, 7) << i;
  for (int i : {201, 211}) EXPECT_EQ(c(i).valore3, 9) << i;
  EXPECT_EQ(c(177).valore3, 0);
  EXPECT_EQ(c(176).valore2, 1);
  EXPECT_EQ(c(173).valore2, 4);
}

TEST_F(Stampaggio, AvvisoSoloOltre1500) {
  rallentamento(1500, 500, 30, 1, 0);
  for (int i = 0; i <= 10; ++i) EXPECT_EQ(c(i).codice, 0) << i;
  EXPECT_EQ(c(31).codice, codice_cella::inizio_rallentamento);

  Stato t;
  t.celle.dimensiona(2860);
  int32_t v = 30, l = 500, f_tt = 0, d_v = 0;
  memo_rallentamento(t, 1550, v, l, f_tt, 1, d_v);
  EXPECT_EQ(t.celle[8].codice, codice_cella::avviso_rallentamento);
  for (int i = 4; i <= 7; ++i) EXPECT_EQ(t.celle[i].codice, codice_cella::preavviso_rallentamento) << i;
  EXPECT_EQ(t.celle[7].valore1, 1);
  EXPECT_EQ(t.celle[4].valore1, 4);
}

TEST_F(Stampaggio, RallentamentoCortoInizioSopraFine) {
  rallentamento(1000, 20, 30, 0, 0);
  EXPECT_EQ(c(21).codice, codice_cella::inizio_rallentamento);
}

TEST_F(Stampaggio, RallentamentoSuCelleOccupate) {
  // x = 10000: board 177, pre-warning 176..173, start 201, end 211 (l = 500)
  // or past the last cell (l = 140000). A busy cell keeps its own code even
  // when the end lies outside, and a refusal before the stamp writes nothing.
  struct Caso {
    int cella;
    int32_t l;
    int32_t errore;
    bool stampato;  // start, end and board already written
  } casi[] = {
      {177, 500, 17, false},    {201, 500, 18, false},    {211, 500, 19, false},   {174, 500, 20, true},
      {177, 140000, 17, false}, {201, 140000, 18, false}, {-1, 140000, 26, false},
  };
  for (const Caso& k : casi) {
    Stato t;
    t.celle.dimensiona(2860);
    if (k.cella >= 0) t.celle[k.cella].codice = codice_cella::fermata;
    const std::vector<cella> prima(t.celle.tutte().begin(), t.celle.tutte().end());
    int32_t v = 30, l = k.l, f_tt = 0, d_v = 0;
    memo_rallentamento(t, 10000, v, l, f_tt, 1, d_v);
    EXPECT_EQ(t.codice_errore, k.errore) << k.cella << " " << k.l;
    EXPECT_EQ(t.celle[201].codice == codice_cella::inizio_rallentamento, k.stampato) << k.cella;
    if (!k.stampato) {
      EXPECT_TRUE(std::ranges::equal(t.celle.tutte(), prima)) << k.cella << " " << k.l;
    }
    EXPECT_EQ(t.celle[176].codice, k.cella == 176 ? codice_cella::fermata : 0);
  }
}

TEST_F(Stampaggio, RallentamentoOltreLeCelle) {
  rallentamento(140000, 5000, 30, 1, 0);
  EXPECT_EQ(s.codice_errore, problema::fuori_celle);
  EXPECT_EQ(c(2801).codice, 0);
  EXPECT_EQ(c(2777).codice, 0);
}

TEST_F(Stampaggio, SegnaleDiEsempio) {
  segnale(1400, {1, 4, 1, 0, 0, 1, 3, 1, 0, 0});
  EXPECT_EQ(c(29).codice, codice_cella::segnale);
  EXPECT_EQ(c(29).valore1, 43);
  EXPECT_EQ(c(29).valore2, 11);
  EXPECT_EQ(c(29).valore3, 0);
  EXPECT_EQ(c(29).valore4, 4);
  EXPECT_EQ(c(29).tempo_segnale, 0);
  EXPECT_EQ(c(27).avvicinamento, 41);
  EXPECT_EQ(c(25).avvicinamento, 42);
  EXPECT_EQ(c(23).avvicinamento, 43);
  EXPECT_EQ(c(21).avvicinamento, 44);
  EXPECT_EQ(c(28).avvicinamento + c(19).avvicinamento, 0);
}

TEST_F(Stampaggio, TerzoValoreDelSegnale) {
  segnale(1400, {1, 4, 1, 2, 0, 1, 3, 1, 5, 0});
  EXPECT_EQ(c(29).valore3, 25);
  EXPECT_EQ(c(29).valore1, 43);
  EXPECT_EQ(c(29).valore2, 11);
}

TEST_F(Stampaggio, PuntoAMetaTraDueCelleVaAllaPari) {
  // p / 50 + 1 = 4.5 and 10.5: cells 4 and 10, not 5 and 11.
  indicatori(175, {125, 135, 135, 0, 0, 0, 0, 0});
  EXPECT_EQ(c(4).codice, codice_cella::indicatori_vmax);
  EXPECT_EQ(c(5).codice, 0);
  segnale(475, {1, 4, 1, 0, 0, 1, 3, 1, 0, 0});
  EXPECT_EQ(c(10).codice, codice_cella::segnale);
  EXPECT_EQ(c(11).codice, 0);
  EXPECT_EQ(s.codice_errore, 0);
}

TEST_F(Stampaggio, TempoDelSegnale) {
  struct Caso {
    int32_t sx, tempo, tempo_dopo, tempo_segnale;
  } casi[] = {{2, 100, 101, 101}, {2, 1, 101, 101}, {2, 300, 300, 44}, {2, 0, 0, 0}, {2, -5, -5, 251}, {1, 50, 101, 0}};
  int32_t p = 2000;
  for (const Caso& k : casi) {
    EXPECT_EQ(segnale(p, {k.sx, 0, 0, 0, 0, 0, 0, 0, 0, k.tempo}), k.tempo_dopo) << k.tempo;
    EXPECT_EQ(c(p / 50 + 1).tempo_segnale, k.tempo_segnale) << k.tempo;
    p += 1000;
  }
}

TEST_F(Stampaggio, CelleOccupateESegnaliDiMontagna) {
  c(29).codice = codice_cella::montagna;
  segnale(1400, {1, 4, 1, 0, 0, 1, 3, 1, 0, 0});
  EXPECT_EQ(s.codice_errore, 0);
  EXPECT_EQ(c(29).codice, codice_cella::segnale);

  segnale(1400, {1, 4, 1, 0, 0, 1, 3, 1, 0, 0});
  EXPECT_EQ(s.codice_errore, problema::segnale_occupato);
  s.codice_errore = 0;
  indicatori(1400, {125, 135, 135, 0, 0, 0, 0, 0});
  EXPECT_EQ(s.codice_errore, problema::indicatori_occupati);
  s.codice_errore = 0;
  rallentamento(5000, 500, 30, 0, 0);
  segnale(5000, {1, 4, 1, 0, 0, 1, 3, 1, 0, 0});
  EXPECT_EQ(s.codice_errore, problema::segnale_occupato);
}

TEST_F(Stampaggio, SegnaleVicinoAllInizio) {
  // Below 350 m the approach markers would fall before cell 0; a busy cell
  // is refused first with its own code. A refused signal writes nothing.
  struct Caso {
    int32_t posizione;
    uint8_t codice_prima;  // in the signal's cell
    int32_t errore;
  } casi[] = {
      {300, codice_cella::libera, problema::fuori_celle},
      {300, codice_cella::abbattimento, problema::segnale_occupato},
      {-100, codice_cella::libera, problema::fuori_celle},
      {350, codice_cella::libera, 0},
  };
  for (const Caso& k : casi) {
    Stato t;
    t.celle.dimensiona(2860);
    const int32_t c = cella_di_punto(k.posizione);
    if (t.celle.contiene(c)) t.celle[c].codice = k.codice_prima;
    const std::vector<cella> prima(t.celle.tutte().begin(), t.celle.tutte().end());
    int32_t v[10] = {1, 4, 1, 0, 0, 1, 3, 1, 0, 0};
    memo_segnale(t, k.posizione, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9]);
    EXPECT_EQ(t.codice_errore, k.errore) << k.posizione << " " << int{k.codice_prima};
    if (k.errore != 0) {
      EXPECT_TRUE(std::ranges::equal(t.celle.tutte(), prima)) << k.posizione;
    } else {
      EXPECT_EQ(t.celle[c].codice, codice_cella::segnale);
      EXPECT_EQ(t.celle[0].avvicinamento, 44);
    }
  }
}

TEST_F(Stampaggio, IndicatoriDiEsempio) {
  indicatori(1300, {125, 135, 135, 0, 0, 0, 0, 0});
  EXPECT_EQ(c(27).codice, codice_cella::indicatori_vmax);
  EXPECT_EQ(c(27).valore1, 2500);
  EXPECT_EQ(c(27).valore2, 2700);
  EXPECT_EQ(c(27).valore3, 2700);
  EXPECT_EQ(c(27).valore4, 0);
  indicatori(2000, {30, 60, 90, 1, 12, 13, 14, 2});  // 12/5 = 2.4, 13/5 = 2.6
  EXPECT_EQ(c(41).valore1, 602);
  EXPECT_EQ(c(41).valore2, 1203);
  EXPECT_EQ(c(41).valore4, 12);
}

TEST_F(Stampaggio, IndicatoreProdottoA32Bit) {
  // 214748365 * 20 = 2^32 + 4: the product wraps to 4 before the sum.
  indicatori(2000, {214748365, 0, 0, 0, 0, 0, 0, 0});
  EXPECT_EQ(c(41).valore1, 4);
}

TEST_F(Stampaggio, IndicatoreOltreSediciBit) {
  // The members before the value that does not fit stay stored.
  EXPECT_THROW(indicatori(2000, {30, 2000, 90, 0, 0, 0, 0, 0}), ErroreEsecuzione);
  EXPECT_EQ(c(41).codice, codice_cella::indicatori_vmax);
  EXPECT_EQ(c(41).valore1, 600);
  EXPECT_EQ(c(41).valore2, 0);
}

}  // namespace
}  // namespace scenario
