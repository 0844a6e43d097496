// A short scenario built from the input's bytes: a line of 1 to 9 km and a
// train whose signals, slowdowns, warning boards, stations, speed
// reductions and boards stand near one another, so that nearly every input
// reaches the track rules (A, B1 to B5) and the contest codes; then the
// whole compile. Every text the builder writes is well formed: the bytes
// choose what stands where, not how it is spelt.
//
// The files of a complete compile must read back with the authors' tool and
// agree with one another, and every recorded problem must be in the table of
// codes.
//
// An input means a scenario only to this builder: when the builder changes,
// the inputs kept in regressioni/scenario_breve/ build other scenarios. A
// fault found here is kept as texts too, in regressioni/compilazione/.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "banco.h"
#include "base/codici.h"
#include "binari/coerenza.h"
#include "binari/file_binari.h"
#include "support/generale_prova.h"

namespace {

using namespace scenario;

// The input, a byte at a time; zeros once it is used up.
class Byte {
 public:
  Byte(const uint8_t* d, size_t n) : d_(d), n_(n) {}
  bool finiti() const { return n_ == 0; }
  uint8_t prendi() {
    if (n_ == 0) return 0;
    --n_;
    return *d_++;
  }

 private:
  const uint8_t* d_;
  size_t n_;
};

std::string n(int64_t v) { return std::to_string(v); }

// The features are placed around a cursor or around the last slowdown: its
// start, its warning board (1200 m before) or its end, up to 32 cells either
// way, now and then off the 50 m grid.
class Costruttore {
 public:
  explicit Costruttore(Byte& b) : b_(b) {}

  void costruisci() {
    lunghezza_ = 1000 + 50 * (b_.prendi() % 160);
    // The profile, 7000 m longer than the line, costs most of a compile and
    // matters only to curves: one input in eight builds it.
    scrivi_profilo_ = b_.prendi() % 8 == 0;
    cursore_ = 50 * (b_.prendi() % 64);
    inizio_ = cursore_, lunghezza_rall_ = 0;
    for (int op = 0; op < 64 && !b_.finiti(); ++op) elemento();
  }

  std::string linea() const {
    std::string t;
    auto riga = [&](const std::string& r) { (t += r) += "\r\n"; };
    for (const std::string& r : test::righe_generale(n(lunghezza_))) riga(r);
    for (const auto& [intestazione, righe] : {std::pair{"[curve]", &curve_},
                                              {"[pendenze]", &pendenze_},
                                              {"[montagne]", &montagne_},
                                              {"[cartelli]", &cartelli_},
                                              {"[indicazioni]", &indicazioni_}}) {
      riga(intestazione);
      for (const std::string& r : *righe) riga(r);
    }
    riga("[fine]");
    return t;
  }

  std::string treno() const {
    std::string t;
    auto riga = [&](const std::string& r) { (t += r) += "\r\n"; };
    for (const std::string& r : test::righe_generale_treno("Treno costruito dal fuzzer.")) riga(r);
    riga("velocita,   0,    30");
    riga("velocita,    1300,   135");
    for (const auto& [intestazione, righe] :
         {std::pair{"[stazioni]", &stazioni_}, {"[rallentamenti]", &rallentamenti_}, {"[segnali]", &segnali_}}) {
      riga(intestazione);
      for (const std::string& r : *righe) riga(r);
    }
    riga("[codici]");
    riga("[fine]");
    return t;
  }

  int32_t scrivi_file() const { return scrivi_profilo_ ? 1 : 0; }

 private:
  // The feature's byte picks the base; about one in five is off the grid.
  int64_t posizione(uint8_t tipo) {
    static constexpr int64_t avviso = 1200;
    const int64_t basi[] = {cursore_, inizio_, inizio_ - avviso, inizio_ + lunghezza_rall_};
    int64_t p = basi[(tipo / 10) % 4] + 50 * (static_cast<int8_t>(b_.prendi()) / 4);
    if (tipo >= 200) p += b_.prendi() % 50;
    if (p < 0) p = -p;
    cursore_ = p;
    return p;
  }

