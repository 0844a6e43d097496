#pragma once
// The framing of the language server's messages: JSON-RPC bodies behind
// "Content-Length" headers, read from a byte stream that may hold anything.

#include <cstddef>
#include <iosfwd>
#include <nlohmann/json.hpp>
#include <string>

namespace scenario::strumenti::lsp {

// The largest body taken; a larger one is read past and refused, so that a
// wrong length cannot exhaust memory.
inline constexpr size_t corpo_massimo = 64 * 1024 * 1024;
// The longest header line; past it the line is read through and refused.
inline constexpr size_t intestazione_massima = 4096;

enum class StatoLettura {
  messaggio,  // corpo holds a body
  scartato,   // a malformed header block or body, read past; errore says why
  fine,       // the stream ended
};

struct MessaggioLetto {
  StatoLettura stato = StatoLettura::fine;
  std::string corpo;
  std::string errore;
};

// Reads the next message. Never throws on its input: headers without a
// usable Content-Length, over-long lines and bodies are read past.
MessaggioLetto leggi_messaggio(std::istream& in);

// Writes one message with its header, and flushes.
void scrivi_messaggio(std::ostream& out, const nlohmann::json& j);

}  // namespace scenario::strumenti::lsp
