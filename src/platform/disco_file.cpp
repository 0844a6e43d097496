// The parts of the real disk that are the same on every platform; the
// system calls are in posix/ and win32/.

#include "platform/disco_file.h"

#include <filesystem>
#include <functional>
#include <system_error>

#include "base/errori.h"

namespace scenario {

bool DiscoFile::esiste(const Percorso& p) const {
  std::error_code ec;
  return std::filesystem::is_regular_file(p, ec);
}

void DiscoFile::scrivi(const Percorso& p, std::string_view byte) {
  scrivi_a_pezzi(p, [byte](const std::function<void(std::string_view)>& pezzo) { pezzo(byte); });
}

std::vector<Percorso> DiscoFile::elenca(const Percorso& cartella) {
  const Percorso c = cartella_o_corrente(cartella);
  std::vector<Percorso> file;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(c, ec), fine; !ec && it != fine; it.increment(ec)) {
    // The type the listing gives; a file system that gives none is asked.
    std::error_code e;
    if (!it->is_symlink(e) && it->is_regular_file(e)) file.push_back(it->path());
  }
  if (ec) throw ErroreEsecuzione(Guasto::errore_accesso, nome_nel_messaggio(c));
  return file;
}

std::string dettaglio_cartella_in_uso(std::chrono::milliseconds attesa) {
  const auto ms = attesa.count();
  const std::string quanto = ms % 1000 == 0 ? std::to_string(ms / 1000) + " s" : std::to_string(ms) + " ms";
  return std::string(nome_file_blocco) + ", attesa " + quanto;
}

}  // namespace scenario