  void elemento() {
    const uint8_t tipo = b_.prendi();
    const int64_t p = posizione(tipo);
    const uint8_t v = b_.prendi();
    switch (tipo % 10) {
      case 0:
      case 1:
        segnali_.push_back("segnale, " + n(p) + ", " + n(1 + v % 2) + ", 4, 1, 0, 0, 1, 3, 1, 0, " +
                           n(v & 4 ? 120 : 0));
        break;
      case 2:
      case 3: {
        static constexpr std::array<int, 10> velocita{30, 50, 60, 80, 100, 105, 109, 110, 120, 0};
        // Now and then no length, or a negative one: an end on or before the start.
        const int64_t l = 50 * (b_.prendi() % 64 - 4) + (v & 0x80 ? 25 : 0);
        rallentamenti_.push_back("rallentamento, " + n(p) + ", " + n(velocita[v % 10]) + ", " + n(l) + ", " +
                                 n((v >> 4) & 1) + ", " + n((v >> 5) & 1) + ", " + n(v & 0x40 ? 40 : 0));
        inizio_ = p, lunghezza_rall_ = l;
        break;
      }
      case 4: {
        static constexpr std::array<int, 6> velocita{0, 30, 80, 180, 200, 270};
        rallentamenti_.push_back("abbattimento, " + n(p) + ", " + n(velocita[v % 6]));
        break;
      }
      case 5: {
        static constexpr std::array<int, 6> tipi{8, 4, 12, 26, 22, 6};
        static constexpr std::array<int, 4> marciapiedi{200, 400, 600, 800};
        stazioni_.push_back("stazione, " + n(p) + ", " + n(tipi[v % 6]) + ", " + n(marciapiedi[(v >> 3) % 4]) +
                            ", 1, 0, 0, 1,1,0, 2,1,1, 0, 8,40, 0, STAZIONE " + n(stazioni_.size() + 1));
        break;
      }
      case 6: cartelli_.push_back("indicatori_vmax, " + n(p) + ", 125, 135, 135, 0, , , , 0"); break;
      case 7: indicazioni_.push_back("cartello indicatore, " + n(p) + ", CARTELLO " + n(v)); break;
      case 8: montagne_.push_back("montagna, " + n(p) + ", " + n(p + 50 * (1 + v % 20)) + ", " + n(1 + v % 3)); break;
      default:
        if (v & 1)
          pendenze_.push_back("pendenza, " + n(p) + ", " + n(static_cast<int8_t>(v) / 8));
        else
          curve_.push_back(std::string(v & 2 ? "curvas" : "curvad") + n(1 + (v >> 2) % 6) + ", " + n(p) + ", " +
                           n(50 * (1 + (v >> 5))));
        break;
    }
  }

  Byte& b_;
  int64_t lunghezza_ = 0, cursore_ = 0, inizio_ = 0, lunghezza_rall_ = 0;
  bool scrivi_profilo_ = true;
  std::vector<std::string> curve_, pendenze_, montagne_, cartelli_, indicazioni_;
  std::vector<std::string> stazioni_, rallentamenti_, segnali_;
};

// The files of a complete compile, read back as the tool reads them.
void verifica_file(const fuzz::Compilazione& c) {
  auto byte = [&](const Percorso& p) { return c.disco.file.at(p.generic_string()); };
  strumenti::FileLetti letti;
  const auto stazioni = strumenti::leggi_stazioni(byte(c.file.sim), "sim");
  const auto celle = strumenti::leggi_celle(byte(c.file.dat), "dat");
  letti.stazioni = &stazioni;
  letti.celle = &celle;
  strumenti::ProfiloLetto profilo;
  if (c.stato.scrivi_file != 0) {
    profilo = strumenti::leggi_profilo(byte(c.file.linea_dat), "profilo");
    letti.profilo = &profilo;
  }
  if (!strumenti::incoerenze(letti).empty()) fuzz::violazione("file della compilazione incoerenti");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t n) {
  Byte b(dati, n);
  Costruttore scenario(b);
  scenario.costruisci();
  fuzz::Compilazione c;
  fuzz::compila_tutto(c, scenario.linea(), scenario.treno(), scenario.scrivi_file());
  for (const Problema& p : c.stato.problemi)
    if (p.tipo == Problema::Tipo::registrato && !cerca_codice(Famiglia::problema, p.codice))
      fuzz::violazione("problema senza voce nella tabella dei codici");
  if (c.esito.completo()) verifica_file(c);
  return 0;
}
