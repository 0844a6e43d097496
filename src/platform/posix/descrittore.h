#pragma once
// The POSIX calls the real disk is made of: an owned file descriptor, and the
// errno of a failure turned into the program's failure numbers.

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <string_view>

#include "base/disco.h"
#include "base/errori.h"

namespace scenario::posix {

Guasto guasto_da(int err);

[[noreturn]] inline void fallisci(int err, const Percorso& p) {
  throw ErroreEsecuzione(guasto_da(err), nome_nel_messaggio(p));
}

// Closed with the object unless handed on.
class Descrittore {
 public:
  explicit Descrittore(int fd) : fd_(fd) {}
  ~Descrittore() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descrittore(Descrittore&& altro) noexcept : fd_(altro.rilascia()) {}
  Descrittore(const Descrittore&) = delete;
  Descrittore& operator=(const Descrittore&) = delete;

  int fd() const { return fd_; }
  bool valido() const { return fd_ >= 0; }
  int rilascia() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
  }

 private:
  int fd_;
};

// open(2), retried when a signal interrupts it; never inherited by a child.
int apri(const Percorso& p, int modo);
// Every byte, however many calls it takes.
void scrivi_tutto(int fd, std::string_view byte, const Percorso& p);
// Moves da to a, failing with EEXIST where a is taken; false, with errno,
// on a failure.
bool sposta_senza_sostituire(const Percorso& da, const Percorso& a);
// Whether the name is a symbolic link (not followed).
bool e_un_collegamento(const Percorso& p);
// close(2), whose failure (a write the device refused late) is a failure.
void chiudi(Descrittore& d, const Percorso& p);

}  // namespace scenario::posix
