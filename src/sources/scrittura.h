#pragma once
// The writing procedure all five text writers share.

#include <span>
#include <string_view>

#include "base/disco.h"

namespace scenario {

// Closes a list of lines; never written.
inline constexpr std::string_view fine_del_file = "riferimento fine del file";

// Writes the lines as a text file, each followed by CR LF, replacing any file
// of that name. The lines go into a list of 1001 entries closed by the
// end-marker line, and writing stops at the first entry equal to it.
void scrivi_righe(Disco& disco, const Percorso& percorso, std::span<const std::string_view> righe);

}  // namespace scenario
