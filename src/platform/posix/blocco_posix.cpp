// The directory lock on POSIX: flock on a file in the directory, removed by
// the holder as it lets go.

#include <sys/file.h>
#include <sys/stat.h>

#include <algorithm>
#include <thread>

#include "platform/disco_file.h"
#include "platform/posix/descrittore.h"

namespace scenario {
namespace {

using posix::Descrittore;

class BloccoPosix : public Blocco {
 public:
  BloccoPosix(int fd, Percorso p) : fd_(fd), p_(std::move(p)) {}
  ~BloccoPosix() override {
    // The name goes while the lock is still held: a run waiting on this file
    // finds, once it gets the lock, that the name names it no more, and
    // starts again on the name as it stands then.
    ::unlink(p_.c_str());
    ::close(fd_);
  }
  BloccoPosix(const BloccoPosix&) = delete;
  BloccoPosix& operator=(const BloccoPosix&) = delete;

 private:
  int fd_;
  Percorso p_;
};

bool stesso_file(int fd, const Percorso& p) {
  struct stat aperto {
  }, nome{};
  return ::fstat(fd, &aperto) == 0 && ::lstat(p.c_str(), &nome) == 0 && aperto.st_dev == nome.st_dev &&
         aperto.st_ino == nome.st_ino;
}

}  // namespace

std::unique_ptr<Blocco> DiscoFile::blocca(const Percorso& cartella) {
  using namespace std::chrono;
  const Percorso p = cartella_o_corrente(cartella) / nome_file_blocco;
  const auto scadenza = steady_clock::now() + attesa_;
  auto pausa = milliseconds(2);
  auto attendi = [&] {
    if (steady_clock::now() >= scadenza)
      throw ErroreEsecuzione(Guasto::cartella_in_uso, dettaglio_cartella_in_uso(attesa_));
    std::this_thread::sleep_for(pausa);
    pausa = std::min(pausa * 2, milliseconds(50));
  };
  // A link at the lock's name (no run makes one) is taken away, as a link
  // at any output name is replaced. It is moved aside first and removed only
  // once it is seen to be the link: a lock file another run has put there
  // meanwhile goes back under its name.
  auto togli_collegamento = [&] {
    for (int tentativi = 0; tentativi < 1000; ++tentativi) {
      const Percorso q = nome_provvisorio(p, static_cast<uint64_t>(::getpid()), contatore_++);
      if (!posix::sposta_senza_sostituire(p, q)) {
        if (errno == EEXIST) continue;
        if (errno == ENOENT) return;
        posix::fallisci(errno, p);
      }
      if (posix::e_un_collegamento(q))
        ::unlink(q.c_str());
      else
        posix::sposta_senza_sostituire(q, p);
      return;
    }
    posix::fallisci(EEXIST, p);
  };
  for (;;) {
    int fd = posix::apri(p, O_RDWR | O_CREAT | O_NOFOLLOW);
    // Left by another user's run, the file may not be writable for this
    // one; read access is enough to lock it (write access only matters on
    // file systems that lock by byte range). Where there is no file to read,
    // the directory itself refused the create: that is the failure to tell.
    if (fd < 0 && errno == EACCES) {
      fd = posix::apri(p, O_RDONLY | O_NOFOLLOW);
      if (fd < 0 && errno == ENOENT) errno = EACCES;
    }
    if (fd < 0 && errno == ELOOP && posix::e_un_collegamento(p)) {
      togli_collegamento();
      continue;
    }
    Descrittore d(fd);
    if (!d.valido()) posix::fallisci(errno, p);
    while (::flock(d.fd(), LOCK_EX | LOCK_NB) != 0) {
      if (errno == EINTR) continue;
      if (errno != EWOULDBLOCK) posix::fallisci(errno, p);
      attendi();
    }
    if (stesso_file(d.fd(), p)) return std::make_unique<BloccoPosix>(d.rilascia(), p);
    // Locked a file whose holder has since removed it.
    if (steady_clock::now() >= scadenza)
      throw ErroreEsecuzione(Guasto::cartella_in_uso, dettaglio_cartella_in_uso(attesa_));
  }
}

}  // namespace scenario
