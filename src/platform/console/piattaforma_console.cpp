// Console platform: the window and the message boxes become lines on
// standard error.

#include <unistd.h>

#include <cerrno>
#include <iostream>
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
}  // namespace

std::unique_ptr<Finestra> mostra_finestra() {
  std::cerr << "Attendere" << std::endl;
  return std::make_unique<FinestraConsole>();
}

void mostra_messaggio(const std::string& testo) { std::cerr << a_utf8(testo) << std::endl; }

}  // namespace scenario
