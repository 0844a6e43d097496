// Any bytes as the binary files of a scenario, through the authors' tool:
// its readers, the consistency check, dump (text or JSON), plan and, as the
// input's options ask, profilo and report, as the commands run them on a
// disk in memory (the input's layout is in
// ingresso_file_binari.h). A file the input does not give is made to fit the
// one it gives, so that a single mutated file gets past the consistency
// check and is drawn.
//
// Each command must refuse cleanly or succeed: a decoded JSON parses, and a
// drawing written has finite numbers in every attribute.

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <string_view>

#include "banco.h"
#include "binari/coerenza.h"
#include "binari/file_binari.h"
#include "cli/errore_strumento.h"
#include "comandi/comandi.h"
#include "compiler/binario.h"
#include "compiler/celle.h"
#include "compiler/tracciati.h"
#include "ingresso_file_binari.h"

namespace {

using namespace scenario;
namespace o = fuzz::opzioni_binari;

// The longest profile made to fit: beyond, the made files disagree and the
// plan refuses them, as it must. Short profiles keep the target fast.
constexpr int64_t metri_fatti_massimi = 12'000;
// The route length made files take when the given one tells none: a line
// whose cells and profile end 2 km from its start.
constexpr int64_t lunghezza_di_riserva = -5000;

template <typename T>
void aggiungi(std::string& s, T v) {
  const auto u = std::bit_cast<Parola<T>>(v);
  for (size_t i = 0; i < sizeof u; ++i) s += static_cast<char>((u >> (8 * i)) & 0xff);
}

// A profile of `metri` metres per column: straight north, then a turn to the
// right; the first two metres Integer and the last two Empty, as the
// compiler writes them.
std::string profilo_fatto(int64_t metri) {
  static int64_t metri_in_memoria = -1;
  static std::string in_memoria;
  metri = std::clamp<int64_t>(metri, 4, metri_fatti_massimi);
  if (metri == metri_in_memoria) return in_memoria;
  std::string x, y;
  auto intero = [](std::string& s, int16_t v) {
    aggiungi(s, static_cast<EtichettaVariante>(Variante::Tipo::intero));
    aggiungi(s, v);
  };
  intero(x, 0), intero(x, 0), intero(y, 0), intero(y, 1);
  double px = 0, py = 1, dx = 0, dy = 1;
  for (int64_t m = 2; m < metri; ++m) {
    if (m >= metri - 2) {
      aggiungi(x, static_cast<EtichettaVariante>(Variante::Tipo::vuoto));
      aggiungi(y, static_cast<EtichettaVariante>(Variante::Tipo::vuoto));
      continue;
    }
    if (m > 3000 && m <= 4000) {
      const double k = 0.0005, nx = dy * k + dx, ny = dy - dx * k;
      dx = nx, dy = ny;
    }
    px += dx, py += dy;
    aggiungi(x, static_cast<EtichettaVariante>(Variante::Tipo::doppio));
    aggiungi(x, px);
    aggiungi(y, static_cast<EtichettaVariante>(Variante::Tipo::doppio));
    aggiungi(y, py);
  }
  metri_in_memoria = metri;
  return in_memoria = x + y;
}

// A station, a sign's text in slot 80 and the route length in slot 84.
std::string stazioni_fatte(int64_t lunghezza) {
  std::array<stazione, slot::numero> s{};
  s[1].nome = "PRIMA";
  s[1].tipo_stazione = 8;
  s[1].posizione_stazione = 600;
  s[80].nome = "PASSO DEL LUPO";
  s[slot::treno].fine_zona = static_cast<int32_t>(lunghezza);
  return serializza_stazioni(s);
}

// A signal, a slowdown with its board, a marker and a sign, where they fit.
std::string celle_fatte(int64_t lunghezza) {
  Celle c;
  c.dimensiona(ultima_cella(static_cast<int32_t>(lunghezza + metri_oltre_la_linea)));
  auto metti = [&](int32_t i, uint8_t codice, int16_t valore1) {
    if (!c.contiene(i)) return;
    c[i].codice = codice;
    c[i].valore1 = valore1;
  };
  metti(29, codice_cella::segnale, 43);
  metti(71, codice_cella::cartello, 80);
  metti(77, codice_cella::avviso_rallentamento, 60);
  metti(101, codice_cella::inizio_rallentamento, 60);
  metti(111, codice_cella::fine_rallentamento, 60);
  metti(95, codice_cella::abbattimento, 180);
  return serializza_celle(c);
}

// The route length each given file stands for.
int64_t lunghezza_di_profilo(std::string_view byte) {
  try {
    return static_cast<int64_t>(strumenti::leggi_profilo(byte, "p").x.size()) - metri_oltre_la_linea - 1;
  } catch (const strumenti::ErroreStrumento&) {
    return lunghezza_di_riserva;
  }
}
int64_t lunghezza_di_stazioni(std::string_view byte) {
  try {
    return strumenti::leggi_stazioni(byte, "s")[slot::treno].fine_zona;
  } catch (const strumenti::ErroreStrumento&) {
    return lunghezza_di_riserva;
  }
}
int64_t lunghezza_di_celle(std::string_view byte) {
  return static_cast<int64_t>(byte.size() / byte_fissi<cella>) * metri_cella - metri_cella - metri_oltre_la_linea;
}

bool ammessa(int64_t l) { return l >= -metri_oltre_la_linea && l <= lunghezza_massima; }

// Every attribute value of the drawing is a colour, a word or numbers; none
// may be a NaN or an infinity.
void numeri_finiti(const std::string& svg) {
  for (size_t p = svg.find("=\""); p != std::string::npos; p = svg.find("=\"", p)) {
    p += 2;
    const size_t fine = svg.find('"', p);
    if (fine == std::string::npos) fuzz::violazione("attributo non chiuso nella pianta");
    const std::string_view valore(svg.data() + p, fine - p);
    if (valore.find("nan") != std::string_view::npos || valore.find("inf") != std::string_view::npos)
      fuzz::violazione("numero non finito nella pianta");
    p = fine + 1;
  }
}

void dump(test::DiscoMemoria& disco, const std::string& percorso, uint8_t opzioni) {
  std::ostringstream out, err;
  strumenti::ArgomentiDump a;
  a.file = percorso;
  a.json = opzioni & o::json;
  a.tutti = opzioni & o::tutte;
  const int stato = strumenti::esegui_dump(a, disco, out, err);
  if (stato < 0 || stato > 2) fuzz::violazione("stato d'uscita di dump");
  if (stato == 2) return;
  if (a.json && !nlohmann::json::accept(out.str())) fuzz::violazione("JSON di dump non valido");
  if (!a.json && out.str().empty()) fuzz::violazione("dump vuoto");
}

// plan, profilo or report: a file written (a drawing with finite numbers),
// or a refusal and no file.
void vista(test::DiscoMemoria& disco,
           int (*comando)(const strumenti::ArgomentiVista&, Disco&, std::ostream&, std::ostream&),
           const std::string& uscita) {
  std::ostringstream out, err;
  strumenti::ArgomentiVista a;
  a.linea = "Prova";
  a.treno = "1";
  a.ingresso = "/s";
  a.uscita = uscita;
  const int stato = comando(a, disco, out, err);
  const bool scritto = disco.esiste(uscita);
  if (stato == 0) {
    if (!scritto) fuzz::violazione("disegno non scritto");
    // The report's page holds its script and style sheet besides the drawings.
    if (uscita.ends_with(".svg")) numeri_finiti(disco.file.at(uscita));
  } else if (stato != 2 || scritto) {
    fuzz::violazione("disegno rifiutato ma scritto, o stato d'uscita sbagliato");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t n) {
  const fuzz::FileBinariIngresso in = fuzz::scomponi(std::string_view(reinterpret_cast<const char*>(dati), n));
  std::string profilo(in.profilo), stazioni(in.stazioni), celle(in.celle);
  int64_t l = 0;
  switch (in.opzioni & o::quali) {
    case o::solo_profilo: l = lunghezza_di_profilo(profilo); break;
    case o::solo_stazioni: l = lunghezza_di_stazioni(stazioni); break;
    case o::solo_celle: l = lunghezza_di_celle(celle); break;
    default: break;
  }
  if ((in.opzioni & o::quali) != o::tutti) {
    if (!ammessa(l)) l = lunghezza_di_riserva;
    if ((in.opzioni & o::quali) != o::solo_profilo) profilo = profilo_fatto(l + metri_oltre_la_linea + 1);
    if ((in.opzioni & o::quali) != o::solo_stazioni) stazioni = stazioni_fatte(l);
    if ((in.opzioni & o::quali) != o::solo_celle) celle = celle_fatte(l);
  }

  test::DiscoMemoria disco;
  const bool anonimo = in.opzioni & o::anonimo;
  const std::string p = anonimo ? "/s/a.bin" : "/s/Prova_linea.dat", s = anonimo ? "/s/b.bin" : "/s/Prova_1.sim",
                    c = anonimo ? "/s/c.bin" : "/s/Prova_1.dat";
  disco.file[p] = profilo;
  disco.file[s] = stazioni;
  disco.file[c] = celle;
  switch (in.opzioni & o::quali) {
    case o::solo_profilo: dump(disco, p, in.opzioni); break;
    case o::solo_stazioni: dump(disco, s, in.opzioni); break;
    case o::solo_celle: dump(disco, c, in.opzioni); break;
    default:
      for (const std::string& f : {p, s, c}) dump(disco, f, in.opzioni);
      break;
  }

  // The plan reads the files by their names.
  disco.file["/s/Prova_linea.dat"] = profilo;
  disco.file["/s/Prova_1.sim"] = stazioni;
  disco.file["/s/Prova_1.dat"] = celle;
  vista(disco, strumenti::esegui_plan, "/s/pianta.svg");
  if (in.opzioni & o::profilo) vista(disco, strumenti::esegui_profilo, "/s/profilo.svg");
  if (in.opzioni & o::report) vista(disco, strumenti::esegui_report, "/s/pagina.html");
  return 0;
}
