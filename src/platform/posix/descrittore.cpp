#include "platform/posix/descrittore.h"

#include <stdio.h>
#include <sys/stat.h>

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

bool sposta_senza_sostituire(const Percorso& da, const Percorso& a) {
  // Where the file system cannot move that way, the name is taken first with
  // an exclusive create, then moved over.
#if defined(__linux__)
  if (::renameat2(AT_FDCWD, da.c_str(), AT_FDCWD, a.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
#endif
  Descrittore d(apri(a, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW));
  if (!d.valido()) return false;
  if (::close(d.rilascia()) != 0 && errno != EINTR) return false;
  if (::rename(da.c_str(), a.c_str()) == 0) return true;
  const int e = errno;
  ::unlink(a.c_str());
  errno = e;
  return false;
}

bool e_un_collegamento(const Percorso& p) {
  struct stat s {};
  return ::lstat(p.c_str(), &s) == 0 && S_ISLNK(s.st_mode);
}

void chiudi(Descrittore& d, const Percorso& p) {
  // Linux releases the descriptor even when close is interrupted.
  if (::close(d.rilascia()) != 0 && errno != EINTR) fallisci(errno, p);
}

}  // namespace scenario::posix
