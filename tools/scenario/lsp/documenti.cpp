// Positions, edits and URIs of the documents the editor has open.

#include "lsp/documenti.h"

#include <algorithm>

#include "base/righe.h"

namespace scenario::strumenti::lsp {
namespace {

// The length of the UTF-8 sequence a lead byte opens; 1 for a stray byte, so
// that malformed text still moves forward.
size_t lunghezza_sequenza(unsigned char c) {
  if (c >= 0xF0 && c < 0xF8) return 4;
  if (c >= 0xE0) return c < 0xF0 ? 3 : 1;
  if (c >= 0xC0) return 2;
  return 1;
}

int cifra_esadecimale(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

int64_t numero_posizione(const nlohmann::json& j) {
  constexpr int64_t massimo = 0x7FFFFFFF;
  if (j.is_number_unsigned()) return std::min<uint64_t>(j.get<uint64_t>(), massimo);
  if (!j.is_number_integer()) throw nlohmann::json::type_error::create(302, "numero intero atteso", &j);
  return std::clamp<int64_t>(j.get<int64_t>(), 0, massimo);
}

Posizione posizione_da_json(const nlohmann::json& j) {
  return {numero_posizione(j.at("line")), numero_posizione(j.at("character"))};
}

size_t scostamento(std::string_view t, Posizione p) {
  size_t i = 0;
  for (int64_t r = 0; r < p.riga; ++r) {
    i = riga_da(t, i).dopo;
    if (i > t.size()) return t.size();
  }
  for (int64_t u = 0; u < p.carattere && i < t.size() && !fine_riga(t[i]);) {
    const size_t n = std::min(lunghezza_sequenza(static_cast<unsigned char>(t[i])), t.size() - i);
    u += n == 4 ? 2 : 1;  // beyond the BMP: a surrogate pair
    i += n;
  }
  return i;
}

Posizione posizione_di(std::string_view t, size_t byte) {
  Posizione p;
  byte = std::min(byte, t.size());
  for (size_t i = 0; i < byte;) {
    if (fine_riga(t[i])) {
      i = dopo_fine_riga(t, i);
      ++p.riga;
      p.carattere = 0;
      continue;
    }
    const size_t n = lunghezza_sequenza(static_cast<unsigned char>(t[i]));
    p.carattere += n == 4 ? 2 : 1;
    i += n;
  }
  return p;
}

void applica_modifica(std::string& testo, const nlohmann::json& m) {
  const std::string& nuovo = m.at("text").get_ref<const std::string&>();
  if (!m.contains("range")) {
    testo = nuovo;
    return;
  }
  const nlohmann::json& r = m.at("range");
  size_t da = scostamento(testo, posizione_da_json(r.at("start")));
  size_t a = scostamento(testo, posizione_da_json(r.at("end")));
  if (a < da) std::swap(da, a);
  testo.replace(da, a - da, nuovo);
}

std::optional<Percorso> percorso_da_uri(std::string_view uri) {
  constexpr std::string_view schema = "file://";
  if (!uri.starts_with(schema)) return std::nullopt;
  std::string_view resto = uri.substr(schema.size());
  // An authority other than the local host names another machine.
  const size_t barra = resto.find('/');
  if (barra == std::string_view::npos) return std::nullopt;
  const std::string_view host = resto.substr(0, barra);
  if (!host.empty() && host != "localhost") return std::nullopt;
  resto = resto.substr(barra);
  std::string p;
  for (size_t i = 0; i < resto.size(); ++i) {
    if (resto[i] == '%' && i + 2 < resto.size() && cifra_esadecimale(resto[i + 1]) >= 0 &&
        cifra_esadecimale(resto[i + 2]) >= 0) {
      p += static_cast<char>(cifra_esadecimale(resto[i + 1]) * 16 + cifra_esadecimale(resto[i + 2]));
      i += 2;
    } else if (resto[i] == '?' || resto[i] == '#') {
      break;
    } else {
      p += resto[i];
    }
  }
#ifdef _WIN32
  if (p.size() >= 3 && p[0] == '/' && p[2] == ':') p.erase(0, 1);  // /C:/...
#endif
  return percorso_utf8(p);
}

std::string uri_da_percorso(const Percorso& p) {
  const std::u8string u = p.generic_u8string();
  std::string uri = "file://";
  if (u.empty() || u[0] != u8'/') uri += '/';
  constexpr char cifre[] = "0123456789ABCDEF";
  for (char8_t c8 : u) {
    const auto c = static_cast<unsigned char>(c8);
    const bool libero = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
                        c == '.' || c == '_' || c == '~' || c == '/';
    if (libero) {
      uri += static_cast<char>(c);
    } else {
      uri += '%';
      uri += cifre[c >> 4];
      uri += cifre[c & 15];
    }
  }
  return uri;
}

}  // namespace scenario::strumenti::lsp
