#pragma once
// Small helpers for the payload tests: a record split into its fields, the
// blanks before each value, whole numbers, sections of a description. They
// read the payload lines as they stand (Windows-1252, no line ends) and know
// nothing of the compiler's field reader.

#include <cmath>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace scenario::test {

using Righe = std::span<const std::string_view>;

// The fields of a record: the text between commas, exactly as written.
inline std::vector<std::string_view> campi(std::string_view riga) {
  std::vector<std::string_view> out;
  size_t inizio = 0;
  for (;;) {
    size_t virgola = riga.find(',', inizio);
    if (virgola == std::string_view::npos) {
      out.push_back(riga.substr(inizio));
      return out;
    }
    out.push_back(riga.substr(inizio, virgola - inizio));
    inizio = virgola + 1;
  }
}

// How many blanks open a field.
inline size_t blank_iniziali(std::string_view campo) {
  size_t n = 0;
  while (n < campo.size() && campo[n] == ' ') ++n;
  return n;
}

// A field made of blanks and then decimal digits only; empty otherwise.
inline std::optional<int64_t> numero(std::string_view campo) {
  size_t i = blank_iniziali(campo);
  if (i == campo.size()) return std::nullopt;
  int64_t v = 0;
  for (; i < campo.size(); ++i) {
    if (campo[i] < '0' || campo[i] > '9') return std::nullopt;
    v = v * 10 + (campo[i] - '0');
    if (v > 1'000'000'000) return std::nullopt;
  }
  return v;
}

// The numbers of fields 1 to n of a record (field 0 is the keyword); empty
// when one of them is no number.
inline std::optional<std::vector<int64_t>> numeri(std::string_view riga, size_t n) {
  auto c = campi(riga);
  if (c.size() < n + 1) return std::nullopt;
  std::vector<int64_t> out;
  for (size_t i = 1; i <= n; ++i) {
    auto v = numero(c[i]);
    if (!v) return std::nullopt;
    out.push_back(*v);
  }
  return out;
}

// A section header: a bracketed word alone on its line.
inline bool intestazione(std::string_view riga) {
  return riga.size() > 2 && riga.front() == '[' && riga.back() == ']' &&
         riga.find_first_of("[] ,", 1) == riga.size() - 1;
}

// The record lines that follow the header, up to the next header.
inline std::vector<std::string_view> sezione(Righe righe, std::string_view nome) {
  std::vector<std::string_view> out;
  bool dentro = false;
  for (std::string_view r : righe) {
    if (intestazione(r)) {
      if (dentro) break;
      dentro = r == nome;
      continue;
    }
    if (dentro) out.push_back(r);
  }
  return out;
}

// Lower case of ASCII letters.
inline std::string minuscolo(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

inline bool contiene(std::string_view testo, std::string_view parola) {
  return minuscolo(testo).find(minuscolo(parola)) != std::string::npos;
}

// Real to whole number, a half to the even neighbour, as the compiler rounds.
inline int64_t arrotonda(double x) { return static_cast<int64_t>(std::nearbyint(x)); }

}  // namespace scenario::test
