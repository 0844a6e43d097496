#pragma once
// The plan of a line as SVG, drawn from the installed binary files: the
// track from the profile, stations, signals, indicator boards and signs,
// slowdowns and speed reductions from the cells, kilometre ticks, a legend.

#include <array>
#include <string>
#include <vector>

#include "compiler/records.h"
#include "file_binari.h"

namespace scenario::strumenti {

struct DatiPianta {
  ProfiloLetto profilo;
  std::array<stazione, slot::numero> stazioni{};
  std::vector<cella> celle;
  std::string titolo;  // UTF-8
};

std::string pianta_svg(const DatiPianta& dati);

}  // namespace scenario::strumenti
