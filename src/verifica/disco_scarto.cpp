// The disk that keeps nothing (disco_scarto.h).

#include "verifica/disco_scarto.h"

#include "base/errori.h"

namespace scenario::verifica {

std::string DiscoScarto::leggi(const Percorso& p) {
  throw ErroreEsecuzione(Guasto::file_non_trovato, nome_nel_messaggio(p));
}

Percorso DiscoScarto::crea_provvisorio(const Percorso& p) { return nome_provvisorio(p, 0, contatore_++); }

void DiscoScarto::scrivi_durevole(const Percorso&, const Pezzi& produci) {
  produci([](std::string_view) {});
}

}  // namespace scenario::verifica
