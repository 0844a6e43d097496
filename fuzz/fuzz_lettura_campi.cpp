// The field reader on any bytes, reading text and number fields in an order
// the input chooses: its first byte says how many of the bytes after it are
// the order, the rest is the text.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "banco.h"
#include "base/errori.h"
#include "compiler/lettura_campi.h"

using namespace scenario;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t n) {
  if (n == 0) return 0;
  const size_t lunghezza_ordine = std::min<size_t>(dati[0] % 16, n - 1);
  const std::string_view ordine(reinterpret_cast<const char*>(dati) + 1, lunghezza_ordine);
  const std::string_view testo(reinterpret_cast<const char*>(dati) + 1 + lunghezza_ordine, n - 1 - lunghezza_ordine);

  static constexpr std::array<std::string_view, 6> parole = {"[generale]", "percorso", "stazione", "segnale", "-", ""};
  LetturaCampi lettore(testo);
  size_t letture = 0;
  while (!lettore.fine_file()) {
    // Every field consumes at least one byte.
    if (++letture > testo.size()) fuzz::violazione("il lettore non avanza");
    const char scelta = ordine.empty() ? 0 : ordine[letture % ordine.size()];
    try {
      switch (static_cast<unsigned char>(scelta) % 4) {
        case 0: {
          const std::string campo = lettore.leggi_testo();
          if (campo.find_first_of(",\r\n") != std::string::npos) fuzz::violazione("separatore nel campo");
          if (!campo.empty() && (campo[0] == ' ' || campo[0] == '\t')) fuzz::violazione("spazi iniziali nel campo");
          for (std::string_view p : parole)
            if (contiene(campo, p) && !contiene_ci(campo, p)) fuzz::violazione("contiene senza contiene_ci");
          break;
        }
        case 1: lettore.leggi_long(); break;
        case 2: lettore.leggi_intero(); break;
        default: lettore.leggi_byte(); break;
      }
    } catch (const ErroreEsecuzione&) {
      // A field that is not a number, or does not fit: the parser traps it.
    }
    if (lettore.riga_campo() < 1 || lettore.colonna_campo() < 1) fuzz::violazione("posizione del campo");
  }
  try {
    lettore.leggi_testo();
    fuzz::violazione("lettura oltre la fine del file riuscita");
  } catch (const ErroreEsecuzione& e) {
    if (e.guasto() != Guasto::input_oltre_fine_file) fuzz::violazione("guasto sbagliato a fine file");
  }
  return 0;
}
