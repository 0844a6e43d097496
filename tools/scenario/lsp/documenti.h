#pragma once
// The texts the editor has open, as it last sent them (UTF-8), with the
// positions of the protocol (line and UTF-16 unit) mapped onto their bytes,
// and the file URIs they go by mapped onto paths.

#include <cstdint>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>

#include "base/disco.h"

namespace scenario::strumenti::lsp {

struct Posizione {
  int64_t riga = 0;       // from 0
  int64_t carattere = 0;  // UTF-16 units from the line's start
};

// A position's line or character: an integer JSON number (anything else
// throws nlohmann's type error), negative ones as 0, huge ones cut to 2^31-1.
int64_t numero_posizione(const nlohmann::json& j);
Posizione posizione_da_json(const nlohmann::json& j);  // {"line", "character"}

// The byte of the text at that position; a position past its line's end
// stands at the end of the line, one past the last line at the end.
size_t scostamento(std::string_view utf8, Posizione p);

// The position of a byte of the text.
Posizione posizione_di(std::string_view utf8, size_t byte);

// Applies one entry of didChange's contentChanges: with a range it replaces
// it, without one it replaces the whole text. Throws nlohmann's exceptions
// on a malformed entry.
void applica_modifica(std::string& testo, const nlohmann::json& modifica);

// A file: URI as a path (percent-escapes decoded); nothing for another scheme.
std::optional<Percorso> percorso_da_uri(std::string_view uri);
std::string uri_da_percorso(const Percorso& p);

struct Documento {
  std::string uri;
  Percorso percorso;
  std::string testo;  // UTF-8, as the editor has it
  int64_t versione = 0;
};

using Documenti = std::map<std::string, Documento>;  // by URI

}  // namespace scenario::strumenti::lsp
