// Reading and writing the language server's framed messages.

#include "lsp/messaggi.h"

#include <charconv>
#include <istream>
#include <ostream>

#include "base/righe.h"
#include "lsp/protocollo.h"

namespace scenario::strumenti::lsp {
namespace {

// One header line without its CR LF; false at the end of the stream.
// troppo_lunga: the line went past intestazione_massima (and was read through).
// Not the texts' line-end rule: the framing's lines end at LF (CR LF as
// editors write them), a lone CR ends none, and the stream is read a byte at
// a time so that nothing past the header is taken.
bool riga_intestazione(std::istream& in, std::string& riga, bool& troppo_lunga) {
  riga.clear();
  troppo_lunga = false;
  for (int c = in.get(); c != std::char_traits<char>::eof(); c = in.get()) {
    if (c == '\n') {
      if (!riga.empty() && riga.back() == '\r') riga.pop_back();
      return true;
    }
    if (riga.size() < intestazione_massima)
      riga += static_cast<char>(c);
    else
      troppo_lunga = true;
  }
  return !riga.empty();
}

bool stesso_nome(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    auto m = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (m(a[i]) != m(b[i])) return false;
  }
  return true;
}

}  // namespace

MessaggioLetto leggi_messaggio(std::istream& in) {
  MessaggioLetto m;
  std::string riga;
  bool troppo_lunga = false, lunghezza_trovata = false, lunghezza_valida = true, qualcosa = false;
  size_t lunghezza = 0;
  while (true) {
    if (!riga_intestazione(in, riga, troppo_lunga)) {
      m.stato = StatoLettura::fine;
      return m;
    }
    if (riga.empty() && !troppo_lunga) {
      if (qualcosa) break;
      continue;  // blank lines between messages
    }
    qualcosa = true;
    if (troppo_lunga) {
      lunghezza_valida = false;
      continue;
    }
    const size_t due_punti = riga.find(':');
    if (due_punti == std::string::npos) {
      lunghezza_valida = false;
      continue;
    }
    if (!stesso_nome(spogliato(std::string_view(riga).substr(0, due_punti)), protocollo::lunghezza_contenuto)) continue;
    const std::string v = spogliato(std::string_view(riga).substr(due_punti + 1));
    const auto [fine, ec] = std::from_chars(v.data(), v.data() + v.size(), lunghezza);
    lunghezza_trovata = ec == std::errc() && fine == v.data() + v.size();
    if (!lunghezza_trovata) lunghezza_valida = false;
  }
  if (!lunghezza_trovata || !lunghezza_valida) {
    m.stato = StatoLettura::scartato;
    m.errore = "intestazione senza Content-Length valido";
    return m;
  }
  if (lunghezza > corpo_massimo) {
    in.ignore(static_cast<std::streamsize>(lunghezza));
    m.stato = in.eof() ? StatoLettura::fine : StatoLettura::scartato;
    m.errore = "messaggio troppo lungo (" + std::to_string(lunghezza) + " byte)";
    return m;
  }
  m.corpo.resize(lunghezza);
  in.read(m.corpo.data(), static_cast<std::streamsize>(lunghezza));
  if (static_cast<size_t>(in.gcount()) != lunghezza) {
    m.stato = StatoLettura::fine;
    m.corpo.clear();
    return m;
  }
  m.stato = StatoLettura::messaggio;
  return m;
}

void scrivi_messaggio(std::ostream& out, const nlohmann::json& j) {
  const std::string corpo = j.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
  out << protocollo::lunghezza_contenuto << ": " << corpo.size() << "\r\n\r\n" << corpo;
  out.flush();
}

}  // namespace scenario::strumenti::lsp
