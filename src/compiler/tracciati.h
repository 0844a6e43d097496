#pragma once
// The record layouts of the three binary files, each written once: the
// members of cella and stazione in file order with their names, and the
// tagged values of the line profile. The binary writer, the authors' tool's
// reader and its dump all walk these lists, and every size is computed from
// them.
//
// A number goes into a file as its little-endian bytes; a text as a 16-bit
// byte count and then its Windows-1252 bytes.

#include <cstddef>
#include <cstdint>
#include <string>
#include <tuple>
#include <type_traits>

#include "compiler/records.h"
#include "compiler/variante.h"

namespace scenario {

// The byte count in front of a text.
using LunghezzaTesto = uint16_t;

// The unsigned word as wide as T: a value's bytes in a file are this word's,
// low byte first.
template <typename T>
using Parola = std::conditional_t<
    sizeof(T) == 1, uint8_t,
    std::conditional_t<sizeof(T) == 2, uint16_t, std::conditional_t<sizeof(T) == 4, uint32_t, uint64_t>>>;

// Bytes a member of type T takes in every record; a text adds its own bytes.
template <typename T>
constexpr size_t byte_fissi_di() {
  if constexpr (std::is_same_v<T, std::string>) {
    return sizeof(LunghezzaTesto);
  } else {
    static_assert(std::is_arithmetic_v<T> && sizeof(Parola<T>) == sizeof(T), "no layout for this member type");
    return sizeof(T);
  }
}

// One member of record R.
template <typename R, typename T>
struct Campo {
  using Tipo = T;
  const char* nome;  // as the tool names it
  T R::*membro;
};
template <typename R, typename T>
Campo(const char*, T R::*) -> Campo<R, T>;

// Tracciato<R>::campi: the members of R in file order.
template <typename R>
struct Tracciato;

// A track cell of the .dat file.
template <>
struct Tracciato<cella> {
  static constexpr std::tuple campi{
      Campo{"codice", &cella::codice},
      Campo{"valore1", &cella::valore1},
      Campo{"valore2", &cella::valore2},
      Campo{"valore3", &cella::valore3},
      Campo{"valore4", &cella::valore4},
      Campo{"tempo_segnale", &cella::tempo_segnale},
      Campo{"avvicinamento", &cella::avvicinamento},
      Campo{"tipo_montagna", &cella::tipo_montagna},
      Campo{"velocita_max", &cella::velocita_max},
      Campo{"pendenza", &cella::pendenza},
      Campo{"aderenza", &cella::aderenza},
  };
};

// A slot of the .sim file.
template <>
struct Tracciato<stazione> {
  static constexpr std::tuple campi{
      Campo{"tipo_stazione", &stazione::tipo_stazione},
      Campo{"inizio_zona", &stazione::inizio_zona},
      Campo{"fine_zona", &stazione::fine_zona},
      Campo{"posizione_stazione", &stazione::posizione_stazione},
      Campo{"campo4", &stazione::campo4},
      Campo{"nome", &stazione::nome},
      Campo{"campo7", &stazione::campo7},
      Campo{"campo8", &stazione::campo8},
      Campo{"campo10", &stazione::campo10},
      Campo{"campo11", &stazione::campo11},
      Campo{"campo12", &stazione::campo12},
      Campo{"campo9", &stazione::campo9},
      Campo{"campo13", &stazione::campo13},
      Campo{"campo6", &stazione::campo6},
      Campo{"campo5", &stazione::campo5},
      Campo{"orario", &stazione::orario},
  };
};

// Calls f(nome, membro) for every member of r, in file order; r may be const.
template <typename R, typename F>
constexpr void per_ogni_campo(R& r, F&& f) {
  std::apply([&](const auto&... c) { (f(c.nome, r.*c.membro), ...); }, Tracciato<std::remove_const_t<R>>::campi);
}

// Bytes of every record of type R, its texts' own bytes aside.
template <typename R>
inline constexpr size_t byte_fissi = std::apply(
    [](const auto&... c) { return (byte_fissi_di<typename std::remove_cvref_t<decltype(c)>::Tipo>() + ...); },
    Tracciato<R>::campi);

// Whether every record of type R takes byte_fissi<R> bytes: no text member.
template <typename R>
inline constexpr bool dimensione_fissa = std::apply(
    [](const auto&... c) { return (std::is_arithmetic_v<typename std::remove_cvref_t<decltype(c)>::Tipo> && ...); },
    Tracciato<R>::campi);

// Bytes of one record in its file, texts included.
template <typename R>
size_t byte_record(const R& r) {
  size_t n = byte_fissi<R>;
  per_ogni_campo(r, [&](const char*, const auto& v) {
    if constexpr (std::is_same_v<std::remove_cvref_t<decltype(v)>, std::string>) n += v.size();
  });
  return n;
}

// The profile file (_linea.dat): column x then column y, one element per
// metre, each a tag (Variante::Tipo's number) and the value the tag names.
using EtichettaVariante = uint16_t;

// A tag and the Variante member its value goes into.
template <typename T>
struct ValoreVariante {
  using Tipo = T;
  Variante::Tipo tipo;
  const char* nome;
  T Variante::*membro;
};
template <typename T>
ValoreVariante(Variante::Tipo, const char*, T Variante::*) -> ValoreVariante<T>;
// A tag with no value after it.
struct SoloEtichetta {
  Variante::Tipo tipo;
  const char* nome;
};

// Tried in this order once per metre by the writer: the tags with a value,
// nearly every element, first.
template <>
struct Tracciato<Variante> {
  static constexpr std::tuple tipi{
      ValoreVariante{Variante::Tipo::intero, "intero", &Variante::intero},
      ValoreVariante{Variante::Tipo::doppio, "doppio", &Variante::doppio},
      SoloEtichetta{Variante::Tipo::vuoto, "vuoto"},
  };
};

// Whether a tag's entry has a value after the tag.
template <typename A>
inline constexpr bool con_valore = !std::is_same_v<std::remove_cvref_t<A>, SoloEtichetta>;

// Calls f with the entry of tag t (an entry with a value has Tipo and
// membro); false, without calling f, for a number that is no tag.
template <typename F>
constexpr bool per_etichetta(Variante::Tipo t, F&& f) {
  return std::apply([&](const auto&... e) { return ((e.tipo == t ? (f(e), true) : false) || ...); },
                    Tracciato<Variante>::tipi);
}

// Bytes of an element of the profile file with tag t.
constexpr size_t byte_variante(Variante::Tipo t) {
  size_t n = sizeof(EtichettaVariante);
  per_etichetta(t, [&](const auto& e) {
    if constexpr (con_valore<decltype(e)>) n += byte_fissi_di<typename std::remove_cvref_t<decltype(e)>::Tipo>();
  });
  return n;
}

}  // namespace scenario
