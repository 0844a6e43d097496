#pragma once
// The compile of one scenario, from the two description texts to the three
// binary files: the steps of the compile driver, in their order. The caller
// names the files; the compiler knows no directory and no naming rule.

#include <cstdint>

#include "base/disco.h"
#include "base/esito.h"
#include "base/nomi_file.h"

namespace scenario {

struct Stato;

// scrivi_file non-zero also builds and writes the line profile. Clears the
// problem code and the station table, reads both texts (memorizza_dati),
// applies the track rules, stamps markers and contest codes and writes the
// binary files. A numbered error (1250, 1251) ends the compile before any
// binary file is opened; a run-time failure outside the reader ends it where
// it happens. The recorded problems are in stato either way.
Esito esegui_compilazione(Stato& stato, Disco& disco, const FileCompilazione& file, int32_t scrivi_file);

// Adds how the compile ended to its list of problems when it did not
// complete: a numbered error points at the feature stamped into cell 1, where
// the compile knows it.
void annota_esito(Stato& stato, const Esito& esito);

}  // namespace scenario
