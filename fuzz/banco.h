#pragma once
// What the fuzz targets share: the small valid description texts to pair
// with the input, and a compile on a disk in memory.

#include <cstdint>
#include <string>
#include <string_view>

#include "base/esito.h"
#include "base/nomi_file.h"
#include "compiler/stato.h"
#include "support/disco_memoria.h"
#include "support/testi_fissi.h"

namespace scenario::fuzz {

using test::linea_fissa;
using test::treno_fisso;

// One whole compile on a disk in memory, and what it left.
struct Compilazione {
  Stato stato;
  test::DiscoMemoria disco;
  FileCompilazione file;
  Esito esito;
};

// The whole compile (rules, codes, binary files) of the two texts. The
// failures the program reports to the user are expected outcomes; on
// completion the track file must hold every cell.
void compila_tutto(Compilazione& c, std::string_view linea, std::string_view treno, int32_t scrivi_file);

// Reads the two texts back as the program does, from a disk in memory.
// intero: the whole compile (compila_tutto) instead of the reader alone.
// The failures the program reports to the user are expected; anything else
// escapes, and a broken invariant aborts.
void compila(std::string_view linea, std::string_view treno, int32_t scrivi_file, bool intero);

// Stops the process like a sanitizer does, with a message.
[[noreturn]] void violazione(const char* cosa);

}  // namespace scenario::fuzz
