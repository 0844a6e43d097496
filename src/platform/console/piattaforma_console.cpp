// Console platform: the window and the message boxes become lines on
// standard error, written with write(2): no stream library to set up at
// start for two lines.

#include <unistd.h>

#include <cerrno>
#include <string_view>
#include <vector>

#include "base/cp1252.h"
#include "base/errori.h"
#include "platform/piattaforma.h"

namespace scenario {

std::filesystem::path cartella_eseguibile() {
  std::vector<char> buf(4096);
  for (;;) {
    ssize_t n = ::readlink("/proc/self/exe", buf.data(), buf.size());
    if (n < 0) throw ErroreEsecuzione(Guasto::errore_accesso, "/proc/self/exe");
    if (static_cast<size_t>(n) < buf.size())
      return std::filesystem::path(std::string(buf.data(), static_cast<size_t>(n))).parent_path();
    buf.resize(buf.size() * 2);
  }
}

namespace {

class FinestraConsole : public Finestra {};

// One line, whole; a standard error that takes nothing is no reason to fail.
void riga(std::string testo) {
  testo += '\n';
  std::string_view resto = testo;
  while (!resto.empty()) {
    const ssize_t n = ::write(STDERR_FILENO, resto.data(), resto.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    resto.remove_prefix(static_cast<size_t>(n));
  }
}

}  // namespace

std::unique_ptr<Finestra> mostra_finestra() {
  riga("Attendere");
  return std::make_unique<FinestraConsole>();
}

void mostra_messaggio(const std::string& testo) { riga(a_utf8(testo)); }

}  // namespace scenario
