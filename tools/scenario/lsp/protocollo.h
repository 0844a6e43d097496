#pragma once
// The names and numbers of the language server protocol and of JSON-RPC
// that the server reads and writes, each once, beside the protocol's own name.

#include <string_view>

namespace scenario::strumenti::lsp::protocollo {

// The header that frames every message, with the body's length in bytes.
inline constexpr std::string_view lunghezza_contenuto = "Content-Length";

inline constexpr std::string_view versione_jsonrpc = "2.0";  // "jsonrpc"

// ErrorCodes.
enum class CodiceErrore {
  errore_sintassi = -32700,       // ParseError
  richiesta_non_valida = -32600,  // InvalidRequest
  metodo_sconosciuto = -32601,    // MethodNotFound
  parametri_non_validi = -32602,  // InvalidParams
  errore_interno = -32603,        // InternalError
  non_inizializzato = -32002,     // ServerNotInitialized
};

// TextDocumentSyncKind.
enum class Sincronia {
  incrementale = 2,  // Incremental
};

// DiagnosticSeverity.
enum class Gravita {
  errore = 1,        // Error
  avviso = 2,        // Warning
  informazione = 3,  // Information
};

// CompletionItemKind.
enum class TipoCompletamento {
  modulo = 9,          // Module
  parola_chiave = 14,  // Keyword
};

// InsertTextFormat.
enum class FormatoInserimento {
  snippet = 2,  // Snippet
};

// SymbolKind.
enum class TipoSimbolo {
  spazio_nomi = 3,  // Namespace
  campo = 8,        // Field
  oggetto = 19,     // Object
  evento = 24,      // Event
};

// MarkupKind.
inline constexpr std::string_view markdown = "markdown";  // Markdown

}  // namespace scenario::strumenti::lsp::protocollo
