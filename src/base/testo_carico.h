#pragma once
// A text of a payload folder (linea.txt, treno.txt, ...) as the build embeds
// it (cmake/embed_payload.cmake) and the installer writes it back: UTF-8
// lines, ending in LF or CR LF, become Windows-1252 lines each followed by
// CR LF. The authors' tool reads a payload folder through this, so that it
// compiles what the installer built from that folder would.

#include <optional>
#include <string>
#include <string_view>

namespace scenario {

// The most lines a payload text may have.
inline constexpr size_t righe_massime_carico = 1000;

// Closes the writers' lists of lines; no text may hold it.
inline constexpr std::string_view fine_del_file = "riferimento fine del file";

// The text as the installer writes it, or nothing with the reason in
// errore (Italian, naming the line): a byte sequence that is not UTF-8, a
// character Windows-1252 does not have, a NUL, a lone CR, too many lines,
// the writers' end-marker line.
std::optional<std::string> testo_da_carico(std::string_view utf8, std::string& errore);

}  // namespace scenario
