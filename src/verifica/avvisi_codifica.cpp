// A text in UTF-8 where Windows-1252 is read (W13): every byte above 127 is
// part of a valid multi-byte sequence. Each line holding one is shown as it
// was meant and as the compiler reads it.

#include <string>

#include "base/cp1252.h"
#include "base/righe.h"
#include "verifica/regole_controllo.h"

namespace scenario::verifica {
namespace {

// The length of the valid UTF-8 sequence at i (2 to 4 bytes), or 0.
size_t sequenza(std::string_view t, size_t i) {
  const auto b = static_cast<unsigned char>(t[i]);
  size_t n = 0;
  char32_t cp = 0;
  if (b >= 0xC2 && b <= 0xDF)
    n = 2, cp = b & 0x1F;
  else if (b >= 0xE0 && b <= 0xEF)
    n = 3, cp = b & 0x0F;
  else if (b >= 0xF0 && b <= 0xF4)
    n = 4, cp = b & 0x07;
  else
    return 0;
  if (i + n > t.size()) return 0;
  for (size_t k = 1; k < n; ++k) {
    const auto c = static_cast<unsigned char>(t[i + k]);
    if ((c & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (c & 0x3F);
  }
  static constexpr char32_t minimo[] = {0, 0, 0x80, 0x800, 0x10000};
  if (cp < minimo[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return n;
}

bool sembra_utf8(std::string_view t) {
  bool multibyte = false;
  for (size_t i = 0; i < t.size();) {
    if (static_cast<unsigned char>(t[i]) < 0x80) {
      ++i;
      continue;
    }
    const size_t n = sequenza(t, i);
    if (n == 0) return false;
    multibyte = true;
    i += n;
  }
  return multibyte;
}

void controlla_testo(Contesto& c, File file, std::string_view t) {
  if (!sembra_utf8(t)) return;
  int32_t riga = 1;
  for (size_t inizio = 0; inizio <= t.size();) {
    const Riga riga_letta = riga_da(t, inizio);
    const std::string_view r = riga_letta.testo;
    for (size_t i = 0; i < r.size(); ++i) {
      if (static_cast<unsigned char>(r[i]) < 0x80) continue;
      // The field around it, between commas.
      const size_t a = r.rfind(',', i) == std::string_view::npos ? 0 : r.rfind(',', i) + 1;
      const size_t b = r.find(',', i) == std::string_view::npos ? r.size() : r.find(',', i);
      const std::string_view campo = r.substr(a, b - a);
      c.avviso(Avviso::testo_utf8, file, Origine{Sorgente::nessuna, riga, static_cast<int32_t>(i + 1)},
               "testo in UTF-8 letto come Windows-1252: \xC2\xAB" + spogliato(campo) + "\xC2\xBB viene letto \xC2\xAB" +
                   citato(campo) + "\xC2\xBB");
      break;
    }
    inizio = riga_letta.dopo;
    ++riga;
  }
}

}  // namespace

void avvisi_codifica(Contesto& c) {
  controlla_testo(c, File::linea, c.testi.linea);
  controlla_testo(c, File::treno, c.testi.treno);
  if (c.testi.scheda) controlla_testo(c, File::scheda, *c.testi.scheda);
}

}  // namespace scenario::verifica
