// The profile kept as its runs of steps against the profile held whole: a
// value per metre, each step computed from the two stored before it. Every
// element, tag and bits, must come out the same, whatever the runs, the
// refusals and the sizes.

#include "compiler/profilo.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <string>
#include <vector>

#include "compiler/binario.h"
#include "compiler/tracciati.h"

namespace scenario {
namespace {

// The profile held whole, stepped one metre at a time.
struct ProfiloIntero {
  explicit ProfiloIntero(int32_t ultimo) : x(static_cast<size_t>(ultimo) + 1), y(x.size()) {}

  void inizia() {
    x[0] = y[0] = x[1] = Variante::da_intero(0);
    y[1] = Variante::da_intero(1);
  }
  bool avanza_fino_a(int64_t fino_a, double k, bool curva) {
    for (; prossimo <= fino_a; ++prossimo) {
      const size_t c = static_cast<size_t>(prossimo);
      if (prossimo > static_cast<int64_t>(x.size()) - 3) return false;
      const double x1 = x[c - 1].valore(), x2 = x[c - 2].valore();
      const double y1 = y[c - 1].valore(), y2 = y[c - 2].valore();
      const double d0 = x1 - x2, d1 = y1 - y2;
      x[c] = Variante::da_doppio(curva ? x1 + (d1 * k + d0) : x1 + d0);
      y[c] = Variante::da_doppio(curva ? y1 + (d1 - d0 * k) : y1 + d1);
    }
    return true;
  }

  std::vector<Variante> x, y;
  int64_t prossimo = 2;
};

struct Passo {
  int64_t fino_a;
  double curvatura;
  bool curva;
};

// Both profiles through the same steps; the answers of the steps agree.
void avanza(Profilo& p, ProfiloIntero& intero, const std::vector<Passo>& passi) {
  for (const Passo& s : passi)
    ASSERT_EQ(p.avanza_fino_a(s.fino_a, s.curvatura, s.curva), intero.avanza_fino_a(s.fino_a, s.curvatura, s.curva))
        << s.fino_a;
}

std::vector<Variante> colonna(const Profilo& p, int k) {
  std::vector<Variante> v;
  p.percorri(k, [&](Variante::Tipo t, std::span<const double> valori) {
    for (double d : valori)
      v.push_back(t == Variante::Tipo::intero   ? Variante::da_intero(static_cast<int16_t>(d))
                  : t == Variante::Tipo::doppio ? Variante::da_doppio(d)
                                                : Variante{});
  });
  return v;
}

void stessi_valori(const std::vector<Variante>& fatti, const std::vector<Variante>& attesi, const char* nome) {
  ASSERT_EQ(fatti.size(), attesi.size()) << nome;
  for (size_t m = 0; m < attesi.size(); ++m) {
    ASSERT_EQ(fatti[m].tipo, attesi[m].tipo) << nome << " metro " << m;
    ASSERT_EQ(fatti[m].intero, attesi[m].intero) << nome << " metro " << m;
    ASSERT_EQ(std::bit_cast<uint64_t>(fatti[m].doppio), std::bit_cast<uint64_t>(attesi[m].doppio))
        << nome << " metro " << m;
  }
}

TEST(ProfiloPassi, OgniValoreComeNelProfiloIntero) {
  // A long route of alternating curves, as the benchmark's.
  std::vector<Passo> lungo;
  for (int k = 0, p = 800; p < 1000000; ++k, p += 1600) {
    lungo.push_back({p, 0.0, false});
    lungo.push_back({p + 600 + 50 * (k % 5), (k % 2 ? -1 : 1) * 0.0001 * (1 + k % 6), true});
  }
  lungo.push_back({1006998, 0.0, false});
  const struct Caso {
    const char* nome;
    int32_t ultimo;
    std::vector<Passo> passi;
  } casi[] = {
      {"lungo", 1007000, lungo},
      {"diritto", 7000, {{6998, 0.0, false}}},
      // Curves back to back, one of a single metre, one stepped again
      // (nothing to do), a curve running into the last two rows (refused,
      // its steps before them kept), and nothing after the refusal.
      {"curve",
       9000,
       {{800, 0.0, false},
        {1100, 0.0004, true},
        {1101, -0.003, true},
        {1101, 0.002, true},
        {1500, 0.0, false},
        {9500, -0.001, true},
        {9000, 0.0, false}}},
      // The straight to the end, then a curve that starts beyond it.
      {"oltre", 7100, {{7098, 0.0, false}, {7200, 0.0, false}, {7300, 0.002, true}}},
      {"senza passi", 7000, {}},
      {"breve", 3, {{1, 0.0, false}, {5, 0.001, true}}},
      {"due righe", 1, {{-1, 0.0, false}}},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.nome);
    Profilo p;
    p.dimensiona(c.ultimo);
    ProfiloIntero intero(c.ultimo);
    p.inizia();
    intero.inizia();
    avanza(p, intero, c.passi);
    stessi_valori(colonna(p, 0), intero.x, "x");
    stessi_valori(colonna(p, 1), intero.y, "y");

    // The counts the writer sizes the file with, and the file itself.
    size_t byte = 0;
    for (const auto* col : {&intero.x, &intero.y})
      for (const Variante& v : *col) byte += byte_variante(v.tipo);
    EXPECT_EQ(serializza_profilo(p).size(), byte);
    // One element read alone, at either end and in the middle.
    for (int32_t m : {0, 1, c.ultimo / 2, c.ultimo - 2, c.ultimo}) {
      if (m < 0) continue;
      EXPECT_EQ(p(m, 0), intero.x[static_cast<size_t>(m)]) << m;
      EXPECT_EQ(p(m, 1), intero.y[static_cast<size_t>(m)]) << m;
    }
  }
}

// A profile too short for its start keeps the rows it had room for, and the
// failure is the one of an element out of range; a profile not sized has
// nothing, and writes nothing.
TEST(ProfiloPassi, InizioSenzaSpazioEProfiloNonDimensionato) {
  Profilo p;
  EXPECT_THROW(p.inizia(), ErroreEsecuzione);
  EXPECT_FALSE(p.allocato());
  EXPECT_EQ(serializza_profilo(p), "");
  EXPECT_THROW(p(0, 0), ErroreEsecuzione);

  p.dimensiona(0);
  try {
    p.inizia();
    ADD_FAILURE() << "no failure";
  } catch (const ErroreEsecuzione& e) {
    EXPECT_EQ(e.guasto(), Guasto::indice_fuori_intervallo);
  }
  EXPECT_EQ(p(0, 0), Variante::da_intero(0));
  EXPECT_EQ(p(0, 1), Variante::da_intero(0));
  EXPECT_EQ(serializza_profilo(p), std::string("\2\0\0\0\2\0\0\0", 8));
  EXPECT_THROW(p(1, 0), ErroreEsecuzione);
  EXPECT_THROW(p(0, 2), ErroreEsecuzione);

  // A negative size is refused and changes nothing.
  EXPECT_THROW(p.dimensiona(-1), ErroreEsecuzione);
  EXPECT_EQ(p.ultimo_metro(), 0);
  EXPECT_EQ(p(0, 1), Variante::da_intero(0));
}

}  // namespace
}  // namespace scenario
