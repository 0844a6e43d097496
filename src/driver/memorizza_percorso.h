#pragma once
// The compile driver: parse, track rules, markers and contest codes, binary
// files. Used by the installer and by the authors' tools alike.

#include <cstdint>

#include "platform/disco.h"

namespace scenario {

struct Stato;

// j becomes scrivi_file: non-zero also builds and writes the line profile.
// Raises ErroreNumerato (1250, 1251) before any binary file is opened, and
// ErroreEsecuzione for a failure outside the parser.
void memorizza_percorso(Stato& stato, Disco& disco, const Percorso& cartella, int32_t j);

}  // namespace scenario
