#include "binari/coerenza.h"

#include <cmath>
#include <cstdint>
#include <functional>
#include <optional>

#include "compiler/celle.h"

namespace scenario::strumenti {
namespace {

std::string n(int64_t v) { return std::to_string(v); }

// The shortest route whose cells and profile exist: the compiler fails
// below it (its last metre would be negative).
constexpr int64_t lunghezza_minima = -metri_oltre_la_linea;

bool lunghezza_ammessa(int64_t l) { return l >= lunghezza_minima && l <= lunghezza_massima; }

// The metres of profile and the cells of a route of length l.
int64_t metri_profilo(int64_t l) { return l + metri_oltre_la_linea + 1; }
int64_t numero_celle(int64_t l) { return int64_t{ultima_cella(static_cast<int32_t>(l + metri_oltre_la_linea))} + 1; }

// The route length a profile of that many metres stands for, when one does.
std::optional<int64_t> lunghezza_da_metri(int64_t metri) {
  const int64_t l = metri - metri_oltre_la_linea - 1;
  return lunghezza_ammessa(l) ? std::optional(l) : std::nullopt;
}

// No profile the compiler writes comes near this: each metre's step starts
// at 1 m and a curve lengthens it by less than 5e-6 per metre.
constexpr double coordinata_massima = 1e9;

bool in_scala(double v) { return std::isfinite(v) && std::fabs(v) <= coordinata_massima; }

// A profile as the checks see it, held whole or read as a stream: its
// metres per column, and each coordinate in file order (column x, then y).
struct ProfiloDaControllare {
  int64_t metri = 0;
  std::function<void(const std::function<void(size_t metro, const char* colonna, double v)>&)> ogni_valore;
};

ProfiloDaControllare da_controllare(const ProfiloLetto& p) {
  return {static_cast<int64_t>(p.x.size()), [&p](const auto& f) {
            for (size_t m = 0; m < p.x.size(); ++m) f(m, "x", p.x[m].valore());
            for (size_t m = 0; m < p.y.size(); ++m) f(m, "y", p.y[m].valore());
          }};
}

ProfiloDaControllare da_controllare(const FlussoProfilo& p) {
  return {static_cast<int64_t>(p.metri()), [&p](const auto& f) {
            p.per_ogni_metro([&](size_t m, const Variante& x, const Variante& y) {
              f(m, "x", x.valore());
              f(m, "y", y.valore());
            });
          }};
}

void valori_in_scala(const ProfiloDaControllare& p, const std::string& nome, std::vector<std::string>& out) {
  size_t quanti = 0, primo = 0;
  const char* colonna = "";
  p.ogni_valore([&](size_t m, const char* nome_colonna, double v) {
    if (in_scala(v)) return;
    if (quanti++ == 0 || m < primo) primo = m, colonna = nome_colonna;
  });
  if (quanti)
    out.push_back(nome + ": " + n(static_cast<int64_t>(quanti)) +
                  " coordinate non finite (NaN o infinito) o oltre 1e9 m, la prima " + colonna + " al metro " +
                  n(static_cast<int64_t>(primo)));
}

std::vector<std::string> incoerenze(const FileLetti& f, const ProfiloDaControllare* profilo) {
  std::vector<std::string> out;
  const std::string intervallo = n(lunghezza_minima) + ".." + n(lunghezza_massima) + " m";

  // The route length: slot 84's when the table is there, else what the
  // profile's size says.
  std::optional<int64_t> l;
  std::string da;
  if (f.stazioni) {
    const int64_t ls = (*f.stazioni)[slot::treno].fine_zona;
    if (lunghezza_ammessa(ls)) {
      l = ls, da = "la linea di " + n(ls) + " m di " + f.nome_stazioni + " (slot 84)";
    } else {
      out.push_back(f.nome_stazioni + ": lunghezza della linea " + n(ls) + " m nello slot 84, fuori da " + intervallo +
                    ": il compilatore non scrive file per questa linea");
    }
  }
  if (profilo) {
    const int64_t metri = profilo->metri;
    if (!l) {
      l = lunghezza_da_metri(metri);
      if (l) da = "la linea di " + n(*l) + " m che danno i " + n(metri) + " metri di " + f.nome_profilo;
      if (!l && !f.stazioni)
        out.push_back(f.nome_profilo + ": " + n(metri) + " metri per colonna, oltre i " +
                      n(metri_profilo(lunghezza_massima)) + " della linea più lunga");
    } else if (metri != metri_profilo(*l)) {
      out.push_back(f.nome_profilo + ": " + n(metri) + " metri per colonna, ma ne servono " + n(metri_profilo(*l)) +
                    " per " + da);
    }
    valori_in_scala(*profilo, f.nome_profilo, out);
  }
  if (f.celle) {
    const int64_t celle = static_cast<int64_t>(f.celle->size());
    if (l) {
      if (celle != numero_celle(*l))
        out.push_back(f.nome_celle + ": " + n(celle) + " celle, ma ne servono " + n(numero_celle(*l)) + " per " + da);
    } else if (!f.stazioni && !f.profilo && celle > numero_celle(lunghezza_massima)) {
      out.push_back(f.nome_celle + ": " + n(celle) + " celle, oltre le " + n(numero_celle(lunghezza_massima)) +
                    " della linea più lunga");
    }
  }
  return out;
}

}  // namespace

std::vector<std::string> incoerenze(const FileLetti& f) {
  if (!f.profilo) return incoerenze(f, nullptr);
  const ProfiloDaControllare p = da_controllare(*f.profilo);
  return incoerenze(f, &p);
}

std::vector<std::string> incoerenze_profilo(const FlussoProfilo& profilo, const std::string& nome) {
  FileLetti f;
  f.nome_profilo = nome;
  const ProfiloDaControllare p = da_controllare(profilo);
  return incoerenze(f, &p);
}

std::vector<std::string> incoerenze_file(TipoFile tipo, std::string_view byte, const std::string& nome) {
  FileLetti f;
  switch (tipo) {
    case TipoFile::profilo: {
      const ProfiloLetto p = leggi_profilo(byte, nome);
      f.profilo = &p, f.nome_profilo = nome;
      return incoerenze(f);
    }
    case TipoFile::stazioni: {
      const auto s = leggi_stazioni(byte, nome);
      f.stazioni = &s, f.nome_stazioni = nome;
      return incoerenze(f);
    }
    case TipoFile::celle: {
      const auto c = leggi_celle(byte, nome);
      f.celle = &c, f.nome_celle = nome;
      return incoerenze(f);
    }
  }
  return {};
}

std::string testo_incoerenze(const std::vector<std::string>& elenco) {
  std::string t = "file binari incoerenti:";
  for (const std::string& r : elenco) t += "\n  " + r;
  return t;
}

}  // namespace scenario::strumenti
