#include "platform/posix/descrittore.h"

namespace scenario::posix {

Guasto guasto_da(int err) {
  switch (err) {
    case ENOENT: return Guasto::file_non_trovato;
    case EACCES:
    case EPERM:
    case EROFS: return Guasto::permesso_negato;
    case ENOSPC: return Guasto::disco_pieno;
    default: return Guasto::errore_accesso;
  }
}

int apri(const Percorso& p, int modo) {
  int fd;
  do {
    fd = ::open(p.c_str(), modo | O_CLOEXEC, 0666);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

void scrivi_tutto(int fd, std::string_view byte, const Percorso& p) {
  while (!byte.empty()) {
    const ssize_t n = ::write(fd, byte.data(), byte.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      fallisci(errno, p);
    }
    if (n == 0) fallisci(ENOSPC, p);
    byte.remove_prefix(static_cast<size_t>(n));
  }
}

void chiudi(Descrittore& d, const Percorso& p) {
  // Linux releases the descriptor even when close is interrupted.
  if (::close(d.rilascia()) != 0 && errno != EINTR) fallisci(errno, p);
}

}  // namespace scenario::posix
