#pragma once
// The three binary files the simulator loads, byte for byte: every member
// written as its record layout (tracciati.h) says, little-endian, never a
// memory image.

#include <array>
#include <string>

#include "base/disco.h"
#include "compiler/celle.h"
#include "compiler/profilo.h"
#include "compiler/records.h"

namespace scenario {

struct Stato;

// Line profile: column x then column y, each element a 16-bit tag and its value.
std::string serializza_profilo(const Profilo& profilo);
// Station table: every slot, slot 0 first.
std::string serializza_stazioni(const std::array<stazione, slot::numero>& stazioni);
// Track: every cell, byte_fissi<cella> bytes each.
std::string serializza_celle(const Celle& celle);

// The three files the simulator loads.
struct FileBinari {
  Percorso linea_dat;  // line profile
  Percorso sim;        // station table
  Percorso dat;        // track cells
};

// Writes the line profile (only when scrivi_file is non-zero; otherwise that
// file is neither created nor removed), the station table and the track, in
// that order, and replaces the earlier ones with them as one set
// (sostituisci_insieme): on a failure every earlier file stays as it was.
// The caller holds the lock of the files' directory.
void scrivi_file_binari(const Stato& stato, Disco& disco, const FileBinari& file);

}  // namespace scenario
