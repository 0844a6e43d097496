// The real disk's file operations on POSIX.

#include <stdio.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "platform/disco_file.h"
#include "platform/posix/descrittore.h"

namespace scenario {
namespace {

using posix::apri;
using posix::Descrittore;
using posix::e_un_collegamento;
using posix::fallisci;
using posix::sposta_senza_sostituire;

// Writes every piece. For a file that goes to the device, the device's
// writing of each piece starts at once, so that it goes on while the next
// ones are made; the flush at the end waits for it.
void scrivi_pezzi(int fd, const Percorso& p, const Pezzi& produci, bool durevole) {
  off_t scritti = 0;
  produci([&](std::string_view pezzo) {
    posix::scrivi_tutto(fd, pezzo, p);
#if defined(__linux__)
    // Only a start, whose failure the flush reports.
    if (durevole) ::sync_file_range(fd, scritti, static_cast<off_t>(pezzo.size()), SYNC_FILE_RANGE_WRITE);
#endif
    scritti += static_cast<off_t>(pezzo.size());
  });
}

// Opens for writing, writes every piece and closes.
void scrivi_con(int modo, const Percorso& p, const Pezzi& produci) {
  Descrittore d(apri(p, O_WRONLY | modo));
  if (!d.valido()) fallisci(errno, p);
  scrivi_pezzi(d.fd(), p, produci, false);
  posix::chiudi(d, p);
}

}  // namespace

std::string DiscoFile::leggi(const Percorso& p) {
  Descrittore d(apri(p, O_RDONLY));
  if (!d.valido()) fallisci(errno, p);
  // Read straight into the text, sized for the file as it stands and one
  // byte more, so that the read that finds the end needs no other buffer; a
  // file that grows meanwhile is read to its new end.
  struct stat s {};
  const size_t atteso = ::fstat(d.fd(), &s) == 0 && s.st_size > 0 ? static_cast<size_t>(s.st_size) : 0;
  std::string testo(atteso + 1, '\0');
  size_t letti = 0;
  for (;;) {
    if (letti == testo.size()) testo.resize(testo.size() * 2);
    const ssize_t n = ::read(d.fd(), testo.data() + letti, testo.size() - letti);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw ErroreEsecuzione(Guasto::errore_accesso, nome_nel_messaggio(p));
    }
    if (n == 0) break;
    letti += static_cast<size_t>(n);
  }
  testo.resize(letti);
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
  scrivi_con(O_CREAT | O_TRUNC | O_NOFOLLOW, p, produci);
}

void DiscoFile::scrivi_durevole(const Percorso& p, const Pezzi& produci) {
  const Scrittura s[] = {{p, produci}};
  scrivi_durevoli(s);
}

void DiscoFile::scrivi_durevoli(std::span<const Scrittura> file) {
  std::vector<Descrittore> aperti;
  aperti.reserve(file.size());
  for (const Scrittura& f : file) {
    aperti.emplace_back(apri(f.percorso, O_WRONLY | O_TRUNC | O_NOFOLLOW));
    if (!aperti.back().valido()) fallisci(errno, f.percorso);
    scrivi_pezzi(aperti.back().fd(), f.percorso, f.produci, true);
  }
  for (size_t i = 0; i < file.size(); ++i) {
    if (::fsync(aperti[i].fd()) != 0) fallisci(errno, file[i].percorso);
    posix::chiudi(aperti[i], file[i].percorso);
  }
}

Percorso DiscoFile::sposta_da_parte(const Percorso& p) {
  // A name taken by anything (a file, a link, another run's file) is passed over.
  for (int tentativi = 0; tentativi < 1000; ++tentativi) {
    const Percorso q = nome_provvisorio(p, static_cast<uint64_t>(::getpid()), contatore_++);
    if (sposta_senza_sostituire(p, q)) return q;
    if (errno != EEXIST) fallisci(errno, p);
  }
  fallisci(EEXIST, p);
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
