#pragma once
// The three binary files as readable text or JSON: one slot, cell or metre
// per line with its field names.

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "file_binari.h"

namespace scenario::strumenti {

struct OpzioniDump {
  bool tutti = false;  // also empty slots, cells and metres
};

// Recognises the file by its name, else by its content; ErroreStrumento for a
// truncated or foreign file.
TipoFile riconosci(std::string_view byte, const std::string& nome);

std::string dump_testo(TipoFile tipo, std::string_view byte, const std::string& nome, OpzioniDump opzioni);
nlohmann::json dump_json(TipoFile tipo, std::string_view byte, const std::string& nome, OpzioniDump opzioni);

// What a cell type code stands for, in Italian; "sconosciuto" for others.
const char* nome_codice_cella(uint8_t codice);

}  // namespace scenario::strumenti
