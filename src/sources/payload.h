#pragma once
// The scenario carried by the program: its two names and the lines of its
// five texts, all Windows-1252, without line ends.

#include <span>
#include <string_view>

namespace scenario {

struct Payload {
  std::string_view nome_linea;
  std::string_view numero_treno;
  std::span<const std::string_view> linea;          // line description
  std::span<const std::string_view> treno;          // train description
  std::span<const std::string_view> note;           // notes
  std::span<const std::string_view> rallentamenti;  // slowdown order form
  std::span<const std::string_view> scheda;         // timetable card
};

// The scenario built into this executable.
const Payload& payload_incorporato();

}  // namespace scenario
