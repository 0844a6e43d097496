#pragma once
// The three binary files as readable text or JSON: one slot, cell or metre
// per line with its field names, and beside a value its meaning where it
// has one ("velocita_max=6 (30 km/h)"). Written a line or an entry at a
// time, so that a profile of twenty megabytes takes no more memory than a
// small one.

#include <nlohmann/json.hpp>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "binari/file_binari.h"

namespace scenario::strumenti {

struct OpzioniDump {
  // Also empty slots, cells and metres; without it the profile gives only
  // the metres where the track changes (a curve starts or ends).
  bool tutti = false;
  bool json = false;
  // Inconsistencies found beforehand; JSON lists them under "avvisi".
  std::vector<std::string> avvisi = {};
};

// A file to decode: its name, and how to read it from its start.
struct FileDaDecodificare {
  std::string nome;
  FlussoProfilo::Apri apri;
};

// Recognises the file by its name, else by its content; ErroreStrumento for a
// truncated or foreign file.
TipoFile riconosci(std::string_view byte, const std::string& nome);

// Writes the decoded file to out. A truncated or foreign file is refused
// (ErroreStrumento) before anything is written.
void scrivi_dump(TipoFile tipo, const FileDaDecodificare& file, OpzioniDump opzioni, std::ostream& out);

// The same for bytes in memory.
std::string dump_testo(TipoFile tipo, std::string_view byte, const std::string& nome, OpzioniDump opzioni);
nlohmann::ordered_json dump_json(TipoFile tipo, std::string_view byte, const std::string& nome, OpzioniDump opzioni);

// What a cell type code stands for, in Italian; "sconosciuto" for others.
const char* nome_codice_cella(uint8_t codice);

}  // namespace scenario::strumenti
