#pragma once
// Where the fields of a text stand: the ranges the diagnostics, the hover
// and the outline point at.

#include <cstdint>
#include <nlohmann/json.hpp>
#include <string_view>

namespace scenario::strumenti::lsp {

// The Range of a field that starts at riga, colonna (from 1, bytes of
// testo): to the next comma or the line's end; colonna 0 is the whole line,
// riga 0 the first line.
nlohmann::json intervallo_campo(std::string_view testo, int32_t riga, int32_t colonna);

}  // namespace scenario::strumenti::lsp
