// The real disk's file operations on POSIX.

#include <sys/stat.h>

#include <string>

#include "platform/disco_file.h"
#include "platform/posix/descrittore.h"

namespace scenario {
namespace {

using posix::apri;
using posix::Descrittore;
using posix::fallisci;

// Opens for writing, writes every piece, puts the bytes on the device when
// asked, and closes.
void scrivi_con(int modo, const Percorso& p, const Pezzi& produci, bool durevole) {
  Descrittore d(apri(p, O_WRONLY | modo));
  if (!d.valido()) fallisci(errno, p);
  produci([&](std::string_view pezzo) { posix::scrivi_tutto(d.fd(), pezzo, p); });
  if (durevole && ::fsync(d.fd()) != 0) fallisci(errno, p);
  posix::chiudi(d, p);
}

bool e_un_collegamento(const Percorso& p) {
  struct stat s {};
  return ::lstat(p.c_str(), &s) == 0 && S_ISLNK(s.st_mode);
}

}  // namespace

std::string DiscoFile::leggi(const Percorso& p) {
  Descrittore d(apri(p, O_RDONLY));
  if (!d.valido()) fallisci(errno, p);
  std::string testo;
  char buf[1 << 16];
  for (;;) {
    const ssize_t n = ::read(d.fd(), buf, sizeof buf);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw ErroreEsecuzione(Guasto::errore_accesso, nome_nel_messaggio(p));
    }
    if (n == 0) break;
    testo.append(buf, static_cast<size_t>(n));
  }
  return testo;
}

void DiscoFile::crea(const Percorso& p) {
  Descrittore d(apri(p, O_WRONLY | O_CREAT | O_NOFOLLOW));
  if (!d.valido()) {
    // A link under the name is a file that stands there: left as it is, and
    // never the way to create one somewhere else.
    if (errno == ELOOP && e_un_collegamento(p)) return;
    fallisci(errno, p);
  }
  posix::chiudi(d, p);
}

void DiscoFile::elimina(const Percorso& p) {
  if (::unlink(p.c_str()) != 0) fallisci(errno, p);
}

void DiscoFile::scrivi_a_pezzi(const Percorso& p, const Pezzi& produci) {
  scrivi_con(O_CREAT | O_TRUNC | O_NOFOLLOW, p, produci, false);
}

void DiscoFile::scrivi_durevole(const Percorso& p, const Pezzi& produci) {
  scrivi_con(O_TRUNC | O_NOFOLLOW, p, produci, true);
}

void DiscoFile::rinomina(const Percorso& da, const Percorso& a) {
  if (::rename(da.c_str(), a.c_str()) != 0) fallisci(errno, a);
}

Percorso DiscoFile::crea_provvisorio(const Percorso& p) {
  // A name taken by anything (a file, a link, another run's file) is passed over.
  for (int tentativi = 0; tentativi < 1000; ++tentativi) {
    const Percorso q = nome_provvisorio(p, static_cast<uint64_t>(::getpid()), contatore_++);
    Descrittore d(apri(q, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW));
    if (d.valido()) {
      posix::chiudi(d, q);
      return q;
    }
    if (errno != EEXIST) fallisci(errno, q);
  }
  fallisci(EEXIST, p);
}

void DiscoFile::sincronizza_cartella(const Percorso& cartella) {
  const Percorso c = cartella_o_corrente(cartella);
  Descrittore d(apri(c, O_RDONLY | O_DIRECTORY));
  if (!d.valido()) fallisci(errno, c);
  // Some file systems keep no directory to flush and say so.
  if (::fsync(d.fd()) != 0 && errno != EINVAL && errno != ENOTSUP) fallisci(errno, c);
  posix::chiudi(d, c);
}

}  // namespace scenario
