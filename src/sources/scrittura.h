#pragma once
// The writing procedure all five text writers share.

#include <span>
#include <string_view>

#include "base/disco.h"
#include "base/testo_carico.h"

namespace scenario {

// Writes the lines as a text file, each followed by CR LF, replacing any file
// of that name. The lines go into a list of 1001 entries closed by the
// end-marker line (fine_del_file), and writing stops at the first entry equal to it.
void scrivi_righe(Disco& disco, const Percorso& percorso, std::span<const std::string_view> righe);

}  // namespace scenario
